#pragma once

#include "logs/HistoryPeriods.h"
#include "platform/RegionalForms.h"

#include <QAbstractTableModel>

// The periods of the history log as a table: one row a period, its dates and
// money in the user's regional forms. The sort role gives the plain values, so
// that a proxy sorts dates and amounts by value, not by their texts.
class PeriodsModel final : public QAbstractTableModel {
public:
    enum Column { From, To, Days, Volume, KWh, KWhPerDay, Cost, CostPerDay, RepricedCost };
    static constexpr int SortRole = Qt::UserRole;

    PeriodsModel(const RegionalForms& forms, QObject* parent);

    // `totalCostHeading`: the main window's heading of the total inc VAT (the
    // tax word changes with the settings).
    void setPeriods(QList<HistoryPeriod> periods, const QString& totalCostHeading);
    // The re-priced cost is the last column, present only while re-pricing.
    void setRepriced(bool repriced);
    const QList<HistoryPeriod>& periods() const { return periods_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString text(const HistoryPeriod& period, int column) const;
    QVariant value(const HistoryPeriod& period, int column) const;

    RegionalForms forms_;
    QList<HistoryPeriod> periods_;
    QString costHeading_;
    bool repriced_ = false;
};
