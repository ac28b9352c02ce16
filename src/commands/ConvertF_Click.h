#pragma once

#include "calc/Sheet.h"

// The unit check box: the captions follow the unit of the readings.
void ConvertF_Click(Sheet& sheet);
