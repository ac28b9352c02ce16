#include "settings/NormaliseSettings.h"

#include "settings/SettingRows.h"

namespace {

QString standardForm(const QString& text, StandardForm form, const RegionalForms& forms) {
    switch (form.rewrite) {
    case Rewrite::No:
        break;
    case Rewrite::WhenNumeric:
        if (forms.isNumeric(text))
            return forms.patternNumber(forms.regionalNumber(text), form.places);
        break;
    case Rewrite::FromLeadingNumber:
        return forms.patternNumber(forms.leadingNumber(text), form.places);
    }
    return text;
}

} // namespace

void NormaliseSettings(Sheet& sheet, const RegionalForms& forms) {
    for (const SettingRow& row : settingRows()) {
        if (!row.field)
            continue;
        QString& text = (sheet.*row.field).text;
        text = standardForm(text, row.form, forms);
        if (row.check.entry == Entry::Optional && forms.leadingNumber(text) == 0)
            text.clear();
    }
}
