#include "calc/CalculateActual.h"

#include "calc/CalculationSteps.h"

#include <cmath>

using namespace calculation;

float quartersForDays(double days) {
    return static_cast<float>(std::floor((days - SlackDays) / DaysPerQuarter) + 1);
}

void CalculateActual(Sheet& s, const RegionalForms& forms) {
    const ResultColumn column = actualColumn(s);
    const QDate from = forms.dateValue(s.Date1.text);
    const QDate to = forms.dateValue(s.Date2.text);
    s.TDays.text = forms.wholeNumber(static_cast<double>(RegionalForms::dayCount(from, to)));
    s.ActualQuarters = quartersForDays(forms.regionalNumber(s.TDays.text));
    const double volume = forms.typedNumber(s.NRead2.text) - forms.typedNumber(s.NRead1.text);
    s.NRUnits.text = forms.generalNumber(std::floor(volume));
    CalculateEnergy(s, column, forms);
    SplitRates(s, column, s.ActualQuarters, CoveredKwh::LeadingNumber, forms);
    CalculateRate1Cost(s, column, forms);
    CalculateTotals(s, column, s.ActualQuarters, forms);
    CalculateCostPerDay(column, forms);
    CalculateCO2(s, column, forms);
    ShowNegativeTotals(column, forms);
}
