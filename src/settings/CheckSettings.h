#pragma once

#include "calc/Program.h"

// What CheckSettings does with the currency symbols of the money settings:
// take them off before the checks, put them back when every check passed, or
// both.
enum class CurrencySymbols { StripAndAdd, StripOnly, AddOnly };

// Checks the tariff settings and the three option values from the
// configuration file. Each failed check appends its message and a line feed
// to `ErrorList`; nothing is shown. When every check passes the settings are
// rewritten in their standard form and the money fields may get the currency
// symbol back. The tax labels and the cost display are refreshed whatever the
// checks found. A failure inside goes to the error dump as a "Check Error".
void CheckSettings(Program& program, CurrencySymbols symbols);
