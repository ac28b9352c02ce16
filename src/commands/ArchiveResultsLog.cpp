#include "commands/ArchiveResultsLog.h"

#include "calc/StatusLine.h"
#include "commands/CommandMessages.h"
#include "logs/LogPaths.h"
#include "platform/LineEnds.h"
#include "platform/SpaceTrim.h"

#include <cstdint>
#include <exception>
#include <limits>

namespace {

// The archive always works on this file, whatever name the window holds.
const QString ResultsLog = logFilePath(QStringLiteral("Meterwin.log"));
const QString NewResultsLog = ResultsLog + QStringLiteral(".new");

// Tidying up after a failure, which has its own message already.
void removeQuietly(FileSystem& files, const QString& path) {
    try {
        files.deleteFile(path);
    } catch (const std::exception&) {
    }
}

// The new log is written whole beside the old one and then takes its place
// in one step (also over a read-only log), so that a failure at any point
// leaves the results log as it was: never missing, never without its header.
void replaceResultsLog(Program& program) {
    FileSystem& files = program.services.files;
    const QDateTime now = program.services.clock.now();
    const QString archive = ArchiveName(files, now.date());
    files.copyFile(ResultsLog, archive);
    files.replaceFile(NewResultsLog, ArchiveHeader(program.forms(), now) + CrLf);
    try {
        files.renameFile(NewResultsLog, ResultsLog);
    } catch (const std::exception&) {
        removeQuietly(files, NewResultsLog);
        throw;
    }
}

// Under the lock of the logs, since an entry that another instance appended
// between the copy and the renaming would be lost. False when the log holds
// no calculation any more (another instance archived it meanwhile).
bool archiveResultsLog(Program& program) {
    FileSystem& files = program.services.files;
    bool archived = false;
    whileLogsLocked(files, [&] {
        archived = HoldsCalculation(files, ResultsLog);
        if (archived)
            replaceResultsLog(program);
    });
    return archived;
}

} // namespace

bool HoldsCalculation(FileSystem& files, const QString& path) {
    return files.anyLine(path, [](const QString& line) {
        return trimSpaces(line).startsWith(QStringLiteral("Calorific"));
    });
}

QString ArchiveName(FileSystem& files, QDate today) {
    const QString stem =
        logFilePath(QStringLiteral("Meterwin_") + today.toString(QStringLiteral("yyMMdd")) + u'_');
    // The sequence number is a 16-bit counter: a day's 32768th archive fails.
    for (int number = 1; number <= std::numeric_limits<std::int16_t>::max(); ++number) {
        const QString name = stem + QString::number(number) + QStringLiteral(".log");
        if (!files.fileExists(name))
            return name;
    }
    throw RunTimeFailure("Overflow");
}

QString ArchiveHeader(const RegionalForms& forms, const QDateTime& now) {
    return QStringLiteral("Meterwin Results Log") + CrLf + QStringLiteral("Version 2.0") + CrLf +
           QStringLiteral("File Created") + CrLf + forms.shortDateTime(now) + CrLf + CrLf;
}

void Archive_Click(Program& program) {
    MessageBoxes& boxes = program.services.messages;
    FileSystem& files = program.services.files;
    try {
        if (!files.directoryExists(logDirectory()))
            ShowLogCommandDirectoryMissing(boxes);
        if (!files.fileExists(ResultsLog))
            ShowLogCommandResultsLogMissing(boxes);
        if (!HoldsCalculation(files, ResultsLog)) {
            ShowNoDataToArchive(boxes);
            return;
        }
        if (!UserAgreesToArchive(boxes))
            return;
        if (!archiveResultsLog(program)) {
            ShowNoDataToArchive(boxes);
            return;
        }
    } catch (const std::exception&) {
        ShowArchiveFailed(boxes);
        return;
    }
    // Only now is the archive a fact: a failure above has shown its own message.
    ShowStatus(program.sheet, QStringLiteral("Results Log File Archived"));
}
