#include "app/TableCopy.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
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

namespace {

class CopyKey final : public QObject {
public:
    explicit CopyKey(QAbstractItemView& view) : QObject(&view), view_(view) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool key = event->type() == QEvent::KeyPress;
        if (!key || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return QObject::eventFilter(watched, event);
        QApplication::clipboard()->setText(SelectedCellsText(view_));
        return true;
    }

private:
    QAbstractItemView& view_;
};

} // namespace

void CopySelectedCellsOnKey(QAbstractItemView& view) {
    view.installEventFilter(new CopyKey(view));
}
