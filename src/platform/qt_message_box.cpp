#include "qt_message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace kubiq {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void QtMessageBox::information(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::Information, fromUtf8(title),
                    fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setPalette(m_palette); // a dialog takes no colours from the window it stands over
    box.exec();
}

} // namespace kubiq
