// Under load and over time: an installation whose results log has grown to
// 100 MB and whose history log holds 1,000,000 records still starts,
// calculates, saves and restores correctly. Prints the time of each step and
// checks each outcome: the last reading restored, and each log grown by
// exactly the entry written, the same entry as in a new installation.

#include "BenchProgram.h"
#include "calc/Calc_Click.h"
#include "logs/SaveCommand.h"
#include "platform/ProgramEnd.h"
#include "platform/QtFileSystem.h"
#include "platform/TextEncoding.h"
#include "shell/GetLast.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

constexpr qint64 ResultsLogBytes = 100 * 1000 * 1000;
constexpr qint64 HistoryRecords = 1000 * 1000;
const QString ResultsLog = QStringLiteral("Log/Meterwin.log");
const QString HistoryLog = QStringLiteral("Log/Meterwin_H.log");
const QString CrLf = QStringLiteral("\r\n");

// The same moment for every program, so that the entries of two
// installations can be compared byte for byte.
const QDateTime Now(QDate(2014, 6, 20), QTime(9, 30, 0));

// A program on the machine's file system at the fixed moment.
struct BenchProgram {
    BenchProgram() : clock(Now), program(Services{forms, messages, files, clock, desktop}) {}
    const RegionalForms forms{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    PrintedMessages messages;
    QtFileSystem files;
    FixedClock clock;
    NoDesktop desktop;
    Program program;
    Sheet& sheet() { return program.sheet; }
};

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

void printStep(const char* step, double ms) {
    std::printf("  %-42s %10.1f ms\n", step, ms);
}

void measure(const Reference& reference) {
    BenchProgram b;
    Sheet& s = b.sheet();

    qint64 results = QFileInfo(ResultsLog).size();
    qint64 history = QFileInfo(HistoryLog).size();
    printStep("start-up (LoadMeterwinMain)", elapsedMs([&] { start(b); }));
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
    printStep("Calculate with Auto Save (Calc_Click)", elapsedMs([&] { Calc_Click(b.program); }));
    check(s.Status.caption == QStringLiteral("Calculation Saved"), "Calculation Saved");
    check(s.ReportText == reference.report, "the report of a new installation");
    check(lastLineOf(s.HistoryText) == reference.record, "the record of a new installation");
    checkGrowth(ResultsLog, results, s.ReportText, "the results log grew by the report");
    checkGrowth(HistoryLog, history, s.HistoryText, "the history log grew by the entry");

    s.AutoSave.value = 0;
    typeReadings(s, "14/03/2014", "4512", "13/06/2014", "4800");
    printStep("Calculate without saving (Calc_Click)", elapsedMs([&] { Calc_Click(b.program); }));
    results = QFileInfo(ResultsLog).size();
    history = QFileInfo(HistoryLog).size();
    printStep("Save (Save_Click)", elapsedMs([&] { Save_Click(b.program); }));
    check(s.ReportText == reference.savedReport, "the saved report of a new installation");
    check(lastLineOf(s.HistoryText) == reference.savedRecord,
          "the saved record of a new installation");
    checkGrowth(ResultsLog, results, s.ReportText, "the results log grew by the report");
    checkGrowth(HistoryLog, history, s.HistoryText, "the history log grew by the entry");

    s.Date1.text.clear();
    s.NRead1.text.clear();
    printStep("Get Last (Get_Last_Click)", elapsedMs([&] { Get_Last_Click(b.program); }));
    check(s.Date1.text == QStringLiteral("13/06/2014") && s.NRead1.text == QStringLiteral("4800") &&
              s.Status.caption == QStringLiteral("Last Readings Restored"),
          "Get Last restores the saved reading 4800 of 13/06/2014");
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
    }
    std::printf(failures == 0 ? "All results correct\n" : "%d results wrong\n", failures);
    return failures == 0 ? 0 : 1;
}
