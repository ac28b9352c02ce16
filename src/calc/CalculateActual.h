#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

// The results of the period between the two readings. Expects checked entries
// and settings with the money fields in plain form; a text it cannot read or an
// arithmetic fault throws RunTimeFailure, leaving the results written so far.
void CalculateActual(Sheet& sheet, const RegionalForms& forms);

// Quarters charged for a period of `days` days: none below 10 days, then one
// more for every further 91.25 days.
float quartersForDays(double days);
