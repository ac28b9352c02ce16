#include "settings/CostFields.h"

#include <array>

namespace {

std::array<TextField*, 6> totals(Sheet& s) {
    return {&s.TCost, &s.TCostP, &s.TVCost, &s.TVCostP, &s.CDay, &s.CDayP};
}

std::array<TextField*, 6> chargedCosts(Sheet& s) {
    return {&s.NR1Cost, &s.NR1CostP, &s.NR2Cost, &s.NR2CostP, &s.TSCharge, &s.TSChargeP};
}

// A currency text with the locale's present symbol in its place. Only the
// symbol is exchanged, never a digit, so the amount reads back unchanged in
// every locale; a sign in front stays in front.
QString withPresentSymbol(const QString& text, const RegionalForms& forms) {
    const qsizetype signLength = text.startsWith(u'-') ? 1 : 0;
    const QString amount = forms.withoutCurrencySymbol(text.mid(signLength));
    return text.left(signLength) + forms.withCurrencySymbol(amount);
}

} // namespace

void FormatCostFields(Sheet& s, const RegionalForms& forms) {
    for (TextField* total : totals(s))
        if (total->text.startsWith(u'-'))
            total->text.remove(0, 1);
    for (TextField* cost : chargedCosts(s))
        if (cost->text.size() > 1)
            cost->text = withPresentSymbol(cost->text, forms);
    // A text of one character ("0") stays as it is; so does one that is not
    // an amount at all, as a currency format leaves such a text.
    for (TextField* total : totals(s))
        if (total->text.size() > 1 && forms.isNumeric(total->text))
            total->text = forms.currency(forms.regionalNumber(total->text));
}
