#pragma once

#include "calc/Sheet.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/Guard.h"
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

// The guards of the program's procedures: a failure inside `body` throws a
// GuardFailure with `category` and the current `ErrorStep`.
template <typename Body> void Guarded(Program& program, const QString& category, Body&& body) {
    Guarded(category, program.sheet.ErrorStep, body);
}
