#include "commands/WebPage.h"

#include "commands/CommandMessages.h"

#include <exception>

namespace {} // namespace

void LaunchWebPage(Program& program) {
    MessageBoxes& boxes = program.services.messages;
    try {
        if (!program.services.desktop.openUrl(MakersWebAddress))
            boxes.show(browserFailureMessage());
    } catch (const std::exception& failure) {
        boxes.show(programErrorMessage(failure));
    }
}

void Logo_Click(Program& program) {
    LaunchWebPage(program);
}
