// The offscreen platform warns about every mouse grab and size hint it cannot honour; those
// lines would bury a real warning in the test logs, so they alone are dropped.
#pragma once

#include <QtGlobal>

namespace tavlin::test {

inline QtMessageHandler previousHandler = nullptr;

inline void quietOffscreenPlatform()
{
    previousHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (type == QtWarningMsg &&
                message.startsWith(QLatin1String("This plugin does not support")))
                return;
            previousHandler(type, context, message);
        });
}

} // namespace tavlin::test
