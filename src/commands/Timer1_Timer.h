#pragma once

#include "calc/Sheet.h"

// The tick of `Timer1`: the status line empties again.
void Timer1_Timer(Sheet& sheet);
