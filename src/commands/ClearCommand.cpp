#include "commands/ClearCommand.h"

#include "calc/StatusLine.h"
#include "commands/ClearEntries.h"
#include "settings/ClearResults.h"

void Clear_Click(Program& program) {
    Sheet& s = program.sheet;
    ClearEntries(program);
    ClearActualResults(program);
    ClearPredictedResults(program);
    s.InputSignature.clear();
    s.LastSignature.clear();
    ShowStatus(s, QStringLiteral("Data Cleared"));
    s.Save.enabled = false;
}
