#include "GetLastBench.h"

#include "BenchProgram.h"

#include "commands/GetLast.h"
#include "platform/SpaceTrim.h"

#include <vector>

namespace {

// Get Last takes microseconds: many runs give a steady median.
constexpr int GetLastRuns = 201;
constexpr int TailRuns = 7;

double getLastMs(Program& program) {
    return elapsedMs([&] { Get_Last_Click(program); });
}

// The time of `tail -n 1` and the line it printed.
double tailMs(const QString& path, QByteArray& line) {
    return toolMs(QStringLiteral("tail"), {QStringLiteral("-n"), QStringLiteral("1"), path}, line);
}

} // namespace

GetLastTiming timeGetLast(Program& program, const QString& path) {
    QByteArray line;
    getLastMs(program); // both start from a warm page cache
    tailMs(path, line);
    std::vector<double> getLastTimes;
    std::vector<double> tailTimes;
    for (int run = 0; run < GetLastRuns; ++run)
        getLastTimes.push_back(getLastMs(program));
    for (int run = 0; run < TailRuns; ++run)
        tailTimes.push_back(tailMs(path, line));

    const QString reading = trimSpaces(QString::fromUtf8(line).mid(13, 7));
    return {median(getLastTimes), median(tailTimes),
            program.sheet.Status.caption == QStringLiteral("Last Readings Restored") &&
                program.sheet.NRead1.text == reading};
}
