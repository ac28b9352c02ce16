#include "platform/ControlCharacters.h"

QString withoutControlCharacters(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            c = u' ';
    }
    return result;
}
