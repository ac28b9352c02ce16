#pragma once

#include <QString>

// The text with every control character (line breaks, tabs, other C0 and C1
// controls) and every line or paragraph separator replaced by a space, so that
// a text written into a log line can never start a line of its own.
QString withoutControlCharacters(const QString& text);
