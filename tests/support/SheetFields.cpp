#include "support/SheetFields.h"

#include <QHash>
#include <stdexcept>

namespace {

using Member = TextField Sheet::*;

const QHash<QString, Member>& fieldsByName() {
    static const QHash<QString, Member> fields = {
        {"NRead1", &Sheet::NRead1},     {"NRead2", &Sheet::NRead2},
        {"Date1", &Sheet::Date1},       {"Date2", &Sheet::Date2},
        {"Notes", &Sheet::Notes},       {"NRate1", &Sheet::NRate1},
        {"NRate2", &Sheet::NRate2},     {"BreakP", &Sheet::BreakP},
        {"CalVal", &Sheet::CalVal},     {"CFactor", &Sheet::CFactor},
        {"SCharge", &Sheet::SCharge},   {"VRate", &Sheet::VRate},
        {"Disc1", &Sheet::Disc1},       {"Disc2", &Sheet::Disc2},
        {"CORate", &Sheet::CORate},     {"Predict", &Sheet::Predict},
        {"TDays", &Sheet::TDays},       {"NRUnits", &Sheet::NRUnits},
        {"CRUnits", &Sheet::CRUnits},   {"R1Units", &Sheet::R1Units},
        {"R2Units", &Sheet::R2Units},   {"NR1Cost", &Sheet::NR1Cost},
        {"NR2Cost", &Sheet::NR2Cost},   {"TSCharge", &Sheet::TSCharge},
        {"TCost", &Sheet::TCost},       {"TVCost", &Sheet::TVCost},
        {"CDay", &Sheet::CDay},         {"TCO2", &Sheet::TCO2},
        {"TDaysP", &Sheet::TDaysP},     {"NRUnitsP", &Sheet::NRUnitsP},
        {"CRUnitsP", &Sheet::CRUnitsP}, {"R1UnitsP", &Sheet::R1UnitsP},
        {"R2UnitsP", &Sheet::R2UnitsP}, {"NR1CostP", &Sheet::NR1CostP},
        {"NR2CostP", &Sheet::NR2CostP}, {"TSChargeP", &Sheet::TSChargeP},
        {"TCostP", &Sheet::TCostP},     {"TVCostP", &Sheet::TVCostP},
        {"CDayP", &Sheet::CDayP},       {"TCO2P", &Sheet::TCO2P},
    };
    return fields;
}

} // namespace

TextField& fieldNamed(Sheet& sheet, const QString& name) {
    const auto found = fieldsByName().constFind(name);
    if (found == fieldsByName().constEnd())
        throw std::invalid_argument("no field named " + name.toStdString());
    return sheet.*found.value();
}

void setSetting(Sheet& sheet, const QString& name, const QString& text) {
    if (name == QStringLiteral("LogLevel"))
        sheet.LogLevel = text.toFloat();
    else if (name == QStringLiteral("RunOnTop"))
        sheet.RunOnTop = text.toFloat();
    else if (name == QStringLiteral("Convert"))
        sheet.Convert = text;
    else
        fieldNamed(sheet, name).text = text;
}

void setValidSettings(Sheet& sheet) {
    sheet.LogLevel = 1;
    sheet.RunOnTop = 1;
    sheet.Convert = QStringLiteral("1");
    sheet.NRate1.text = QStringLiteral("0.12");
    sheet.CFactor.text = QStringLiteral("1.0");
    sheet.CalVal.text = QStringLiteral("39.5");
    sheet.CORate.text = QStringLiteral("0.19");
    for (TextField* optional : {&sheet.NRate2, &sheet.BreakP, &sheet.SCharge, &sheet.VRate,
                                &sheet.Disc1, &sheet.Disc2, &sheet.Predict})
        optional->text.clear();
}
