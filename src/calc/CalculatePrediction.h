#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

// The results predicted for `Predict` quarters from the first reading at the
// actual daily rate of use. Does nothing when `Predict` reads as 0. Runs after
// CalculateActual, whose days and volume it scales.
void CalculatePrediction(Sheet& sheet, const RegionalForms& forms);
