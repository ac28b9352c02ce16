#include "commands/ViewLogs.h"

#include "commands/CommandMessages.h"
#include "logs/LogPaths.h"

#include <functional>

namespace {

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
    ShowViewerFailed(boxes, name);
}

} // namespace

void ViewL_Click(Program& program) {
    viewLog(program, program.sheet.ResultsLogName, ShowLogCommandResultsLogMissing);
}

void ViewH_Click(Program& program) {
    const QString name = program.sheet.HistoryLogName;
    viewLog(program, name, [&](MessageBoxes& boxes) { ShowViewerHistoryLogMissing(boxes, name); });
}
