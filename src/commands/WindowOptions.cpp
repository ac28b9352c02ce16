#include "commands/WindowOptions.h"

void OnTop_Click(Program& program) {
    Sheet& s = program.sheet;
    s.RunOnTop = s.OnTop.value == 1 ? 2 : 1;
}

void AutoSave_Click(Program& program) {
    Sheet& s = program.sheet;
    if (s.AutoSave.value == 1)
        s.Save.enabled = false;
}
