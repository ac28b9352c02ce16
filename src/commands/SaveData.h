#pragma once

#include "calc/Program.h"

// Save Data: checks the settings and replaces the configuration file with
// them and the three options. A failed write leaves the old file as it was
// and ends the program after its message.
void Save_Defaults_Click(Program& program);

// The whole text of the configuration file, 21 lines each ended by CR LF,
// from the fields and check boxes as they stand.
QString ConfigurationText(const Program& program);
