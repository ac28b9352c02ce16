#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

// Puts the cost results into currency display: the totals and costs per day
// lose their minus sign (a negative one is already orange) and are written as
// currency; the rate and fixed-charge costs get the current currency symbol.
void FormatCostFields(Sheet& sheet, const RegionalForms& forms);
