#pragma once

#include "platform/MessageBoxes.h"

// The messages about the log directory and the log files. Those whose last
// line announces the end are shown with ShowFatalMessage.

// Critical, fatal: the directory Log is missing.
Message logDirectoryMissingMessage();
// Critical, fatal: a log is missing when it is about to be read or appended.
Message logFileMissingMessage(const QString& name);
// Critical, fatal: the history log is missing when its entry is appended.
Message historyLogMissingOnAppendMessage(const QString& name);
// Exclamation, fatal: a log could not be created at start-up.
Message logsNotCreatedMessage();
// Exclamation, not fatal: a log could not be written (or the history log read).
Message logNotWrittenMessage(const QString& name);
// Critical, fatal: a failure the error dump recorded, its words capitalised.
Message fatalErrorMessage(const QString& category, int step);
