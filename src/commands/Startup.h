#pragma once

#include "calc/Program.h"

#include <QStringList>

struct StartupChoices {
    // The program's arguments behind its own name; exactly "-InhibitErrorCheck"
    // switches the entry checks off.
    QStringList arguments;
    // The window records every start in the results log; the command line does not.
    bool writeStartEntry = true;
    // Whether the user may replace the installed configuration file (Save Data).
    bool mayReplaceConfiguration = false;
};

// Loads the main window's state: the data directory, the error-check switch,
// tax labels, configuration, logs, the start entry, emptied entries and
// results, and the last readings. Every failure on the way ends the program.
void LoadMeterwinMain(Program& program, const StartupChoices& choices);
