// Under load and over time: an installation whose results log has grown to
// 100 MB and whose history log holds 1,000,000 records still starts,
// calculates, saves, restores and archives correctly, and a history log that
// ends in a 64 MB line without line end still starts Get Last. Prints the
// time and the peak memory of each step and checks each outcome: the last
// reading restored, each log grown by exactly the entry written (the same
// entry as in a new installation), the whole results log archived.
//
// Peak memory: the peak resident size of this process is lowered to its
// present size before each step (/proc/self/clear_refs) and read after it
// (VmHWM); the step's figure is that peak less the resident size before the
// step (after handing memory freed by earlier steps back to the system), i.e.
// what the step itself added at its height.

#include "BenchProgram.h"
#include "commands/ArchiveResultsLog.h"
#include "commands/Calc_Click.h"
#include "commands/GetLast.h"
#include "commands/SaveCommand.h"
#include "commands/Startup.h"
#include "platform/Guard.h"
#include "platform/LineEnds.h"
#include "platform/ProgramEnd.h"
#include "platform/QtFileSystem.h"
#include "platform/TextEncoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <malloc.h>

namespace {

constexpr qint64 ResultsLogBytes = 100 * 1000 * 1000;
constexpr qint64 HistoryRecords = 1000 * 1000;
constexpr qint64 UnendedLineBytes = 64 << 20;
const QString ResultsLog = QStringLiteral("Log/Meterwin.log");
const QString HistoryLog = QStringLiteral("Log/Meterwin_H.log");

bool installIn(const QString& directory) {
    return QDir::setCurrent(directory) && QDir().mkdir(QStringLiteral("Data")) &&
           QDir().mkdir(QStringLiteral("Log")) &&
           QFile::copy(QStringLiteral(MW_SOURCE_DIR "/dist/Data/Meterwin.ini"),
                       QStringLiteral("Data/Meterwin.ini"));
}

void start(BenchProgram& b) {
    LoadMeterwinMain(b.program, {{}, /*writeStartEntry=*/true, /*mayReplaceConfiguration=*/false});
}

void typeReadings(Sheet& s, const char* date1, const char* read1, const char* date2,
                  const char* read2) {
    s.Date1.text = QString::fromLatin1(date1);
    s.NRead1.text = QString::fromLatin1(read1);
    s.Date2.text = QString::fromLatin1(date2);
    s.NRead2.text = QString::fromLatin1(read2);
    s.Notes.text = QStringLiteral("Spring quarter");
}

// The end of a file, from byte `from` on.
QByteArray tailOf(const QString& path, qint64 from) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from))
        return QByteArray();
    return file.readAll();
}

int failures = 0;

void check(bool good, const char* what) {
    if (!good) {
        ++failures;
        std::printf("    FAILED: %s\n", what);
    }
}

// Each log grew by exactly `entry` and its line end, written at its end.
void checkGrowth(const QString& path, qint64 sizeBefore, const QString& entry, const char* what) {
    const QByteArray expected = encodeLogText(entry + CrLf);
    check(QFileInfo(path).size() == sizeBefore + expected.size() &&
              tailOf(path, sizeBefore) == expected,
          what);
}

// The reference: the same calculations in a new installation, whose entries
// the large one must write alike.
struct Reference {
    QString report;
    QString record; // the history record, without any page header
    QString savedReport;
    QString savedRecord;
};

QString lastLineOf(const QString& text) {
    const qsizetype lineEnd = text.lastIndexOf(CrLf);
    return lineEnd < 0 ? text : text.mid(lineEnd + 2);
}

bool makeReference(Reference& reference) {
    QTemporaryDir dir;
    if (!dir.isValid() || !installIn(dir.path()))
        return false;
    BenchProgram b;
    start(b);
    typeReadings(b.sheet(), "13/12/2013", "4100", "14/03/2014", "4512");
    b.sheet().AutoSave.value = 1;
    Calc_Click(b.program);
    reference.report = b.sheet().ReportText;
    reference.record = lastLineOf(b.sheet().HistoryText);
    b.sheet().AutoSave.value = 0;
    typeReadings(b.sheet(), "14/03/2014", "4512", "13/06/2014", "4800");
    Calc_Click(b.program);
    reference.savedReport = b.sheet().ReportText;
    reference.savedRecord = lastLineOf(b.sheet().HistoryText);
    QDir::setCurrent(QDir::tempPath());
    return b.messages.shown() == 0;
}

// The large installation: the logs a start makes, a million records of
// readings up to 13/12/2013 (4100) and report blocks up to 100 MB.
bool buildLargeLogs() {
    BenchProgram b;
    start(b);
    typeReadings(b.sheet(), "13/09/2013", "3700", "13/12/2013", "4100");
    b.sheet().AutoSave.value = 0;
    Calc_Click(b.program);
    if (b.messages.shown() != 0 || !writeHistoryLog(b.program, HistoryRecords))
        return false;
    const QByteArray block = encodeLogText(b.sheet().ReportText + CrLf);
    QByteArray blocks;
    while (blocks.size() < (1 << 20))
        blocks += block;
    QFile results(ResultsLog);
    if (!results.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    while (results.size() < ResultsLogBytes)
        if (results.write(blocks) != blocks.size())
            return false;
    return true;
}

double megabytes(qint64 bytes) {
    return static_cast<double>(bytes) / (1 << 20);
}

// Runs one step, printing its time and the memory it added at its peak.
void step(const char* name, const std::function<void()>& work) {
    // Memory that earlier steps freed goes back to the system first, so that
    // a step cannot hide its own need in it.
    malloc_trim(0);
    const bool peakReset = resetPeakMemory();
    const ResidentMemory before = residentMemory();
    const double ms = elapsedMs(work);
    const ResidentMemory after = residentMemory();
    if (peakReset && before.now >= 0 && after.peak >= 0)
        std::printf("  %-46s %9.1f ms  peak +%7.1f MiB\n", name, ms,
                    megabytes(after.peak - before.now));
    else
        std::printf("  %-46s %9.1f ms  (peak memory unknown)\n", name, ms);
}

bool appendBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size();
}

void measure(const Reference& reference) {
    BenchProgram b;
    Sheet& s = b.sheet();

    qint64 results = QFileInfo(ResultsLog).size();
    qint64 history = QFileInfo(HistoryLog).size();
    step("start-up (LoadMeterwinMain)", [&] { start(b); });
    check(s.Date1.text == QStringLiteral("13/12/2013") && s.NRead1.text == QStringLiteral("4100") &&
              s.Status.caption == QStringLiteral("Last Readings Restored"),
          "start-up restores the last reading 4100 of 13/12/2013");
    checkGrowth(ResultsLog, results, s.ReportText, "the start entry ends the results log");
    check(QFileInfo(HistoryLog).size() == history, "start-up leaves the history log alone");

    s.Date2.text = QStringLiteral("14/03/2014");
    s.NRead2.text = QStringLiteral("4512");
    s.Notes.text = QStringLiteral("Spring quarter");
    s.AutoSave.value = 1;
    results = QFileInfo(ResultsLog).size();
    history = QFileInfo(HistoryLog).size();
    step("Calculate with Auto Save (Calc_Click)", [&] { Calc_Click(b.program); });
    check(s.Status.caption == QStringLiteral("Calculation Saved"), "Calculation Saved");
    check(s.ReportText == reference.report, "the report of a new installation");
    check(lastLineOf(s.HistoryText) == reference.record, "the record of a new installation");
    checkGrowth(ResultsLog, results, s.ReportText, "the results log grew by the report");
    checkGrowth(HistoryLog, history, s.HistoryText, "the history log grew by the entry");

    s.AutoSave.value = 0;
    typeReadings(s, "14/03/2014", "4512", "13/06/2014", "4800");
    step("Calculate without saving (Calc_Click)", [&] { Calc_Click(b.program); });
    results = QFileInfo(ResultsLog).size();
    history = QFileInfo(HistoryLog).size();
    step("Save (Save_Click)", [&] { Save_Click(b.program); });
    check(s.ReportText == reference.savedReport, "the saved report of a new installation");
    check(lastLineOf(s.HistoryText) == reference.savedRecord,
          "the saved record of a new installation");
    checkGrowth(ResultsLog, results, s.ReportText, "the results log grew by the report");
    checkGrowth(HistoryLog, history, s.HistoryText, "the history log grew by the entry");

    s.Date1.text.clear();
    s.NRead1.text.clear();
    step("Get Last (Get_Last_Click)", [&] { Get_Last_Click(b.program); });
    check(s.Date1.text == QStringLiteral("13/06/2014") && s.NRead1.text == QStringLiteral("4800") &&
              s.Status.caption == QStringLiteral("Last Readings Restored"),
          "Get Last restores the saved reading 4800 of 13/06/2014");

    results = QFileInfo(ResultsLog).size();
    const QString archive = QStringLiteral("Log/Meterwin_140620_1.log");
    // The anchor: a plain copy of the same file, the least an archive must do.
    step("  anchor: copy of the results log (QFile::copy)",
         [&] { QFile::copy(ResultsLog, ResultsLog + QStringLiteral(".anchor")); });
    QFile::remove(ResultsLog + QStringLiteral(".anchor"));
    step("Archive, 100 MB results log (Archive_Click)", [&] { Archive_Click(b.program); });
    check(s.Status.caption == QStringLiteral("Results Log File Archived"), "Archived");
    check(QFileInfo(archive).size() == results, "the archive holds the whole results log");
    check(tailOf(ResultsLog, 0) == encodeLogText(ArchiveHeader(b.forms, b.clock.now()) + CrLf),
          "the new results log holds its header alone");

    if (!appendBytes(HistoryLog, QByteArray(UnendedLineBytes, 'x')))
        check(false, "a 64 MB last line without line end");
    s.Date1.text.clear();
    s.NRead1.text.clear();
    step("Get Last, 64 MiB last line without line end", [&] { Get_Last_Click(b.program); });
    step("  anchor: tail -n 1 on the same history log", [&] {
        QProcess::execute(QStringLiteral("sh"),
                          {QStringLiteral("-c"), QStringLiteral("tail -n 1 ") + HistoryLog +
                                                     QStringLiteral(" >/dev/null")});
    });
    check(s.Status.caption == QStringLiteral("No Data To Restore") && s.Date1.text.isEmpty() &&
              s.NRead1.text.isEmpty(),
          "Get Last restores nothing from the damaged line");
    check(b.messages.shown() == 0, "no message box");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        Reference reference;
        if (!makeReference(reference)) {
            std::fprintf(stderr, "Cannot calculate in a new installation\n");
            return 1;
        }
        QTemporaryDir dir;
        if (!dir.isValid() || !installIn(dir.path())) {
            std::fprintf(stderr, "Cannot make an installation directory\n");
            return 1;
        }
        const double buildMs = elapsedMs([&] {
            if (!buildLargeLogs())
                ++failures;
        });
        if (failures != 0) {
            std::fprintf(stderr, "Cannot build the large logs\n");
            return 1;
        }
        std::printf("Large installation: results log %.1f MB, history log %.1f MB (%lld lines, "
                    "%lld records), built in %.0f ms\n",
                    QFileInfo(ResultsLog).size() / 1e6, QFileInfo(HistoryLog).size() / 1e6,
                    static_cast<long long>(QtFileSystem().countLines(HistoryLog)),
                    static_cast<long long>(HistoryRecords), buildMs);
        measure(reference);
        QDir::setCurrent(QDir::tempPath());
    } catch (const ProgramEnded&) {
        std::printf("The program ended\n");
        return 2;
    } catch (const GuardFailure& failure) {
        std::printf("%s at step %d\n", qPrintable(failure.category), failure.step);
        return 2;
    }
    std::printf(failures == 0 ? "All results correct\n" : "%d results wrong\n", failures);
    return failures == 0 ? 0 : 1;
}
