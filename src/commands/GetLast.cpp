#include "commands/GetLast.h"

#include "calc/ErrorSteps.h"
#include "calc/StatusLine.h"
#include "commands/CommandMessages.h"
#include "commands/EntryDates.h"
#include "logs/HistoryRecord.h"
#include "logs/LogMessages.h"
#include "logs/LogPaths.h"

namespace {

QString statusText(LastReadings outcome) {
    switch (outcome) {
    case LastReadings::Restored:
        return QStringLiteral("Last Readings Restored");
    case LastReadings::NoData:
        return QStringLiteral("No Data To Restore");
    case LastReadings::NoPreviousReadings:
        break;
    }
    return QStringLiteral("No Previous Readings To Restore");
}

} // namespace

LastReadings RestoreLastReadings(Sheet& sheet, const RegionalForms& forms,
                                 const QString& lastLine) {
    if (lastLine.isEmpty())
        return LastReadings::NoPreviousReadings;
    // Only a whole record: a line cut short or run into the next entry would
    // carry a part of a reading into every later calculation.
    const std::optional<HistoryReadings> record = readHistoryRecord(lastLine);
    if (!record || !forms.isRegionalDate(record->date) ||
        !(forms.leadingNumber(record->reading) >= 1))
        return LastReadings::NoData;
    sheet.Date1.text = record->date;
    sheet.NRead1.text = record->reading;
    RewriteEntryDates(sheet, forms);
    return LastReadings::Restored;
}

void Get_Last_Click(Program& program) {
    Sheet& s = program.sheet;
    Guarded(program, QStringLiteral("Log File Read Error"), [&] {
        s.ErrorStep = Step::GetLastStart;
        FileSystem& files = program.services.files;
        if (!files.directoryExists(logDirectory()))
            ShowFatalMessage(program.services.messages, logDirectoryMissingMessage());
        const QString path = logFilePath(s.HistoryLogName);
        if (!files.fileExists(path))
            ShowGetLastHistoryLogMissing(program.services.messages, s.HistoryLogName);
        // Only the end of the file is read: the log grows with every saved
        // calculation, and only its last line matters here.
        const QString lastLine = files.readLastLine(path);
        ShowStatus(s, statusText(RestoreLastReadings(s, program.forms(), lastLine)));
        s.Save.enabled = false;
    });
}
