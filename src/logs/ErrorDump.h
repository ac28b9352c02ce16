#pragma once

#include "calc/Program.h"

#include <exception>

// Appends the dump of the configuration echo and the sheet to the results log,
// shows the fatal-error message and ends the program. Whatever fails while
// writing, the message and the end still follow.
[[noreturn]] void WriteErrorDump(Program& program, const QString& category, int step);

// The most of the configuration echo a dump copies: far beyond the echo of any
// configuration file the program reads, so that a dump stays a short entry.
constexpr qsizetype DumpedConfigurationLimit = 64 * 1024;

// The text the dump appends (without the final line end of its write).
QString ErrorDumpText(const Program& program, const QString& category, int step);

// Runs `body`; an unexpected failure inside it goes to the error dump with
// `category` and the current `ErrorStep`. The end of the program is not a
// failure and passes through untouched.
template <typename Body> void Guarded(Program& program, const QString& category, Body&& body) {
    try {
        body();
    } catch (const std::exception&) {
        WriteErrorDump(program, category, program.sheet.ErrorStep);
    }
}

// As Guarded, with a fixed step number in place of `ErrorStep`.
template <typename Body>
void GuardedAtStep(Program& program, const QString& category, int step, Body&& body) {
    try {
        body();
    } catch (const std::exception&) {
        WriteErrorDump(program, category, step);
    }
}
