#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

// Rewrites every setting in its standard number form (0.10000, 1.022640,
// 39.500...) and empties the optional settings that are 0, for which zero and
// empty mean the same. Expects the money fields in plain form.
void NormaliseSettings(Sheet& sheet, const RegionalForms& forms);
