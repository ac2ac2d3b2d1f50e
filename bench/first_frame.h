#pragma once

// Both start-up harnesses end the same way: once the window's first frame is painted.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace kubiq::bench {

// Ends the event loop after the first paint of the widget it filters. The exit is queued behind
// the paint, so it runs once the whole frame has been drawn and flushed to the screen.
class ExitAfterFirstFrame final : public QObject {
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
