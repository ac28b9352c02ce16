#pragma once

#include "platform/RunTimeFailure.h"

#include <QString>
#include <QStringList>
#include <functional>

// A file operation that failed (open, read, write, close, copy, delete,
// rename). Procedures with a message of their own for file trouble catch it;
// elsewhere it is a run-time failure like any other.
class FileFailure : public RunTimeFailure {
public:
    using RunTimeFailure::RunTimeFailure;
};

// Every file access of the program. Paths are relative to the installation
// directory (the working directory) unless absolute. Text files are UTF-8
// without a byte-order mark with CR LF line ends; a line that is not valid
// UTF-8 is read as Windows-1252. No file stays open between operations.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool directoryExists(const QString& path) const = 0;
    virtual bool fileExists(const QString& path) const = 0;
    // The size of a file in bytes, told without reading it.
    virtual qint64 fileSize(const QString& path) const = 0;

    // Every line of a text file, without line ends (CR LF or LF). A final line
    // end does not start another line.
    virtual QStringList readLines(const QString& path) = 0;
    // How many lines readLines would give, without holding the file in memory.
    virtual qint64 countLines(const QString& path) = 0;
    // The last element readLines would give ("" for an empty file), reading
    // only the end of the file.
    virtual QString readLastLine(const QString& path) = 0;
    // Whether any element readLines would give satisfies `holds`: the file is
    // read in pieces, holding one line at a time, and only up to the first
    // line that does.
    virtual bool anyLine(const QString& path, const std::function<bool(const QString&)>& holds) = 0;

    // Creates an empty file, replacing an existing one.
    virtual void createEmpty(const QString& path) = 0;
    // Creates a file holding `content` unless one exists at `path`: the file
    // appears whole in one step, and an existing file is never replaced (two
    // programs starting at once make it once). False when it existed.
    virtual bool createFile(const QString& path, const QString& content) = 0;
    // Appends `text` and CR LF with a single write on a file opened for
    // appending. The file must exist. A file that does not end in a line end
    // (a crash, a copy cut short) gets one first, in the same write, so that
    // the new line never continues a damaged one. A write that fails part way
    // is taken back, so that the file never ends in half a line.
    virtual void appendLine(const QString& path, const QString& text) = 0;
    // Replaces the whole file atomically: after a failure the old file is intact.
    virtual void replaceFile(const QString& path, const QString& content) = 0;
    virtual void copyFile(const QString& from, const QString& to) = 0;
    // Renames a file to `to`, replacing an existing `to` (also a read-only
    // one) in one step: `to` is at every moment either the old file or the new.
    virtual void renameFile(const QString& from, const QString& to) = 0;
    // Deletes a file, also when it is read-only.
    virtual void deleteFile(const QString& path) = 0;

    // Runs `operation` while this program alone, among those that lock the
    // same directory, holds the directory's lock: the lock is advisory,
    // released when `operation` ends (also by an exception), and by the
    // system when the holder dies, so that a crashed program never blocks
    // another. A directory whose file system offers no locks runs the
    // operation unlocked; a lock that stays held for many seconds fails.
    // Within `operation` the same directory may be locked again.
    virtual void whileLocked(const QString& directory, const std::function<void()>& operation) = 0;
};
