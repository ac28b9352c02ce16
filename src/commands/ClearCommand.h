#pragma once

#include "calc/Program.h"

// Clear: empties the entries and the results and forgets the last
// calculation, so that the next Calculate counts as a new one.
void Clear_Click(Program& program);
