#pragma once

#include "calc/Program.h"

// Composes the history-log entry of the last calculation into `HistoryText`:
// the record of the second reading and the tariff, preceded by the column
// header when the record opens a new page of the file. Counts the lines of
// the history log; writes no file. When the log cannot be read the user is
// told and `HistoryText` stays empty.
void BuildHistoryEntry(Program& program);
