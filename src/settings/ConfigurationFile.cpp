#include "settings/ConfigurationFile.h"

#include "platform/DecimalText.h"
#include "platform/RunTimeFailure.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

using Holds = ConfigurationKey::Holds;

// The single-precision values beside the check boxes: a number beyond their
// range is an overflow, not a silently infinite value.
float singlePrecision(double value) {
    if (std::abs(checkedValue(value)) > std::numeric_limits<float>::max())
        throw RunTimeFailure("Overflow");
    return static_cast<float>(value);
}

} // namespace

const QList<ConfigurationKey>& configurationKeys() {
    static const QList<ConfigurationKey> keys = {
        {QStringLiteral("LogLevel="), Holds::LogLevel},
        {QStringLiteral("RunOnTop="), Holds::RunOnTop},
        {QStringLiteral("BreakP="), Holds::Field, &Sheet::BreakP, 1},
        {QStringLiteral("CalVal="), Holds::Field, &Sheet::CalVal, 0},
        {QStringLiteral("CFactor="), Holds::Field, &Sheet::CFactor, 0},
        {QStringLiteral("Convert="), Holds::Convert},
        {QStringLiteral("Disc1="), Holds::Field, &Sheet::Disc1, 1},
        {QStringLiteral("Disc2="), Holds::Field, &Sheet::Disc2, 1},
        {QStringLiteral("NRate1="), Holds::Field, &Sheet::NRate1, 0, true},
        {QStringLiteral("NRate2="), Holds::Field, &Sheet::NRate2, 1},
        {QStringLiteral("Predict="), Holds::Field, &Sheet::Predict, 1},
        {QStringLiteral("SCharge="), Holds::Field, &Sheet::SCharge, 1},
        {QStringLiteral("VRate="), Holds::Field, &Sheet::VRate, 1},
        {QStringLiteral("CORate="), Holds::Field, &Sheet::CORate, 0, true},
    };
    return keys;
}

void StoreConfigurationValue(Sheet& sheet, const ConfigurationKey& key, QStringView value) {
    const double number = leadingDecimal(value);
    switch (key.holds) {
    case Holds::LogLevel:
        sheet.LogLevel = singlePrecision(number);
        break;
    case Holds::RunOnTop:
        sheet.RunOnTop = singlePrecision(number);
        break;
    case Holds::Convert:
        sheet.Convert = shortestDecimal(number);
        break;
    case Holds::Field:
        (sheet.*key.field).text = shortestDecimal(checkedValue(number - key.offset));
        break;
    }
}

QString ConfigurationValue(const Sheet& sheet, const ConfigurationKey& key,
                           const RegionalForms& forms) {
    switch (key.holds) {
    case Holds::LogLevel:
        return QString::number(sheet.AutoSave.value + 1);
    case Holds::RunOnTop:
        return QString::number(sheet.OnTop.value + 1);
    case Holds::Convert:
        return QString::number(sheet.ConvertF.value + 1);
    case Holds::Field:
        break;
    }
    const QString& text = (sheet.*key.field).text;
    if (key.writtenAsTyped) {
        // A value ends with its line: a line break in a field must not add a
        // line of its own, which the next reading would count as a key.
        const qsizetype lineBreak = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
        return lineBreak < 0 ? text : text.left(lineBreak);
    }
    return forms.generalNumber(checkedValue(forms.leadingNumber(text) + key.offset));
}
