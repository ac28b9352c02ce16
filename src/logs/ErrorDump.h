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

// Hands a guard's failure to the error dump.
inline auto DumpingTo(Program& program) {
    return [&program](const GuardFailure& failure) {
        WriteErrorDump(program, failure.category, failure.step);
    };
}

// The guards of the program's procedures: a failure inside `body` goes to the
// error dump with `category` and the current `ErrorStep`.
template <typename Body> void Guarded(Program& program, const QString& category, Body&& body) {
    RunGuarded(category, program.sheet.ErrorStep, DumpingTo(program), body);
}

// As Guarded, with a fixed step number in place of `ErrorStep`.
template <typename Body>
void GuardedAtStep(Program& program, const QString& category, int step, Body&& body) {
    RunGuarded(category, step, DumpingTo(program), body);
}
