// Get Last on one history line restores a date and a reading of 1 or more, or
// nothing; on a record Calculate composes, that record's own date and reading.
//
// Input: one byte choosing the locale (high bit: the text is UTF-16), then the
// line. Its fields (between ", ", spaces trimmed) are typed into Calculate:
// date and reading 2, units ("Cubic Feet" ticks the box), the tariff in the
// record's order (the VAT rate without its "%").

#include "FuzzProgram.h"

#include "commands/Calc_Click.h"
#include "commands/ConvertF_Click.h"
#include "commands/GetLast.h"
#include "logs/ErrorDump.h"
#include "logs/LogPaths.h"
#include "platform/ProgramEnd.h"
#include "platform/SpaceTrim.h"
#include "settings/TaxLabels.h"

namespace {

Sheet restored(const QString& line, const RegionalForms& forms) {
    Sheet s;
    const bool restores = RestoreLastReadings(s, forms, line) == LastReadings::Restored;
    fuzz::require(
        restores ? forms.isRegionalDate(s.Date1.text) && forms.leadingNumber(s.NRead1.text) >= 1
                 : s.Date1.text.isEmpty() && s.NRead1.text.isEmpty(),
        "a line restores a date and a reading of 1 or more, or nothing",
        QStringLiteral("\"%1\" gives \"%2\" and \"%3\"").arg(line, s.Date1.text, s.NRead1.text));
    return s;
}

// Calculates from 1 January 2000 and reading 1 with an empty history log and
// no results log, so that an error dump writes nothing and the installation
// never grows; the record composed, if any.
std::optional<QString> writtenRecord(fuzz::InstalledProgram& installed, const QStringList& typed) {
    Sheet& s = installed.program.sheet;
    s.ResultsLogName = QStringLiteral("Meterwin.log");
    s.HistoryLogName = QStringLiteral("Meterwin_H.log");
    fuzz::writeFile(installed.files.at(logFilePath(s.HistoryLogName)), QByteArray());
    ShowTaxLabels(s, installed.program.forms());
    s.LogLevel = 1; // the options as a configuration file holds them: off, off
    s.RunOnTop = 1;
    s.Date1.text = installed.program.forms().shortDate(QDate(2000, 1, 1));
    s.NRead1.text = QStringLiteral("1");
    s.Date2.text = typed.value(0);
    s.NRead2.text = typed.value(1);
    s.ConvertF.value = typed.value(2) == QStringLiteral("Cubic Feet") ? 1 : 0;
    ConvertF_Click(s);
    s.Convert = QString::number(s.ConvertF.value + 1);
    qsizetype field = 3;
    for (TextField* setting : {&s.NRate1, &s.NRate2, &s.BreakP, &s.CalVal, &s.CFactor, &s.SCharge,
                               &s.VRate, &s.Disc1, &s.Disc2})
        setting->text = typed.value(field++);
    if (s.VRate.text.endsWith(u'%'))
        s.VRate.text.chop(1);
    s.CORate.text = QStringLiteral("0.19");
    s.Predict.text = QStringLiteral("0");
    try {
        DumpingFailures(installed.program, [&] { Calc_Click(installed.program); });
    } catch (const ProgramEnded&) {
        return std::nullopt;
    }
    if (installed.messages.shown != 0 || s.HistoryText.isEmpty())
        return std::nullopt;
    return s.HistoryText.section(QStringLiteral("\r\n"), -1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = fuzz::inputOf(data, size);
    const QString line = fuzz::textAt(input, 1, fuzz::byteAt(input, 0) & 0x80);
    const RegionalForms& forms = fuzz::formsFor(fuzz::byteAt(input, 0) & 0x7f);
    restored(line, forms);
    QStringList typed = line.split(QStringLiteral(", "));
    for (QString& text : typed)
        text = trimSpaces(text);
    fuzz::InstalledProgram installed(forms);
    const Sheet& s = installed.program.sheet;
    if (const std::optional<QString> record = writtenRecord(installed, typed)) {
        const Sheet back = restored(*record, forms);
        fuzz::require(back.Date1.text == s.Date2.text && back.NRead1.text == s.NRead2.text,
                      "a written record restores its own date and reading", *record);
    }
    return 0;
}
