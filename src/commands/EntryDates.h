#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

// Rewrites `Date1` and `Date2` in the short date form; an entry that is not a
// date is left as typed.
void RewriteEntryDates(Sheet& sheet, const RegionalForms& forms);
