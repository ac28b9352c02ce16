#include "commands/WebPage.h"

#include <exception>

namespace {

const QString Title = QStringLiteral("Meterwin Error");

// Failures here carry a description but no number of their own.
constexpr int UnnumberedFailure = 0;

Message browserFailure() {
    return {MessageIcon::None, Title, QStringLiteral("Unable to launch Browser."),
            MessageButtons::Ok};
}

Message programError(const std::exception& failure) {
    return {MessageIcon::None, Title,
            QStringLiteral("A program error has occured\r\n"
                           "Error Number: %1\r\n"
                           "Error description: %2")
                .arg(UnnumberedFailure)
                .arg(QString::fromStdString(failure.what())),
            MessageButtons::Ok};
}

} // namespace

void LaunchWebPage(Program& program) {
    MessageBoxes& boxes = program.services.messages;
    try {
        if (!program.services.desktop.openUrl(MakersWebAddress))
            boxes.show(browserFailure());
    } catch (const std::exception& failure) {
        boxes.show(programError(failure));
    }
}

void Logo_Click(Program& program) {
    LaunchWebPage(program);
}
