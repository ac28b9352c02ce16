#include "app/ChartSteps.h"

#include <QDateTime>

namespace {

double total(const HistoryPeriod& period, DailyFigure figure) {
    switch (figure) {
    case DailyFigure::KWh:
        return period.kWh;
    case DailyFigure::Cost:
        return period.cost;
    case DailyFigure::RepricedCost:
        return period.repricedCost.value_or(0.0);
    }
    return 0;
}

double perDay(double amount, qint64 days) {
    return days > 0 ? amount / double(days) : 0;
}

void addStep(QList<QPointF>& steps, QDate from, QDate to, double value) {
    steps << QPointF(ChartTime(from), value) << QPointF(ChartTime(to), value);
}

// A date of `year` on the view's leap year; the first day of the next year
// is the view's end.
QDate onViewYear(QDate date, int year) {
    if (date.year() > year)
        return YearOnYearEnd();
    return QDate(YearOnYearStart().year(), date.month(), date.day());
}

} // namespace

double ChartTime(QDate date) {
    return double(date.startOfDay().toMSecsSinceEpoch());
}

QDate YearOnYearStart() {
    return QDate(2000, 1, 1);
}

QDate YearOnYearEnd() {
    return QDate(2001, 1, 1);
}

DateSpan SpanOf(const QList<HistoryPeriod>& periods) {
    DateSpan span;
    for (const HistoryPeriod& period : periods) {
        if (!span.first.isValid() || period.from < span.first)
            span.first = period.from;
        span.last = qMax(span.last, period.to);
    }
    return span;
}

QList<QPointF> PeriodSteps(const QList<HistoryPeriod>& periods, DailyFigure figure, int maxSteps) {
    QList<QPointF> steps;
    const qsizetype run = qMax<qsizetype>(1, (periods.size() + maxSteps - 1) / maxSteps);
    steps.reserve(2 * (periods.size() / run + 1));
    for (qsizetype first = 0; first < periods.size(); first += run) {
        const qsizetype end = qMin(first + run, periods.size());
        double amount = 0;
        qint64 days = 0;
        for (qsizetype i = first; i < end; ++i) {
            amount += total(periods.at(i), figure);
            days += periods.at(i).days;
        }
        addStep(steps, periods.at(first).from, periods.at(end - 1).to, perDay(amount, days));
    }
    return steps;
}

QMap<int, QList<QPointF>> YearOnYearSteps(const QList<HistoryPeriod>& periods, DailyFigure figure,
                                          int years) {
    QMap<int, QList<QPointF>> steps;
    if (periods.isEmpty())
        return steps;
    const int first = SpanOf(periods).last.addDays(-1).year() - years + 1;
    for (const HistoryPeriod& period : periods) {
        const double value = perDay(total(period, figure), period.days);
        for (QDate start = qMax(period.from, QDate(first, 1, 1)); start < period.to;) {
            const int year = start.year();
            const QDate end = qMin(period.to, QDate(year + 1, 1, 1));
            addStep(steps[year], onViewYear(start, year), onViewYear(end, year), value);
            start = end;
        }
    }
    return steps;
}
