#pragma once

#include "calc/Program.h"

// Get Last: takes the date and reading of the last history record into
// `Date1` and `NRead1`, reports the outcome on the status line and disables
// `Save`. Start-up runs it too.
void Get_Last_Click(Program& program);

// What the last line of the history log yields.
enum class LastReadings { Restored, NoData, NoPreviousReadings };

// Fills `Date1` and `NRead1` from a history log line when it is a whole
// record whose first two fields hold a valid date and a reading of 1 or more.
LastReadings RestoreLastReadings(Sheet& sheet, const RegionalForms& forms, const QString& lastLine);
