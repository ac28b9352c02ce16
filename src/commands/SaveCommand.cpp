#include "commands/SaveCommand.h"

#include "logs/LogFiles.h"

void Save_Click(Program& program) {
    if (!program.sheet.Save.enabled)
        return;
    AppendResultsLog(program);
    AppendHistoryLog(program);
    program.sheet.Save.enabled = false;
}
