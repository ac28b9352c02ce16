#pragma once

#include <QString>

// The mark of the first running instance: a lock file named after the program
// in the user's runtime directory ($XDG_RUNTIME_DIR), or in the installation
// directory (the working directory) without one, held for the life of the
// process. Another user's instance never shares or blocks it.
// True when another live process holds the mark; otherwise this process holds
// it now (a mark left by a process that died is taken over). Nothing in the
// program depends on the answer: a second instance works like the first.
bool PreviousInstanceRunning(const QString& name);

// Where the mark of `name` lives.
QString InstanceMarkerPath(const QString& name);
