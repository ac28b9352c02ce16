#pragma once

#include "calc/Program.h"
#include "platform/NoDesktop.h"
#include "platform/QtFileSystem.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <vector>

// What the benchmark programs share.

// Message boxes that print what they would show and close at once; a
// question is answered Yes, unprinted and uncounted.
class PrintedMessages final : public MessageBoxes {
public:
    MessageAnswer show(const Message& message) override;
    int shown() const { return shown_; }

private:
    int shown_ = 0;
};

// A program on the machine's file system, in en_GB, at a fixed moment, so
// that the entries of two installations can be compared byte for byte.
struct BenchProgram {
    explicit BenchProgram(const QDateTime& now = QDateTime(QDate(2014, 6, 20), QTime(9, 30, 0)))
        : clock(now) {}
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    const RegionalForms forms{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    PrintedMessages messages;
    QtFileSystem files;
    FixedClock clock;
    NoDesktop desktop;
    Program program{Services{forms, messages, files, clock, desktop}};
    Sheet& sheet() { return program.sheet; }
};

// A history log of `records` records in pages of 36, as the program writes
// them: creates the logs if missing and repeats the entry the program
// composes for the sheet as it stands (its log names set).
bool writeHistoryLog(Program& program, qint64 records);

// Runs `measure` on a history log of each number of records in turn: 0 when
// every run measured, 1 when a log could not be built, 2 when the program
// ended or a command failed. A benchmark's main returns it.
int measureEach(std::initializer_list<qint64> records, const std::function<bool(qint64)>& measure);

// The benchmarks' tariff: both rates, a break point, a fixed charge and VAT,
// as the window holds it, with the options and the log names set.
void fillBenchTariff(Sheet& sheet);

// Milliseconds that `wc -l` takes on `path`; `lines` is the count it printed.
double wcMs(const QString& path, qint64& lines);

// The middle value of repeated timings.
double median(std::vector<double> values);

// Milliseconds that `work` takes.
double elapsedMs(const std::function<void()>& work);

// Milliseconds that a tool takes, started directly (no shell); its output
// goes to `output`.
double toolMs(const QString& program, const QStringList& arguments, QByteArray& output);

// The resident memory of this process in bytes (/proc/self/status): now
// (VmRSS) and at its peak (VmHWM); -1 where the system does not tell.
struct ResidentMemory {
    qint64 now = -1;
    qint64 peak = -1;
};
ResidentMemory residentMemory();
// Lowers the peak to the present size (/proc/self/clear_refs, Linux 4.0 on),
// so that the next peak read is that of what runs in between. False when
// the system does not allow it.
bool resetPeakMemory();
