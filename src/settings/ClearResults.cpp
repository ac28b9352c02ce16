#include "settings/ClearResults.h"

#include "calc/ErrorSteps.h"
#include "calc/ResultColumn.h"

namespace {

void ClearColumn(ResultColumn c) {
    for (TextField* field : {&c.TDays, &c.NRUnits, &c.CRUnits, &c.R1Units, &c.R2Units, &c.NR1Cost,
                             &c.NR2Cost, &c.TCost, &c.TVCost, &c.TSCharge, &c.CDay, &c.TCO2})
        field->text.clear();
    for (TextField* money : {&c.TCost, &c.CDay, &c.TVCost})
        money->colour = DarkGrey;
}

} // namespace

void ClearActualResults(Program& program) {
    Guarded(QStringLiteral("Clear Error"), Step::ClearActualResults,
            [&] { ClearColumn(actualColumn(program.sheet)); });
}

void ClearPredictedResults(Program& program) {
    Guarded(QStringLiteral("Clear Error"), Step::ClearPredictedResults,
            [&] { ClearColumn(predictedColumn(program.sheet)); });
}
