#pragma once

#include <QLocale>
#include <QString>

// The locales that regional tests run in: en_GB and en_US, where the money
// symbol is one character in front, and de_DE and sv_SE, where it follows the
// amount. Expected texts are written out here by hand, so that a test never
// takes its expectation from the code it checks.
namespace testlocales {

QLocale britain();
QLocale unitedStates();
QLocale germany();
QLocale sweden();

// For initTestCase_data(): a column "locale" (QLocale) and one row per locale,
// so every test function of the class runs in each of them.
void addLocaleRows();

// A money amount as the locale displays it: £0.12000, $0.12000, 0.12000 €,
// 0.12000 kr (a no-break space before a symbol behind the amount).
QString money(const QLocale& locale, const QString& plain);

// The locale's currency symbol: "£", "$", "€", "kr".
QString symbol(const QLocale& locale);

// "VAT" where the currency is the pound or the euro, "Tax" elsewhere.
QString taxWord(const QLocale& locale);

} // namespace testlocales
