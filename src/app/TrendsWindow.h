#pragma once

#include "calc/Sheet.h"
#include "logs/HistoryPeriods.h"
#include "platform/RegionalForms.h"

#include <QWidget>

class PeriodsLoader;
class PeriodsModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class TrendsChart;

// The Trends window: every period of the history log in a sortable table and
// a chart, the totals of each year, the periods re-priced on the tariff of the
// main window, and their export as CSV. Not modal: the main window stays in use.
class TrendsWindow final : public QWidget {
    Q_OBJECT

public:
    TrendsWindow(const RegionalForms& forms, QWidget* parent);
    ~TrendsWindow() override;

    // Reads the history log named in `tariffNow` again, off this thread; the
    // periods are re-priced on the tariff `tariffNow` holds when asked.
    void load(const Sheet& tariffNow);
    // Writes the table as CSV to `path`, whole or not at all; false after a failure.
    bool exportCsv(const QString& path, QString* failure = nullptr) const;

signals:
    // The periods of a `load` are shown.
    void loaded();

private:
    void buildLayout();
    void readHistory();
    void showProgress(qint64 done, qint64 total);
    void showPeriods(const HistoryPeriods& periods, const QString& failure);
    void setRepriced(bool repriced);
    void showYears();
    void showDifference();
    void chooseCsvFile();

    RegionalForms forms_;
    Sheet tariff_;
    HistoryPeriods periods_;
    bool periodsRepriced_ = false;
    PeriodsLoader* loader_;
    PeriodsModel* model_;
    QSortFilterProxyModel* sorted_;
    QStandardItemModel* years_;
    QTableView* table_ = nullptr;
    QTableView* yearTable_ = nullptr;
    QTabWidget* tables_ = nullptr;
    TrendsChart* chart_ = nullptr;
    QComboBox* view_ = nullptr;
    QCheckBox* reprice_ = nullptr;
    QPushButton* export_ = nullptr;
    QLabel* difference_ = nullptr;
    QLabel* skipped_ = nullptr;
    QProgressBar* progress_ = nullptr;
};
