#pragma once

#include "calc/Program.h"

// Composes the history-log entry of the last calculation into `HistoryText`:
// the record of the second reading and the tariff, preceded by the column
// header when the record opens a new page of the file. Counts the lines of
// the history log; writes no file. When the log cannot be read the user is
// told and `HistoryText` stays empty.
void BuildHistoryEntry(Program& program);

// The entry `composed` by BuildHistoryEntry as it goes into a history log
// that now holds `fileLines` lines: with the column header exactly when its
// record opens a page of that file, since another program may have saved
// since the entry was composed.
QString HistoryEntryForLog(const Sheet& s, const QString& composed, qint64 fileLines);
