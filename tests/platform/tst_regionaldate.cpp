#include "platform/RegionalForms.h"
#include "platform/RunTimeFailure.h"
#include "support/TestMain.h"

#include <QTest>

// Which date entries are dates, and which dates they are, in three locales.
class TestRegionalDate : public QObject {
    Q_OBJECT

private slots:
    void readsDateEntries_data();
    void readsDateEntries();
    void unreadableDateIsRunTimeFailure();
};

namespace {

const QLocale EnGb(QLocale::English, QLocale::UnitedKingdom);
const QLocale EnUs(QLocale::English, QLocale::UnitedStates);
const QLocale DeDe(QLocale::German, QLocale::Germany);

void row(const char* name, const QLocale& locale, const char* text, QDate expected) {
    QTest::newRow(name) << locale << QString::fromUtf8(text) << expected;
}

} // namespace

void TestRegionalDate::readsDateEntries_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid: not a date

    const QDate march1(2009, 3, 1);
    const QDate none;

    row("GB short, 4-digit year", EnGb, "01/03/2009", march1);
    row("GB short, 1-digit day and month", EnGb, "1/3/2009", march1);
    row("GB short, 2-digit year", EnGb, "01/03/09", march1);
    row("GB short, mixed digits", EnGb, "1/03/09", march1);
    row("GB ISO", EnGb, "2009-03-01", march1);
    row("GB day month-abbreviation year", EnGb, "1 Mar 2009", march1);
    row("GB hyphens, 2-digit year", EnGb, "01-Mar-09", march1);
    row("GB full month name", EnGb, "1 March 2009", march1);
    row("GB month name in capitals", EnGb, "1 MARCH 2009", march1);
    row("GB Sept and Sep", EnGb, "30 Sept 2009", QDate(2009, 9, 30));
    row("GB Sep", EnGb, "30 Sep 2009", QDate(2009, 9, 30));
    row("GB surrounding blanks", EnGb, "  1/3/2009 ", march1);
    row("GB 31 February", EnGb, "31/02/2010", none);
    row("GB 29 February of a leap year", EnGb, "29/02/2008", QDate(2008, 2, 29));
    row("GB 29 February of another year", EnGb, "29/02/2009", none);
    row("GB month 13", EnGb, "01/13/2009", none);
    row("GB day 0", EnGb, "0/3/2009", none);
    row("GB year 00", EnGb, "1/3/00", QDate(2000, 3, 1));
    row("GB year 29", EnGb, "1/3/29", QDate(2029, 3, 1));
    row("GB year 30", EnGb, "1/3/30", QDate(1930, 3, 1));
    row("GB year 99", EnGb, "1/3/99", QDate(1999, 3, 1));
    row("GB named month, year 29", EnGb, "1 Mar 29", QDate(2029, 3, 1));
    row("GB named month, year 30", EnGb, "1-Mar-30", QDate(1930, 3, 1));
    row("GB 3-digit year", EnGb, "1/3/009", none);
    row("GB 3-digit day", EnGb, "001/3/2009", none);
    row("GB US order", EnGb, "3/31/2009", none);
    row("GB other separator", EnGb, "1.3.2009", none);
    row("GB ISO with 1-digit month", EnGb, "2009-3-01", none);
    row("GB ISO 30 February", EnGb, "2010-02-30", none);
    row("GB unknown month name", EnGb, "1 Marc 2009", none);
    row("GB empty", EnGb, "", none);
    row("GB blanks", EnGb, "   ", none);
    row("GB words", EnGb, "yesterday", none);
    row("GB trailing text", EnGb, "1/3/2009x", none);
    row("GB time after the date", EnGb, "1/3/2009 12:00", none);

    row("US short, 2-digit year", EnUs, "3/1/09", march1);
    row("US short, 2-digit parts", EnUs, "03/01/2009", march1);
    row("US ISO", EnUs, "2009-03-01", march1);
    row("US day month year", EnUs, "1 Mar 2009", march1);
    row("US hyphens", EnUs, "01-Mar-09", march1);
    row("US full month name", EnUs, "1 March 2009", march1);
    row("US 31 February", EnUs, "2/31/2010", none);
    row("US British order", EnUs, "31/12/2009", none);
    row("US year 29", EnUs, "12/31/29", QDate(2029, 12, 31));
    row("US year 30", EnUs, "1/1/30", QDate(1930, 1, 1));

    row("DE short, 2-digit year", DeDe, "01.03.09", march1);
    row("DE short, 1-digit parts", DeDe, "1.3.2009", march1);
    row("DE ISO", DeDe, "2009-03-01", march1);
    row("DE day month name year", DeDe, "1 M\u00E4rz 2009", march1);
    row("DE abbreviation with hyphens", DeDe, "01-M\u00E4r-09", march1);
    row("DE day with a point", DeDe, "1. M\u00E4rz 2009", march1);
    row("DE October", DeDe, "31 Oktober 2009", QDate(2009, 10, 31));
    row("DE 31 February", DeDe, "31.02.2010", none);
    row("DE slashes", DeDe, "01/03/2009", none);
    row("DE year 29", DeDe, "1.3.29", QDate(2029, 3, 1));
    row("DE year 30", DeDe, "1.3.30", QDate(1930, 3, 1));
}

void TestRegionalDate::readsDateEntries() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const RegionalForms forms(locale);
    const std::optional<QDate> date = forms.regionalDate(text);
    QCOMPARE(date.has_value(), expected.isValid());
    QCOMPARE(forms.isRegionalDate(text), expected.isValid());
    if (date) {
        QCOMPARE(*date, expected);
        QCOMPARE(forms.dateValue(text), expected);
    }
}

void TestRegionalDate::unreadableDateIsRunTimeFailure() {
    const RegionalForms forms(EnGb);
    QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.dateValue(u"31/02/2010"));
}

MW_REGISTER_TEST(TestRegionalDate)
#include "tst_regionaldate.moc"
