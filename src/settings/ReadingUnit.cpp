#include "settings/ReadingUnit.h"

void ShowReadingUnit(Sheet& s) {
    if (s.ConvertF.value == 1) {
        s.NRUnitsL.caption = QStringLiteral("100s of Cu Feet Used");
        s.NRUnits.toolTip = QStringLiteral("100s of Cubic Feet used");
        s.NRUnitsP.toolTip = QStringLiteral("100s of Cubic Feet predicted");
    } else {
        s.NRUnitsL.caption = QStringLiteral("Cubic Metres Used");
        s.NRUnits.toolTip = QStringLiteral("Cubic Metres used");
        s.NRUnitsP.toolTip = QStringLiteral("Cubic Metres predicted");
    }
}
