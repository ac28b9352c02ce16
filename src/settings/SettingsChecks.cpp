#include "settings/SettingsChecks.h"

#include "settings/SettingRows.h"

#include <cmath>

namespace {

bool inRange(const SettingCheck& check, double value) {
    if (check.whole == WholeNumbers::Only && std::trunc(value) != value)
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
    for (const SettingRow* row : rowsInCheckOrder())
        if (!passes(row->check, settingText(sheet, *row), forms))
            sheet.ErrorList += QString::fromUtf8(row->check.message) + u'\n';
}
