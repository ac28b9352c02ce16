#include "logs/LogFiles.h"

#include "calc/StatusLine.h"
#include "logs/HistoryEntry.h"
#include "logs/HistoryRecord.h"
#include "logs/LogMessages.h"
#include "logs/LogPaths.h"
#include "platform/LineEnds.h"
#include "settings/CheckSettings.h"
#include "settings/TidyResults.h"

#include <exception>

namespace {

const QString Version = QStringLiteral("Version 2.0");

// The file header: four lines and two empty ones, the last line end being
// the one every written line gets.
QString fileHeader(Program& program, const QString& title) {
    return title + CrLf + Version + CrLf + QStringLiteral("File Created") + CrLf +
           program.forms().logTimestamp(program.services.clock.now()) + CrLf + CrLf;
}

void createMissingLog(Program& program, const QString& name, const QString& title) {
    FileSystem& files = program.services.files;
    const QString path = logFilePath(name);
    if (files.fileExists(path))
        return;
    // Created whole with its header, whose line count the history pages rely
    // on, and never over a log that another instance made meanwhile with
    // its first entry already in it.
    if (!files.createFile(path, fileHeader(program, title) + CrLf) && !files.fileExists(path))
        throw FileFailure("Cannot create " + path.toStdString() + ": not a file");
}

} // namespace

QString existingLogPath(Program& program, const QString& name, const Message& missing) {
    const FileSystem& files = program.services.files;
    if (!files.directoryExists(logDirectory()))
        ShowFatalMessage(program.services.messages, logDirectoryMissingMessage());
    const QString path = logFilePath(name);
    if (!files.fileExists(path))
        ShowFatalMessage(program.services.messages, missing);
    return path;
}

void CreateLogFiles(Program& program) {
    const Sheet& s = program.sheet;
    try {
        if (!program.services.files.directoryExists(logDirectory()))
            ShowFatalMessage(program.services.messages, logDirectoryMissingMessage());
        createMissingLog(program, s.ResultsLogName, QStringLiteral("Meterwin Results Log"));
        createMissingLog(program, s.HistoryLogName, historyLogTitle());
    } catch (const std::exception&) {
        ShowFatalMessage(program.services.messages, logsNotCreatedMessage());
    }
}

void WriteStartEntry(Program& program) {
    Sheet& s = program.sheet;
    s.SuppressSavedStatus = 1;
    s.ReportText = QStringLiteral("Meterwin Started") + CrLf + Version + CrLf +
                   program.forms().shortDateTime(program.services.clock.now()) + CrLf;
    AppendResultsLog(program);
    s.SuppressSavedStatus = 0;
}

void AppendResultsLog(Program& program) {
    Sheet& s = program.sheet;
    try {
        const QString path =
            existingLogPath(program, s.ResultsLogName, logFileMissingMessage(s.ResultsLogName));
        FileSystem& files = program.services.files;
        whileLogsLocked(files, [&] { files.appendLine(path, s.ReportText); });
    } catch (const std::exception&) {
        program.services.messages.show(logNotWrittenMessage(s.ResultsLogName));
        return;
    }
    if (s.SuppressSavedStatus == 0)
        ShowStatus(s, QStringLiteral("Calculation Saved"));
}

void AppendHistoryLog(Program& program) {
    Sheet& s = program.sheet;
    // The sheet as Calculate leaves it, also when the user changed it since.
    TidyResults(program);
    CheckSettings(program, CurrencySymbols::StripAndAdd);
    // The user was told when the history log could not be read; an empty
    // entry would only add a blank line that hides the last reading.
    if (s.HistoryText.isEmpty())
        return;
    try {
        const QString path = existingLogPath(program, s.HistoryLogName,
                                             historyLogMissingOnAppendMessage(s.HistoryLogName));
        FileSystem& files = program.services.files;
        // The page header is decided by the file as it is now, under the
        // lock: another instance may have saved since the entry was composed.
        whileLogsLocked(files, [&] {
            files.appendLine(path, HistoryEntryForLog(s, s.HistoryText, files.countLines(path)));
        });
    } catch (const std::exception&) {
        program.services.messages.show(logNotWrittenMessage(s.HistoryLogName));
    }
}
