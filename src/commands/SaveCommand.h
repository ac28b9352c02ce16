#pragma once

#include "calc/Program.h"

// The Save command: writes the pending entries of the last calculation to
// both logs and disables itself, so that each result is saved once.
void Save_Click(Program& program);
