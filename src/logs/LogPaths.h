#pragma once

#include "platform/FileSystem.h"

#include <QString>

// The logs lie in the directory Log below the installation directory.
inline QString logDirectory() {
    return QStringLiteral("Log");
}

// The name of the history log; the results log is named at start-up.
inline QString historyLogName() {
    return QStringLiteral("Meterwin_H.log");
}

inline QString logFilePath(const QString& name) {
    return logDirectory() + u'/' + name;
}

// Runs `operation`, a sequence that reads and then changes a log or appends
// to one, while no other instance of the program runs such a sequence. Both
// logs share the lock of their directory: the archive replaces the results
// log by renaming a new file over it, so a lock on the log file itself would
// let a program that opened the old file go on appending to a file that is
// no longer the log. The directory stays, and no lock file appears beside
// the logs.
inline void whileLogsLocked(FileSystem& files, const std::function<void()>& operation) {
    files.whileLocked(logDirectory(), operation);
}
