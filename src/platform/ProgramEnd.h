#pragma once

// The one way the program ends after a fatal message or the error dump. It
// unwinds to the front end (window, command line, test), which quits. It is
// not a RunTimeFailure nor a std::exception, so it passes through every guard.
struct ProgramEnded {};

[[noreturn]] inline void EndProgram() {
    throw ProgramEnded{};
}
