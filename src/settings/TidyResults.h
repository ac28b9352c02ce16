#pragma once

#include "calc/Program.h"

// Blanks the results that do not apply: zero Rate 2 results, the predicted
// column when no prediction is asked for, the fixed-charge results when there
// is no fixed charge; and matches the volume captions to `ConvertF`.
void TidyResults(Program& program);
