#pragma once

#include "calc/Program.h"

// Checks the tariff settings and the three option values from the
// configuration file. Each failed check appends its message and a line feed
// to `ErrorList`; nothing is shown. When every check passes the settings are
// rewritten in their standard form and, with `AddSymbol`, the money fields get
// the currency symbol back. `StripSymbol` first takes the symbols off. The
// tax labels and the cost display are refreshed whatever the checks found.
// A failure inside goes to the error dump as a "Check Error".
void CheckSettings(Program& program, bool StripSymbol, bool AddSymbol);
