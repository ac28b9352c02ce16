#include "logs/HistoryEntry.h"

#include "calc/ErrorSteps.h"
#include "logs/HistoryRecord.h"
#include "logs/LogColumns.h"
#include "logs/LogFiles.h"
#include "logs/LogMessages.h"
#include "platform/LineEnds.h"

#include <QStringList>
#include <array>
#include <exception>
#include <optional>

namespace {

// The file header written at creation; pages are counted after it.
constexpr qint64 FileHeaderLines = 6;
// An empty line, three header lines and 36 records.
constexpr qint64 PageLines = 40;

// The three header lines, each ended; the tax word heads the tax rate.
QString pageHeader(const Sheet& s) {
    const QString taxWord = s.VATH.caption.left(3);
    QStringList titles, subtitles, rules;
    for (const HistoryColumn& column : HistoryColumns) {
        const QString title = column.title.isEmpty() ? taxWord : column.title.toString();
        titles << title.leftJustified(column.width);
        subtitles << column.subtitle.toString().leftJustified(column.width);
        rules << QString(column.width, u'-');
    }
    const QString separator = historyFieldSeparator();
    return CrLf + titles.join(separator) + CrLf + subtitles.join(separator) + CrLf +
           rules.join(separator) + CrLf;
}

// A text too long for its column widens the record rather than lose a
// character: the date and the reading stay the first two fields.
QString record(const Sheet& s, const QString& vatRate, const RegionalForms& forms) {
    QStringList fields;
    for (const HistoryColumn& column : HistoryColumns) {
        const QString text = !column.field                   ? historyUnitText(s.ConvertF.value)
                             : column.field == &Sheet::VRate ? vatRate
                                                             : (s.*column.field).text;
        fields << (column.amount == HistoryAmount::Money
                       ? moneyAligned(text, column.width, column.padding, forms)
                       : rightAligned(text, column.width, column.padding));
    }
    return joinHistoryFields(fields);
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
        s.ErrorStep = Step::HistoryLogLines;
        const QString vatRate = historyTaxRate(s.VRate.text, program.forms());
        s.HistoryText.clear();
        const std::optional<qint64> lines = historyLogLines(program);
        if (!lines)
            return;
        s.ErrorStep = Step::HistoryFormat;
        if (opensPage(*lines))
            s.HistoryText += pageHeader(s);
        s.HistoryText += record(s, vatRate, program.forms());
    });
}
