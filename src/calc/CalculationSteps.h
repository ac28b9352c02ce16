#pragma once

#include "calc/ResultColumn.h"
#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

// The steps that the actual and the predicted calculation share. Each writes
// its result as text in its form; the next step reads that text back, so the
// rounding of every written figure is part of the arithmetic.
namespace calculation {

inline constexpr double SlackDays = 10;
inline constexpr double DaysPerQuarter = 91.25;
inline constexpr double MegajoulesPerKwh = 3.6;
inline constexpr double CubicMetresPerHundredCubicFeet = 2.83;
inline constexpr double PercentBase = 100;

// Where the actual and the predicted rate split differ: when the Rate 1
// allowance covers every kWh, the actual column takes the leading number of
// its kWh text, the predicted column copies the kWh text itself.
enum class CoveredKwh { LeadingNumber, SameText };

// kWh from the volume; with hundreds of cubic feet the rounded kWh is
// multiplied by 2.83 and rounded again.
void CalculateEnergy(Sheet& sheet, ResultColumn column, const RegionalForms& forms);

// Splits the kWh between Rate 1 and Rate 2; `quarters` times the break point
// is the Rate 1 allowance. Writes the Rate 2 cost.
void SplitRates(Sheet& sheet, ResultColumn column, double quarters, CoveredKwh covered,
                const RegionalForms& forms);

void CalculateRate1Cost(Sheet& sheet, ResultColumn column, const RegionalForms& forms);

// The fixed charge, the total before VAT with discount 1, the total with VAT
// and discount 2, each per-quarter amount charged `quarters` times.
void CalculateTotals(Sheet& sheet, ResultColumn column, double quarters,
                     const RegionalForms& forms);

void CalculateCostPerDay(ResultColumn column, const RegionalForms& forms);

// CO2 from the kWh plus the volume.
void CalculateCO2(Sheet& sheet, ResultColumn column, const RegionalForms& forms);

// A negative total or cost per day turns orange.
void ShowNegativeTotals(ResultColumn column, const RegionalForms& forms);

} // namespace calculation
