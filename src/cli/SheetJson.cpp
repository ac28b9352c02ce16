#include "SheetJson.h"

#include "calc/SheetFields.h"
#include "settings/MoneyFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A figure as the calculation reads its field; money fields lose their symbol.
QJsonValue figure(const RegionalForms& forms, const QString& text) {
    if (text.trimmed().isEmpty())
        return QJsonValue::Null;
    return moneyValue(forms, text);
}

QJsonValue isoDate(const RegionalForms& forms, const QString& text) {
    const std::optional<QDate> date = forms.regionalDate(text);
    return date ? QJsonValue(date->toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null);
}

QJsonObject sheetValues(Sheet& sheet, const RegionalForms& forms) {
    QJsonObject values;
    for (const auto& field : entryFields(sheet))
        if (field.control == &sheet.Date1 || field.control == &sheet.Date2)
            values.insert(field.name, isoDate(forms, field.control->text));
        else if (field.control != &sheet.Notes)
            values.insert(field.name, figure(forms, field.control->text));
    for (const auto& fields : {settingFields(sheet), resultFields(sheet)})
        for (const auto& field : fields)
            values.insert(field.name, figure(forms, field.control->text));
    for (const auto& box : checkBoxes(sheet))
        values.insert(box.name, box.control->value);
    return values;
}

} // namespace

QByteArray sheetJson(Sheet& sheet, const RegionalForms& forms) {
    QJsonObject object;
    for (const auto& fields : {entryFields(sheet), settingFields(sheet), resultFields(sheet)})
        for (const auto& field : fields)
            object.insert(field.name, field.control->text);
    for (const auto& box : checkBoxes(sheet))
        object.insert(box.name, QString::number(box.control->value));
    object.insert(QStringLiteral("values"), sheetValues(sheet, forms));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QByteArray messagesJson(const QStringList& lines) {
    const QJsonObject object{{QStringLiteral("messages"), QJsonArray::fromStringList(lines)}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
