#pragma once

#include "calc/Sheet.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/RegionalForms.h"

// The platform services the procedures use; the program passes real ones,
// tests pass doubles.
struct Services {
    const RegionalForms& forms;
    MessageBoxes& messages;
    FileSystem& files;
    const Clock& clock;
    Desktop& desktop;
};

// The main window's state and its services: what every procedure works on.
struct Program {
    explicit Program(Services s) : services(s) {}

    Sheet sheet;
    Services services;

    const RegionalForms& forms() const { return services.forms; }
};
