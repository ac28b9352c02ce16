#include "calc/CalculateActual.h"
#include "calc/CalculatePrediction.h"
#include "platform/RunTimeFailure.h"
#include "support/FieldLines.h"
#include "support/TestMain.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Tariffs as Calculate hands them over: checked, in standard form, money without its symbol.
const QString Example =
    QStringLiteral("NRead1=100 NRead2=112 CalVal=36.000 CFactor=1.000000 BreakP=50 NRate1=0.10000 "
                   "NRate2=0.05000 SCharge=20.00 Disc1=5.00 VRate=5.0 Disc2=1.00 CORate=0.20 "
                   "Predict=4 ");
// One rate; no break point, fixed charge, discount or VAT. Every row starts from it.
const QString Plain =
    QStringLiteral("NRead1=1000 CalVal=36.000 CFactor=1.000000 NRate1=0.10000 CORate=0.20 ");

// Dates `from` and `days` later in the locale's short form, then the plain tariff and `fields`;
// `expected` texts of results, with "!" first when the calculation fails.
struct Calculation {
    QDate from;
    int days;
    QString fields;
    QString expected;
    QString locale;
};

} // namespace

Q_DECLARE_METATYPE(Calculation)

class TestCalculation : public QObject {
    Q_OBJECT

private slots:
    void calculation_data() {
        QTest::addColumn<Calculation>("c");
        const auto row = [](const char* name, QDate from, int days, const QString& fields,
                            const QString& expected, const char* locale = "en_GB") {
            QTest::newRow(name) << Calculation{from, days, fields, expected, locale};
        };
        const QDate jan1(2015, 1, 1);
        // Every result of the worked example: the same figures in every locale,
        // amounts with the locale's own currency symbol.
        const QString example = QStringLiteral(
            "TDays=90 NRUnits=12 CRUnits=120 R1Units=50 R2Units=70 NR1Cost=¤5.00 NR2Cost=¤3.50 "
            "TSCharge=¤20.00 TCost=23.5 TVCost=23.675 CDay=0.263055555555556 TCO2=26.4 "
            "TDaysP=365 NRUnitsP=49 CRUnitsP=490 R1UnitsP=200 R2UnitsP=290 NR1CostP=¤20.00 "
            "NR2CostP=¤14.50 TSChargeP=¤80.00 TCostP=94.5 TVCostP=95.225 "
            "CDayP=0.260890410958904 TCO2P=107.8");
        const QRegularExpression amount(QStringLiteral("¤([0-9.]+)"));
        const auto inLocale = [&](const char16_t* money) {
            return QString(example).replace(amount, QString::fromUtf16(money));
        };
        row("en_GB", jan1, 90, Example, inLocale(u"£\\1"));
        row("en_US", jan1, 90, Example, inLocale(u"$\\1"), "en_US");
        row("de_DE", jan1, 90, Example, inLocale(u"\\1\u00A0€"), "de_DE");
        row("fr_FR", jan1, 90, Example, inLocale(u"\\1\u00A0€"), "fr_FR");
        row("sv_SE", jan1, 90, Example, inLocale(u"\\1\u00A0kr"), "sv_SE");
        row("negative totals turn orange", jan1, 90, Example + "Disc1=99.00 Disc2=50.00",
            "TCost=-70.5 TVCost=-124.025");
        // Possible only with the checks switched off; results written before stay.
        row("same dates divide by zero", jan1, 0, Example, "!TDays=0");
        row("energy overflows", jan1, 90, Example + "CalVal=1e308 CFactor=1e308", "!TDays=90");

        // Where quarters, the rate split and the rounding of written figures decide.
        const QString charged = "NRead2=1100 SCharge=10.00";
        row("9 days: no quarter", jan1, 9, charged, "TSCharge=£0.00");
        row("10 days: 1 quarter", jan1, 10, charged, "TSCharge=£10.00");
        row("101 days: 1 quarter", jan1, 101, charged, "TSCharge=£10.00");
        row("192 days: 2 quarters", jan1, 192, charged, "TSCharge=£20.00");
        row("193 days: 3 quarters", jan1, 193, charged, "TSCharge=£30.00");
        // The prediction is charged for its quarters, the actual period by its days.
        row("102 days: 2 quarters", jan1, 102, charged + " BreakP=100 NRate2=0.05000 Predict=1",
            "TSCharge=£20.00 R1Units=200 TSChargeP=£10.00 R1UnitsP=100");
        row("no break point, no VAT", jan1, 90, "NRead2=1012",
            "CRUnits=120 R1Units=120 R2Units=0 NR1Cost=£12.00 NR2Cost=0 TCost=12 TVCost=12");
        row("short period all at rate 2", jan1, 5, "NRead2=1012 BreakP=50 NRate2=0.05000",
            "R1Units=0 R2Units=120 NR1Cost=£0.00 NR2Cost=£6.00");
        row("no VAT, discount 2", jan1, 60, "NRead2=1012 Disc2=2.00", "TCost=12 TVCost=10");
        row("cubic feet round twice", jan1, 90, "NRead2=1010 CalVal=39.000 ConvertF=1",
            "CRUnits=306 NR1Cost=£30.60 TCO2=63.2");
        row("CO2 on kWh plus volume", jan1, 90, "NRead2=1018 CalVal=40.000",
            "CRUnits=200 TCO2=43.6");
        row("31 Aug plus 2 quarters", QDate(2014, 8, 31), 90, "NRead2=1090 Predict=2",
            "TDaysP=181 NRUnitsP=181");
        row("31 Aug plus 2 quarters, leap year", QDate(2011, 8, 31), 90, "NRead2=1090 Predict=2",
            "TDaysP=182 NRUnitsP=182");
        row("prediction 0", jan1, 90, "NRead2=1012 Predict=0", "TDaysP= NR1CostP= TCO2P=");
        // Readings and settings are read as typed: grouped, or with text after the number.
        row("readings typed with grouping", jan1, 90, "NRead1=1,000 NRead2=1,012", "NRUnits=12");
        row("settings with trailing text", jan1, 90,
            "NRead2=1012 CalVal=36kWh CFactor=1.0abc NRate1=0.1x", "CRUnits=120 NR1Cost=£12.00");
        // Amounts group where the decimal separator is "." and only there.
        row("amounts over 10,000 grouped", jan1, 90, "NRead2=100000 SCharge=12.50",
            "NR1Cost=£99,000.00 TSCharge=£12.50 TCost=99012.5 TVCost=99012.5");
        row("de_DE amounts not grouped", jan1, 90, "NRead2=100000",
            "NR1Cost=99000.00\u00A0€ TCost=99000", "de_DE");
    }
    void calculation() {
        QFETCH(Calculation, c);
        const RegionalForms forms{QLocale(c.locale)};
        Sheet s;
        s.Date1.text = forms.shortDate(c.from);
        s.Date2.text = forms.shortDate(c.from.addDays(c.days));
        setFields(s, Plain + c.fields);
        if (c.expected.startsWith(u'!')) {
            QVERIFY_THROWS_EXCEPTION(RunTimeFailure, CalculateActual(s, forms));
            c.expected.remove(0, 1);
        } else {
            CalculateActual(s, forms);
            CalculatePrediction(s, forms);
        }
        QCOMPARE(fieldTexts(s, c.expected), c.expected);
        // Negative results, and only they, show in orange.
        for (const Named<TextField>& result : resultFields(s))
            QCOMPARE(result.control->colour,
                     result.control->text.startsWith(u'-') ? Orange : DarkGrey);
    }
};

MW_REGISTER_TEST(TestCalculation)
#include "tst_calculation.moc"
