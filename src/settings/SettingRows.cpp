#include "settings/SettingRows.h"

#include "platform/DecimalText.h"

#include <algorithm>
#include <stdexcept>

namespace {

// clang-format off
constexpr SettingRow SettingTable[] = {
    {.control = "NRate1",
     .field = &Sheet::NRate1,
     .ini = {.position = 8, .section = Section::Data, .key = "NRate1", .written = Written::AsTyped},
     .check = {.position = 5, .entry = Entry::Value, .low = 0.01, .high = 0.99,
               .message = "Rate 1 must be between 0.01 and 0.99"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 5},
     .money = Money::Yes,
     .toolTip = "Rate 1 cost per KWHr ( between 0.01 and 0.99)",
     .commandLine = "NRate1"},
    {.control = "NRate2",
     .field = &Sheet::NRate2,
     .ini = {.position = 9, .section = Section::Data, .key = "NRate2", .offset = 1},
     .check = {.position = 6, .entry = Entry::Optional, .low = 0.01, .high = 0.99,
               .message = "Rate 2 must be 0 or between 0.01 and 0.99"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 5},
     .money = Money::Yes,
     .toolTip = "Rate 2 cost per KWHr ( 0 or between 0.01 and 0.99)",
     .commandLine = "NRate2"},
    {.control = "BreakP",
     .field = &Sheet::BreakP,
     .ini = {.position = 2, .section = Section::Data, .key = "BreakP", .offset = 1},
     .check = {.position = 12, .entry = Entry::Optional, .low = 10, .high = 1000,
               .message = "Break Point between Rates must be 0 or between 10 and 1000"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 0},
     .toolTip = "Rate 1 to Rate 2 units Break Point per quarter (0 or between 10 and 1000)",
     .commandLine = "BreakP"},
    {.control = "CalVal",
     .field = &Sheet::CalVal,
     .ini = {.position = 3, .section = Section::Data, .key = "CalVal"},
     .check = {.position = 4, .entry = Entry::Value, .low = 5.0, .high = 99.9,
               .message = "Calorific Value must be between 5.0 and 99.9"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 3},
     .toolTip = "Calorific Value of gas (between 5.0 and 99.9)",
     .commandLine = "CalVal"},
    {.control = "CFactor",
     .field = &Sheet::CFactor,
     .ini = {.position = 4, .section = Section::Data, .key = "CFactor"},
     .check = {.position = 3, .entry = Entry::Value, .low = 0.8, .high = 1.2,
               .message = "Correction Factor must be 0 or between 0.800000 and 1.200000"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 6},
     .toolTip = "Correction Factor (between 0.800000 and 1.200000)",
     .commandLine = "CFactor"},
    {.control = "SCharge",
     .field = &Sheet::SCharge,
     .ini = {.position = 11, .section = Section::Data, .key = "SCharge", .offset = 1},
     .check = {.position = 8, .entry = Entry::Optional, .low = 5, .high = 99,
               .message = "Fixed Charge must be either 0 or between 5 and 99"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 2},
     .money = Money::Yes,
     .toolTip = "Fixed Charge per quarter ( 0 or between 5 and 99)",
     .commandLine = "SCharge"},
    // The tax labels write the tooltips of the tax rate and the discounts,
    // which name the locale's tax.
    {.control = "VRate",
     .field = &Sheet::VRate,
     .ini = {.position = 12, .section = Section::Data, .key = "VRate", .offset = 1},
     .check = {.position = 11, .entry = Entry::Optional, .low = 1, .high = 50,
               .message = "VAT Rate must be 0 or between 1 and 50%"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 1},
     .commandLine = "VRate"},
    {.control = "Disc1",
     .field = &Sheet::Disc1,
     .ini = {.position = 6, .section = Section::Data, .key = "Disc1", .offset = 1},
     .check = {.position = 9, .entry = Entry::Optional, .low = 1, .high = 99,
               .message = "Discount 1 must be either 0 or between 5 and 100"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 2},
     .money = Money::Yes,
     .commandLine = "Disc1"},
    {.control = "Disc2",
     .field = &Sheet::Disc2,
     .ini = {.position = 7, .section = Section::Data, .key = "Disc2", .offset = 1},
     .check = {.position = 10, .entry = Entry::Optional, .low = 1, .high = 99,
               .message = "Discount 2 must be either 0 or between 5 and 100"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 2},
     .money = Money::Yes,
     .commandLine = "Disc2"},
    {.control = "CORate",
     .field = &Sheet::CORate,
     .ini = {.position = 13, .section = Section::Data, .key = "CORate", .written = Written::AsTyped},
     .check = {.position = 13, .entry = Entry::Numeric, .low = 0.05, .high = 1,
               .message = "CO2 Conversion Rate must be between 0.05 and 1"},
     .form = {.rewrite = Rewrite::FromLeadingNumber, .places = 2},
     .toolTip = "CO2 Conversion Rate (Kg/KWHr - between 0.05 and 1.0)",
     .commandLine = "CORate"},
    {.control = "Predict",
     .field = &Sheet::Predict,
     .ini = {.position = 10, .section = Section::Data, .key = "Predict", .offset = 1},
     .check = {.position = 7, .entry = Entry::Optional, .low = 0, .high = 4,
               .message = "Prediction Period must be either 0 or between 1 and 4 quarters"},
     .form = {.rewrite = Rewrite::WhenNumeric, .places = 0},
     .toolTip = "Prediction period in quarters  (0 ( No Prediction) or between 1 and 4)",
     .commandLine = "Predict"},
    {.control = "OnTop",
     .box = &Sheet::OnTop,
     .heldNumber = &Sheet::RunOnTop,
     .ini = {.position = 1, .section = Section::Run, .key = "RunOnTop", .offset = 1},
     .check = {.position = 1, .entry = Entry::Value, .low = 1, .high = 2,
               .whole = WholeNumbers::Only, .message = "Run On Top must be 1 or 2"},
     .repeat = Repeat::Ignored,
     .toolTip = "Set Meterwin to run on top"},
    {.control = "AutoSave",
     .box = &Sheet::AutoSave,
     .heldNumber = &Sheet::LogLevel,
     .ini = {.position = 0, .section = Section::Run, .key = "LogLevel", .offset = 1},
     .check = {.position = 0, .entry = Entry::Value, .low = 1, .high = 2,
               .whole = WholeNumbers::Only, .message = "Log Level must be 1 or 2"},
     .repeat = Repeat::Ignored,
     .toolTip = "Save result to log file when Calculate clicked ( provided no errors occur)"},
    {.control = "ConvertF",
     .box = &Sheet::ConvertF,
     .heldText = &Sheet::Convert,
     .ini = {.position = 5, .section = Section::Data, .key = "Convert", .offset = 1},
     .check = {.position = 2, .entry = Entry::Value, .low = 1, .high = 2,
               .message = "Conversion factor must be 1 or 2"},
     .toolTip = "Set Meterwin to work in 100s  Cubic Feet instead of Cubic Metres",
     .commandLine = "ConvertF"},
};
// clang-format on

// A position column numbers the rows 0, 1, 2... once each.
template <typename Position> constexpr bool numbersEveryRow(Position position) {
    for (int place = 0; place < int(std::size(SettingTable)); ++place) {
        int rows = 0;
        for (const SettingRow& row : SettingTable)
            rows += position(row) == place ? 1 : 0;
        if (rows != 1)
            return false;
    }
    return true;
}

constexpr auto FilePosition = [](const SettingRow& row) { return row.ini.position; };
constexpr auto CheckPosition = [](const SettingRow& row) { return row.check.position; };
static_assert(numbersEveryRow(FilePosition), "a configuration key without its own line");
static_assert(numbersEveryRow(CheckPosition), "a check without its own place");

// The rows placed by a position each holds.
template <typename Position> QList<const SettingRow*> ordered(Position position) {
    QList<const SettingRow*> rows(std::size(SettingTable), nullptr);
    for (const SettingRow& row : SettingTable)
        rows[position(row)] = &row;
    return rows;
}

// An option value held as a single-precision number is written out as text
// and read back, so it is compared as the number it shows.
QString optionText(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

} // namespace

std::span<const SettingRow> settingRows() {
    return SettingTable;
}

QList<const SettingRow*> rowsInFileOrder() {
    static const QList<const SettingRow*> rows = ordered(FilePosition);
    return rows;
}

QList<const SettingRow*> rowsInCheckOrder() {
    static const QList<const SettingRow*> rows = ordered(CheckPosition);
    return rows;
}

QString settingText(const Sheet& sheet, const SettingRow& row) {
    if (row.field)
        return (sheet.*row.field).text;
    if (row.heldNumber)
        return optionText(sheet.*row.heldNumber);
    return sheet.*row.heldText;
}

double heldValue(const Sheet& sheet, const SettingRow& row) {
    if (row.heldNumber)
        return sheet.*row.heldNumber;
    return leadingDecimal(sheet.*row.heldText);
}

const SettingRow& optionRow(CheckBox Sheet::*box) {
    const auto found = std::ranges::find(SettingTable, box, &SettingRow::box);
    if (found == std::end(SettingTable))
        throw std::logic_error("a check box without a setting row");
    return *found;
}
