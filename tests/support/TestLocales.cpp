#include "support/TestLocales.h"

#include <QTest>

namespace testlocales {

QLocale britain() {
    return QLocale(QLocale::English, QLocale::UnitedKingdom);
}

QLocale unitedStates() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QLocale germany() {
    return QLocale(QLocale::German, QLocale::Germany);
}

QLocale sweden() {
    return QLocale(QLocale::Swedish, QLocale::Sweden);
}

void addLocaleRows() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("en_GB") << britain();
    QTest::newRow("en_US") << unitedStates();
    QTest::newRow("de_DE") << germany();
    QTest::newRow("sv_SE") << sweden();
}

QString symbol(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::German:
        return QStringLiteral("\u20AC");
    case QLocale::Swedish:
        return QStringLiteral("kr");
    default:
        return locale.territory() == QLocale::UnitedStates ? QStringLiteral("$")
                                                           : QStringLiteral("\u00A3");
    }
}

QString money(const QLocale& locale, const QString& plain) {
    if (locale.language() == QLocale::English)
        return symbol(locale) + plain;
    return plain + QChar(0x00A0) + symbol(locale);
}

QString taxWord(const QLocale& locale) {
    const QString s = symbol(locale);
    return s == QStringLiteral("\u20AC") || s == QStringLiteral("\u00A3") ? QStringLiteral("VAT")
                                                                          : QStringLiteral("Tax");
}

} // namespace testlocales
