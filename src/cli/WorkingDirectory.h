#pragma once

#include <QString>

// Makes the installation directory the working directory: `directory` when
// given, else the one the command line works in by default. False, after
// saying so on standard error, when the given directory cannot be entered.
bool enterWorkingDirectory(const QString& directory);
