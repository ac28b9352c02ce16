#pragma once

#include "platform/RegionalForms.h"

#include <QString>

// A text right-aligned in a column of `width` characters: the text preceded by
// `padding` spaces, of which the last `width` characters remain; with less
// padding than width an empty text gives only `padding` spaces. A text longer
// than the column widens it rather than lose a character. Characters, not
// bytes or UTF-16 units, are counted, so "£12.50" fills six.
QString rightAligned(const QString& text, int width, int padding);

// The same for an amount or a money setting: one that does not fit its column
// first gives up its currency symbol (£0.07000 shows as 0.07000 in seven
// characters, -£10,045.93 as -10,045.93), and only then widens the column.
QString moneyAligned(const QString& text, int width, int padding, const RegionalForms& forms);
