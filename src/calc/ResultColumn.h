#pragma once

#include "calc/Sheet.h"

// The twelve result fields of one column of the sheet: the actual results or
// their predicted twins. Procedures that treat both columns alike take one.
struct ResultColumn {
    TextField& TDays;
    TextField& NRUnits;
    TextField& CRUnits;
    TextField& R1Units;
    TextField& R2Units;
    TextField& NR1Cost;
    TextField& NR2Cost;
    TextField& TCost;
    TextField& TVCost;
    TextField& TSCharge;
    TextField& CDay;
    TextField& TCO2;
};

ResultColumn actualColumn(Sheet& sheet);
ResultColumn predictedColumn(Sheet& sheet);
