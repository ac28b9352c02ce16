#include "logs/HistoryPeriods.h"

#include "platform/DecimalText.h"
#include "platform/LineEnds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <variant>

namespace {

using Value = std::variant<QString, double>;

// The columns of one period, in their order, with their names.
QList<std::pair<QString, Value>> periodColumns(const HistoryPeriod& p, bool repriced) {
    QList<std::pair<QString, Value>> columns{
        {QStringLiteral("from"), p.from.toString(Qt::ISODate)},
        {QStringLiteral("to"), p.to.toString(Qt::ISODate)},
        {QStringLiteral("days"), double(p.days)},
        {QStringLiteral("readingFrom"), p.readingFrom},
        {QStringLiteral("readingTo"), p.readingTo},
        {QStringLiteral("volume"), p.volume},
        {QStringLiteral("unit"), p.cubicFeet ? QStringLiteral("ft3") : QStringLiteral("m3")},
        {QStringLiteral("kWh"), p.kWh},
        {QStringLiteral("kWhPerDay"), p.kWhPerDay},
        {QStringLiteral("cost"), p.cost},
        {QStringLiteral("costPerDay"), p.costPerDay}};
    if (repriced)
        columns.append({QStringLiteral("repricedCost"),
                        p.repricedCost ? Value(*p.repricedCost) : Value(QString())});
    return columns;
}

// A field quoted when it holds a quote, a comma or a line break.
QString csvField(const Value& value) {
    if (const double* number = std::get_if<double>(&value))
        return shortestDecimal(*number);
    QString text = std::get<QString>(value);
    if (!text.contains(u'"') && !text.contains(u',') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// A period that could not be re-priced has null there.
QJsonValue jsonValue(const Value& value) {
    if (const double* number = std::get_if<double>(&value))
        return *number;
    const QString& text = std::get<QString>(value);
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

// A value in Qt's compact JSON, which writes no bare value: the one element
// of an array.
QString compactJson(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.sliced(1, array.size() - 2));
}

QString jsonMember(const QString& name, const QJsonValue& value) {
    return compactJson(name) + QStringLiteral(": ") + compactJson(value);
}

} // namespace

QString PeriodsCsv(const HistoryPeriods& periods, bool repriced) {
    QStringList names;
    for (const auto& column : periodColumns(HistoryPeriod{}, repriced))
        names << column.first;
    QString csv = names.join(u',') + CrLf;
    for (const HistoryPeriod& period : periods.periods) {
        QStringList fields;
        for (const auto& column : periodColumns(period, repriced))
            fields << csvField(column.second);
        csv += fields.join(u',') + CrLf;
    }
    return csv;
}

QByteArray PeriodsJson(const HistoryPeriods& periods, bool repriced) {
    // Written member by member, so that each period's members keep the order
    // of the CSV columns for a reader's eye; each value is written by Qt.
    QStringList periodObjects;
    for (const HistoryPeriod& period : periods.periods) {
        QStringList members;
        for (const auto& column : periodColumns(period, repriced))
            members << jsonMember(column.first, jsonValue(column.second));
        periodObjects << u'{' + members.join(QStringLiteral(", ")) + u'}';
    }
    QStringList skippedObjects;
    for (const SkippedRecord& skipped : periods.skipped)
        skippedObjects << u'{' + jsonMember(QStringLiteral("line"), double(skipped.line)) +
                              QStringLiteral(", ") +
                              jsonMember(QStringLiteral("reason"), skipped.reason) + u'}';
    const auto array = [](const QStringList& objects) {
        return objects.isEmpty()
                   ? QStringLiteral("[]")
                   : QStringLiteral("[\n    ") + objects.join(QStringLiteral(",\n    ")) +
                         QStringLiteral("\n  ]");
    };
    return (QStringLiteral("{\n  \"periods\": ") + array(periodObjects) +
            QStringLiteral(",\n  \"skipped\": ") + array(skippedObjects) + QStringLiteral("\n}\n"))
        .toUtf8();
}
