#pragma once

#include "calc/Program.h"

// Creates each missing log with its six-line file header; an existing log is
// left untouched. Ends the program when the directory Log is missing or a log
// cannot be created.
void CreateLogFiles(Program& program);

// Appends the start entry to the results log without the "saved" status.
void WriteStartEntry(Program& program);

// Appends `ReportText` to the results log and shows "Calculation Saved"
// unless `SuppressSavedStatus` is set. A write failure is reported and the
// program goes on; a missing directory or log ends it.
void AppendResultsLog(Program& program);

// Appends `HistoryText` to the history log; an empty entry (the history log
// could not be read when it was composed) is never written.
void AppendHistoryLog(Program& program);

// The path of the log `name`, after making sure the directory and the file
// exist: otherwise the fatal directory message or `missing` ends the program.
// A failed check throws FileFailure.
QString existingLogPath(Program& program, const QString& name, const Message& missing);
