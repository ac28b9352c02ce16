#pragma once

#include "calc/Program.h"

// Empty the twelve actual, or the twelve predicted, result fields and set
// their money totals back to dark grey. A failure inside goes to the error
// dump as a "Clear Error" at the fixed step 42 or 43; `ErrorStep` is left alone.
void ClearActualResults(Program& program);
void ClearPredictedResults(Program& program);
