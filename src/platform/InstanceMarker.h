#pragma once

#include <QString>

// The mark of the first running instance: a lock file named after the program
// in the system's temporary directory, held for the life of the process.
// True when another live process holds the mark; otherwise this process holds
// it now (a mark left by a process that died is taken over). Nothing in the
// program depends on the answer: a second instance works like the first.
bool PreviousInstanceRunning(const QString& name);

// Where the mark of `name` lives.
QString InstanceMarkerPath(const QString& name);
