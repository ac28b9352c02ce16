#include "settings/TidyResults.h"

#include "settings/ClearResults.h"
#include "settings/MoneyFields.h"
#include "settings/ReadingUnit.h"

void TidyResults(Program& program) {
    Sheet& s = program.sheet;
    const RegionalForms& forms = program.forms();
    for (TextField* units : {&s.R2Units, &s.R2UnitsP})
        if (forms.leadingNumber(units->text) == 0)
            units->text.clear();
    for (TextField* cost : {&s.NR2Cost, &s.NR2CostP})
        if (moneyValue(forms, cost->text) == 0)
            cost->text.clear();
    ShowReadingUnit(s);
    if (forms.leadingNumber(s.Predict.text) == 0)
        ClearPredictedResults(program);
    if (s.SCharge.text.isEmpty()) {
        s.TSCharge.text.clear();
        s.TSChargeP.text.clear();
    }
}
