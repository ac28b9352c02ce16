#pragma once

#include <QString>

class QAbstractItemView;

// The selected cells of a table as a spreadsheet pastes them: one line a row,
// cells separated by tabs, in the order the table shows them; cells of the
// rectangle around the selection that are not selected stay empty.
QString SelectedCellsText(const QAbstractItemView& view);

// The platform's copy key (Ctrl+C) in `view` puts all its selected cells on
// the clipboard, where the view itself would copy only the current one.
void CopySelectedCellsOnKey(QAbstractItemView& view);
