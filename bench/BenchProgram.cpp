#include "BenchProgram.h"

#include "logs/HistoryEntry.h"
#include "logs/LogFiles.h"
#include "logs/LogPaths.h"
#include "platform/ProgramEnd.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int RecordsPerPage = 36;

} // namespace

MessageAnswer PrintedMessages::show(const Message& message) {
    if (message.buttons == MessageButtons::YesNo)
        return MessageAnswer::Yes;
    ++shown_;
    std::fprintf(stderr, "%s: %s\n", qPrintable(message.title), qPrintable(message.text));
    return MessageAnswer::Ok;
}

bool writeHistoryLog(Program& program, qint64 records) {
    CreateLogFiles(program);
    BuildHistoryEntry(program); // a new log: the page header and one record
    const QString entry = program.sheet.HistoryText;
    const qsizetype recordStart = entry.lastIndexOf(QStringLiteral("\r\n")) + 2;
    const QByteArray header = entry.left(recordStart).toUtf8();
    const QByteArray record = entry.mid(recordStart).toUtf8() + "\r\n";
    QByteArray page = header;
    for (int i = 0; i < RecordsPerPage; ++i)
        page += record;

    QFile file(QStringLiteral("Log/") + program.sheet.HistoryLogName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    for (qint64 done = 0; done < records; done += RecordsPerPage) {
        if (records - done >= RecordsPerPage) {
            file.write(page);
        } else {
            file.write(header);
            for (qint64 i = done; i < records; ++i)
                file.write(record);
        }
    }
    return file.error() == QFileDevice::NoError;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double elapsedMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double toolMs(const QString& program, const QStringList& arguments, QByteArray& output) {
    QProcess tool;
    const double ms = elapsedMs([&] {
        tool.start(program, arguments);
        tool.waitForFinished(-1);
    });
    output = tool.readAllStandardOutput();
    return ms;
}

namespace {

// A "VmRSS:   1234 kB" line of /proc/self/status, in bytes.
qint64 statusBytes(const QByteArray& status, const QByteArray& key) {
    const qsizetype at = status.indexOf("\n" + key + ":");
    if (at < 0)
        return -1;
    const qsizetype end = status.indexOf('\n', at + 1);
    const QByteArray value = status.mid(at + key.size() + 2, end - at - key.size() - 2).trimmed();
    bool ok = false;
    const qint64 kilobytes = value.left(value.indexOf(' ')).toLongLong(&ok);
    return ok ? kilobytes * 1024 : -1;
}

} // namespace

ResidentMemory residentMemory() {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray status = "\n" + file.readAll();
    return {statusBytes(status, "VmRSS"), statusBytes(status, "VmHWM")};
}

bool resetPeakMemory() {
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    return file.open(QIODevice::WriteOnly) && file.write("5") == 1 && file.flush();
}

int measureEach(std::initializer_list<qint64> records, const std::function<bool(qint64)>& measure) {
    try {
        for (const qint64 count : records)
            if (!measure(count)) {
                std::fprintf(stderr, "Cannot build a history log of %lld records\n",
                             static_cast<long long>(count));
                return 1;
            }
    } catch (const ProgramEnded&) {
        return 2;
    } catch (const GuardFailure&) {
        return 2;
    }
    return 0;
}

void fillBenchTariff(Sheet& s) {
    s.ResultsLogName = QStringLiteral("Meterwin.log");
    s.HistoryLogName = historyLogName();
    s.NRate1.text = QStringLiteral("£0.07000");
    s.NRate2.text = QStringLiteral("£0.04000");
    s.BreakP.text = QStringLiteral("670");
    s.CalVal.text = QStringLiteral("39.400");
    s.CFactor.text = QStringLiteral("1.022640");
    s.SCharge.text = QStringLiteral("£12.50");
    s.VRate.text = QStringLiteral("5.0");
    s.CORate.text = QStringLiteral("0.19");
    s.LogLevel = 1;
    s.RunOnTop = 1;
    s.Convert = QStringLiteral("1");
}

double wcMs(const QString& path, qint64& lines) {
    QByteArray output;
    const double ms = toolMs(QStringLiteral("wc"), {QStringLiteral("-l"), path}, output);
    lines = output.trimmed().split(' ').value(0).toLongLong();
    return ms;
}
