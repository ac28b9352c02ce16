#pragma once

#include "calc/Sheet.h"

#include <QList>

// The sheet's fields by control name, for front ends that address them by
// name (the window's widgets, the command line's --set and --json).
template <typename Control> struct Named {
    QString name;
    Control* control;
};

QList<Named<TextField>> entryFields(Sheet& sheet);
QList<Named<TextField>> settingFields(Sheet& sheet);
QList<Named<TextField>> resultFields(Sheet& sheet); // actual, then predicted
QList<Named<CheckBox>> checkBoxes(Sheet& sheet);
QList<Named<Label>> labels(Sheet& sheet);
QList<Named<Button>> buttons(Sheet& sheet);
