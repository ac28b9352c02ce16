#pragma once

#include "calc/Program.h"

// The control that the first message of `problems` names: a setting by its
// check's message, an entry by the reading checks' words; empty when none does.
QString FieldNamedFirst(const QString& problems);

// Shows the checks' problems and asks the window to put the focus on the
// first field they name, so the user can mend it at once.
void ShowRefusal(Program& program);
