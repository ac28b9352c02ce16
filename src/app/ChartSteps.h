#pragma once

#include "logs/HistoryPeriods.h"

#include <QList>
#include <QMap>
#include <QPointF>

// The lines of the Trends chart. Each period is a level step from its first
// date to its last at its daily figure, so that long and short periods show
// for the days they cover. x is the time in milliseconds since the epoch.

// The daily figure of a period that the chart shows.
enum class DailyFigure { KWh, Cost, RepricedCost };

// Steps of `figure` along the periods; more periods than `maxSteps` are taken
// together in runs, each at its runs' total over its days, so that a very long
// log draws as fast as a short one.
QList<QPointF> PeriodSteps(const QList<HistoryPeriod>& periods, DailyFigure figure, int maxSteps);

// The year-on-year view: for each of the last `years` calendar years, the
// steps of its days laid over one leap year (2000), January to December.
QMap<int, QList<QPointF>> YearOnYearSteps(const QList<HistoryPeriod>& periods, DailyFigure figure,
                                          int years);

// The first date of the periods and the last: the log may run backwards
// after an archive boundary, so not those of its first and last period.
struct DateSpan {
    QDate first;
    QDate last;
};
DateSpan SpanOf(const QList<HistoryPeriod>& periods);

// The span of the year-on-year view's x axis: 1 January 2000 to 1 January 2001.
QDate YearOnYearStart();
QDate YearOnYearEnd();

// The chart's x of a date: its start in local time.
double ChartTime(QDate date);
