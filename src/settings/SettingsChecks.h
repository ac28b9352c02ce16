#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

// Runs the fourteen checks of the settings and option values in their fixed
// order; every check runs, and each failure appends its message and a line
// feed to `ErrorList`.
void RunSettingsChecks(Sheet& sheet, const RegionalForms& forms);
