// Times PeriodsOfHistory, which turns the history log into calculated periods,
// on logs of 100,000 and 1,000,000 records, beside `wc -l` on the same file:
// records per second and the peak memory of the reading. 100,000 records
// should take well under 2 seconds; the processor time beside the elapsed
// time tells a busy machine apart from a slow reading.
//
// The logs are written in the program's own format: runs of 1,000 records a
// week or so apart (as many as fit the dates a calculation accepts), each
// run a history log of its own joined to the one before, so that every run
// but its first record gives a period and each join is one skipped line.

#include "BenchProgram.h"
#include "logs/HistoryEntry.h"
#include "logs/HistoryPeriods.h"
#include "logs/HistoryRecord.h"
#include "logs/LogColumns.h"
#include "logs/LogFiles.h"
#include "logs/LogPaths.h"
#include "platform/LineEnds.h"
#include "platform/QtFileSystem.h"
#include "settings/CheckSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int Runs = 3;
constexpr qint64 RecordsPerLog = 1000;
constexpr qint64 FileHeaderLines = 6;
const QDate FirstDate(2000, 4, 1);

// The record the program writes for `date` and `reading`: its own record with
// the first two columns written anew.
QString recordFor(const QString& model, const RegionalForms& forms, QDate date, qint64 reading) {
    const QString separator = historyFieldSeparator();
    const qsizetype rest = model.indexOf(separator, model.indexOf(separator) + 1);
    return rightAligned(forms.shortDate(date), HistoryColumns[0].width, HistoryColumns[0].padding) +
           separator +
           rightAligned(QString::number(reading), HistoryColumns[1].width,
                        HistoryColumns[1].padding) +
           model.mid(rest);
}

bool writeLog(Program& program, qint64 records) {
    CreateLogFiles(program);
    BuildHistoryEntry(program); // the record of the sheet, after a page header
    const QString composed = program.sheet.HistoryText;
    const QString model = composed.mid(composed.lastIndexOf(CrLf) + CrLf.size());
    QFile file(QStringLiteral("Log/") + program.sheet.HistoryLogName);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray header = file.readAll(); // the file header of a new log
    qint64 lines = FileHeaderLines;
    QDate date = FirstDate;
    qint64 reading = 1000;
    QByteArray piece;
    for (qint64 i = 0; i < records; ++i) {
        if (i > 0 && i % RecordsPerLog == 0) {
            piece += header; // another log joined on
            lines = FileHeaderLines;
            date = FirstDate;
            reading = 1000;
        }
        const QString record = recordFor(model, program.forms(), date, reading);
        const QString entry =
            HistoryEntryForLog(program.sheet, composed.chopped(model.size()) + record, lines);
        lines += entry.count(CrLf) + 1;
        piece += entry.toUtf8() + "\r\n";
        date = date.addDays(7 + i % 5);
        reading += 13 + i % 29;
        if (piece.size() > (1 << 20)) {
            file.write(piece);
            piece.clear();
        }
    }
    file.write(piece);
    return file.error() == QFileDevice::NoError;
}

bool measure(qint64 records) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !QDir().mkdir(QStringLiteral("Log")))
        return false;
    BenchProgram bench;
    Program& program = bench.program;
    QtFileSystem& files = bench.files;
    const RegionalForms& forms = bench.forms;
    fillBenchTariff(program.sheet);
    if (!writeLog(program, records))
        return false;
    const QString path = logFilePath(historyLogName());
    CheckSettings(program, CurrencySymbols::AddOnly); // the tariff as the window holds it

    HistoryPeriods periods;
    std::vector<double> times, cpuTimes, wcTimes;
    qint64 lines = 0;
    wcMs(path, lines); // both start from a warm page cache
    qint64 peak = -1;
    for (int run = 0; run < Runs; ++run) {
        periods = {};
        const bool resetPeak = resetPeakMemory();
        const qint64 before = residentMemory().now;
        const std::clock_t cpuStart = std::clock();
        times.push_back(
            elapsedMs([&] { periods = PeriodsOfHistory(files, path, forms, program.sheet, {}); }));
        cpuTimes.push_back(1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        if (resetPeak)
            peak = std::max(peak, residentMemory().peak - before);
        wcTimes.push_back(wcMs(path, lines));
    }
    const double ms = median(times);
    const double cpuMs = median(cpuTimes);
    const double wc = median(wcTimes);
    std::printf("%9lld %9lld %8lld %10.1f %8.1f %12.0f %9.1f %8.1f %s\n",
                static_cast<long long>(records), static_cast<long long>(periods.periods.size()),
                static_cast<long long>(periods.skipped.size()), ms, cpuMs, records / (ms / 1000),
                wc, peak < 0 ? -1.0 : static_cast<double>(peak) / (1024 * 1024),
                records > 100000 || cpuMs < 2000 ? "" : " <-- check");
    std::fflush(stdout);
    QDir::setCurrent(QDir::tempPath());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("History log: PeriodsOfHistory beside wc -l, median of %d runs\n", Runs);
    std::printf("%9s %9s %8s %10s %8s %12s %9s %8s\n", "records", "periods", "skipped",
                "periods ms", "cpu ms", "records/s", "wc -l ms", "peak MB");
    return measureEach({100000, 1000000}, measure);
}
