#pragma once

#include "reliability/Outcome.h"
#include "support/TestProgram.h"

#include <QMetaType>

// The commands whose file operations the reliability tests break.
enum class Command {
    StartNew, // start-up in a new installation: the logs are created
    Start,
    CalculateAndSave, // Calculate with automatic saving
    Save,
    GetLast,
    SaveData,
    ResetData,
    Archive,
    ErrorDump,
    ViewResults,
    ViewHistory,
};
Q_DECLARE_METATYPE(Command)

QString commandName(Command command);

// Whether the command runs in an installation without logs.
bool startsWithoutLogs(Command command);

// Brings the program to where the command runs: started, readings typed, a
// calculation waiting to be saved... The files may change on the way.
void prepare(Command command, TestProgram& t);

// Runs the command and records what the user saw of it.
Outcome runCommand(Command command, TestProgram& t);
