#pragma once

#include "calc/Program.h"

// Reset Data: reads the configuration file again and clears the results.
void Reset_Defaults_Click(Program& program);
