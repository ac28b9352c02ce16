#include "commands/ClearEntries.h"

#include "logs/ErrorDump.h"

namespace {

constexpr int ClearEntriesStep = 41;

} // namespace

void ClearEntries(Program& program) {
    Sheet& s = program.sheet;
    GuardedAtStep(program, QStringLiteral("Clear Error"), ClearEntriesStep, [&] {
        for (TextField* entry : {&s.Date1, &s.Date2, &s.NRead1, &s.NRead2, &s.Notes})
            entry->text.clear();
    });
}
