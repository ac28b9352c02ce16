#pragma once

#include "calc/Program.h"

// Reads the configuration file into the settings and the three values beside
// the check boxes, checks them and sets the check boxes. A missing or
// corrupted file ends the program after its message.
void ReadConfiguration(Program& program);
