// The desktop program: marks the running instance, loads the main window and
// runs until Exit, the window's frame or a fatal message ends it.
#include "app/DesktopStart.h"
#include "app/DisplayCheck.h"
#include "app/LogoArt.h"
#include "app/QtDesktop.h"
#include "app/QtMessageBoxes.h"
#include "commands/ProgramVersion.h"
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

const char* const Usage =
    "Usage: meterwin [-InhibitErrorCheck]\n"
    "       meterwin --help | --version\n"
    "\n"
    "Shows the Meterwin window, which calculates the cost of the gas used between two\n"
    "meter readings from the tariff in Data/Meterwin.ini and keeps the results and\n"
    "history logs in Log/.\n"
    "\n"
    "  -InhibitErrorCheck  given alone, turns the checks of the entries and settings\n"
    "                      off, so every entry is calculated\n"
    "  --help              shows this text\n"
    "  --version           shows the version\n"
    "\n"
    "meterwin-cli calculates in a terminal: see meterwin-cli --help.\n";

// --help and --version answer in the terminal, with or without a display.
bool answeredInTerminal(const QStringList& arguments) {
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h")))
        std::fputs(Usage, stdout);
    else if (arguments.contains(QStringLiteral("--version")))
        std::printf("meterwin %s\n", qPrintable(ProgramVersion));
    else
        return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const QStringList arguments = typedArguments(argc, argv);
    if (answeredInTerminal(arguments))
        return std::fflush(stdout) == 0 ? 0 : EndedByFailure;
    const QString noDisplay = MissingDisplayMessage(QProcessEnvironment::systemEnvironment());
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        return NoDisplay;
    }

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
