#include "qt_beeper.h"

#include <QApplication>

namespace kubiq {

void QtBeeper::beep() {
    QApplication::beep();
}

} // namespace kubiq
