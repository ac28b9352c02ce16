#include "logs/LogColumns.h"

QString rightAligned(const QString& text, int width, int padding) {
    const QString padded = QString(padding, u' ') + text;
    // Walk back `width` characters, keeping a surrogate pair whole.
    qsizetype start = padded.size();
    for (int kept = 0; kept < width && start > 0; ++kept) {
        --start;
        if (start > 0 && padded.at(start).isLowSurrogate() &&
            padded.at(start - 1).isHighSurrogate())
            --start;
    }
    return padded.mid(start);
}
