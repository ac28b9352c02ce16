#include "calc/CalculationSteps.h"

#include "platform/RunTimeFailure.h"

namespace calculation {

namespace {

// Applies a money setting per quarter, or nothing when it reads as 0.
double perQuarter(const TextField& setting, double quarters, const RegionalForms& forms) {
    const double amount = forms.typedNumber(setting.text);
    if (amount == 0)
        return 0;
    return checkedValue(amount * quarters);
}

} // namespace

void CalculateEnergy(Sheet& s, ResultColumn c, const RegionalForms& forms) {
    const double volume = forms.regionalNumber(c.NRUnits.text);
    const double energy = volume * forms.typedNumber(s.CalVal.text) *
                          forms.typedNumber(s.CFactor.text) / MegajoulesPerKwh;
    c.CRUnits.text = forms.wholeNumber(energy);
    if (s.ConvertF.value == 1) {
        const double kwh = forms.regionalNumber(c.CRUnits.text);
        c.CRUnits.text = forms.wholeNumber(kwh * CubicMetresPerHundredCubicFeet);
    }
}

void SplitRates(Sheet& s, ResultColumn c, double quarters, CoveredKwh covered,
                const RegionalForms& forms) {
    const auto takeEveryKwhAtRate1 = [&] {
        c.R1Units.text = covered == CoveredKwh::SameText
                             ? c.CRUnits.text
                             : forms.generalNumber(forms.leadingNumber(c.CRUnits.text));
    };
    const double breakPoint = forms.typedNumber(s.BreakP.text);
    if (breakPoint == 0) {
        takeEveryKwhAtRate1();
        c.R2Units.text = QStringLiteral("0");
        c.NR2Cost.text = QStringLiteral("0");
    } else {
        const double allowance = checkedValue(quarters * breakPoint);
        if (allowance >= forms.regionalNumber(c.CRUnits.text))
            takeEveryKwhAtRate1();
        else
            c.R1Units.text = forms.generalNumber(allowance);
        c.R2Units.text = forms.generalNumber(forms.leadingNumber(c.CRUnits.text) -
                                             forms.leadingNumber(c.R1Units.text));
        c.NR2Cost.text =
            forms.currency(forms.typedNumber(s.NRate2.text) * forms.leadingNumber(c.R2Units.text));
    }
    c.R1Units.text = forms.wholeNumber(forms.regionalNumber(c.R1Units.text));
    c.R2Units.text = forms.wholeNumber(forms.regionalNumber(c.R2Units.text));
}

void CalculateRate1Cost(Sheet& s, ResultColumn c, const RegionalForms& forms) {
    c.NR1Cost.text =
        forms.currency(forms.typedNumber(s.NRate1.text) * forms.leadingNumber(c.R1Units.text));
}

void CalculateTotals(Sheet& s, ResultColumn c, double quarters, const RegionalForms& forms) {
    c.TCost.text = QStringLiteral("0");
    if (forms.typedNumber(s.SCharge.text) != 0) {
        c.TSCharge.text = forms.currency(perQuarter(s.SCharge, quarters, forms));
        c.TCost.text = forms.generalNumber(forms.regionalNumber(c.TSCharge.text) +
                                           forms.regionalNumber(c.TCost.text));
    }
    // The sum of the rounded amounts, left unrounded.
    c.TCost.text = forms.generalNumber(forms.regionalNumber(c.NR1Cost.text) +
                                       forms.regionalNumber(c.NR2Cost.text) +
                                       forms.regionalNumber(c.TCost.text));
    if (forms.typedNumber(s.Disc1.text) != 0)
        c.TCost.text = forms.generalNumber(forms.regionalNumber(c.TCost.text) -
                                           perQuarter(s.Disc1, quarters, forms));
    const double vatFactor = (forms.typedNumber(s.VRate.text) + PercentBase) / PercentBase;
    c.TVCost.text = forms.generalNumber(forms.regionalNumber(c.TCost.text) * vatFactor);
    if (forms.typedNumber(s.Disc2.text) != 0)
        c.TVCost.text = forms.generalNumber(forms.regionalNumber(c.TVCost.text) -
                                            perQuarter(s.Disc2, quarters, forms));
}

void CalculateCostPerDay(ResultColumn c, const RegionalForms& forms) {
    c.CDay.text = forms.generalNumber(
        checkedDivide(forms.regionalNumber(c.TVCost.text), forms.regionalNumber(c.TDays.text)));
}

void CalculateCO2(Sheet& s, ResultColumn c, const RegionalForms& forms) {
    const double kwhPlusVolume =
        forms.leadingNumber(c.CRUnits.text) + forms.leadingNumber(c.NRUnits.text);
    c.TCO2.text = forms.oneDecimal(forms.typedNumber(s.CORate.text) * kwhPlusVolume);
}

void ShowNegativeTotals(ResultColumn c, const RegionalForms& forms) {
    for (TextField* total : {&c.TCost, &c.CDay, &c.TVCost})
        if (forms.regionalNumber(total->text) < 0)
            total->colour = Orange;
}

} // namespace calculation
