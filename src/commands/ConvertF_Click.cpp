#include "commands/ConvertF_Click.h"

#include "settings/ReadingUnit.h"

void ConvertF_Click(Sheet& s) {
    ShowReadingUnit(s);
}
