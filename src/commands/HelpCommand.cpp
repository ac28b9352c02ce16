#include "commands/HelpCommand.h"

#include "commands/CommandMessages.h"

#include <exception>

namespace {} // namespace

void Help1_Click(Program& program) {
    MessageBoxes& boxes = program.services.messages;
    bool opened = false;
    try {
        if (!program.services.files.fileExists(HelpPage)) {
            boxes.show(helpPageMissingMessage());
            return;
        }
        opened = program.services.desktop.openFile(HelpPage);
    } catch (const std::exception&) {
        opened = false;
    }
    // A desktop that could not open the page would otherwise leave the click
    // without any answer.
    if (!opened)
        boxes.show(helpNotOpenedMessage());
}
