#include "settings/ConfigurationFile.h"

#include "platform/DecimalText.h"
#include "platform/RunTimeFailure.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

// The single-precision values beside the check boxes: a number beyond their
// range is an overflow, not a silently infinite value.
float singlePrecision(double value) {
    if (std::abs(checkedValue(value)) > std::numeric_limits<float>::max())
        throw RunTimeFailure("Overflow");
    return static_cast<float>(value);
}

// A value ends with its line: a line break in a field must not add a line of
// its own, which the next reading would count as a key.
QString firstLine(const QString& text) {
    const qsizetype lineBreak = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    return lineBreak < 0 ? text : text.left(lineBreak);
}

} // namespace

QString sectionHeader(Section section) {
    return section == Section::Run ? QStringLiteral("[Run]") : QStringLiteral("[Data]");
}

QString configurationKey(const SettingRow& row) {
    return QString::fromUtf8(row.ini.key) + u'=';
}

void StoreConfigurationValue(Sheet& sheet, const SettingRow& row, QStringView value) {
    const double number = leadingDecimal(value);
    if (row.field)
        (sheet.*row.field).text = shortestDecimal(checkedValue(number - row.ini.offset));
    else if (row.heldNumber)
        sheet.*row.heldNumber = singlePrecision(number);
    else
        sheet.*row.heldText = shortestDecimal(number);
}

QString ConfigurationValue(const Sheet& sheet, const SettingRow& row, const RegionalForms& forms) {
    if (row.box)
        return QString::number((sheet.*row.box).value + row.ini.offset);
    const QString& text = (sheet.*row.field).text;
    if (row.ini.written == Written::AsTyped)
        return firstLine(text);
    return forms.generalNumber(checkedValue(forms.leadingNumber(text) + row.ini.offset));
}
