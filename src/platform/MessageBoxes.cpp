#include "platform/MessageBoxes.h"

#include "platform/ProgramEnd.h"

void ShowFatalMessage(MessageBoxes& boxes, const Message& message) {
    boxes.show(message);
    EndProgram();
}
