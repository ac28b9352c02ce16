#include "commands/ClearEntries.h"

#include "calc/ErrorSteps.h"

void ClearEntries(Program& program) {
    Sheet& s = program.sheet;
    Guarded(QStringLiteral("Clear Error"), Step::ClearEntries, [&] {
        for (TextField* entry : {&s.Date1, &s.Date2, &s.NRead1, &s.NRead2, &s.Notes})
            entry->text.clear();
    });
}
