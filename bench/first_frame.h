#pragma once

// Both start-up harnesses end the same way: once their window's first frame is painted.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace kubiq::bench {

// Ends the event loop after the first paint it sees. The exit is queued behind the paint, so it
// runs once the whole frame has been drawn and flushed to the screen. Linked into a program, it
// watches the whole application from the moment the application object exists, so the program's
// own main() runs unchanged.
class ExitAfterFirstFrame final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace kubiq::bench
