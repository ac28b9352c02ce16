#include "app/TrendsWindow.h"

#include "app/ChartSteps.h"
#include "app/PeriodsLoader.h"
#include "app/PeriodsModel.h"
#include "app/TableCopy.h"
#include "app/TrendsChart.h"
#include "app/YearTotals.h"
#include "logs/LogPaths.h"
#include "platform/MessageTitles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Line numbers named on the status line; the tooltip names every one.
constexpr int NamedLines = 10;

QTableView* newTable(QAbstractItemModel* model) {
    auto* table = new QTableView;
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->hide();
    // Rows of one height: a table of a hundred thousand periods scrolls without measuring them.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    CopySelectedCellsOnKey(*table);
    return table;
}

QString plural(qsizetype count, const QString& one, const QString& many) {
    return QString::number(count) + u' ' + (count == 1 ? one : many);
}

QString skippedText(const QList<SkippedRecord>& skipped) {
    if (skipped.isEmpty())
        return {};
    QStringList lines;
    for (const SkippedRecord& record : skipped.first(qMin<qsizetype>(skipped.size(), NamedLines)))
        lines << QString::number(record.line);
    QString text = plural(skipped.size(), QStringLiteral("record"), QStringLiteral("records")) +
                   QStringLiteral(" skipped: ") +
                   (skipped.size() == 1 ? QStringLiteral("line ") : QStringLiteral("lines ")) +
                   lines.join(QStringLiteral(", "));
    if (skipped.size() > NamedLines)
        text += QStringLiteral(" and %1 more").arg(skipped.size() - NamedLines);
    return text;
}

QString skippedReasons(const QList<SkippedRecord>& skipped) {
    QStringList reasons;
    for (const SkippedRecord& record : skipped.first(qMin<qsizetype>(skipped.size(), 40)))
        reasons << QStringLiteral("line %1: %2").arg(record.line).arg(record.reason);
    return reasons.join(u'\n');
}

QString periodsText(const QList<HistoryPeriod>& periods, const RegionalForms& forms) {
    if (periods.isEmpty())
        return QStringLiteral("No periods: the history log needs two readings or more");
    const DateSpan span = SpanOf(periods);
    return plural(periods.size(), QStringLiteral("period"), QStringLiteral("periods")) +
           QStringLiteral(" from %1 to %2")
               .arg(forms.shortDate(span.first), forms.shortDate(span.last));
}

QStandardItem* cell(const QString& text) {
    auto* item = new QStandardItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

TrendsWindow::TrendsWindow(const RegionalForms& forms, QWidget* parent)
    : QWidget(parent, Qt::Window), forms_(forms), loader_(new PeriodsLoader(this)),
      model_(new PeriodsModel(forms, this)), sorted_(new QSortFilterProxyModel(this)),
      years_(new QStandardItemModel(this)) {
    setObjectName(QStringLiteral("TrendsWindow"));
    setWindowTitle(QStringLiteral("Meterwin Trends"));
    setAttribute(Qt::WA_DeleteOnClose);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(PeriodsModel::SortRole);
    buildLayout();
    connect(loader_, &PeriodsLoader::progress, this, &TrendsWindow::showProgress);
    connect(loader_, &PeriodsLoader::loaded, this, &TrendsWindow::showPeriods);
    const QSize room = screen() ? screen()->availableSize() - QSize(40, 80) : QSize(1000, 720);
    resize(QSize(1000, 720).boundedTo(room));
}

TrendsWindow::~TrendsWindow() = default;

void TrendsWindow::buildLayout() {
    view_ = new QComboBox;
    view_->addItems({QStringLiteral("Over time"), QStringLiteral("Year on year: KWHr per day"),
                     QStringLiteral("Year on year: cost per day")});
    view_->setToolTip(QStringLiteral("Show the periods over time, or each year over its months"));
    auto* viewLabel = new QLabel(QStringLiteral("&Chart:"));
    viewLabel->setBuddy(view_);
    reprice_ = new QCheckBox(QStringLiteral("&Re-price on the current tariff"));
    reprice_->setToolTip(
        QStringLiteral("Add the cost of each period on the tariff now in the main window"));
    export_ = new QPushButton(QStringLiteral("&Export CSV…"));
    export_->setToolTip(QStringLiteral("Save the table as a CSV file for a spreadsheet"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(viewLabel);
    bar->addWidget(view_);
    bar->addSpacing(16);
    bar->addWidget(reprice_);
    bar->addStretch();
    bar->addWidget(export_);

    chart_ = new TrendsChart(forms_, nullptr);
    chart_->setMinimumHeight(220);
    table_ = newTable(sorted_);
    table_->setObjectName(QStringLiteral("Periods"));
    // In the order of the log until a heading is clicked: a long log opens unsorted.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    yearTable_ = newTable(years_);
    yearTable_->setObjectName(QStringLiteral("Years"));
    // The chart over the tables, each as wide as the window.
    tables_ = new QTabWidget;
    tables_->addTab(table_, QStringLiteral("&Periods"));
    tables_->addTab(yearTable_, QStringLiteral("&Years"));
    auto* parts = new QSplitter(Qt::Vertical);
    parts->addWidget(chart_);
    parts->addWidget(tables_);
    parts->setChildrenCollapsible(false);
    parts->setSizes({380, 300});

    difference_ = new QLabel;
    difference_->setObjectName(QStringLiteral("Difference"));
    difference_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    difference_->hide();
    skipped_ = new QLabel;
    skipped_->setObjectName(QStringLiteral("Skipped"));
    progress_ = new QProgressBar;
    progress_->setMaximumWidth(240);
    progress_->hide();
    auto* status = new QHBoxLayout;
    status->addWidget(skipped_, 1);
    status->addWidget(progress_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(parts, 1);
    layout->addWidget(difference_);
    layout->addLayout(status);

    connect(view_, &QComboBox::currentIndexChanged, this,
            [this](int view) { chart_->setView(TrendsChart::View(view)); });
    connect(reprice_, &QCheckBox::toggled, this, &TrendsWindow::setRepriced);
    connect(export_, &QPushButton::clicked, this, &TrendsWindow::chooseCsvFile);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TrendsWindow::showDifference);
}

void TrendsWindow::load(const Sheet& tariffNow) {
    tariff_ = tariffNow;
    readHistory();
}

// Re-pricing takes as long again as the reading: only while it is asked for.
void TrendsWindow::readHistory() {
    // The tax word of the cost heading may have changed.
    model_->setPeriods(periods_.periods, tariff_.TVHead.caption);
    export_->setEnabled(false);
    skipped_->setText(QStringLiteral("Reading the history log…"));
    progress_->setRange(0, 0);
    progress_->show();
    periodsRepriced_ = reprice_->isChecked();
    loader_->load(logFilePath(tariff_.HistoryLogName), forms_, tariff_, periodsRepriced_);
}

void TrendsWindow::showProgress(qint64 done, qint64 total) {
    // The bar counts in thousandths: a long log's count would not fit an int.
    progress_->setRange(0, total > 0 ? 1000 : 0);
    progress_->setValue(total > 0 ? int(1000 * done / total) : 0);
}

void TrendsWindow::showPeriods(const HistoryPeriods& periods, const QString& failure) {
    progress_->hide();
    periods_ = periods;
    model_->setPeriods(periods_.periods, tariff_.TVHead.caption);
    chart_->showPeriods(periods_.periods);
    setRepriced(reprice_->isChecked());
    table_->resizeColumnsToContents();
    export_->setEnabled(!periods_.periods.isEmpty());
    const QString skipped = skippedText(periods_.skipped);
    skipped_->setText(failure.isEmpty()
                          ? periodsText(periods_.periods, forms_) +
                                (skipped.isEmpty() ? QString() : "; " + skipped)
                          : QStringLiteral("The history log cannot be read: ") + failure);
    skipped_->setToolTip(skippedReasons(periods_.skipped));
    emit loaded();
}

void TrendsWindow::setRepriced(bool repriced) {
    if (repriced && !periodsRepriced_) {
        readHistory();
        return;
    }
    model_->setRepriced(repriced);
    chart_->setRepriced(repriced);
    table_->resizeColumnToContents(PeriodsModel::RepricedCost);
    showYears();
    showDifference();
}

void TrendsWindow::showYears() {
    const bool repriced = reprice_->isChecked();
    years_->clear();
    // The days show where a year is not whole.
    QStringList headings{QStringLiteral("Year"), QStringLiteral("Days"),
                         QStringLiteral("KWHr Used"), tariff_.TVHead.caption,
                         QStringLiteral("Cost per Day")};
    if (repriced)
        headings << QStringLiteral("Re-priced Cost");
    years_->setHorizontalHeaderLabels(headings);
    for (const YearTotal& year : YearTotals(periods_.periods)) {
        QList<QStandardItem*> row{
            cell(QString::number(year.year)), cell(QString::number(year.days)),
            cell(forms_.wholeNumber(year.kWh)), cell(forms_.currency(year.cost)),
            cell(forms_.currency(year.costPerDay()))};
        if (repriced)
            row << cell(year.repricedCost ? forms_.currency(*year.repricedCost) : QString());
        years_->appendRow(row);
    }
    yearTable_->resizeColumnsToContents();
}

// The re-priced total against the total on the periods' own tariffs, over the
// selected periods or all of them.
void TrendsWindow::showDifference() {
    difference_->setVisible(reprice_->isChecked());
    if (!reprice_->isChecked())
        return;
    QSet<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes())
        rows.insert(sorted_->mapToSource(index).row());
    const bool all = rows.isEmpty();
    double own = 0, now = 0;
    qsizetype counted = 0;
    for (int row = 0; row < periods_.periods.size(); ++row) {
        const HistoryPeriod& period = periods_.periods.at(row);
        if ((all || rows.contains(row)) && period.repricedCost) {
            own += period.cost;
            now += *period.repricedCost;
            ++counted;
        }
    }
    const double change = now - own;
    const bool same = forms_.currency(now) == forms_.currency(own);
    const QString which = all ? QStringLiteral("All ") + plural(counted, QStringLiteral("period"),
                                                                QStringLiteral("periods"))
                              : plural(counted, QStringLiteral("selected period"),
                                       QStringLiteral("selected periods"));
    difference_->setText(
        QStringLiteral("%1: %2 on their own tariffs, %3 on the current tariff, %4")
            .arg(which, forms_.currency(own), forms_.currency(now),
                 same ? QStringLiteral("the same")
                      : forms_.currency(qAbs(change)) +
                            (change > 0 ? QStringLiteral(" more") : QStringLiteral(" less"))));
}

bool TrendsWindow::exportCsv(const QString& path, QString* failure) const {
    // The file is replaced only once all of it is written.
    const QByteArray csv = PeriodsCsv(periods_, reprice_->isChecked()).toUtf8();
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit();
    if (!written && failure)
        *failure = file.errorString();
    return written;
}

void TrendsWindow::chooseCsvFile() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"),
                                     QDir::home().filePath(QStringLiteral("meterwin-periods.csv")),
                                     QStringLiteral("CSV files (*.csv);;All files (*)"));
    QString failure;
    if (!path.isEmpty() && !exportCsv(path, &failure))
        QMessageBox::warning(this, Title::Error,
                             QStringLiteral("The periods could not be written to %1: %2")
                                 .arg(QDir::toNativeSeparators(path), failure));
}
