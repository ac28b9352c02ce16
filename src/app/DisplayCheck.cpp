#include "app/DisplayCheck.h"

#include <QtGlobal>

QString MissingDisplayMessage([[maybe_unused]] const QProcessEnvironment& environment) {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!environment.value(QString::fromLatin1(name)).isEmpty())
            return {};
    return QStringLiteral("meterwin: no display to show the window on (DISPLAY and WAYLAND_DISPLAY "
                          "are not set); run it in a virtual display with 'xvfb-run -a "
                          "./meterwin', or use 'meterwin-cli' in a terminal.");
#else
    return {};
#endif
}
