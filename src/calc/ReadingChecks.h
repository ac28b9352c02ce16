#pragma once

#include "calc/Program.h"

// The basic checks of the entries: something entered, valid dates, readings
// in range. Each failure appends its message and a line feed to `ErrorList`.
// A failure inside goes to the error dump as a "Check Error".
void CheckReadings(Program& program);

// The cross checks, made only when the basic checks passed: the date ranges,
// the gap between the dates and between the readings, Rate 2 and the break
// point set together. Rewrites both dates in short date form whatever the
// checks find. It has no guard of its own: a failure inside (a date that
// cannot be read, when the checks are switched off) reaches its caller's.
void CheckConsistency(Program& program);

// The entry or setting that a message of these checks names first (its
// control name), or empty for a message of other checks.
QString ReadingFieldNamedBy(const QString& message);
