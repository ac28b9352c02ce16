#include "commands/ClearEntries.h"

#include "calc/ErrorSteps.h"
#include "logs/ErrorDump.h"

void ClearEntries(Program& program) {
    Sheet& s = program.sheet;
    GuardedAtStep(program, QStringLiteral("Clear Error"), Step::ClearEntries, [&] {
        for (TextField* entry : {&s.Date1, &s.Date2, &s.NRead1, &s.NRead2, &s.Notes})
            entry->text.clear();
    });
}
