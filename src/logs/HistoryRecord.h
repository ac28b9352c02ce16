#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The layout of a history record, shared by its writer and its reader: twelve
// fields joined by ", ", the date and the reading first, then the unit text
// right-aligned, then nine settings.
inline QString historyFieldSeparator() {
    return QStringLiteral(", ");
}
constexpr qsizetype HistoryRecordFields = 12;

// The fields joined into a record. A comma followed by blanks inside a field
// (a setting typed as "1.0, x", which its check reads as 1.0) keeps its comma
// alone, so that the record still has exactly its twelve fields.
QString joinHistoryFields(QStringList fields);

// The unit text of the third field: `ConvertF` 1 is hundreds of cubic feet.
QString historyUnitText(int convertF);

// The date and the reading of a history line, spaces trimmed.
struct HistoryReadings {
    QString date;
    QString reading;
};

// The first two fields of a whole record: exactly twelve fields with a unit
// text as the third. A line cut short, two records run together, a heading or
// any other line gives nothing. Fields are found by their separators, so a
// record whose columns widened for a long text reads as well as a fixed one.
std::optional<HistoryReadings> readHistoryRecord(QStringView line);
