#include "settings/CheckSettings.h"
#include "support/SheetFields.h"
#include "support/TestLocales.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

// The settings checks in four locales: every boundary, the order of the
// messages, the standard written form, and the currency symbol of the money fields.
class TestCheckSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data() { testlocales::addLocaleRows(); }

    void checkBoundaries_data();
    void checkBoundaries();
    void messagesComeInTableOrder();
    void everyCheckFailing();
    void failedChecksLeaveFieldsAsTyped();
    void standardForms_data();
    void standardForms();
    void moneyFieldsSwitchForm_data();
    void moneyFieldsSwitchForm();
    void localeDecimalSeparatorIsRead();
    void inhibitedChecksAcceptEverything();
    void earlierListKeepsSettingsUnchanged();
    void labelsAndCostsRefreshedWhateverTheChecksFound();
    void failureInsideEndsInDump();
};

namespace {

const QString Discount1Message = QStringLiteral("Discount 1 must be either 0 or between 5 and 100");

struct Checked {
    explicit Checked(const QLocale& locale) : t(locale) { setValidSettings(t.sheet()); }
    TestProgram t;
};

} // namespace

void TestCheckSettings::checkBoundaries_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: passes

    const auto passes = [](const char* name, const char* setting, const char* text) {
        QTest::newRow(name) << setting << text << QString();
    };
    const auto fails = [](const char* name, const char* setting, const char* text,
                          const QString& message) {
        QTest::newRow(name) << setting << text << message;
    };

    const QString logLevel = QStringLiteral("Log Level must be 1 or 2");
    passes("LogLevel 1", "LogLevel", "1");
    passes("LogLevel 2", "LogLevel", "2");
    fails("LogLevel 1.5", "LogLevel", "1.5", logLevel);
    fails("LogLevel 0", "LogLevel", "0", logLevel);
    fails("LogLevel 3", "LogLevel", "3", logLevel);
    const QString runOnTop = QStringLiteral("Run On Top must be 1 or 2");
    passes("RunOnTop 2", "RunOnTop", "2");
    fails("RunOnTop 0", "RunOnTop", "0", runOnTop);
    fails("RunOnTop 1.5", "RunOnTop", "1.5", runOnTop);
    const QString convert = QStringLiteral("Conversion factor must be 1 or 2");
    passes("Convert 1.5", "Convert", "1.5");
    passes("Convert 2", "Convert", "2");
    fails("Convert 0.99", "Convert", "0.99", convert);
    fails("Convert 2.01", "Convert", "2.01", convert);
    fails("Convert empty", "Convert", "", convert);

    const QString correction =
        QStringLiteral("Correction Factor must be 0 or between 0.800000 and 1.200000");
    fails("CFactor 0", "CFactor", "0", correction);
    fails("CFactor 0.79", "CFactor", "0.79", correction);
    passes("CFactor 0.8", "CFactor", "0.8");
    passes("CFactor 1.2", "CFactor", "1.2");
    fails("CFactor 1.2000001", "CFactor", "1.2000001", correction);
    passes("CFactor 1.0abc reads as 1", "CFactor", "1.0abc");
    const QString calorific = QStringLiteral("Calorific Value must be between 5.0 and 99.9");
    fails("CalVal 4.99", "CalVal", "4.99", calorific);
    passes("CalVal 5", "CalVal", "5");
    passes("CalVal 99.9", "CalVal", "99.9");
    fails("CalVal 99.91", "CalVal", "99.91", calorific);
    fails("CalVal empty", "CalVal", "", calorific);

    const QString rate1 = QStringLiteral("Rate 1 must be between 0.01 and 0.99");
    passes("NRate1 0.01", "NRate1", "0.01");
    fails("NRate1 0.009", "NRate1", "0.009", rate1);
    passes("NRate1 0.99", "NRate1", "0.99");
    fails("NRate1 1", "NRate1", "1", rate1);
    fails("NRate1 abc reads as 0", "NRate1", "abc", rate1);
    passes("NRate1 0.2x: only its leading number counts", "NRate1", "0.2x");
    const QString rate2 = QStringLiteral("Rate 2 must be 0 or between 0.01 and 0.99");
    passes("NRate2 empty", "NRate2", "");
    passes("NRate2 0", "NRate2", "0");
    passes("NRate2 0.01", "NRate2", "0.01");
    fails("NRate2 0.005", "NRate2", "0.005", rate2);
    fails("NRate2 abc", "NRate2", "abc", rate2);
    fails("NRate2 0.2x is not numeric", "NRate2", "0.2x", rate2);
    fails("NRate2 blank", "NRate2", " ", rate2);

    const QString predict =
        QStringLiteral("Prediction Period must be either 0 or between 1 and 4 quarters");
    passes("Predict empty", "Predict", "");
    passes("Predict 0.4", "Predict", "0.4");
    passes("Predict 4", "Predict", "4");
    fails("Predict -1", "Predict", "-1", predict);
    fails("Predict 4.5", "Predict", "4.5", predict);
    fails("Predict 2x", "Predict", "2x", predict);

    const QString charge = QStringLiteral("Fixed Charge must be either 0 or between 5 and 99");
    passes("SCharge 0", "SCharge", "0");
    fails("SCharge 4.99", "SCharge", "4.99", charge);
    passes("SCharge 5", "SCharge", "5");
    passes("SCharge 99", "SCharge", "99");
    fails("SCharge 99.01", "SCharge", "99.01", charge);

    passes("Disc1 1", "Disc1", "1");
    passes("Disc1 99", "Disc1", "99");
    fails("Disc1 0.5", "Disc1", "0.5", Discount1Message);
    fails("Disc1 100", "Disc1", "100", Discount1Message);
    const QString discount2 = QStringLiteral("Discount 2 must be either 0 or between 5 and 100");
    passes("Disc2 1", "Disc2", "1");
    fails("Disc2 0.5", "Disc2", "0.5", discount2);
    fails("Disc2 99.5", "Disc2", "99.5", discount2);

    const QString vat = QStringLiteral("VAT Rate must be 0 or between 1 and 50%");
    fails("VRate 0.5", "VRate", "0.5", vat);
    passes("VRate 1", "VRate", "1");
    passes("VRate 50", "VRate", "50");
    fails("VRate 50.1", "VRate", "50.1", vat);
    const QString breakPoint =
        QStringLiteral("Break Point between Rates must be 0 or between 10 and 1000");
    fails("BreakP 9", "BreakP", "9", breakPoint);
    passes("BreakP 10", "BreakP", "10");
    passes("BreakP 1000", "BreakP", "1000");
    fails("BreakP 1001", "BreakP", "1001", breakPoint);

    const QString co2 = QStringLiteral("CO2 Conversion Rate must be between 0.05 and 1");
    fails("CORate empty", "CORate", "", co2);
    fails("CORate 0.049", "CORate", "0.049", co2);
    passes("CORate 0.05", "CORate", "0.05");
    passes("CORate 1", "CORate", "1");
    fails("CORate 1.01", "CORate", "1.01", co2);
    fails("CORate 0.19x is not numeric", "CORate", "0.19x", co2);
}

void TestCheckSettings::checkBoundaries() {
    QFETCH_GLOBAL(QLocale, locale);
    QFETCH(QString, setting);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Checked c(locale);
    setSetting(c.t.sheet(), setting, text);
    CheckSettings(c.t.program, true, true);
    QCOMPARE(c.t.sheet().ErrorList, message.isEmpty() ? QString() : message + u'\n');
    QCOMPARE(c.t.sheet().ErrorStep, std::int16_t(134));
    QVERIFY(c.t.messages.shown().isEmpty());
}

void TestCheckSettings::messagesComeInTableOrder() {
    QFETCH_GLOBAL(QLocale, locale);
    Checked c(locale);
    Sheet& s = c.t.sheet();
    s.CORate.text.clear();
    s.Disc1.text = QStringLiteral("0.5");
    s.CFactor.text = QStringLiteral("0");
    CheckSettings(c.t.program, true, true);
    QCOMPARE(s.ErrorList,
             QStringLiteral("Correction Factor must be 0 or between 0.800000 and 1.200000\n"
                            "Discount 1 must be either 0 or between 5 and 100\n"
                            "CO2 Conversion Rate must be between 0.05 and 1\n"));
}

void TestCheckSettings::everyCheckFailing() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    for (const char* name : {"NRate2", "Predict", "SCharge", "Disc1", "Disc2", "VRate", "BreakP"})
        fieldNamed(s, QString::fromLatin1(name)).text = QStringLiteral("x");
    CheckSettings(t.program, false, false);
    QCOMPARE(s.ErrorList,
             QStringLiteral("Log Level must be 1 or 2\n"
                            "Run On Top must be 1 or 2\n"
                            "Conversion factor must be 1 or 2\n"
                            "Correction Factor must be 0 or between 0.800000 and 1.200000\n"
                            "Calorific Value must be between 5.0 and 99.9\n"
                            "Rate 1 must be between 0.01 and 0.99\n"
                            "Rate 2 must be 0 or between 0.01 and 0.99\n"
                            "Prediction Period must be either 0 or between 1 and 4 quarters\n"
                            "Fixed Charge must be either 0 or between 5 and 99\n"
                            "Discount 1 must be either 0 or between 5 and 100\n"
                            "Discount 2 must be either 0 or between 5 and 100\n"
                            "VAT Rate must be 0 or between 1 and 50%\n"
                            "Break Point between Rates must be 0 or between 10 and 1000\n"
                            "CO2 Conversion Rate must be between 0.05 and 1\n"));
}

void TestCheckSettings::failedChecksLeaveFieldsAsTyped() {
    QFETCH_GLOBAL(QLocale, locale);
    Checked c(locale);
    Sheet& s = c.t.sheet();
    s.NRate1.text = testlocales::money(locale, QStringLiteral("0.1"));
    s.SCharge.text = testlocales::money(locale, QStringLiteral("4.99"));
    s.VRate.text = QStringLiteral("5");
    s.Predict.text = QStringLiteral("0");
    CheckSettings(c.t.program, true, true);
    QCOMPARE(s.ErrorList, QStringLiteral("Fixed Charge must be either 0 or between 5 and 99\n"));
    // The symbols are off, nothing is rewritten and nothing emptied.
    QCOMPARE(s.NRate1.text, QStringLiteral("0.1"));
    QCOMPARE(s.SCharge.text, QStringLiteral("4.99"));
    QCOMPARE(s.CFactor.text, QStringLiteral("1.0"));
    QCOMPARE(s.VRate.text, QStringLiteral("5"));
    QCOMPARE(s.Predict.text, QStringLiteral("0"));
}

void TestCheckSettings::standardForms_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("standard"); // in plain form
    const auto row = [](const char* setting, const char* typed, const char* standard) {
        QTest::addRow("%s %s", setting, typed) << setting << typed << standard;
    };
    row("NRate1", "0.12", "0.12000");
    row("NRate1", "0.1", "0.10000");
    row("NRate1", "0.123456", "0.12346");
    row("NRate1", "0.2x", "0.2x");
    row("CFactor", "1.0", "1.000000");
    row("CFactor", "1.02264", "1.022640");
    row("CFactor", " 1.1 ", "1.100000");
    row("CalVal", "39.5", "39.500");
    row("CalVal", "39.4995", "39.500");
    row("CORate", "0.19", "0.19");
    row("CORate", "0.185", "0.19");
    row("CORate", "1", "1.00");
    row("BreakP", "250.4", "250");
    row("BreakP", "250.5", "251");
    row("BreakP", "0", "");
    row("NRate2", "0.1", "0.10000");
    row("NRate2", "0", "");
    row("NRate2", "0.00000", "");
    row("SCharge", "12.5", "12.50");
    row("SCharge", "0", "");
    row("Disc1", "2.675", "2.68");
    row("Disc2", "0", "");
    row("Predict", "2.5", "3");
    row("Predict", "0.4", "");
    row("Predict", "0", "");
    row("VRate", "5", "5.0");
    row("VRate", "17.55", "17.6");
    row("VRate", "0", "");
}

void TestCheckSettings::standardForms() {
    QFETCH_GLOBAL(QLocale, locale);
    QFETCH(QString, setting);
    QFETCH(QString, typed);
    QFETCH(QString, standard);
    const bool isMoney =
        QStringList{"NRate1", "NRate2", "SCharge", "Disc1", "Disc2"}.contains(setting);
    for (const bool addSymbol : {false, true}) {
        Checked c(locale);
        setSetting(c.t.sheet(), setting, typed);
        CheckSettings(c.t.program, true, addSymbol);
        QCOMPARE(c.t.sheet().ErrorList, QString());
        const QString expected = addSymbol && isMoney && !standard.isEmpty()
                                     ? testlocales::money(locale, standard)
                                     : standard;
        QCOMPARE(fieldNamed(c.t.sheet(), setting).text, expected);
    }
}

void TestCheckSettings::moneyFieldsSwitchForm_data() {
    QTest::addColumn<bool>("stripSymbol");
    QTest::addColumn<bool>("addSymbol");
    QTest::addColumn<bool>("displayed"); // the result is in display form
    QTest::newRow("strip and add") << true << true << true;
    QTest::newRow("strip only") << true << false << false;
    QTest::newRow("add only") << false << true << true;
}

// Every money field in display form is read as its number and written back
// in the form asked for; an empty one stays empty.
void TestCheckSettings::moneyFieldsSwitchForm() {
    QFETCH_GLOBAL(QLocale, locale);
    QFETCH(bool, stripSymbol);
    QFETCH(bool, addSymbol);
    QFETCH(bool, displayed);
    Checked c(locale);
    Sheet& s = c.t.sheet();
    const auto shown = [&](const char* plain) {
        return displayed ? testlocales::money(locale, QString::fromLatin1(plain))
                         : QString::fromLatin1(plain);
    };
    const bool typedInDisplayForm = stripSymbol;
    const auto typed = [&](const char* plain) {
        return typedInDisplayForm ? testlocales::money(locale, QString::fromLatin1(plain))
                                  : QString::fromLatin1(plain);
    };
    s.NRate1.text = typed("0.12345");
    s.NRate2.text.clear();
    s.SCharge.text = typed("5.00");
    s.Disc1.text = typed("1");
    s.Disc2.text = typed("10.5");
    CheckSettings(c.t.program, stripSymbol, addSymbol);
    QCOMPARE(s.ErrorList, QString());
    QCOMPARE(s.NRate1.text, shown("0.12345"));
    QCOMPARE(s.NRate2.text, QString());
    QCOMPARE(s.SCharge.text, shown("5.00"));
    QCOMPARE(s.Disc1.text, shown("1.00"));
    QCOMPARE(s.Disc2.text, shown("10.50"));
    QCOMPARE(s.CurrencySymbol, testlocales::symbol(locale));
    // Switching again gives the same texts: no digit is ever taken for a symbol.
    CheckSettings(c.t.program, true, displayed);
    QCOMPARE(s.NRate1.text, shown("0.12345"));
    QCOMPARE(s.Disc2.text, shown("10.50"));
}

// What a person of the locale types is read too, and written in the one standard form.
void TestCheckSettings::localeDecimalSeparatorIsRead() {
    QFETCH_GLOBAL(QLocale, locale);
    Checked c(locale);
    Sheet& s = c.t.sheet();
    const bool commaLocale = locale.decimalPoint() == QStringLiteral(",");
    s.NRate1.text = locale.toString(0.125, 'f', 3);
    s.SCharge.text = locale.toString(12.5, 'f', 1);
    CheckSettings(c.t.program, true, false);
    QCOMPARE(s.ErrorList, QString());
    QCOMPARE(s.NRate1.text, QStringLiteral("0.12500"));
    QCOMPARE(s.SCharge.text, QStringLiteral("12.50"));
    // "0,12" is 0.12 where the comma is the decimal separator, and 0 elsewhere.
    s.NRate1.text = QStringLiteral("0,12");
    CheckSettings(c.t.program, true, false);
    QCOMPARE(s.ErrorList.isEmpty(), commaLocale);
    if (commaLocale)
        QCOMPARE(s.NRate1.text, QStringLiteral("0.12000"));
}

void TestCheckSettings::inhibitedChecksAcceptEverything() {
    QFETCH_GLOBAL(QLocale, locale);
    Checked c(locale);
    Sheet& s = c.t.sheet();
    s.ErrorCheckInhibited = 1;
    s.ErrorList = QStringLiteral("an earlier line\n");
    s.Disc1.text = QStringLiteral("0.5");
    s.CalVal.text = QStringLiteral("120");
    CheckSettings(c.t.program, true, true);
    QCOMPARE(s.ErrorList, QString());
    QCOMPARE(s.Disc1.text, testlocales::money(locale, QStringLiteral("0.50")));
    QCOMPARE(s.CalVal.text, QStringLiteral("120.000"));
}

// After "The data has not changed" the list is not empty: the settings are
// checked but neither rewritten nor given their symbols back.
void TestCheckSettings::earlierListKeepsSettingsUnchanged() {
    QFETCH_GLOBAL(QLocale, locale);
    Checked c(locale);
    Sheet& s = c.t.sheet();
    const QString unchanged = QStringLiteral("The data has not changed since the last calculation");
    s.ErrorList = unchanged;
    s.NRate1.text = testlocales::money(locale, QStringLiteral("0.12000"));
    CheckSettings(c.t.program, true, true);
    QCOMPARE(s.ErrorList, unchanged);
    QCOMPARE(s.NRate1.text, QStringLiteral("0.12000"));
    QCOMPARE(s.CFactor.text, QStringLiteral("1.0"));
}

void TestCheckSettings::labelsAndCostsRefreshedWhateverTheChecksFound() {
    QFETCH_GLOBAL(QLocale, locale);
    Checked c(locale);
    Sheet& s = c.t.sheet();
    s.CORate.text.clear(); // fails
    s.VRate.text = QStringLiteral("20");
    s.TVCost.text = QStringLiteral("-12.5");
    s.TVCost.colour = Orange;
    s.NR1Cost.text = testlocales::money(locale, QStringLiteral("3.20"));
    CheckSettings(c.t.program, true, true);
    QVERIFY(!s.ErrorList.isEmpty());
    QCOMPARE(s.VATH.caption, testlocales::taxWord(locale) + u':');
    QCOMPARE(s.TVHead.caption,
             QStringLiteral("Total Cost (inc %1)").arg(testlocales::taxWord(locale)));
    QCOMPARE(s.TVCost.text, testlocales::money(locale, QStringLiteral("12.50")));
    QCOMPARE(s.TVCost.colour, Orange);
    QCOMPARE(s.NR1Cost.text, testlocales::money(locale, QStringLiteral("3.20")));
}

// A value that cannot be written (an overflowing CO2 rate, accepted only
// because the checks are switched off) ends in the dump at the step reached.
void TestCheckSettings::failureInsideEndsInDump() {
    QFETCH_GLOBAL(QLocale, locale);
    TemporaryInstallation installation;
    installation.makeDirectory(QStringLiteral("Log"));
    installation.writeFile(QStringLiteral("Log/Meterwin.log"), {});
    Checked c(locale);
    Sheet& s = c.t.sheet();
    s.ResultsLogName = QStringLiteral("Meterwin.log");
    s.ErrorCheckInhibited = 1;
    s.CORate.text = QStringLiteral("1e400");
    QVERIFY(EndsProgram([&] { CheckSettings(c.t.program, true, true); }));
    QCOMPARE(c.t.messages.shown().size(), 1);
    QCOMPARE(c.t.messages.last().text,
             QStringLiteral("Error Number 134\r\nA Fatal Check Error Has Occurred\r\n"
                            "The Program Will Now Terminate"));
    QVERIFY(installation.readFile(QStringLiteral("Log/Meterwin.log"))
                .contains("\r\n******** Check Error 134 ********\r\n"));
}

MW_REGISTER_TEST(TestCheckSettings)
#include "tst_checksettings.moc"
