#include "commands/HelpCommand.h"

#include <exception>

namespace {

const QString Title = QStringLiteral("Meterwin Help File Error");

Message missingPage() {
    return {MessageIcon::Exclamation, Title,
            QStringLiteral("The help file is either missing or\r\n"
                           "corrupted. Reinstall the program\r\n"
                           "to correct the error.\r\n"),
            MessageButtons::Ok};
}

Message cannotOpen() {
    return {MessageIcon::Exclamation, Title,
            QStringLiteral("Unable to opem the help file.\r\n"
                           "This may be a permissions problem."),
            MessageButtons::Ok};
}

} // namespace

void Help1_Click(Program& program) {
    MessageBoxes& boxes = program.services.messages;
    bool opened = false;
    try {
        if (!program.services.files.fileExists(HelpPage)) {
            boxes.show(missingPage());
            return;
        }
        opened = program.services.desktop.openFile(HelpPage);
    } catch (const std::exception&) {
        opened = false;
    }
    // A desktop that could not open the page would otherwise leave the click
    // without any answer.
    if (!opened)
        boxes.show(cannotOpen());
}
