#include "logs/ErrorDump.h"

#include "logs/LogMessages.h"
#include "logs/LogPaths.h"
#include "platform/ControlCharacters.h"
#include "platform/LineEnds.h"
#include "platform/ProgramEnd.h"

#include <QStringList>
#include <algorithm>

namespace {

QString joinedTexts(std::initializer_list<const TextField*> fields) {
    QStringList texts;
    for (const TextField* field : fields)
        texts << (field ? withoutControlCharacters(field->text) : QString());
    return texts.join(QStringLiteral(", "));
}

QString actualResultsLine(const Sheet& s) {
    return joinedTexts({&s.TDays, &s.NRUnits, &s.CRUnits, &s.R1Units, &s.R2Units, &s.NR1Cost,
                        &s.NR2Cost, nullptr, &s.TSCharge, &s.TCost, &s.TVCost});
}

QString predictedResultsLine(const Sheet& s) {
    return joinedTexts({&s.TDaysP, &s.NRUnitsP, &s.CRUnitsP, &s.R1UnitsP, &s.R2UnitsP, &s.NR1CostP,
                        &s.NR2CostP, nullptr, &s.TSChargeP, &s.TCostP, &s.TVCostP});
}

// The echo up to the limit, a surrogate pair kept whole.
QString dumpedConfiguration(const QString& echo) {
    qsizetype size = std::min(echo.size(), DumpedConfigurationLimit);
    if (size < echo.size() && size > 0 && echo.at(size - 1).isHighSurrogate())
        --size;
    return echo.left(size);
}

} // namespace

QString ErrorDumpText(const Program& program, const QString& category, int step) {
    const Sheet& s = program.sheet;
    // The dump is these items joined by CR LF; the line ends inside and at the end of an
    // item make the two-line headings and the blank lines between the sections.
    const QStringList items = {
        CrLf + CrLf,
        program.forms().shortDateTime(program.services.clock.now()),
        QStringLiteral("Meterwin") + CrLf + QStringLiteral("Version 2.0") + CrLf,
        QStringLiteral("******** %1 %2 ********").arg(category).arg(step) + CrLf,
        QStringLiteral("Dump of configuration file and available program data follows:") + CrLf +
            CrLf,
        dumpedConfiguration(s.ConfigEcho) + CrLf,
        QStringLiteral("Program Defaults") + CrLf + QStringLiteral("----------------"),
        joinedTexts({&s.NRate1, &s.NRate2, &s.SCharge, &s.CFactor, &s.CalVal}) +
            QStringLiteral(", %1, ").arg(s.ConvertF.value) +
            joinedTexts({&s.VRate, &s.BreakP, &s.Predict, &s.Disc1, &s.Disc2}) + CrLf,
        QStringLiteral("Program Data") + CrLf + QStringLiteral("------------"),
        joinedTexts({&s.Date1, &s.Date2, &s.NRead1, &s.NRead2}) + QStringLiteral(", ") + CrLf +
            withoutControlCharacters(s.Notes.text) + CrLf,
        QStringLiteral("Program Actual") + CrLf + QStringLiteral("--------------"),
        actualResultsLine(s) + CrLf,
        QStringLiteral("Program Predicted") + CrLf + QStringLiteral("-----------------"),
        predictedResultsLine(s) + CrLf,
        QStringLiteral("***** End of Error Dump *****") + CrLf + CrLf,
    };
    return items.join(CrLf);
}

void WriteErrorDump(Program& program, const QString& category, int step) {
    try {
        // One write, so that a dump is never interleaved with another program's entry.
        FileSystem& files = program.services.files;
        whileLogsLocked(files, [&] {
            files.appendLine(logFilePath(program.sheet.ResultsLogName),
                             ErrorDumpText(program, category, step));
        });
    } catch (const std::exception&) {
        // The message and the end follow whatever went wrong.
    }
    ShowFatalMessage(program.services.messages, fatalErrorMessage(category, step));
}
