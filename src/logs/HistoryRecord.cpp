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

QString historyTaxRate(const QString& rate, const RegionalForms& forms) {
    return forms.leadingNumber(rate) > 0 ? rate + u'%' : rate;
}

QString taxRateOfHistory(const QString& column) {
    return column.endsWith(u'%') ? column.chopped(1) : column;
}

namespace {

using FieldViews = std::array<QStringView, HistoryRecordFields>;

// The fields of a whole record, untrimmed. The search for separators stops as
// soon as the count is known to be wrong, so a long line costs no more than a
// look.
std::optional<FieldViews> splitRecord(QStringView line) {
    const QString separator = historyFieldSeparator();
    FieldViews fields;
    qsizetype start = 0;
    for (qsizetype field = 0; field < HistoryRecordFields - 1; ++field) {
        const qsizetype end = line.indexOf(separator, start);
        if (end < 0)
            return std::nullopt;
        fields[field] = line.sliced(start, end - start);
        start = end + separator.size();
    }
    if (line.indexOf(separator, start) >= 0)
        return std::nullopt;
    fields[HistoryRecordFields - 1] = line.sliced(start);
    const QString units = trimSpaces(fields[2]);
    if (units != historyUnitText(0) && units != historyUnitText(1))
        return std::nullopt;
    return fields;
}

} // namespace

std::optional<HistoryReadings> readHistoryRecord(QStringView line) {
    const std::optional<FieldViews> fields = splitRecord(line);
    if (!fields)
        return std::nullopt;
    return HistoryReadings{trimSpaces((*fields)[0]), trimSpaces((*fields)[1])};
}

std::optional<std::array<QString, HistoryRecordFields>> readHistoryFields(QStringView line) {
    const std::optional<FieldViews> fields = splitRecord(line);
    if (!fields)
        return std::nullopt;
    std::array<QString, HistoryRecordFields> texts;
    for (qsizetype i = 0; i < HistoryRecordFields; ++i)
        texts[i] = trimSpaces((*fields)[i]);
    return texts;
}

bool isHistoryHeaderLine(QStringView line) {
    // The first two columns tell the three lines apart from anything else;
    // the tax word comes later.
    const QString separator = historyFieldSeparator();
    const auto start = [&](auto word) {
        return word(HistoryColumns[0]) + separator + word(HistoryColumns[1]) + separator;
    };
    static const std::array<QString, 3> starts{
        start([](const HistoryColumn& c) { return c.title.toString().leftJustified(c.width); }),
        start([](const HistoryColumn& c) { return c.subtitle.toString().leftJustified(c.width); }),
        start([](const HistoryColumn& c) { return QString(c.width, u'-'); })};
    for (const QString& begin : starts)
        if (line.startsWith(begin))
            return true;
    return false;
}
