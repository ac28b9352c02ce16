#include "logs/HistoryRecord.h"

#include "platform/SpaceTrim.h"

#include <QRegularExpression>
#include <array>

QString joinHistoryFields(QStringList fields) {
    static const QRegularExpression separatorInside(QStringLiteral(", +"));
    for (QString& field : fields)
        field.replace(separatorInside, QStringLiteral(","));
    return fields.join(historyFieldSeparator());
}

QString historyUnitText(int convertF) {
    return convertF == 1 ? QStringLiteral("Cubic Feet") : QStringLiteral("Cubic Metres");
}

std::optional<HistoryReadings> readHistoryRecord(QStringView line) {
    // The first three fields, and the search for separators stops as soon as
    // the count is known to be wrong, so a long line costs no more than a look.
    const QString separator = historyFieldSeparator();
    std::array<QStringView, 3> firstFields;
    qsizetype start = 0;
    for (qsizetype field = 0; field < HistoryRecordFields - 1; ++field) {
        const qsizetype end = line.indexOf(separator, start);
        if (end < 0)
            return std::nullopt;
        if (field < qsizetype(firstFields.size()))
            firstFields[field] = line.sliced(start, end - start);
        start = end + separator.size();
    }
    if (line.indexOf(separator, start) >= 0)
        return std::nullopt;
    const QString units = trimSpaces(firstFields[2]);
    if (units != historyUnitText(0) && units != historyUnitText(1))
        return std::nullopt;
    return HistoryReadings{trimSpaces(firstFields[0]), trimSpaces(firstFields[1])};
}
