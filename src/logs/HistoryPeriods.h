#pragma once

#include "calc/Sheet.h"
#include "platform/FileSystem.h"
#include "platform/RegionalForms.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// One saved period: from the record before to this record, calculated on the
// tariff of this record exactly as Calculate calculates it.
struct HistoryPeriod {
    qsizetype line = 0; // 1-based line of the later record in the history log
    QDate from, to;
    qint64 days = 0;
    double readingFrom = 0, readingTo = 0, volume = 0;
    bool cubicFeet = false;        // the later record's unit: hundreds of cubic feet
    double kWh = 0, kWhPerDay = 0; // per day rounded half away from zero to 2 places
    // Inc VAT after both discounts, rounded to the currency as Calculate shows
    // them, but keeping the sign that the window shows only in orange.
    double cost = 0, costPerDay = 0;
    std::optional<double> repricedCost; // with PeriodOptions::reprice
    double co2 = 0;                     // kg, with the current CO2 rate
};

// A line that looked like a record, or broke the run of records, but gave no
// period.
struct SkippedRecord {
    qsizetype line = 0;
    QString reason;
    friend bool operator==(const SkippedRecord&, const SkippedRecord&) = default;
};

struct HistoryPeriods {
    QList<HistoryPeriod> periods;
    QList<SkippedRecord> skipped;
};

struct PeriodOptions {
    bool reprice = false;          // also price each period on `tariffNow`
    std::optional<QDate> from, to; // keep periods within these dates
    // Told the bytes read now and then, may be empty; returning false stops the
    // reading, which then gives the periods read so far.
    std::function<bool(qint64 done, qint64 total)> progress;
};

// Streams the history log at `path` into periods, one per pair of readable
// records in a row. A record that cannot be read, or whose period Calculate
// would refuse, is skipped with its reason and starts the run afresh; nothing
// is guessed. Pure apart from reading the file, so it may run on a worker
// thread with a FileSystem of its own. `tariffNow` holds the current settings:
// its CO2 rate and options are used for every period and its tariff for
// re-pricing. A file that cannot be read throws FileFailure.
HistoryPeriods PeriodsOfHistory(FileSystem& files, const QString& path, const RegionalForms& forms,
                                const Sheet& tariffNow, const PeriodOptions& options);

// RFC 4180 CSV with one header row, CR LF line ends, ISO 8601 dates and plain
// numbers with "." and no currency symbol; the columns of PeriodsJson in its
// order (repricedCost only when `repriced`).
QString PeriodsCsv(const HistoryPeriods& periods, bool repriced);
// {"periods": [{"from", "to", "days", "readingFrom", "readingTo", "volume",
// "unit" ("m3" or "ft3"), "kWh", "kWhPerDay", "cost", "costPerDay"
// [, "repricedCost"]}...], "skipped": [{"line", "reason"}...]}
QByteArray PeriodsJson(const HistoryPeriods& periods, bool repriced);
