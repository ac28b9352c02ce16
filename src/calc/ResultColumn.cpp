#include "calc/ResultColumn.h"

ResultColumn actualColumn(Sheet& s) {
    return {s.TDays,   s.NRUnits, s.CRUnits, s.R1Units,  s.R2Units, s.NR1Cost,
            s.NR2Cost, s.TCost,   s.TVCost,  s.TSCharge, s.CDay,    s.TCO2};
}

ResultColumn predictedColumn(Sheet& s) {
    return {s.TDaysP,   s.NRUnitsP, s.CRUnitsP, s.R1UnitsP,  s.R2UnitsP, s.NR1CostP,
            s.NR2CostP, s.TCostP,   s.TVCostP,  s.TSChargeP, s.CDayP,    s.TCO2P};
}
