#include "first_frame.h"

namespace {

void exitAfterFirstFrame() {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new kubiq::bench::ExitAfterFirstFrame(app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(exitAfterFirstFrame)
