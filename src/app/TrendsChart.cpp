#include "app/TrendsChart.h"

#include "app/ChartSteps.h"

#include <QCategoryAxis>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

namespace {

// More steps than a plot has pixels across only cost drawing time.
constexpr int MostSteps = 1000;
// The years the year-on-year view compares.
constexpr int ComparedYears = 12;
// About the width that the value axes and the margins take beside the plot.
constexpr int AxesWidth = 160;

bool darkTheme(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < 128;
}

// Evenly spaced hues, bright enough on a dark base and deep enough on a light one.
QColor yearColour(int index, int count, bool dark) {
    return QColor::fromHsv(300 * index / qMax(1, count - 1), 200, dark ? 240 : 190);
}

// From 0 to a little above the highest value, at round numbers.
void fitRange(QValueAxis* axis, const QList<QList<QPointF>>& lines) {
    double top = 0;
    for (const auto& line : lines)
        for (const QPointF& point : line)
            top = qMax(top, point.y());
    axis->setRange(0, top > 0 ? top * 1.05 : 1);
    axis->applyNiceNumbers();
}

} // namespace

TrendsChart::TrendsChart(const RegionalForms& forms, QWidget* parent)
    : QChartView(new QChart, parent), forms_(forms), time_(new QCategoryAxis),
      left_(new QValueAxis), right_(new QValueAxis) {
    setRenderHint(QPainter::Antialiasing);
    chart()->addAxis(time_, Qt::AlignBottom);
    chart()->addAxis(left_, Qt::AlignLeft);
    chart()->addAxis(right_, Qt::AlignRight);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    time_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    followPalette();
}

void TrendsChart::showPeriods(const QList<HistoryPeriod>& periods) {
    periods_ = periods;
    draw();
}

void TrendsChart::setView(View view) {
    if (view == view_)
        return;
    view_ = view;
    draw();
}

void TrendsChart::setRepriced(bool repriced) {
    if (repriced == repriced_)
        return;
    repriced_ = repriced;
    draw();
}

void TrendsChart::draw() {
    chart()->removeAllSeries();
    if (view_ == View::OverTime)
        drawOverTime();
    else
        drawYearOnYear(view_ == View::YearOnYearCost);
}

void TrendsChart::drawOverTime() {
    const auto use = PeriodSteps(periods_, DailyFigure::KWh, MostSteps);
    const auto cost = PeriodSteps(periods_, DailyFigure::Cost, MostSteps);
    const auto repriced =
        repriced_ ? PeriodSteps(periods_, DailyFigure::RepricedCost, MostSteps) : QList<QPointF>();
    addLine(QStringLiteral("KWHr per day"), use, left_);
    addLine(QStringLiteral("Cost per day"), cost, right_);
    if (repriced_) {
        // Dashed: a cost that was not charged.
        QLineSeries* line = addLine(QStringLiteral("Re-priced cost per day"), repriced, right_);
        QPen dashed = line->pen();
        dashed.setStyle(Qt::DashLine);
        line->setPen(dashed);
    }
    markYears();
    left_->setLabelFormat(QStringLiteral("%g"));
    right_->setLabelFormat(QStringLiteral("%.2f"));
    left_->setTitleText(QStringLiteral("KWHr per day"));
    right_->setTitleText(QStringLiteral("Cost per day (%1)").arg(forms_.currencySymbol()));
    right_->setVisible(true);
    fitRange(left_, {use});
    fitRange(right_, {cost, repriced});
}

void TrendsChart::drawYearOnYear(bool cost) {
    const auto years =
        YearOnYearSteps(periods_, cost ? DailyFigure::Cost : DailyFigure::KWh, ComparedYears);
    const bool dark = darkTheme(palette());
    int index = 0;
    for (auto year = years.begin(); year != years.end(); ++year, ++index) {
        addLine(QString::number(year.key()), year.value(), left_)
            ->setColor(yearColour(index, int(years.size()), dark));
    }
    markMonths();
    left_->setLabelFormat(cost ? QStringLiteral("%.2f") : QStringLiteral("%g"));
    left_->setTitleText(cost ? QStringLiteral("Cost per day (%1)").arg(forms_.currencySymbol())
                             : QStringLiteral("KWHr per day"));
    right_->setVisible(false);
    fitRange(left_, years.values());
}

QLineSeries* TrendsChart::addLine(const QString& name, const QList<QPointF>& points,
                                  QValueAxis* axis) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->replace(points);
    chart()->addSeries(line);
    line->attachAxis(time_);
    line->attachAxis(axis);
    return line;
}

namespace {

void clearMarks(QCategoryAxis* axis) {
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
}

} // namespace

// Whole years from the first date's year to the one that holds the last day:
// each year named in its middle, or, over many years, every few years named
// at its first day.
void TrendsChart::markYears() {
    clearMarks(time_);
    if (periods_.isEmpty())
        return;
    const DateSpan span = SpanOf(periods_);
    const int from = span.first.year();
    const int years = span.last.addDays(-1).year() + 1 - from;
    // As many year names as the width holds with room between them.
    const int room = QFontMetrics(time_->labelsFont()).horizontalAdvance(QStringLiteral("0000 00"));
    const int marks = qMax(2, (width() - AxesWidth) / qMax(1, room));
    const int step = (years + marks - 1) / marks;
    // Whole steps, so that the last name stands as far from the one before as the others.
    const int to = from + (years + step - 1) / step * step;
    time_->setStartValue(ChartTime(QDate(from, 1, 1)));
    time_->setLabelsPosition(step == 1 ? QCategoryAxis::AxisLabelsPositionCenter
                                       : QCategoryAxis::AxisLabelsPositionOnValue);
    for (int year = from; year < to; year += step)
        time_->append(QString::number(step == 1 ? year : year + step),
                      ChartTime(QDate(year + step, 1, 1)));
    time_->setRange(ChartTime(QDate(from, 1, 1)), ChartTime(QDate(to, 1, 1)));
}

// January to December of the view's year, each month named in its middle.
void TrendsChart::markMonths() {
    clearMarks(time_);
    time_->setStartValue(ChartTime(YearOnYearStart()));
    time_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    for (int month = 1; month <= 12; ++month)
        time_->append(forms_.monthAbbreviation(month),
                      ChartTime(YearOnYearStart().addMonths(month)));
    time_->setRange(ChartTime(YearOnYearStart()), ChartTime(YearOnYearEnd()));
}

void TrendsChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // The year names spread out or thin with the width.
    if (view_ == View::OverTime)
        markYears();
}

void TrendsChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        followPalette();
    QChartView::changeEvent(event);
}

// The chart takes the desktop's colours, so that it reads in light and dark themes.
void TrendsChart::followPalette() {
    const QPalette colours = palette();
    chart()->setTheme(darkTheme(colours) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart()->setBackgroundBrush(colours.base());
    chart()->setBackgroundPen(Qt::NoPen);
    chart()->legend()->setLabelColor(colours.color(QPalette::Text));
    for (QAbstractAxis* axis : chart()->axes()) {
        axis->setLabelsBrush(colours.text());
        axis->setTitleBrush(colours.text());
        axis->setGridLineColor(colours.color(QPalette::Mid));
        axis->setLinePenColor(colours.color(QPalette::Mid));
    }
    draw();
}
