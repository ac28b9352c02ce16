#include "calc/Sheet.h"

#include "settings/SettingRows.h"

Sheet::Sheet() {
    for (const SettingRow& row : settingRows()) {
        if (!row.toolTip)
            continue;
        QString& toolTip = row.field ? (this->*row.field).toolTip : (this->*row.box).toolTip;
        toolTip = QString::fromUtf8(row.toolTip);
    }
}
