#include "settings/CheckSettings.h"

#include "calc/ErrorSteps.h"
#include "settings/CostFields.h"
#include "settings/MoneyFields.h"
#include "settings/NormaliseSettings.h"
#include "settings/SettingsChecks.h"
#include "settings/TaxLabels.h"

void CheckSettings(Program& program, CurrencySymbols symbols) {
    const bool strip = symbols != CurrencySymbols::AddOnly;
    const bool add = symbols != CurrencySymbols::StripOnly;
    Sheet& s = program.sheet;
    const RegionalForms& forms = program.forms();
    Guarded(program, QStringLiteral("Check Error"), [&] {
        s.ErrorStep = Step::SettingsStripSymbols;
        if (strip)
            StripCurrencySymbols(s, forms);
        s.ErrorStep = Step::SettingsChecks;
        RunSettingsChecks(s, forms);
        s.ErrorStep = Step::SettingsInhibit;
        if (s.ErrorCheckInhibited == 1)
            s.ErrorList.clear();
        s.ErrorStep = Step::SettingsNormalise;
        if (s.ErrorList.isEmpty())
            NormaliseSettings(s, forms);
        if (s.ErrorList.isEmpty() && add) {
            s.CurrencySymbol = forms.currencySymbol();
            AddCurrencySymbols(s, forms);
        }
        ShowTaxLabels(s, forms);
        FormatCostFields(s, forms);
    });
}
