#pragma once

#include "calc/Sheet.h"

// Puts a success message on the status line and starts `Timer1`, whose next
// tick, two seconds later, empties the line again.
void ShowStatus(Sheet& sheet, const QString& text);
