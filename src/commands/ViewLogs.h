#pragma once

#include "calc/Program.h"

// Results and History: open the results log or the history log with the
// desktop's own viewer. Every failure ends the program after its message.
void ViewL_Click(Program& program);
void ViewH_Click(Program& program);
