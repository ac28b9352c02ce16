#pragma once

#include "calc/Program.h"

// The help page, relative to the installation directory.
inline const QString HelpPage = QStringLiteral("Help/index.htm");

// Help: opens the help page with the desktop's own handler. A missing page, or
// one that the desktop could not open, is reported; the program goes on.
void Help1_Click(Program& program);
