#pragma once

#include "calc/Sheet.h"

// The volume captions and tooltips for the unit of the readings: hundreds of
// cubic feet when `ConvertF` is ticked, cubic metres otherwise. No number changes.
void ShowReadingUnit(Sheet& sheet);
