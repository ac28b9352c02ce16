#include "commands/Activation.h"

void MeterwinMain_Activate(Sheet& sheet) {
    sheet.Save.enabled = false;
}

bool MainWindowOnTop(const Sheet& sheet) {
    return sheet.OnTop.value == 1;
}
