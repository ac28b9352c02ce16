#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

// The layout of a history record, shared by its writer and its reader: twelve
// fields joined by ", ", the date and the reading first, then the unit text
// right-aligned, then nine settings.
inline QString historyFieldSeparator() {
    return QStringLiteral(", ");
}
constexpr qsizetype HistoryRecordFields = 12;
// The settings follow the date, the reading and the unit.
constexpr qsizetype HistoryFirstSettingColumn = 3;

// The first line of the file header.
inline QString historyLogTitle() {
    return QStringLiteral("Meterwin History Log");
}

// Money is written without its currency symbol when it would not fit.
enum class HistoryAmount { Plain, Money };

// One column of the record and of the page header. A shorter text is
// right-aligned in `width` characters from `padding` blanks put before it; a
// longer one widens the column. The two header words are left-aligned in the
// same width over a line of dashes; an empty first word is the tax word.
struct HistoryColumn {
    // The field the column holds: the new reading's date and value, then the
    // settings; none for the unit, which the check box `ConvertF` gives.
    TextField Sheet::*field;
    int width;
    int padding;
    HistoryAmount amount;
    QStringView title;
    QStringView subtitle;
};

// clang-format off
constexpr std::array<HistoryColumn, HistoryRecordFields> HistoryColumns{{
    {&Sheet::Date2,   11, 11, HistoryAmount::Plain, u"Date",       u""},
    {&Sheet::NRead2,   7,  7, HistoryAmount::Plain, u"Meter",      u"Reading"},
    {nullptr,         12, 10, HistoryAmount::Plain, u"Metric/",    u"Imperial"},
    {&Sheet::NRate1,   7,  7, HistoryAmount::Money, u"Rate 1",     u""},
    {&Sheet::NRate2,   7,  7, HistoryAmount::Money, u"Rate 2",     u""},
    {&Sheet::BreakP,   5,  5, HistoryAmount::Plain, u"Break",      u"Point"},
    {&Sheet::CalVal,   9, 10, HistoryAmount::Plain, u"Calorific",  u"Value"},
    {&Sheet::CFactor, 10, 10, HistoryAmount::Plain, u"Correction", u"Factor"},
    {&Sheet::SCharge,  6,  6, HistoryAmount::Money, u"Fixed",      u"Charge"},
    {&Sheet::VRate,    5,  5, HistoryAmount::Plain, u"",           u"Rate"},
    {&Sheet::Disc1,    6,  6, HistoryAmount::Money, u"Disc 1",     u""},
    {&Sheet::Disc2,    6,  6, HistoryAmount::Money, u"Disc 2",     u""},
}};
// clang-format on

// The fields joined into a record. A comma followed by blanks inside a field
// (a setting typed as "1.0, x", which its check reads as 1.0) keeps its comma
// alone, so that the record still has exactly its twelve fields.
QString joinHistoryFields(QStringList fields);

// The unit text of the third field: `ConvertF` 1 is hundreds of cubic feet.
QString historyUnitText(int convertF);

// The tax rate column: the rate followed by "%" when its value is above 0.
QString historyTaxRate(const QString& rate, const RegionalForms& forms);
// The rate as it stood in its field, from the text of its column.
QString taxRateOfHistory(const QString& column);

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

// Every field of a whole record, spaces trimmed, in the order of
// HistoryColumns; nothing for any line that readHistoryRecord refuses.
std::optional<std::array<QString, HistoryRecordFields>> readHistoryFields(QStringView line);

// One of the three lines of a page header, whichever the tax word.
bool isHistoryHeaderLine(QStringView line);
