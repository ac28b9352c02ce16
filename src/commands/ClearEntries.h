#pragma once

#include "calc/Program.h"

// Empties the entries: both dates, both readings and the notes. A failure
// inside goes to the error dump as a "Clear Error" at the fixed step 41.
void ClearEntries(Program& program);
