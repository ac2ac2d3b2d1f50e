#pragma once

#include <QString>
#include <QtGlobal>

namespace kubiq::test {

// The offscreen platform says at every change of the coach's size, and whenever the coach is
// brought to the front, that it cannot do that: thousands of lines that tell nothing about the
// game. Drops just those.
inline void quietOffscreen() {
    static QtMessageHandler next = nullptr;
    next = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message != QLatin1String("This plugin does not support propagateSizeHints()") &&
                message != QLatin1String("This plugin does not support raise()"))
                next(type, context, message);
        });
}

} // namespace kubiq::test
