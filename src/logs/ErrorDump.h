#pragma once

#include "calc/Program.h"
#include "platform/Guard.h"

// Appends the dump of the configuration echo and the sheet to the results log,
// shows the fatal-error message and ends the program. Whatever fails while
// writing, the message and the end still follow.
[[noreturn]] void WriteErrorDump(Program& program, const QString& category, int step);

// The most of the configuration echo a dump copies: far beyond the echo of any
// configuration file the program reads, so that a dump stays a short entry.
constexpr qsizetype DumpedConfigurationLimit = 64 * 1024;

// The text the dump appends (without the final line end of its write).
QString ErrorDumpText(const Program& program, const QString& category, int step);

// Runs `body` as a front end does: a guard's failure goes to the error dump,
// which ends the program.
template <typename Body> void DumpingFailures(Program& program, Body&& body) {
    try {
        body();
    } catch (const GuardFailure& failure) {
        WriteErrorDump(program, failure.category, failure.step);
    }
}
