#pragma once

#include "app/MeterwinMain.h"
#include "calc/Program.h"
#include "platform/ConfigurationPermission.h"

#include <QStringList>
#include <memory>

// Loads the main window (the start-up sequence with its checks) and shows it.
// `arguments` are the command-line arguments behind the program's name.
// Returns no window when the program ended during loading, after its message.
std::unique_ptr<MeterwinMain> StartMeterwinMain(Program& program, const QStringList& arguments,
                                                const ConfigurationPermission& permission);
