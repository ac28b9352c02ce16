#include "SheetJson.h"

#include "calc/SheetFields.h"

#include <QJsonDocument>
#include <QJsonObject>

QByteArray sheetJson(Sheet& sheet) {
    QJsonObject object;
    for (const auto& fields : {entryFields(sheet), settingFields(sheet), resultFields(sheet)})
        for (const auto& field : fields)
            object.insert(field.name, field.control->text);
    for (const auto& box : checkBoxes(sheet))
        object.insert(box.name, QString::number(box.control->value));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
