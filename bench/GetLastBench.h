#pragma once

#include "calc/Program.h"

#include <QString>

// Get Last on the history log of `program`, beside `tail -n 1` on the same
// file: both read only the end, so neither should grow with the log.
struct GetLastTiming {
    double getLastMs = 0;  // median of many runs
    double tailMs = 0;     // median of a few runs, a process start included
    bool sameLine = false; // Get Last restored the reading that tail printed
};

GetLastTiming timeGetLast(Program& program, const QString& path);
