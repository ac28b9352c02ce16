#include "commands/ViewLogs.h"

#include "commands/LogCommandMessages.h"
#include "logs/LogPaths.h"
#include "platform/LineEnds.h"

#include <functional>

namespace {

[[noreturn]] void historyLogMissing(MessageBoxes& boxes, const QString& name) {
    ShowFatalMessage(boxes, {MessageIcon::Exclamation, QStringLiteral("Meterwin Log File Error"),
                             QStringLiteral("The log file %1 is either missing").arg(name) + CrLf +
                                 QStringLiteral("or corrupted. Delete the log file if") + CrLf +
                                 QStringLiteral("it exists and restart the program.") + CrLf +
                                 QStringLiteral("The program will now terminate.")});
}

[[noreturn]] void viewerFailed(MessageBoxes& boxes, const QString& name) {
    ShowFatalMessage(boxes, {MessageIcon::Exclamation, QStringLiteral("Meterwin Log File Error"),
                             QStringLiteral("Unable to opem the log file %1.").arg(name) + CrLf +
                                 QStringLiteral("This may be a permissions problem.")});
}

void viewLog(Program& program, const QString& name,
             const std::function<void(MessageBoxes&)>& fileMissing) {
    MessageBoxes& boxes = program.services.messages;
    try {
        FileSystem& files = program.services.files;
        if (!files.directoryExists(logDirectory()))
            ShowLogCommandDirectoryMissing(boxes);
        const QString path = logFilePath(name);
        if (!files.fileExists(path))
            fileMissing(boxes);
        if (program.services.desktop.openFile(path))
            return;
    } catch (const std::exception&) {
        // Reported below like a viewer that did not start.
    }
    viewerFailed(boxes, name);
}

} // namespace

void ViewL_Click(Program& program) {
    viewLog(program, program.sheet.ResultsLogName, ShowLogCommandResultsLogMissing);
}

void ViewH_Click(Program& program) {
    const QString name = program.sheet.HistoryLogName;
    viewLog(program, name, [&](MessageBoxes& boxes) { historyLogMissing(boxes, name); });
}
