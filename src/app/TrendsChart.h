#pragma once

#include "logs/HistoryPeriods.h"
#include "platform/RegionalForms.h"

#include <QChartView>

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

// The chart of the Trends window: the daily use and cost of the periods over
// time (use on the left axis, money on the right), or one line a year over the
// months January to December, so that the same months of each year compare.
class TrendsChart final : public QChartView {
public:
    enum class View { OverTime, YearOnYearUse, YearOnYearCost };

    // `forms` names the months and the currency of the money axis.
    TrendsChart(const RegionalForms& forms, QWidget* parent);

    void showPeriods(const QList<HistoryPeriod>& periods);
    void setView(View view);
    void setRepriced(bool repriced);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void draw();
    void drawOverTime();
    void drawYearOnYear(bool cost);
    QLineSeries* addLine(const QString& name, const QList<QPointF>& points, QValueAxis* axis);
    void followPalette();
    void markYears();
    void markMonths();

    RegionalForms forms_;
    QList<HistoryPeriod> periods_;
    View view_ = View::OverTime;
    bool repriced_ = false;
    // Time in milliseconds, marked with years or months.
    QCategoryAxis* time_;
    QValueAxis* left_;
    QValueAxis* right_;
};
