// Get Last's reader of the last history line. On any line: no crash, and what
// it restores is a date and a reading of 1 or more. On a record the program
// writes: it restores that record's own date and reading.
//
// Input: one byte choosing the locale (high bit: the text is UTF-16), then the
// line. Its fields (the pieces between ", ") also serve as what the user
// types into a calculation, spaces trimmed: the first as the date of reading 2, the second as
// reading 2, the third as the units ("Cubic Feet" ticks the box), the next
// nine as the tariff in the record's order (the VAT rate without its "%").
// When Calculate accepts them, the record it composes must restore.

#include "FuzzProgram.h"

#include "commands/Calc_Click.h"
#include "commands/ConvertF_Click.h"
#include "commands/GetLast.h"
#include "logs/ErrorDump.h"
#include "logs/LogFiles.h"
#include "logs/LogPaths.h"
#include "platform/ProgramEnd.h"
#include "platform/SpaceTrim.h"
#include "settings/TaxLabels.h"

namespace {

using fuzz::require;

// What restoring the line does to a sheet with nothing in it: nothing, or a
// date and a reading of 1 or more.
void restoreAnyLine(const QString& line, const RegionalForms& forms) {
    Sheet sheet;
    if (RestoreLastReadings(sheet, forms, line) != LastReadings::Restored) {
        require(sheet.Date1.text.isEmpty() && sheet.NRead1.text.isEmpty(),
                "a line that restores nothing changes nothing", line);
        return;
    }
    const QString detail = QStringLiteral("line \"%1\" gives \"%2\" and \"%3\"")
                               .arg(line, sheet.Date1.text, sheet.NRead1.text);
    require(forms.isRegionalDate(sheet.Date1.text), "a restored date is a date", detail);
    require(forms.leadingNumber(sheet.NRead1.text) >= 1, "a restored reading is 1 or more", detail);
}

// A program whose history log exists and whose results log does not, so that
// an error dump writes nothing and the installation never grows.
struct CalculatingProgram {
    explicit CalculatingProgram(const RegionalForms& forms)
        : files(fuzz::installation()), program(Services{forms, messages, files, clock, desktop}) {
        Sheet& s = program.sheet;
        s.ResultsLogName = QStringLiteral("Meterwin.log");
        s.HistoryLogName = QStringLiteral("Meterwin_H.log");
        if (!files.fileExists(logFilePath(s.HistoryLogName))) {
            CreateLogFiles(program);
            files.deleteFile(logFilePath(s.ResultsLogName));
        }
        ShowTaxLabels(s, forms);
        // The options as a configuration file holds them: off, off.
        s.LogLevel = 1;
        s.RunOnTop = 1;
    }

    fuzz::InstallationFiles files;
    fuzz::SilentMessageBoxes messages;
    const FixedClock clock{QDateTime(QDate(2015, 12, 1), QTime(12, 0, 0))};
    fuzz::NoDesktop desktop;
    Program program;
};

// The fields of the line typed into a calculation from 1 January 2000 and
// reading 1; the record Calculate composes, or nothing when it refused them
// or ended the program.
std::optional<QString> writtenRecord(Sheet& s, CalculatingProgram& p, const QString& line) {
    QStringList typed = line.split(QStringLiteral(", "));
    for (QString& text : typed)
        text = trimSpaces(text);
    s.Date1.text = p.program.forms().shortDate(QDate(2000, 1, 1));
    s.NRead1.text = QStringLiteral("1");
    s.Date2.text = typed.value(0);
    s.NRead2.text = typed.value(1);
    if (typed.value(2) == QStringLiteral("Cubic Feet")) {
        s.ConvertF.value = 1;
        ConvertF_Click(s);
    }
    s.Convert = QString::number(s.ConvertF.value + 1);
    TextField* tariff[] = {&s.NRate1,  &s.NRate2, &s.BreakP, &s.CalVal, &s.CFactor,
                           &s.SCharge, &s.VRate,  &s.Disc1,  &s.Disc2};
    for (qsizetype i = 0; i < qsizetype(std::size(tariff)); ++i)
        tariff[i]->text = typed.value(3 + i);
    if (s.VRate.text.endsWith(u'%'))
        s.VRate.text.chop(1);
    s.CORate.text = QStringLiteral("0.19");
    s.Predict.text = QStringLiteral("0");
    try {
        DumpingFailures(p.program, [&] { Calc_Click(p.program); });
    } catch (const ProgramEnded&) {
        return std::nullopt;
    }
    if (p.messages.shown != 0 || s.HistoryText.isEmpty())
        return std::nullopt;
    return s.HistoryText.section(QStringLiteral("\r\n"), -1);
}

void restoreWrittenRecord(const QString& line, const RegionalForms& forms) {
    CalculatingProgram calculating(forms);
    Sheet& s = calculating.program.sheet;
    const std::optional<QString> record = writtenRecord(s, calculating, line);
    if (!record)
        return;
    Sheet restored;
    const LastReadings outcome = RestoreLastReadings(restored, forms, *record);
    const QString detail =
        QStringLiteral("record \"%1\" of \"%2\" and \"%3\" gives \"%4\" and \"%5\"")
            .arg(*record, s.Date2.text, s.NRead2.text, restored.Date1.text, restored.NRead1.text);
    require(outcome == LastReadings::Restored, "a written record restores", detail);
    require(restored.Date1.text == s.Date2.text && restored.NRead1.text == s.NRead2.text,
            "a written record restores its own date and reading", detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t first = input.byte();
    const QString line = input.text(first & 0x80);
    const RegionalForms& forms = fuzz::formsFor(first & 0x7f);
    restoreAnyLine(line, forms);
    restoreWrittenRecord(line, forms);
    return 0;
}
