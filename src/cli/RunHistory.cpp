#include "RunHistory.h"

#include "ConsoleProgram.h"
#include "StandardOutput.h"
#include "WorkingDirectory.h"
#include "commands/ReadConfiguration.h"
#include "logs/ErrorDump.h"
#include "logs/HistoryPeriods.h"
#include "logs/LogPaths.h"
#include "platform/ProgramEnd.h"
#include "settings/TaxLabels.h"

#include <QStringList>
#include <QTextStream>
#include <exception>

namespace {

// The period limits, read as --date2 is; false after saying which is wrong.
bool readLimits(const HistoryRequest& request, const RegionalForms& forms, PeriodOptions& options) {
    for (auto [name, typed, limit] : {std::tuple{"--from", &request.from, &options.from},
                                      std::tuple{"--to", &request.to, &options.to}}) {
        if (!*typed)
            continue;
        *limit = forms.regionalDate(**typed);
        if (!*limit) {
            QTextStream(stderr) << "meterwin-cli: " << name << " takes a date, not " << **typed
                                << '\n';
            return false;
        }
    }
    return true;
}

// "Skipped 2 records: lines 17, 40"
QString skippedLine(const QList<SkippedRecord>& skipped) {
    QStringList lines;
    for (const SkippedRecord& record : skipped)
        lines << QString::number(record.line);
    const QString count = skipped.size() == 1
                              ? QStringLiteral("Skipped 1 record")
                              : QStringLiteral("Skipped %1 records").arg(skipped.size());
    if (skipped.isEmpty())
        return count;
    return count + (skipped.size() == 1 ? QStringLiteral(": line ") : QStringLiteral(": lines ")) +
           lines.join(QStringLiteral(", "));
}

} // namespace

int runHistory(const HistoryRequest& request) {
    if (!enterWorkingDirectory(request.directory))
        return 2;
    ConsoleProgram console;
    Program& program = console.program;
    const RegionalForms& forms = console.forms;
    FileSystem& files = console.files;
    PeriodOptions options;
    options.reprice = request.reprice;
    if (!readLimits(request, forms, options))
        return 64;
    // The current settings: the CO2 rate of every period, and the tariff to re-price on.
    try {
        DumpingFailures(program, [&] {
            ShowTaxLabels(program.sheet, forms);
            ReadConfiguration(program);
        });
    } catch (const ProgramEnded&) {
        return 2;
    }
    const QString path = logFilePath(historyLogName());
    HistoryPeriods periods;
    try {
        if (!files.fileExists(path))
            throw FileFailure("it does not exist");
        periods = PeriodsOfHistory(files, path, forms, program.sheet, options);
    } catch (const std::exception& failure) {
        QTextStream(stderr) << "meterwin-cli: cannot read the history log " << path << ": "
                            << failure.what() << '\n';
        return 2;
    }
    QTextStream(stderr) << skippedLine(periods.skipped) << '\n';
    const QString output = request.json ? QString::fromUtf8(PeriodsJson(periods, request.reprice))
                                        : PeriodsCsv(periods, request.reprice);
    return writeStandardOutput(output) ? 0 : 2;
}
