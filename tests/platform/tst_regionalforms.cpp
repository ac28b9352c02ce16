#include "platform/RegionalForms.h"
#include "platform/RunTimeFailure.h"
#include "support/TestMain.h"

#include <QTest>
#include <cmath>
#include <limits>

// The value forms every field goes through.
class TestRegionalForms : public QObject {
    Q_OBJECT

private slots:
    void leadingNumber_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const QString gb = QStringLiteral("en_GB");
        QTest::newRow("empty") << gb << "" << 0.0;
        QTest::newRow("plain") << gb << "12.5" << 12.5;
        QTest::newRow("blanks anywhere") << gb << " 1 2.5" << 12.5;
        QTest::newRow("tab and line feed") << gb << "\t1\n2" << 12.0;
        QTest::newRow("trailing text") << gb << "0.12abc" << 0.12;
        QTest::newRow("reading with text") << gb << "12abc" << 12.0;
        QTest::newRow("letters first") << gb << "abc" << 0.0;
        QTest::newRow("currency symbol first") << gb << "£5.00" << 0.0;
        QTest::newRow("minus") << gb << "-5" << -5.0;
        QTest::newRow("minus apart") << gb << "- 5" << -5.0;
        QTest::newRow("plus") << gb << "+7" << 7.0;
        QTest::newRow("point first") << gb << ".5" << 0.5;
        QTest::newRow("point last") << gb << "5." << 5.0;
        QTest::newRow("second point stops") << gb << "1.2.3" << 1.2;
        QTest::newRow("comma stops in en_GB") << gb << "1,234" << 1.0;
        QTest::newRow("exponent E") << gb << "1.5E3" << 1500.0;
        QTest::newRow("exponent D") << gb << "2D2" << 200.0;
        QTest::newRow("negative exponent") << gb << "25e-1" << 2.5;
        QTest::newRow("exponent without digits") << gb << "3e" << 3.0;
        QTest::newRow("exponent sign without digits") << gb << "3e+x" << 3.0;
        QTest::newRow("hexadecimal") << gb << "&H1F" << 31.0;
        QTest::newRow("hexadecimal lower case") << gb << "&hff" << 255.0;
        QTest::newRow("octal") << gb << "&O17" << 15.0;
        QTest::newRow("16-bit wraps negative") << gb << "&HFFFF" << -1.0;
        QTest::newRow("16-bit lowest") << gb << "&H8000" << -32768.0;
        QTest::newRow("past 16 bits widens to 32") << gb << "&H10000" << 65536.0;
        QTest::newRow("32-bit wraps negative") << gb << "&HFFFFFFFF" << -1.0;
        QTest::newRow("past 32 bits stops") << gb << "&H123456789" << 305419896.0;
        QTest::newRow("ampersand alone") << gb << "&" << 0.0;
        QTest::newRow("ampersand other") << gb << "&X1" << 0.0;
        QTest::newRow("tiny exponent") << gb << "1e-400" << 0.0;
        QTest::newRow("comma decimal in de_DE") << "de_DE"
                                                << "0,12" << 0.12;
        QTest::newRow("point decimal in de_DE") << "de_DE"
                                                << "0.12" << 0.12;
        QTest::newRow("comma decimal in fr_FR") << "fr_FR"
                                                << "39,5" << 39.5;
        QTest::newRow("suffix symbol in de_DE") << "de_DE"
                                                << "12.50 €" << 12.5;
    }
    void leadingNumber() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(RegionalForms(QLocale(locale)).leadingNumber(text), value);
    }

    void leadingNumberBeyondRange() {
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        QVERIFY(std::isinf(forms.leadingNumber(u"1e400")));
        QVERIFY(forms.leadingNumber(u"-1e400") < 0);
    }

    void regionalNumber_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "en_GB"
                               << "0.12000" << true << 0.12;
        QTest::newRow("blanks around") << "en_GB"
                                       << " 5 " << true << 5.0;
        QTest::newRow("currency") << "en_GB"
                                  << "£23.68" << true << 23.68;
        QTest::newRow("negative currency") << "en_GB"
                                           << "-£12.50" << true << -12.5;
        QTest::newRow("grouping") << "en_GB"
                                  << "1,234.5" << true << 1234.5;
        QTest::newRow("exponent") << "en_GB"
                                  << "1.5E+16" << true << 1.5e16;
        QTest::newRow("empty") << "en_GB"
                               << "" << false << 0.0;
        QTest::newRow("blanks only") << "en_GB"
                                     << "  " << false << 0.0;
        QTest::newRow("trailing letters") << "en_GB"
                                          << "0.2x" << false << 0.0;
        QTest::newRow("blank inside") << "en_GB"
                                      << "1 2" << false << 0.0;
        QTest::newRow("symbol alone") << "en_GB"
                                      << "£" << false << 0.0;
        QTest::newRow("other symbol") << "en_GB"
                                      << "$5" << false << 0.0;
        QTest::newRow("infinity") << "en_GB"
                                  << "inf" << false << 0.0;
        QTest::newRow("not a number") << "en_GB"
                                      << "nan" << false << 0.0;
        QTest::newRow("overflow") << "en_GB"
                                  << "1e400" << false << 0.0;
        QTest::newRow("dollar") << "en_US"
                                << "$5.00" << true << 5.0;
        QTest::newRow("own form in de_DE") << "de_DE"
                                           << "39.500" << true << 39.5;
        QTest::newRow("regional form in de_DE") << "de_DE"
                                                << "0,12" << true << 0.12;
        QTest::newRow("regional grouping in de_DE") << "de_DE"
                                                    << "1.234,5" << true << 1234.5;
        QTest::newRow("euro behind") << "de_DE"
                                     << "12.50 €" << true << 12.5;
        QTest::newRow("negative euro") << "de_DE"
                                       << "-12.50\u00A0€" << true << -12.5;
        QTest::newRow("francs in front") << "de_CH"
                                         << "CHF 12.50" << true << 12.5;
        QTest::newRow("kronor behind") << "sv_SE"
                                       << "12.50 kr" << true << 12.5;
        QTest::newRow("kronor comma") << "sv_SE"
                                      << "12,5" << true << 12.5;
    }
    void regionalNumber() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(double, value);
        const RegionalForms forms{QLocale(locale)};
        QCOMPARE(forms.isNumeric(text), numeric);
        if (numeric)
            QCOMPARE(forms.regionalNumber(text), value);
        else
            QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.regionalNumber(text));
    }

    void patternNumber_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<QString>("text");
        QTest::newRow("2.675 up") << 2.675 << 2 << "2.68";
        QTest::newRow("1.005 up") << 1.005 << 2 << "1.01";
        QTest::newRow("0.125 up") << 0.125 << 2 << "0.13";
        QTest::newRow("99.995 carries") << 99.995 << 2 << "100.00";
        QTest::newRow("-2.5 away from zero") << -2.5 << 0 << "-3";
        QTest::newRow("2.5 away from zero") << 2.5 << 0 << "3";
        QTest::newRow("2.4999 down") << 2.4999 << 0 << "2";
        QTest::newRow("kWh 108.33") << 108.333333333333 << 0 << "108";
        QTest::newRow("305.64 up") << 305.64 << 0 << "306";
        QTest::newRow("no minus on zero") << -0.001 << 2 << "0.00";
        QTest::newRow("zero") << 0.0 << 3 << "0.000";
        QTest::newRow("correction factor") << 1.02264 << 6 << "1.022640";
        QTest::newRow("calorific value") << 39.5 << 3 << "39.500";
        QTest::newRow("rate") << 0.1 << 5 << "0.10000";
        QTest::newRow("small value many places") << 0.0000004 << 6 << "0.000000";
        QTest::newRow("small value rounds up") << 0.0000005 << 6 << "0.000001";
        QTest::newRow("one decimal") << 26.4 << 1 << "26.4";
        QTest::newRow("CO2") << 43.6 << 1 << "43.6";
        QTest::newRow("large") << 1e20 << 2 << "100000000000000000000.00";
        QTest::newRow("no grouping") << 1234567.0 << 0 << "1234567";
    }
    void patternNumber() {
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(QString, text);
        for (const char* name : {"en_GB", "de_DE", "fr_FR", "sv_SE"})
            QCOMPARE(RegionalForms(QLocale(QString::fromLatin1(name))).patternNumber(value, places),
                     text);
    }

    void generalNumber_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fraction") << 23.675 / 90 << "0.263055555555556";
        QTest::newRow("short") << 23.5 * 1.05 - 1 << "23.675";
        QTest::newRow("half") << 12.5 << "12.5";
        QTest::newRow("whole") << 91.0 << "91";
        QTest::newRow("third") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3";
        QTest::newRow("negative") << -12.5 << "-12.5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("last plain large") << 999999999999999.0 << "999999999999999";
        QTest::newRow("first exponent large") << 1e15 << "1E+15";
        QTest::newRow("exponent form") << 14111111113353400.0 << "1.41111111133534E+16";
        QTest::newRow("last plain small") << 0.0001 << "0.0001";
        QTest::newRow("first exponent small") << 0.00001 << "1E-05";
        QTest::newRow("negative small") << -0.000012 << "-1.2E-05";
    }
    void generalNumber() {
        QFETCH(double, value);
        QFETCH(QString, text);
        for (const char* name : {"en_GB", "de_DE"})
            QCOMPARE(RegionalForms(QLocale(QString::fromLatin1(name))).generalNumber(value), text);
    }

    void nonFiniteValuesFail() {
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.generalNumber(inf));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.patternNumber(nan, 2));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.currency(-inf));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, checkedDivide(1, 0));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, checkedDivide(0, 0));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, checkedValue(1e308 * 10));
        QCOMPARE(checkedDivide(1, 4), 0.25);
    }

    void currency_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("pound") << "en_GB" << 23.675 << "£23.68"
                               << "£";
        QTest::newRow("pound negative") << "en_GB" << -12.5 << "-£12.50"
                                        << "£";
        QTest::newRow("pound tiny negative") << "en_GB" << -0.004 << "£0.00"
                                             << "£";
        QTest::newRow("pound no grouping") << "en_GB" << 1234.5 << "£1234.50"
                                           << "£";
        QTest::newRow("dollar") << "en_US" << 3.5 << "$3.50"
                                << "$";
        QTest::newRow("euro") << "de_DE" << 23.675 << "23.68\u00A0€"
                              << "€";
        QTest::newRow("euro negative") << "fr_FR" << -5.0 << "-5.00\u00A0€"
                                       << "€";
        QTest::newRow("francs") << "de_CH" << 20.0 << "20.00\u00A0CHF"
                                << "CHF";
        QTest::newRow("kronor") << "sv_SE" << 14.5 << "14.50\u00A0kr"
                                << "kr";
        QTest::newRow("yen without decimals") << "ja_JP" << 1234.5 << "￥1235"
                                              << "￥";
    }
    void currency() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(QString, symbol);
        const RegionalForms forms{QLocale(locale)};
        QCOMPARE(forms.currency(value), text);
        QCOMPARE(forms.currencySymbol(), symbol);
        // Every amount the program writes reads back to its rounded value.
        QCOMPARE(forms.regionalNumber(text),
                 forms.regionalNumber(forms.patternNumber(value, forms.currencyDecimals())));
    }

    void currencySymbolOnAndOff_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("display");
        QTest::newRow("pound") << "en_GB"
                               << "£12.50";
        QTest::newRow("euro") << "de_DE"
                              << "12.50\u00A0€";
        QTest::newRow("francs") << "de_CH"
                                << "12.50\u00A0CHF";
        QTest::newRow("kronor") << "sv_SE"
                                << "12.50\u00A0kr";
    }
    void currencySymbolOnAndOff() {
        QFETCH(QString, locale);
        QFETCH(QString, display);
        const RegionalForms forms{QLocale(locale)};
        QCOMPARE(forms.withCurrencySymbol(QStringLiteral("12.50")), display);
        QVERIFY(forms.hasCurrencySymbol(display));
        QCOMPARE(forms.withoutCurrencySymbol(display), QStringLiteral("12.50"));
        // A plain amount keeps every digit.
        QCOMPARE(forms.withoutCurrencySymbol(QStringLiteral("12.50")), QStringLiteral("12.50"));
        QVERIFY(!forms.hasCurrencySymbol(QStringLiteral("12.50")));
    }

    void onlyOneLeadingSymbolIsTakenOff() {
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        QCOMPARE(forms.withoutCurrencySymbol(QStringLiteral("££5")), QStringLiteral("£5"));
    }

    void dates_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("shortDate");
        QTest::addColumn<QString>("stamp");
        const QDate day(2026, 9, 4);
        QTest::newRow("en_GB") << "en_GB" << day << "04/09/2026"
                               << "04-Sep-26 06:35:53";
        QTest::newRow("en_US") << "en_US" << day << "9/4/26"
                               << "04-Sep-26 06:35:53";
        QTest::newRow("de_DE") << "de_DE" << day << "04.09.26"
                               << "04-Sep-26 06:35:53";
        QTest::newRow("fr_FR") << "fr_FR" << QDate(2026, 3, 14) << "14/03/2026"
                               << "14-mar-26 06:35:53";
        QTest::newRow("de_DE March") << "de_DE" << QDate(2026, 3, 14) << "14.03.26"
                                     << "14-Mär-26 06:35:53";
    }
    void dates() {
        QFETCH(QString, locale);
        QFETCH(QDate, date);
        QFETCH(QString, shortDate);
        QFETCH(QString, stamp);
        const RegionalForms forms{QLocale(locale)};
        const QDateTime moment(date, QTime(6, 35, 53));
        QCOMPARE(forms.shortDate(date), shortDate);
        QCOMPARE(forms.logTimestamp(moment), stamp);
        QCOMPARE(forms.shortDateTime(moment), shortDate + QStringLiteral(" 06:35:53"));
        // What the program writes, it reads back.
        QCOMPARE(forms.dateValue(shortDate), date);
    }

    void clockTimeIs24Hour() {
        QCOMPARE(RegionalForms::clockTime(QTime(18, 2, 11)), QStringLiteral("18:02:11"));
        QCOMPARE(RegionalForms::clockTime(QTime(6, 5, 9)), QStringLiteral("06:05:09"));
    }

    void dayArithmetic_data() {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("months");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<qint64>("days");
        QTest::newRow("quarter") << QDate(2015, 1, 1) << 3 << QDate(2015, 4, 1) << qint64(90);
        QTest::newRow("year") << QDate(2015, 1, 1) << 12 << QDate(2016, 1, 1) << qint64(365);
        QTest::newRow("31 Aug + 6") << QDate(2023, 8, 31) << 6 << QDate(2024, 2, 29) << qint64(182);
        QTest::newRow("31 Aug + 6 no leap")
            << QDate(2014, 8, 31) << 6 << QDate(2015, 2, 28) << qint64(181);
        QTest::newRow("31 Jan + 3") << QDate(2015, 1, 31) << 3 << QDate(2015, 4, 30) << qint64(89);
    }
    void dayArithmetic() {
        QFETCH(QDate, from);
        QFETCH(int, months);
        QFETCH(QDate, to);
        QFETCH(qint64, days);
        QCOMPARE(RegionalForms::addMonths(from, months), to);
        QCOMPARE(RegionalForms::dayCount(from, to), days);
        QCOMPARE(RegionalForms::dayCount(to, from), -days);
    }
};

MW_REGISTER_TEST(TestRegionalForms)
#include "tst_regionalforms.moc"
