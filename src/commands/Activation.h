#pragma once

#include "calc/Sheet.h"

// Activation of the main window: when it first appears and again when the
// About box closes. A result that was not saved by then can no longer be
// saved by hand. Whether the window is made topmost follows `OnTop`; the
// window applies that itself.
void MeterwinMain_Activate(Sheet& sheet);

// The main window stays above other windows while `OnTop` is ticked.
bool MainWindowOnTop(const Sheet& sheet);
