#include "settings/SettingsChecks.h"

#include <cmath>

namespace {

// How a setting's text is judged besides its value.
enum class Entry {
    // Only the value counts: "0.2x" is 0.2.
    Value,
    // Empty, or a regional number as a whole text; a value of exactly 0 passes too.
    Optional,
    // Must be a regional number.
    Numeric,
};

struct SettingCheck {
    QString (*text)(const Sheet&);
    Entry entry;
    double low;
    double high;
    // Only the whole numbers of the range pass.
    bool wholeOnly;
    const char* message;
};

// An option value held as a single-precision number is written out as text
// and read back, so it is compared as the number it shows.
QString optionText(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

// clang-format off
const SettingCheck SettingChecks[] = {
    {[](const Sheet& s) { return optionText(s.LogLevel); }, Entry::Value, 1, 2, true,
     "Log Level must be 1 or 2"},
    {[](const Sheet& s) { return optionText(s.RunOnTop); }, Entry::Value, 1, 2, true,
     "Run On Top must be 1 or 2"},
    {[](const Sheet& s) { return s.Convert; }, Entry::Value, 1, 2, false,
     "Conversion factor must be 1 or 2"},
    {[](const Sheet& s) { return s.CFactor.text; }, Entry::Value, 0.8, 1.2, false,
     "Correction Factor must be 0 or between 0.800000 and 1.200000"},
    {[](const Sheet& s) { return s.CalVal.text; }, Entry::Value, 5.0, 99.9, false,
     "Calorific Value must be between 5.0 and 99.9"},
    {[](const Sheet& s) { return s.NRate1.text; }, Entry::Value, 0.01, 0.99, false,
     "Rate 1 must be between 0.01 and 0.99"},
    {[](const Sheet& s) { return s.NRate2.text; }, Entry::Optional, 0.01, 0.99, false,
     "Rate 2 must be 0 or between 0.01 and 0.99"},
    {[](const Sheet& s) { return s.Predict.text; }, Entry::Optional, 0, 4, false,
     "Prediction Period must be either 0 or between 1 and 4 quarters"},
    {[](const Sheet& s) { return s.SCharge.text; }, Entry::Optional, 5, 99, false,
     "Fixed Charge must be either 0 or between 5 and 99"},
    {[](const Sheet& s) { return s.Disc1.text; }, Entry::Optional, 1, 99, false,
     "Discount 1 must be either 0 or between 5 and 100"},
    {[](const Sheet& s) { return s.Disc2.text; }, Entry::Optional, 1, 99, false,
     "Discount 2 must be either 0 or between 5 and 100"},
    {[](const Sheet& s) { return s.VRate.text; }, Entry::Optional, 1, 50, false,
     "VAT Rate must be 0 or between 1 and 50%"},
    {[](const Sheet& s) { return s.BreakP.text; }, Entry::Optional, 10, 1000, false,
     "Break Point between Rates must be 0 or between 10 and 1000"},
    {[](const Sheet& s) { return s.CORate.text; }, Entry::Numeric, 0.05, 1, false,
     "CO2 Conversion Rate must be between 0.05 and 1"},
};
// clang-format on

bool inRange(const SettingCheck& check, double value) {
    if (check.wholeOnly && std::trunc(value) != value)
        return false;
    return value >= check.low && value <= check.high;
}

bool passes(const SettingCheck& check, const QString& text, const RegionalForms& forms) {
    const double value = forms.leadingNumber(text);
    switch (check.entry) {
    case Entry::Value:
        return inRange(check, value);
    case Entry::Optional:
        return (text.isEmpty() || forms.isNumeric(text)) && (value == 0 || inRange(check, value));
    case Entry::Numeric:
        return forms.isNumeric(text) && inRange(check, value);
    }
    return false;
}

} // namespace

void RunSettingsChecks(Sheet& sheet, const RegionalForms& forms) {
    for (const SettingCheck& check : SettingChecks)
        if (!passes(check, check.text(sheet), forms))
            sheet.ErrorList += QString::fromUtf8(check.message) + u'\n';
}
