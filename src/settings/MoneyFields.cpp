#include "settings/MoneyFields.h"

#include "settings/SettingRows.h"

QList<TextField*> moneyFields(Sheet& s) {
    QList<TextField*> fields;
    for (const SettingRow& row : settingRows())
        if (row.money == Money::Yes)
            fields.append(&(s.*row.field));
    return fields;
}

void StripCurrencySymbols(Sheet& sheet, const RegionalForms& forms) {
    for (TextField* field : moneyFields(sheet))
        field->text = forms.withoutCurrencySymbol(field->text);
}

void AddCurrencySymbols(Sheet& sheet, const RegionalForms& forms) {
    for (TextField* field : moneyFields(sheet))
        if (!field->text.isEmpty())
            field->text = forms.withCurrencySymbol(field->text);
}

double moneyValue(const RegionalForms& forms, const QString& text) {
    return forms.typedNumber(forms.withoutCurrencySymbol(text));
}
