#pragma once

#include "logs/HistoryPeriods.h"

#include <QList>
#include <optional>

// One calendar year of the periods. A period that spans the turn of a year
// counts in each year for its days there, at its own daily use and cost, so
// that quarterly readings taken on the 1st of a month add up to whole years.
struct YearTotal {
    int year = 0;
    qint64 days = 0;
    double kWh = 0;
    double cost = 0;
    std::optional<double> repricedCost; // when every period of the year has one
    double costPerDay() const { return days > 0 ? cost / double(days) : 0; }
};

// The years the periods cover, earliest first.
QList<YearTotal> YearTotals(const QList<HistoryPeriod>& periods);
