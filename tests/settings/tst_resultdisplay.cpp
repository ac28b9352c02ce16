#include "calc/CalculateActual.h"
#include "settings/CheckSettings.h"
#include "settings/ClearResults.h"
#include "settings/ConvertF_Click.h"
#include "settings/CostFields.h"
#include "settings/TaxLabels.h"
#include "settings/TidyResults.h"
#include "support/SheetFields.h"
#include "support/TestLocales.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

// How the results look: tax labels, currency display, blanking and clearing,
// in four locales.
class TestResultDisplay : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data() { testlocales::addLocaleRows(); }

    void currencySymbolAndTaxWord();
    void labelsWithoutTaxRate_data();
    void labelsWithoutTaxRate();
    void labelsWithTaxRate();
    void costFields_data();
    void costFields();
    void costFieldsTwiceAreTheSame();
    void negativeTotalShowsAsAmountInOrange();
    void tidyResults_data();
    void tidyResults();
    void tidyWithoutPrediction();
    void volumeCaptions();
    void clearingResults();
};

namespace {

// Data rows name an amount in display form as "\u00A4" and the plain amount;
// the test function writes it in the locale of its run.
QString money(const char* plain) {
    return QChar(0x00A4) + QString::fromLatin1(plain);
}

QString inLocale(const QString& text) {
    QFETCH_GLOBAL(QLocale, locale);
    if (text.startsWith(QChar(0x00A4)))
        return testlocales::money(locale, text.mid(1));
    return text;
}

} // namespace

void TestResultDisplay::currencySymbolAndTaxWord() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    ShowTaxLabels(s, t.forms);
    QCOMPARE(s.CurrencySymbol, testlocales::symbol(locale));
    const QString tax = testlocales::taxWord(locale);
    QCOMPARE(s.VATH.caption, tax + u':');
    QCOMPARE(s.VRate.toolTip, tax + QStringLiteral(" Rate (0 or between 1 and 50%)"));
}

void TestResultDisplay::labelsWithoutTaxRate_data() {
    QTest::addColumn<QString>("rate");
    QTest::newRow("empty") << QString();
    QTest::newRow("0") << QStringLiteral("0");
    QTest::newRow("0.0") << QStringLiteral("0.0");
    QTest::newRow("not a number") << QStringLiteral("abc");
}

void TestResultDisplay::labelsWithoutTaxRate() {
    QFETCH_GLOBAL(QLocale, locale);
    QFETCH(QString, rate);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    s.VRate.text = rate;
    s.TCost.text = QStringLiteral("12.5");
    s.TCostP.text = QStringLiteral("40");
    s.TVCost.text = QStringLiteral("12.5");
    ShowTaxLabels(s, t.forms);
    const QString tax = testlocales::taxWord(locale);
    QCOMPARE(s.THead.caption, QString());
    QCOMPARE(s.TVHead.caption, QStringLiteral("Total Cost"));
    QCOMPARE(s.TCost.text, QString());
    QCOMPARE(s.TCostP.text, QString());
    QCOMPARE(s.TCost.toolTip, QString());
    QCOMPARE(s.TCostP.toolTip, QString());
    QCOMPARE(s.TVCost.text, QStringLiteral("12.5"));
    QCOMPARE(s.TVCost.toolTip, QStringLiteral("Total Cost (no %1)").arg(tax));
    QCOMPARE(s.TVCostP.toolTip, QStringLiteral("Predicted Total Cost (no %1)").arg(tax));
    QCOMPARE(s.Disc1.toolTip, QStringLiteral("Discount 1 per quarter ( 0 or between 1 and 99)"));
    QCOMPARE(s.Disc2.toolTip, QStringLiteral("Discount 2 per quarter ( 0 or between 1 and 99)"));
}

void TestResultDisplay::labelsWithTaxRate() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    s.VRate.text = QStringLiteral("20");
    ShowTaxLabels(s, t.forms);
    const QString tax = testlocales::taxWord(locale);
    QCOMPARE(s.THead.caption, QStringLiteral("Total Cost"));
    QCOMPARE(s.TVHead.caption, QStringLiteral("Total Cost (inc %1)").arg(tax));
    QCOMPARE(s.TCost.toolTip, QStringLiteral("Total Cost (less %1)").arg(tax));
    QCOMPARE(s.TCostP.toolTip, QStringLiteral("Predicted Total Cost (less %1)").arg(tax));
    QCOMPARE(s.TVCost.toolTip, QStringLiteral("Total Cost (inc %1)").arg(tax));
    QCOMPARE(s.TVCostP.toolTip, QStringLiteral("Predicted Total Cost (inc %1)").arg(tax));
    QCOMPARE(s.Disc1.toolTip,
             QStringLiteral("Discount 1 per quarter before %1 ( 0 or between 1 and 99)").arg(tax));
    QCOMPARE(s.Disc2.toolTip,
             QStringLiteral("Discount 2 per quarter after %1 ( 0 or between 1 and 99)").arg(tax));
}

void TestResultDisplay::costFields_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    // Totals and costs per day: the size of the amount, as currency.
    QTest::newRow("negative total") << "TVCost"
                                    << "-12.5" << money("12.50");
    QTest::newRow("total") << "TCost"
                           << "23.675" << money("23.68");
    QTest::newRow("predicted total") << "TCostP"
                                     << "1.005" << money("1.01");
    QTest::newRow("negative predicted") << "TVCostP"
                                        << "-99.995" << money("100.00");
    QTest::newRow("cost per day") << "CDay"
                                  << "0.123456" << money("0.12");
    QTest::newRow("whole amount") << "CDayP"
                                  << "12" << money("12.00");
    QTest::newRow("one character stays") << "TCost"
                                         << "0"
                                         << "0";
    QTest::newRow("one negative digit") << "TVCost"
                                        << "-5"
                                        << "5";
    QTest::newRow("empty stays") << "CDay"
                                 << ""
                                 << "";
    QTest::newRow("displayed stays") << "TVCost" << money("12.50") << money("12.50");
    QTest::newRow("not an amount stays") << "TCost"
                                         << "abc"
                                         << "abc";
    // Rate and fixed-charge costs keep their amount and show the symbol.
    QTest::newRow("rate 1 cost") << "NR1Cost" << money("3.20") << money("3.20");
    QTest::newRow("rate 2 cost 0") << "NR2Cost"
                                   << "0"
                                   << "0";
    QTest::newRow("predicted rate 2 cost") << "NR2CostP" << money("0.00") << money("0.00");
    QTest::newRow("fixed charge") << "TSCharge" << money("10.00") << money("10.00");
    QTest::newRow("predicted fixed charge") << "TSChargeP" << money("40.00") << money("40.00");
    QTest::newRow("cost without symbol") << "NR1CostP"
                                         << "13.20" << money("13.20");
    QTest::newRow("empty cost") << "TSCharge"
                                << ""
                                << "";
}

void TestResultDisplay::costFields() {
    QFETCH_GLOBAL(QLocale, locale);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    TestProgram t(locale);
    fieldNamed(t.sheet(), field).text = inLocale(text);
    FormatCostFields(t.sheet(), t.forms);
    QCOMPARE(fieldNamed(t.sheet(), field).text, inLocale(shown));
}

void TestResultDisplay::costFieldsTwiceAreTheSame() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    s.NR1Cost.text = inLocale(money("123.45"));
    s.TVCost.text = QStringLiteral("-1234.5");
    FormatCostFields(s, t.forms);
    FormatCostFields(s, t.forms);
    QCOMPARE(s.NR1Cost.text, inLocale(money("123.45")));
    QCOMPARE(s.TVCost.text, inLocale(money("1234.50")));
    QCOMPARE(t.forms.regionalNumber(s.NR1Cost.text), 123.45);
    QCOMPARE(t.forms.regionalNumber(s.TVCost.text), 1234.5);
}

// A second discount larger than the bill: the calculation leaves -12.5 in
// orange, the display shows the size of the amount and keeps the colour.
void TestResultDisplay::negativeTotalShowsAsAmountInOrange() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    setValidSettings(s);
    s.NRate1.text = QStringLiteral("0.10");
    s.CalVal.text = QStringLiteral("36");
    s.Disc2.text = QStringLiteral("22.5");
    s.Date1.text = QStringLiteral("2009-01-01");
    s.Date2.text = QStringLiteral("2009-03-01");
    s.NRead1.text = QStringLiteral("100");
    s.NRead2.text = QStringLiteral("200");
    CalculateActual(s, t.forms);
    // 100 m³ at 10 kWh each, 1000 kWh at 0.10: 100.00, less 22.50 once: 77.50
    QCOMPARE(s.TVCost.text, QStringLiteral("77.5"));
    s.Disc2.text = QStringLiteral("90");
    CalculateActual(s, t.forms);
    QCOMPARE(s.TVCost.text, QStringLiteral("10"));
    s.Disc2.text = QStringLiteral("112.5");
    CalculateActual(s, t.forms);
    QCOMPARE(s.TVCost.text, QStringLiteral("-12.5"));
    QCOMPARE(s.TVCost.colour, Orange);
    TidyResults(t.program);
    CheckSettings(t.program, true, true);
    QCOMPARE(s.ErrorList, QStringLiteral("Discount 2 must be either 0 or between 5 and 100\n"));
    QCOMPARE(s.TVCost.text, inLocale(money("12.50")));
    QCOMPARE(s.TVCost.colour, Orange);
    QCOMPARE(s.NR1Cost.text, inLocale(money("100.00")));
}

void TestResultDisplay::tidyResults_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tidied");
    QTest::newRow("rate 2 kWh 0") << "R2Units"
                                  << "0"
                                  << "";
    QTest::newRow("rate 2 kWh") << "R2Units"
                                << "120"
                                << "120";
    QTest::newRow("predicted rate 2 kWh 0") << "R2UnitsP"
                                            << "0"
                                            << "";
    QTest::newRow("rate 2 cost nothing") << "NR2Cost" << money("0.00") << "";
    QTest::newRow("rate 2 cost 0") << "NR2Cost"
                                   << "0"
                                   << "";
    QTest::newRow("rate 2 cost") << "NR2Cost" << money("3.20") << money("3.20");
    QTest::newRow("predicted rate 2 cost nothing") << "NR2CostP" << money("0.00") << "";
    QTest::newRow("predicted rate 2 cost") << "NR2CostP" << money("0.01") << money("0.01");
    QTest::newRow("rate 1 kWh 0 stays") << "R1Units"
                                        << "0"
                                        << "0";
    QTest::newRow("fixed charge stays") << "TSCharge" << money("10.00") << money("10.00");
}

void TestResultDisplay::tidyResults() {
    QFETCH_GLOBAL(QLocale, locale);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, tidied);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    s.Predict.text = QStringLiteral("2");
    s.SCharge.text = QStringLiteral("10.00");
    fieldNamed(s, field).text = inLocale(text);
    TidyResults(t.program);
    QCOMPARE(fieldNamed(s, field).text, inLocale(tidied));
}

void TestResultDisplay::tidyWithoutPrediction() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    s.ConvertF.value = 1;
    s.ErrorStep = 105;
    for (const QString& name : QStringList{"TDaysP", "NRUnitsP", "CRUnitsP", "R1UnitsP", "R2UnitsP",
                                           "NR1CostP", "NR2CostP", "TCostP", "TVCostP", "TSChargeP",
                                           "CDayP", "TCO2P", "TSCharge", "TDays"})
        fieldNamed(s, name).text = QStringLiteral("12");
    s.TVCostP.colour = Orange;
    s.CDayP.colour = Orange;
    TidyResults(t.program);
    for (const QString& name :
         QStringList{"TDaysP", "NRUnitsP", "CRUnitsP", "R1UnitsP", "R2UnitsP", "NR1CostP",
                     "NR2CostP", "TCostP", "TVCostP", "TSChargeP", "CDayP", "TCO2P", "TSCharge"})
        QVERIFY2(fieldNamed(s, name).text.isEmpty(), qPrintable(name));
    QCOMPARE(s.TVCostP.colour, DarkGrey);
    QCOMPARE(s.CDayP.colour, DarkGrey);
    QCOMPARE(s.TDays.text, QStringLiteral("12"));
    QCOMPARE(s.NRUnitsL.caption, QStringLiteral("100s of Cu Feet Used"));
    QCOMPARE(s.ErrorStep, std::int16_t(105));
}

void TestResultDisplay::volumeCaptions() {
    Sheet s;
    s.ConvertF.value = 1;
    ConvertF_Click(s);
    QCOMPARE(s.NRUnitsL.caption, QStringLiteral("100s of Cu Feet Used"));
    QCOMPARE(s.NRUnits.toolTip, QStringLiteral("100s of Cubic Feet used"));
    QCOMPARE(s.NRUnitsP.toolTip, QStringLiteral("100s of Cubic Feet predicted"));
    s.ConvertF.value = 0;
    ConvertF_Click(s);
    QCOMPARE(s.NRUnitsL.caption, QStringLiteral("Cubic Metres Used"));
    QCOMPARE(s.NRUnits.toolTip, QStringLiteral("Cubic Metres used"));
    QCOMPARE(s.NRUnitsP.toolTip, QStringLiteral("Cubic Metres predicted"));
}

void TestResultDisplay::clearingResults() {
    TestProgram t;
    Sheet& s = t.sheet();
    const QStringList actual = {"TDays",   "NRUnits", "CRUnits", "R1Units",  "R2Units", "NR1Cost",
                                "NR2Cost", "TCost",   "TVCost",  "TSCharge", "CDay",    "TCO2"};
    QStringList predicted;
    for (const QString& name : actual)
        predicted << name + u'P';
    const auto fill = [&] {
        for (const QString& name : actual + predicted) {
            fieldNamed(s, name).text = QStringLiteral("1");
            fieldNamed(s, name).colour = Orange;
        }
    };
    const auto check = [&](const QStringList& cleared, const QStringList& kept) {
        for (const QString& name : cleared) {
            QVERIFY2(fieldNamed(s, name).text.isEmpty(), qPrintable(name));
            const bool money =
                QStringList{"TCost", "CDay", "TVCost", "TCostP", "CDayP", "TVCostP"}.contains(name);
            QCOMPARE(fieldNamed(s, name).colour, money ? DarkGrey : Orange);
        }
        for (const QString& name : kept)
            QCOMPARE(fieldNamed(s, name).text, QStringLiteral("1"));
    };
    s.ErrorStep = 103;
    fill();
    ClearActualResults(t.program);
    check(actual, predicted);
    fill();
    ClearPredictedResults(t.program);
    check(predicted, actual);
    QCOMPARE(s.ErrorStep, std::int16_t(103));
}

MW_REGISTER_TEST(TestResultDisplay)
#include "tst_resultdisplay.moc"
