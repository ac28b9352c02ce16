#include "calc/CalculatePrediction.h"

#include "calc/CalculationSteps.h"
#include "platform/RunTimeFailure.h"

#include <cmath>

using namespace calculation;

namespace {

constexpr int MonthsPerQuarter = 3;

// The prediction runs from the first reading date, not the second.
QDate predictionEnd(const QDate& from, double quarters) {
    const double months = std::trunc(quarters * MonthsPerQuarter);
    if (!(std::fabs(months) <= 12.0 * 10000))
        throw RunTimeFailure("Overflow");
    return RegionalForms::addMonths(from, static_cast<int>(months));
}

} // namespace

void CalculatePrediction(Sheet& s, const RegionalForms& forms) {
    const double quarters = forms.typedNumber(s.Predict.text);
    if (quarters == 0)
        return;
    const ResultColumn column = predictedColumn(s);
    const QDate from = forms.dateValue(s.Date1.text);
    const QDate end = predictionEnd(from, quarters);
    if (!end.isValid())
        throw RunTimeFailure("Invalid date");
    s.TDaysP.text = forms.wholeNumber(static_cast<double>(RegionalForms::dayCount(from, end)));
    // The actual volume scaled by the days, rounded half up.
    const double dayRatio =
        checkedDivide(forms.regionalNumber(s.TDaysP.text), forms.regionalNumber(s.TDays.text));
    s.NRUnitsP.text =
        forms.generalNumber(std::floor(forms.regionalNumber(s.NRUnits.text) * dayRatio + 0.5));
    CalculateEnergy(s, column, forms);
    SplitRates(s, column, quarters, CoveredKwh::SameText, forms);
    CalculateRate1Cost(s, column, forms);
    CalculateTotals(s, column, quarters, forms);
    CalculateCostPerDay(column, forms);
    CalculateCO2(s, column, forms);
    ShowNegativeTotals(column, forms);
}
