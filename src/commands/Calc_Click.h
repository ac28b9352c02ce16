#pragma once

#include "calc/Program.h"

// The Calculate command: checks the settings and readings, refuses to
// calculate the same data twice in a row, calculates the actual period and
// the prediction, shows the results, composes both log entries and saves them
// (with automatic saving) or enables the Save command. A run-time failure
// goes to the error dump as a "Calculation Error".
void Calc_Click(Program& program);
