#include "calc/CalculateActual.h"
#include "calc/CalculatePrediction.h"
#include "platform/RunTimeFailure.h"
#include "support/TestMain.h"

#include <QTest>

namespace {

// The tariff as Calculate hands it over: checked, in standard form, money
// fields without their currency symbol.
Sheet exampleSheet(const RegionalForms& forms) {
    Sheet s;
    s.Date1.text = forms.shortDate(QDate(2015, 1, 1));
    s.Date2.text = forms.shortDate(QDate(2015, 4, 1));
    s.NRead1.text = QStringLiteral("100");
    s.NRead2.text = QStringLiteral("112");
    s.CalVal.text = QStringLiteral("36.000");
    s.CFactor.text = QStringLiteral("1.000000");
    s.BreakP.text = QStringLiteral("50");
    s.NRate1.text = QStringLiteral("0.10000");
    s.NRate2.text = QStringLiteral("0.05000");
    s.SCharge.text = QStringLiteral("20.00");
    s.Disc1.text = QStringLiteral("5.00");
    s.VRate.text = QStringLiteral("5.0");
    s.Disc2.text = QStringLiteral("1.00");
    s.CORate.text = QStringLiteral("0.20");
    s.Predict.text = QStringLiteral("4");
    return s;
}

// A plain tariff without break point, charges or discounts.
Sheet plainTariff(const RegionalForms& forms, QDate from, QDate to, int volume) {
    Sheet s;
    s.Date1.text = forms.shortDate(from);
    s.Date2.text = forms.shortDate(to);
    s.NRead1.text = QStringLiteral("1000");
    s.NRead2.text = QString::number(1000 + volume);
    s.CalVal.text = QStringLiteral("36.000");
    s.CFactor.text = QStringLiteral("1.000000");
    s.NRate1.text = QStringLiteral("0.10000");
    s.CORate.text = QStringLiteral("0.20");
    return s;
}

const QList<const char*> localesUnderTest = {"en_GB", "en_US", "de_DE", "fr_FR", "de_CH", "sv_SE"};

} // namespace

class TestCalculation : public QObject {
    Q_OBJECT

private slots:
    // Every result of the worked example, in every locale: the same figures,
    // amounts with the locale's own currency symbol.
    void workedExample_data() {
        QTest::addColumn<QString>("locale");
        for (const char* locale : localesUnderTest)
            QTest::newRow(locale) << QString::fromLatin1(locale);
    }
    void workedExample() {
        QFETCH(QString, locale);
        const RegionalForms forms{QLocale(locale)};
        const auto money = [&](const char* amount) {
            return forms.withCurrencySymbol(QString::fromLatin1(amount));
        };
        Sheet s = exampleSheet(forms);
        CalculateActual(s, forms);
        CalculatePrediction(s, forms);

        QCOMPARE(s.ActualQuarters, 1.0f);
        const QList<std::pair<const TextField*, QString>> expected = {
            {&s.TDays, "90"},
            {&s.NRUnits, "12"},
            {&s.CRUnits, "120"},
            {&s.R1Units, "50"},
            {&s.R2Units, "70"},
            {&s.NR1Cost, money("5.00")},
            {&s.NR2Cost, money("3.50")},
            {&s.TSCharge, money("20.00")},
            {&s.TCost, "23.5"},
            {&s.TVCost, "23.675"},
            {&s.CDay, "0.263055555555556"},
            {&s.TCO2, "26.4"},
            {&s.TDaysP, "365"},
            {&s.NRUnitsP, "49"},
            {&s.CRUnitsP, "490"},
            {&s.R1UnitsP, "200"},
            {&s.R2UnitsP, "290"},
            {&s.NR1CostP, money("20.00")},
            {&s.NR2CostP, money("14.50")},
            {&s.TSChargeP, money("80.00")},
            {&s.TCostP, "94.5"},
            {&s.TVCostP, "95.225"},
            {&s.CDayP, "0.260890410958904"},
            {&s.TCO2P, "107.8"},
        };
        for (const auto& [field, text] : expected) {
            QCOMPARE(field->text, text);
            QCOMPARE(field->colour, DarkGrey);
        }
        // The with-VAT total as an amount: 23.675 shows as 23.68, not 23.67.
        QCOMPARE(forms.currency(forms.regionalNumber(s.TVCost.text)), money("23.68"));
    }

    void exampleTextsInPound() {
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        Sheet s = exampleSheet(forms);
        CalculateActual(s, forms);
        QCOMPARE(s.NR1Cost.text, QStringLiteral("£5.00"));
        QCOMPARE(s.NR2Cost.text, QStringLiteral("£3.50"));
    }

    void quartersForDays_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<float>("quarters");
        const QList<std::pair<int, float>> table = {
            {3, 0},   {9, 0},   {10, 1},  {101, 1}, {102, 2}, {192, 2}, {193, 3},
            {283, 3}, {284, 4}, {374, 4}, {375, 5}, {466, 5}, {467, 6}};
        for (const auto& [days, quarters] : table)
            QTest::addRow("%d days", days) << days << quarters;
    }
    void quartersForDays() {
        QFETCH(int, days);
        QFETCH(float, quarters);
        QCOMPARE(::quartersForDays(days), quarters);
        // The fixed charge of the actual period follows the same count.
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        const QDate from(2010, 1, 1);
        Sheet s = plainTariff(forms, from, from.addDays(days), 100);
        s.SCharge.text = QStringLiteral("10.00");
        CalculateActual(s, forms);
        QCOMPARE(s.ActualQuarters, quarters);
        QCOMPARE(s.TSCharge.text, forms.currency(10.0 * quarters));
    }

    // Where the rate split and the rounding of written figures decide the result.
    void rates_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("calorificValue");
        QTest::addColumn<bool>("cubicFeet");
        QTest::addColumn<QString>("breakPoint");
        QTest::addColumn<QStringList>("results"); // CRUnits R1Units R2Units NR1Cost NR2Cost TCO2
        QTest::newRow("no break point") << 90 << 12 << "36.000" << false << ""
                                        << QStringList{"120", "120", "0", "£12.00", "0", "26.4"};
        QTest::newRow("allowance covers all")
            << 90 << 12 << "36.000" << false << "120"
            << QStringList{"120", "120", "0", "£12.00", "£0.00", "26.4"};
        QTest::newRow("short period all at rate 2")
            << 5 << 12 << "36.000" << false << "50"
            << QStringList{"120", "0", "120", "£0.00", "£6.00", "26.4"};
        QTest::newRow("two quarters allowance")
            << 102 << 12 << "36.000" << false << "50"
            << QStringList{"120", "100", "20", "£10.00", "£1.00", "26.4"};
        QTest::newRow("cubic feet rounds twice")
            << 90 << 10 << "39.000" << true << ""
            << QStringList{"306", "306", "0", "£30.60", "0", "63.2"};
        QTest::newRow("CO2 on kWh plus volume")
            << 90 << 18 << "40.000" << false << ""
            << QStringList{"200", "200", "0", "£20.00", "0", "43.6"};
    }
    void rates() {
        QFETCH(int, days);
        QFETCH(int, volume);
        QFETCH(QString, calorificValue);
        QFETCH(bool, cubicFeet);
        QFETCH(QString, breakPoint);
        QFETCH(QStringList, results);
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        const QDate from(2012, 1, 1);
        Sheet s = plainTariff(forms, from, from.addDays(days), volume);
        s.CalVal.text = calorificValue;
        s.ConvertF.value = cubicFeet ? 1 : 0;
        s.BreakP.text = breakPoint;
        s.NRate2.text = breakPoint.isEmpty() ? QString() : QStringLiteral("0.05000");
        CalculateActual(s, forms);
        const QStringList actual = {s.CRUnits.text, s.R1Units.text, s.R2Units.text,
                                    s.NR1Cost.text, s.NR2Cost.text, s.TCO2.text};
        QCOMPARE(actual, results);
    }

    void vatAndDiscounts_data() {
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("discount1");
        QTest::addColumn<QString>("discount2");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("totalWithVat");
        QTest::newRow("no VAT") << ""
                                << ""
                                << ""
                                << "12"
                                << "12";
        QTest::newRow("VAT 20") << "20.0"
                                << ""
                                << ""
                                << "12"
                                << "14.4";
        QTest::newRow("no VAT, discount 2") << ""
                                            << ""
                                            << "2.00"
                                            << "12"
                                            << "10";
        QTest::newRow("discount 1 before VAT") << "5.0"
                                               << "2.00"
                                               << ""
                                               << "10"
                                               << "10.5";
    }
    void vatAndDiscounts() {
        QFETCH(QString, vat);
        QFETCH(QString, discount1);
        QFETCH(QString, discount2);
        QFETCH(QString, total);
        QFETCH(QString, totalWithVat);
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        Sheet s = plainTariff(forms, QDate(2012, 1, 1), QDate(2012, 3, 1), 12);
        s.VRate.text = vat;
        s.Disc1.text = discount1;
        s.Disc2.text = discount2;
        CalculateActual(s, forms);
        QCOMPARE(s.TCost.text, total);
        QCOMPARE(s.TVCost.text, totalWithVat);
        QVERIFY(s.TSCharge.text.isEmpty());
    }

    void negativeTotalsTurnOrange() {
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        Sheet s = exampleSheet(forms);
        s.Disc1.text = QStringLiteral("99.00");
        s.Disc2.text = QStringLiteral("50.00");
        CalculateActual(s, forms);
        CalculatePrediction(s, forms);
        QCOMPARE(s.TCost.text, QStringLiteral("-70.5"));
        QCOMPARE(s.TVCost.text, QStringLiteral("-124.025"));
        for (const TextField* f : {&s.TCost, &s.TVCost, &s.CDay, &s.TCostP, &s.TVCostP, &s.CDayP})
            QCOMPARE(f->colour, Orange);
        for (const TextField* f : {&s.NR1Cost, &s.TSCharge, &s.TCO2})
            QCOMPARE(f->colour, DarkGrey);
    }

    void predictionPeriod_data() {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("quarters");
        QTest::addColumn<QString>("predictedDays");
        QTest::addColumn<QString>("predictedVolume");
        QTest::newRow("31 Aug plus 2 quarters") << QDate(2014, 8, 31) << 90 << 90 << "2"
                                                << "181"
                                                << "181";
        QTest::newRow("31 Aug plus 2 quarters, leap year") << QDate(2011, 8, 31) << 90 << 90 << "2"
                                                           << "182"
                                                           << "182";
        QTest::newRow("91 days a year ahead") << QDate(2015, 1, 1) << 91 << 91 << "4"
                                              << "365"
                                              << "365";
        QTest::newRow("volume rounded half up") << QDate(2015, 1, 1) << 90 << 12 << "4"
                                                << "365"
                                                << "49";
        QTest::newRow("one quarter") << QDate(2015, 1, 1) << 100 << 100 << "1"
                                     << "90"
                                     << "90";
    }
    void predictionPeriod() {
        QFETCH(QDate, from);
        QFETCH(int, days);
        QFETCH(int, volume);
        QFETCH(QString, quarters);
        QFETCH(QString, predictedDays);
        QFETCH(QString, predictedVolume);
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        Sheet s = plainTariff(forms, from, from.addDays(days), volume);
        s.Predict.text = quarters;
        CalculateActual(s, forms);
        CalculatePrediction(s, forms);
        QCOMPARE(s.TDaysP.text, predictedDays);
        QCOMPARE(s.NRUnitsP.text, predictedVolume);
    }

    // The predicted period is charged for exactly its quarters, the actual one by its days.
    void predictedFixedChargeFollowsQuarters() {
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        Sheet s = plainTariff(forms, QDate(2015, 1, 1), QDate(2015, 4, 13), 100); // 102 days
        s.SCharge.text = QStringLiteral("10.00");
        s.BreakP.text = QStringLiteral("100");
        s.NRate2.text = QStringLiteral("0.05000");
        s.Predict.text = QStringLiteral("1");
        CalculateActual(s, forms);
        CalculatePrediction(s, forms);
        QCOMPARE(s.TSCharge.text, QStringLiteral("£20.00"));
        QCOMPARE(s.TSChargeP.text, QStringLiteral("£10.00"));
        QCOMPARE(s.R1Units.text, QStringLiteral("200"));  // 2 quarters of 100 kWh
        QCOMPARE(s.R1UnitsP.text, QStringLiteral("100")); // 1 quarter
    }

    void noPredictionWritesNothing_data() {
        QTest::addColumn<QString>("quarters");
        QTest::newRow("empty") << "";
        QTest::newRow("zero") << "0";
        QTest::newRow("text") << "none";
    }
    void noPredictionWritesNothing() {
        QFETCH(QString, quarters);
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        Sheet s = exampleSheet(forms);
        s.Predict.text = quarters;
        CalculateActual(s, forms);
        CalculatePrediction(s, forms);
        for (const TextField* f :
             {&s.TDaysP, &s.NRUnitsP, &s.CRUnitsP, &s.R1UnitsP, &s.R2UnitsP, &s.NR1CostP,
              &s.NR2CostP, &s.TSChargeP, &s.TCostP, &s.TVCostP, &s.CDayP, &s.TCO2P})
            QVERIFY(f->text.isEmpty());
    }

    // Entries the calculation cannot read, possible only with the checks switched off.
    void runTimeFailures_data() {
        QTest::addColumn<QString>("date2");
        QTest::addColumn<QString>("reading2");
        QTest::addColumn<QString>("correction");
        QTest::addColumn<QString>("lastWritten"); // TDays text when it fails
        QTest::newRow("same dates divide by zero") << "01/01/2015" << "112" << "1" << "0";
        QTest::newRow("date not readable") << "someday" << "112" << "1" << "";
        QTest::newRow("reading not numeric") << "01/04/2015" << "11x" << "1" << "90";
        QTest::newRow("energy overflows") << "01/04/2015" << "112" << "1e308" << "90";
    }
    void runTimeFailures() {
        QFETCH(QString, date2);
        QFETCH(QString, reading2);
        QFETCH(QString, correction);
        QFETCH(QString, lastWritten);
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        Sheet s = exampleSheet(forms);
        s.Date2.text = date2;
        s.NRead2.text = reading2;
        s.CalVal.text = QStringLiteral("1e308");
        s.CFactor.text = correction;
        if (correction == QStringLiteral("1"))
            s.CalVal.text = QStringLiteral("36");
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, CalculateActual(s, forms));
        // Results written before the failure stay.
        QCOMPARE(s.TDays.text, lastWritten);
    }
};

MW_REGISTER_TEST(TestCalculation)
#include "tst_calculation.moc"
