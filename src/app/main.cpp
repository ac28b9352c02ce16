// The desktop program: marks the running instance, loads the main window and
// runs until Exit, the window's frame or a fatal message ends it.
#include "app/DesktopStart.h"
#include "app/DisplayCheck.h"
#include "app/LogoArt.h"
#include "app/QtDesktop.h"
#include "app/QtMessageBoxes.h"
#include "platform/Clock.h"
#include "platform/InstallationDirectory.h"
#include "platform/InstanceMarker.h"
#include "platform/QtFileSystem.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

namespace {

constexpr int NoDisplay = 2;
constexpr int EndedByFailure = 1;

// The arguments as typed, before Qt takes out the ones it knows.
QStringList typedArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    const QString noDisplay = MissingDisplayMessage(QProcessEnvironment::systemEnvironment());
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        return NoDisplay;
    }
    const QStringList arguments = typedArguments(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Meterwin"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(DrawLogo(256))));

    EnterInstallationDirectory(FrontEnd::Window);
    // Nothing depends on the answer: a second instance works like the first.
    PreviousInstanceRunning(QStringLiteral("Meterwin"));

    const RegionalForms forms;
    QtMessageBoxes messages;
    QtFileSystem files;
    const SystemClock clock;
    QtDesktop desktop;
    Program program(Services{forms, messages, files, clock, desktop});

    const auto window = StartMeterwinMain(program, arguments, WritableConfiguration());
    if (!window)
        return EndedByFailure;
    messages.setParentWindow(window.get());
    const int result = app.exec();
    return window->endedByFailure() ? EndedByFailure : result;
}
