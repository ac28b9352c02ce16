#include "settings/NormaliseSettings.h"

namespace {

struct StandardForm {
    TextField Sheet::*field;
    int places;
};

const StandardForm StandardForms[] = {
    {&Sheet::BreakP, 0},  {&Sheet::CFactor, 6}, {&Sheet::CalVal, 3}, {&Sheet::NRate1, 5},
    {&Sheet::NRate2, 5},  {&Sheet::SCharge, 2}, {&Sheet::Disc1, 2},  {&Sheet::Disc2, 2},
    {&Sheet::Predict, 0}, {&Sheet::VRate, 1},
};

// Zero and empty mean the same for these: the setting is not used.
TextField Sheet::*const OptionalSettings[] = {
    &Sheet::BreakP,  &Sheet::Predict, &Sheet::VRate, &Sheet::NRate2,
    &Sheet::SCharge, &Sheet::Disc1,   &Sheet::Disc2,
};

constexpr int CO2RatePlaces = 2;

} // namespace

void NormaliseSettings(Sheet& sheet, const RegionalForms& forms) {
    // A text that is not a number is left as it stands.
    for (const StandardForm& form : StandardForms) {
        QString& text = (sheet.*form.field).text;
        if (forms.isNumeric(text))
            text = forms.patternNumber(forms.regionalNumber(text), form.places);
    }
    // The CO2 rate is written from its leading number, whatever else the text holds.
    sheet.CORate.text = forms.patternNumber(forms.leadingNumber(sheet.CORate.text), CO2RatePlaces);
    for (TextField Sheet::*optional : OptionalSettings) {
        QString& text = (sheet.*optional).text;
        if (forms.leadingNumber(text) == 0)
            text.clear();
    }
}
