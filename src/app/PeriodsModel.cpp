#include "app/PeriodsModel.h"

#include <cmath>

PeriodsModel::PeriodsModel(const RegionalForms& forms, QObject* parent)
    : QAbstractTableModel(parent), forms_(forms) {}

void PeriodsModel::setPeriods(QList<HistoryPeriod> periods, const QString& totalCostHeading) {
    beginResetModel();
    periods_ = std::move(periods);
    costHeading_ = totalCostHeading;
    endResetModel();
}

void PeriodsModel::setRepriced(bool repriced) {
    if (repriced == repriced_)
        return;
    if (repriced) {
        beginInsertColumns({}, RepricedCost, RepricedCost);
        repriced_ = true;
        endInsertColumns();
    } else {
        beginRemoveColumns({}, RepricedCost, RepricedCost);
        repriced_ = false;
        endRemoveColumns();
    }
}

int PeriodsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(periods_.size());
}

int PeriodsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (repriced_ ? RepricedCost + 1 : RepricedCost);
}

QVariant PeriodsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= periods_.size())
        return {};
    const HistoryPeriod& period = periods_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(period, index.column());
    case SortRole:
        return value(period, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QString PeriodsModel::text(const HistoryPeriod& period, int column) const {
    switch (column) {
    case From:
        return forms_.shortDate(period.from);
    case To:
        return forms_.shortDate(period.to);
    case Days:
        return QString::number(period.days);
    case Volume:
        // Readings have few decimals; their difference in binary has more.
        return forms_.generalNumber(std::round(period.volume * 1000) / 1000) +
               (period.cubicFeet ? QStringLiteral(" ft³") : QStringLiteral(" m³"));
    case KWh:
        return forms_.generalNumber(period.kWh);
    case KWhPerDay:
        return forms_.patternNumber(period.kWhPerDay, 2);
    case Cost:
        return forms_.currency(period.cost);
    case CostPerDay:
        return forms_.currency(period.costPerDay);
    case RepricedCost:
        return period.repricedCost ? forms_.currency(*period.repricedCost) : QString();
    default:
        return {};
    }
}

QVariant PeriodsModel::value(const HistoryPeriod& period, int column) const {
    switch (column) {
    case From:
        return period.from;
    case To:
        return period.to;
    case Days:
        return period.days;
    case Volume:
        return period.volume;
    case KWh:
        return period.kWh;
    case KWhPerDay:
        return period.kWhPerDay;
    case Cost:
        return period.cost;
    case CostPerDay:
        return period.costPerDay;
    case RepricedCost:
        return period.repricedCost.value_or(0.0);
    default:
        return {};
    }
}

QVariant PeriodsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const QStringList headings{QStringLiteral("From"),
                               QStringLiteral("To"),
                               QStringLiteral("Days"),
                               QStringLiteral("Volume"),
                               QStringLiteral("KWHr Used"),
                               QStringLiteral("KWHr per Day"),
                               costHeading_,
                               QStringLiteral("Cost per Day"),
                               QStringLiteral("Re-priced Cost")};
    return headings.value(section);
}
