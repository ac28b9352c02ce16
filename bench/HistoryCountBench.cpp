// Times BuildHistoryEntry, which counts the lines of the history log, on logs
// of growing size, beside `wc -l` on the same file in the same run. The count
// should stay within twice the time of wc -l. On the same logs, Get Last
// beside `tail -n 1`: it reads only the end, so its time should not grow.

#include "BenchProgram.h"
#include "GetLastBench.h"
#include "logs/HistoryEntry.h"
#include "platform/QtFileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 7;

// A calculation to log: the benchmarks' tariff and a new reading.
void fillCalculation(Sheet& s) {
    fillBenchTariff(s);
    s.Date2.text = QStringLiteral("14/03/2026");
    s.NRead2.text = QStringLiteral("4512");
}

double buildEntryMs(Program& program) {
    return elapsedMs([&] { BuildHistoryEntry(program); });
}

struct GetLastRow {
    qint64 records = 0;
    GetLastTiming timing;
};

bool measure(qint64 records, std::vector<GetLastRow>& getLastRows) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !QDir().mkdir(QStringLiteral("Log")))
        return false;
    BenchProgram bench;
    Program& program = bench.program;
    QtFileSystem& files = bench.files;
    fillCalculation(program.sheet);
    if (!writeHistoryLog(program, records))
        return false;

    const QString path = QStringLiteral("Log/") + program.sheet.HistoryLogName;
    const qint64 counted = files.countLines(path);
    qint64 wcLines = 0;
    std::vector<double> entryTimes;
    std::vector<double> wcTimes;
    buildEntryMs(program); // both start from a warm page cache
    wcMs(path, wcLines);
    for (int run = 0; run < Runs; ++run) {
        entryTimes.push_back(buildEntryMs(program));
        wcTimes.push_back(wcMs(path, wcLines));
    }
    const double entry = median(entryTimes);
    const double wc = median(wcTimes);
    std::printf("%9lld %10lld %10lld %12.3f %10.3f %7.2f%s\n", static_cast<long long>(records),
                static_cast<long long>(counted), static_cast<long long>(wcLines), entry, wc,
                entry / wc, counted == wcLines && entry <= 2 * wc ? "" : "  <-- check");
    getLastRows.push_back({records, timeGetLast(program, path)});
    QDir::setCurrent(QDir::tempPath());
    return true;
}

void printGetLast(const std::vector<GetLastRow>& rows) {
    std::printf("\nHistory log: Get Last (reads the end only) beside tail -n 1, median, "
                "milliseconds\n");
    std::printf("%9s %12s %12s %14s %10s\n", "records", "get last ms", "tail -n 1 ms",
                "vs 1000 rec.", "same line");
    for (const GetLastRow& row : rows) {
        const double growth = row.timing.getLastMs / rows.front().timing.getLastMs;
        std::printf("%9lld %12.4f %12.3f %14.2f %10s%s\n", static_cast<long long>(row.records),
                    row.timing.getLastMs, row.timing.tailMs, growth,
                    row.timing.sameLine ? "yes" : "no",
                    row.timing.sameLine && growth <= 2 ? "" : "  <-- check");
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("History log: BuildHistoryEntry (counts the lines) beside wc -l, median of %d "
                "runs, milliseconds\n",
                Runs);
    std::printf("%9s %10s %10s %12s %10s %7s\n", "records", "lines", "wc lines", "entry ms",
                "wc -l ms", "ratio");
    std::vector<GetLastRow> getLastRows;
    const int status = measureEach({1000, 100000, 1000000},
                                   [&](qint64 records) { return measure(records, getLastRows); });
    if (status != 0)
        return status;
    printGetLast(getLastRows);
    return 0;
}
