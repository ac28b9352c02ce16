#include "commands/ResetData.h"

#include "calc/StatusLine.h"
#include "commands/EntryDates.h"
#include "commands/ReadConfiguration.h"
#include "settings/ClearResults.h"

void Reset_Defaults_Click(Program& program) {
    Sheet& s = program.sheet;
    s.ErrorList.clear();
    ReadConfiguration(program);
    ClearActualResults(program);
    ClearPredictedResults(program);
    s.Save.enabled = false;
    ShowStatus(s, QStringLiteral("Gas Data Restored"));
    RewriteEntryDates(s, program.forms());
}
