#pragma once

#include "calc/Program.h"

// On Top, clicked or changed by the configuration: `RunOnTop` 2 while the
// window stays on top, 1 otherwise. The window applies it after the command.
void OnTop_Click(Program& program);

// Auto Save, clicked or changed by the configuration: ticking it disables
// `Save`, so a calculation already shown can no longer be saved by hand.
void AutoSave_Click(Program& program);
