#pragma once

#include "calc/Program.h"

#include <QList>
#include <QString>
#include <functional>
#include <utility>

using WindowCommand = std::function<void(Program&)>;

// The commands of the main window's buttons and check boxes, by control name.
// About and Exit belong to the window itself.
QList<std::pair<QString, WindowCommand>> ButtonCommands();
QList<std::pair<QString, WindowCommand>> CheckBoxCommands();
