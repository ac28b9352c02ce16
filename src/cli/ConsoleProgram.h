#pragma once

#include "ConsoleMessageBoxes.h"
#include "calc/Program.h"
#include "platform/NoDesktop.h"
#include "platform/QtFileSystem.h"

// The program as a command-line run has it: the user's regional forms,
// messages on standard error, the real files and clock, and no desktop.
struct ConsoleProgram {
    ConsoleProgram() = default;
    ConsoleProgram(const ConsoleProgram&) = delete;
    ConsoleProgram& operator=(const ConsoleProgram&) = delete;

    const RegionalForms forms;
    ConsoleMessageBoxes boxes;
    QtFileSystem files;
    const SystemClock clock;
    NoDesktop desktop;
    Program program{{forms, boxes, files, clock, desktop}};
};
