#pragma once

#include "calc/Sheet.h"

#include <QList>
#include <span>

// Every fact about a setting lives in its one row of the setting table: the
// checks, the standard form, the money symbols, the configuration file, the
// repeat check, the tooltips and the command line all read that row. Adding a
// setting is one row.

// How the checks judge a setting's text besides its value.
enum class Entry {
    // Only the value counts: "0.2x" is 0.2.
    Value,
    // Empty, or a regional number as a whole text; a value of exactly 0 passes
    // too. Zero and empty mean the same, that the setting is not used: the
    // standard form of 0 is empty.
    Optional,
    // Must be a regional number.
    Numeric,
};

enum class WholeNumbers { Any, Only };

struct SettingCheck {
    int position; // where its message comes in the list of problems
    Entry entry;
    double low;
    double high;
    WholeNumbers whole = WholeNumbers::Any;
    const char* message;
};

enum class Section { Run, Data };
enum class Written { AsNumber, AsTyped };

// The setting's key line in the configuration file.
struct IniKey {
    int position; // its line among the keys of the file
    Section section;
    const char* key; // without its "="
    // Stored plus this, so that a setting of 0 is stored as 1. An option is
    // held beside its check box as stored, the box ticked from the held value
    // less the offset.
    int offset = 0;
    // As the field's text itself rather than as its number.
    Written written = Written::AsNumber;
};

// How the standard form is written.
enum class Rewrite {
    // Left as it stands.
    No,
    // A regional number is written with `places`; any other text stays.
    WhenNumeric,
    // The leading number is written with `places`, whatever else the text holds.
    FromLeadingNumber,
};

struct StandardForm {
    Rewrite rewrite = Rewrite::No;
    int places = 0;
};

// Money settings carry the currency symbol in their display form.
enum class Money { No, Yes };

// Whether the check for an unchanged calculation compares the setting.
enum class Repeat { Ignored, Compared };

struct SettingRow {
    const char* control; // the control name
    // A text setting's field, or an option's check box and the value the
    // window holds beside it: a number or a text.
    TextField Sheet::*field = nullptr;
    CheckBox Sheet::*box = nullptr;
    float Sheet::*heldNumber = nullptr;
    QString Sheet::*heldText = nullptr;
    IniKey ini;
    SettingCheck check;
    StandardForm form = {};
    Money money = Money::No;
    Repeat repeat = Repeat::Compared;
    const char* toolTip = nullptr;     // none: set by the tax labels
    const char* commandLine = nullptr; // the --set name; none: not settable
};

// The table in the window's order of the settings, then the options.
std::span<const SettingRow> settingRows();

// The rows in the order of the configuration file's lines.
QList<const SettingRow*> rowsInFileOrder();

// The rows in the order of the checks' messages.
QList<const SettingRow*> rowsInCheckOrder();

// The text the checks judge: a field's text, or the option value held beside
// the check box as the number it shows.
QString settingText(const Sheet& sheet, const SettingRow& row);

// The option value held beside a check box, as a number.
double heldValue(const Sheet& sheet, const SettingRow& row);

// The row of a check box.
const SettingRow& optionRow(CheckBox Sheet::*box);
