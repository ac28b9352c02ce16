#pragma once

#include "calc/Sheet.h"

// A text field of the sheet by its control name, for data-driven tests whose
// rows name the field ("NRate1", "TCostP"). An unknown name is a test error.
TextField& fieldNamed(Sheet& sheet, const QString& name);

// Sets a setting by name: a text field, or one of the option values
// "LogLevel", "RunOnTop" (read from the text as a number) and "Convert".
void setSetting(Sheet& sheet, const QString& name, const QString& text);

// A sheet whose settings pass every check: Rate 1 0.12, correction factor
// 1.0, calorific value 39.5, CO2 rate 0.19, the options 1, and every optional
// setting empty.
void setValidSettings(Sheet& sheet);
