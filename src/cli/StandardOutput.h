#pragma once

#include <QString>

// Writes `text` to standard output and flushes it. When the output cannot take
// it (a full disk, a closed file) says so on standard error and returns false:
// a report that was lost must not look like success.
bool writeStandardOutput(const QString& text);
