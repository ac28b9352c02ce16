#include "settings/TaxLabels.h"

namespace {

void ChooseTaxWord(Sheet& s) {
    // The euro and the pound sign, compared as whole symbols.
    if (s.CurrencySymbol == QStringLiteral("\u20AC") ||
        s.CurrencySymbol == QStringLiteral("\u00A3")) {
        s.VATH.caption = QStringLiteral("VAT:");
        s.VRate.toolTip = QStringLiteral("VAT Rate (0 or between 1 and 50%)");
    } else {
        s.VATH.caption = QStringLiteral("Tax:");
        s.VRate.toolTip = QStringLiteral("Tax Rate (0 or between 1 and 50%)");
    }
}

void ShowTotalsWithoutTax(Sheet& s, const QString& tax) {
    s.THead.caption.clear();
    s.TVHead.caption = QStringLiteral("Total Cost");
    s.TCostP.text.clear();
    s.TCost.text.clear();
    s.TCostP.toolTip.clear();
    s.TCost.toolTip.clear();
    s.TVCostP.toolTip = QStringLiteral("Predicted Total Cost (no %1)").arg(tax);
    s.TVCost.toolTip = QStringLiteral("Total Cost (no %1)").arg(tax);
    s.Disc1.toolTip = QStringLiteral("Discount 1 per quarter ( 0 or between 1 and 99)");
    s.Disc2.toolTip = QStringLiteral("Discount 2 per quarter ( 0 or between 1 and 99)");
}

void ShowTotalsWithTax(Sheet& s, const QString& tax) {
    s.THead.caption = QStringLiteral("Total Cost");
    s.TVHead.caption = QStringLiteral("Total Cost (inc %1)").arg(tax);
    s.TCostP.toolTip = QStringLiteral("Predicted Total Cost (less %1)").arg(tax);
    s.TCost.toolTip = QStringLiteral("Total Cost (less %1)").arg(tax);
    s.TVCostP.toolTip = QStringLiteral("Predicted Total Cost (inc %1)").arg(tax);
    s.TVCost.toolTip = QStringLiteral("Total Cost (inc %1)").arg(tax);
    s.Disc1.toolTip =
        QStringLiteral("Discount 1 per quarter before %1 ( 0 or between 1 and 99)").arg(tax);
    s.Disc2.toolTip =
        QStringLiteral("Discount 2 per quarter after %1 ( 0 or between 1 and 99)").arg(tax);
}

} // namespace

void ShowTaxLabels(Sheet& s, const RegionalForms& forms) {
    s.CurrencySymbol = forms.currencySymbol();
    ChooseTaxWord(s);
    // Headings and tooltips take the word from the caption as it now stands.
    const QString tax = s.VATH.caption.left(3);
    if (forms.leadingNumber(s.VRate.text) == 0)
        ShowTotalsWithoutTax(s, tax);
    else
        ShowTotalsWithTax(s, tax);
}
