#pragma once

#include <QString>

// A text right-aligned in a column of `width` characters: the text preceded by
// `padding` spaces, of which only the last `width` characters remain. A longer
// text loses its first characters; with less padding than width an empty text
// gives only `padding` spaces. Characters, not bytes or UTF-16 units, are
// counted, so "£12.50" fills six.
QString rightAligned(const QString& text, int width, int padding);
