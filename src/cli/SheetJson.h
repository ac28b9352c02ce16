#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

#include <QByteArray>
#include <QStringList>

// Every entry, setting and result by control name with the text it shows;
// check boxes as "0" or "1". Under "values", each of them that is a figure as
// a number, as the program reads it (no currency symbol, no grouping), the
// dates as yyyy-mm-dd and the check boxes as 0 or 1; an empty field is null.
QByteArray sheetJson(Sheet& sheet, const RegionalForms& forms);

// A refusal: {"messages": [...]} with every line of the messages shown.
QByteArray messagesJson(const QStringList& lines);
