#include "logs/LogColumns.h"

namespace {

// Characters, a surrogate pair counting as one.
qsizetype characters(const QString& text) {
    qsizetype count = text.size();
    for (qsizetype i = 1; i < text.size(); ++i)
        if (text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate())
            --count;
    return count;
}

} // namespace

QString rightAligned(const QString& text, int width, int padding) {
    if (characters(text) >= width)
        return text;
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

QString moneyAligned(const QString& text, int width, int padding, const RegionalForms& forms) {
    if (characters(text) <= width)
        return rightAligned(text, width, padding);
    const qsizetype sign = text.startsWith(u'-') ? 1 : 0;
    return rightAligned(text.left(sign) + forms.withoutCurrencySymbol(text.mid(sign)), width,
                        padding);
}
