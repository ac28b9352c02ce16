#include "settings/MoneyFields.h"

std::array<TextField*, 5> moneyFields(Sheet& s) {
    return {&s.NRate1, &s.NRate2, &s.SCharge, &s.Disc1, &s.Disc2};
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
