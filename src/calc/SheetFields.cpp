#include "calc/SheetFields.h"

#include "settings/SettingRows.h"

#define MW_NAMED(member)                                                                           \
    { QStringLiteral(#member), &s.member }

QList<Named<TextField>> entryFields(Sheet& s) {
    return {MW_NAMED(Date1), MW_NAMED(NRead1), MW_NAMED(Date2), MW_NAMED(NRead2), MW_NAMED(Notes)};
}

QList<Named<TextField>> settingFields(Sheet& s) {
    QList<Named<TextField>> fields;
    for (const SettingRow& row : settingRows())
        if (row.field)
            fields.append({QString::fromUtf8(row.control), &(s.*row.field)});
    return fields;
}

QList<Named<TextField>> resultFields(Sheet& s) {
    return {MW_NAMED(TDays),    MW_NAMED(NRUnits),  MW_NAMED(CRUnits),  MW_NAMED(R1Units),
            MW_NAMED(R2Units),  MW_NAMED(NR1Cost),  MW_NAMED(NR2Cost),  MW_NAMED(TSCharge),
            MW_NAMED(TCost),    MW_NAMED(TVCost),   MW_NAMED(CDay),     MW_NAMED(TCO2),
            MW_NAMED(TDaysP),   MW_NAMED(NRUnitsP), MW_NAMED(CRUnitsP), MW_NAMED(R1UnitsP),
            MW_NAMED(R2UnitsP), MW_NAMED(NR1CostP), MW_NAMED(NR2CostP), MW_NAMED(TSChargeP),
            MW_NAMED(TCostP),   MW_NAMED(TVCostP),  MW_NAMED(CDayP),    MW_NAMED(TCO2P)};
}

QList<Named<CheckBox>> checkBoxes(Sheet& s) {
    return {MW_NAMED(ConvertF), MW_NAMED(OnTop), MW_NAMED(AutoSave)};
}

QList<Named<Label>> labels(Sheet& s) {
    return {MW_NAMED(VATH), MW_NAMED(THead), MW_NAMED(TVHead), MW_NAMED(NRUnitsL),
            MW_NAMED(Status)};
}

QList<Named<Button>> buttons(Sheet& s) {
    return {MW_NAMED(Calc),           MW_NAMED(Save),          MW_NAMED(Get_Last), MW_NAMED(Clear),
            MW_NAMED(Reset_Defaults), MW_NAMED(Save_Defaults), MW_NAMED(Archive),  MW_NAMED(ViewH),
            MW_NAMED(ViewL),          MW_NAMED(Help1),         MW_NAMED(About),    MW_NAMED(Exit)};
}
