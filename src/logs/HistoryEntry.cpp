#include "logs/HistoryEntry.h"

#include "logs/ErrorDump.h"
#include "logs/HistoryRecord.h"
#include "logs/LogColumns.h"
#include "logs/LogFiles.h"
#include "logs/LogMessages.h"

#include <QStringList>
#include <exception>
#include <optional>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The file header written at creation; pages are counted after it.
constexpr qint64 FileHeaderLines = 6;
// An empty line, three header lines and 36 records.
constexpr qint64 PageLines = 40;

QString pageHeader(const Sheet& s) {
    const QString taxWord = s.VATH.caption.left(3);
    return CrLf +
           QStringLiteral("Date       , Meter  , Metric/     , Rate 1 , Rate 2 , Break, Calorific, "
                          "Correction, Fixed , ") +
           taxWord + QStringLiteral("  , Disc 1, Disc 2") + CrLf +
           QStringLiteral("           , Reading, Imperial    ,        ,        , Point, Value    , "
                          "Factor    , Charge, Rate ,       ,       ") +
           CrLf +
           QStringLiteral("-----------, -------, ------------, -------, -------, -----, ---------, "
                          "----------, ------, -----, ------, ------") +
           CrLf;
}

// A text too long for its column widens the record rather than lose a
// character: the date and the reading stay the first two fields.
QString record(const Sheet& s, const QString& vatRate, const RegionalForms& forms) {
    const QString units = historyUnitText(s.ConvertF.value);
    const auto money = [&](const TextField& field, int width) {
        return moneyAligned(field.text, width, width, forms);
    };
    return joinHistoryFields({rightAligned(s.Date2.text, 11, 11), rightAligned(s.NRead2.text, 7, 7),
                              rightAligned(units, 12, 10), money(s.NRate1, 7), money(s.NRate2, 7),
                              rightAligned(s.BreakP.text, 5, 5), rightAligned(s.CalVal.text, 9, 10),
                              rightAligned(s.CFactor.text, 10, 10), money(s.SCharge, 6),
                              rightAligned(vatRate, 5, 5), money(s.Disc1, 6), money(s.Disc2, 6)});
}

// The lines of the history log, or nothing after telling the user that it
// could not be read.
std::optional<qint64> historyLogLines(Program& program) {
    const QString& name = program.sheet.HistoryLogName;
    try {
        const QString path = existingLogPath(program, name, logFileMissingMessage(name));
        return program.services.files.countLines(path);
    } catch (const std::exception&) {
        program.services.messages.show(logNotWrittenMessage(name));
        return std::nullopt;
    }
}

bool opensPage(qint64 fileLines) {
    // Negative below a whole header: such a file never gets a page header.
    return (fileLines - FileHeaderLines) % PageLines == 0;
}

} // namespace

QString HistoryEntryForLog(const Sheet& s, const QString& composed, qint64 fileLines) {
    // The record is the entry's last line; any lines before it are the page
    // header it was composed with.
    const qsizetype headerEnd = composed.lastIndexOf(CrLf);
    const qsizetype recordStart = headerEnd < 0 ? 0 : headerEnd + CrLf.size();
    if (!opensPage(fileLines))
        return composed.mid(recordStart);
    return recordStart > 0 ? composed : pageHeader(s) + composed;
}

void BuildHistoryEntry(Program& program) {
    Sheet& s = program.sheet;
    Guarded(program, QStringLiteral("Format Log Error"), [&] {
        s.ErrorStep = 211;
        QString vatRate = s.VRate.text;
        if (program.forms().leadingNumber(vatRate) > 0)
            vatRate += u'%';
        s.HistoryText.clear();
        const std::optional<qint64> lines = historyLogLines(program);
        if (!lines)
            return;
        s.ErrorStep = 212;
        if (opensPage(*lines))
            s.HistoryText += pageHeader(s);
        s.HistoryText += record(s, vatRate, program.forms());
    });
}
