#include "app/TableCopy.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMap>

QString SelectedCellsText(const QAbstractItemView& view) {
    const QModelIndexList cells = view.selectionModel()->selectedIndexes();
    if (cells.isEmpty())
        return {};
    // By row, then by column, as the view shows them (the proxy's order).
    QMap<int, QMap<int, QString>> rows;
    int first = cells.first().column(), last = first;
    for (const QModelIndex& cell : cells) {
        rows[cell.row()][cell.column()] = cell.data(Qt::DisplayRole).toString();
        first = qMin(first, cell.column());
        last = qMax(last, cell.column());
    }
    QString text;
    for (const auto& row : rows) {
        QStringList line;
        for (int column = first; column <= last; ++column)
            line << row.value(column);
        text += line.join(u'\t') + u'\n';
    }
    return text;
}

void CopySelectedCellsOnKey(QAbstractItemView& view) {
    auto* copy = new QAction(&view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QAction::triggered, &view,
                     [&view] { QApplication::clipboard()->setText(SelectedCellsText(view)); });
    view.addAction(copy);
}
