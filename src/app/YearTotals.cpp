#include "app/YearTotals.h"

#include <QMap>

namespace {

// Adds the part of `period` that falls in one year: `days` of its days.
void addShare(YearTotal& total, const HistoryPeriod& period, qint64 days) {
    const double share = period.days > 0 ? double(days) / double(period.days) : 1.0;
    total.days += days;
    total.kWh += period.kWh * share;
    total.cost += period.cost * share;
    if (period.repricedCost && total.repricedCost)
        *total.repricedCost += *period.repricedCost * share;
    else
        total.repricedCost.reset();
}

} // namespace

QList<YearTotal> YearTotals(const QList<HistoryPeriod>& periods) {
    QMap<int, YearTotal> years;
    for (const HistoryPeriod& period : periods) {
        // The days of a period run from its first date up to its last.
        for (QDate start = period.from; start < period.to;) {
            const int year = start.year();
            const QDate end = qMin(period.to, QDate(year + 1, 1, 1));
            auto found = years.find(year);
            if (found == years.end())
                found = years.insert(year, YearTotal{year, 0, 0, 0, 0.0});
            addShare(*found, period, start.daysTo(end));
            start = end;
        }
    }
    return years.values();
}
