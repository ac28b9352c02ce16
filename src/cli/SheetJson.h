#pragma once

#include "calc/Sheet.h"

#include <QByteArray>

// Every entry, setting and result by control name with the text it shows;
// check boxes as "0" or "1".
QByteArray sheetJson(Sheet& sheet);
