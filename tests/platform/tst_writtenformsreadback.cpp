#include "platform/RegionalForms.h"
#include "support/TestMain.h"

#include <QTest>
#include <cmath>
#include <limits>

// Every text the program writes reads back as what was written, at the edges
// of the ranges too.
class TestWrittenFormsReadBack : public QObject {
    Q_OBJECT

private slots:
    void largestValues_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("general");
        const double largest = std::numeric_limits<double>::max();
        QTest::newRow("largest") << largest << "1.79769313486231E+308";
        QTest::newRow("largest negative") << -largest << "-1.79769313486231E+308";
        QTest::newRow("next below largest")
            << std::nextafter(largest, 0.0) << "1.79769313486231E+308";
        QTest::newRow("last that rounds normally")
            << 1.797693134862314e308 << "1.79769313486231E+308";
        QTest::newRow("just below") << 1.79769313486230e308 << "1.7976931348623E+308";
    }
    void largestValues() {
        QFETCH(double, value);
        QFETCH(QString, general);
        for (const char* name : {"en_GB", "de_DE", "de_CH"}) {
            const RegionalForms forms{QLocale(QString::fromLatin1(name))};
            QCOMPARE(forms.generalNumber(value), general);
            const double back = forms.regionalNumber(general);
            QVERIFY(std::isfinite(back));
            QVERIFY(std::fabs(back - value) <= 1e-14 * std::fabs(value));
            const QString pattern = forms.patternNumber(value, 2);
            QVERIFY(pattern.endsWith(QStringLiteral("00000.00")));
            QCOMPARE(forms.leadingNumber(pattern), forms.regionalNumber(general));
            QCOMPARE(forms.regionalNumber(forms.currency(value)), forms.regionalNumber(general));
        }
    }

    void shortDateYears_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("en_US first two-digit year") << "en_US" << QDate(1930, 1, 1) << "1/1/30";
        QTest::newRow("en_US last two-digit year") << "en_US" << QDate(2029, 12, 31) << "12/31/29";
        QTest::newRow("en_US before the window") << "en_US" << QDate(1929, 12, 31) << "12/31/1929";
        QTest::newRow("en_US after the window") << "en_US" << QDate(2030, 1, 1) << "1/1/2030";
        QTest::newRow("en_US 1850") << "en_US" << QDate(1850, 3, 1) << "3/1/1850";
        QTest::newRow("de_DE 2045") << "de_DE" << QDate(2045, 4, 22) << "22.04.2045";
        QTest::newRow("de_CH far year") << "de_CH" << QDate(6745, 4, 22) << "22.04.6745";
        QTest::newRow("de_DE in the window") << "de_DE" << QDate(2009, 3, 1) << "01.03.09";
        QTest::newRow("en_GB four digits anyway") << "en_GB" << QDate(1850, 3, 1) << "01/03/1850";
        QTest::newRow("en_GB early year") << "en_GB" << QDate(45, 4, 22) << "22/04/0045";
    }
    void shortDateYears() {
        QFETCH(QString, locale);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        const RegionalForms forms{QLocale(locale)};
        QCOMPARE(forms.shortDate(date), text);
        QCOMPARE(forms.dateValue(text), date);
    }

    void twoDigitYearsReadInTheWindow_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("year");
        QTest::newRow("00") << "1/1/00" << 2000;
        QTest::newRow("29") << "1/1/29" << 2029;
        QTest::newRow("30") << "1/1/30" << 1930;
        QTest::newRow("99") << "1/1/99" << 1999;
    }
    void twoDigitYearsReadInTheWindow() {
        QFETCH(QString, text);
        QFETCH(int, year);
        QCOMPARE(RegionalForms(QLocale(QStringLiteral("en_US"))).dateValue(text).year(), year);
    }
};

MW_REGISTER_TEST(TestWrittenFormsReadBack)
#include "tst_writtenformsreadback.moc"
