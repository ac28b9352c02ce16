#include "settings/CheckSettings.h"
#include "settings/TidyResults.h"
#include "support/FieldLines.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

namespace {

// Every message, in the order of the checks.
const QString EveryMessage =
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
                   "CO2 Conversion Rate must be between 0.05 and 1\n");

} // namespace

class TestCheckSettings : public QObject {
    Q_OBJECT

private slots:
    // Fields typed over valid settings ("¤5" money as the locale shows it); messages; texts shown.
    void checkSettings_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const QString& fields, const QString& messages,
                            const QString& shown, const QLocale& locale = testlocales::britain()) {
            QTest::newRow(name) << locale << fields << messages << shown;
        };
        row("every setting at its lowest",
            "LogLevel=1 RunOnTop=1 Convert=1 CFactor=0.8 CalVal=5 NRate1=0.01 NRate2=0.01 "
            "Predict=1 SCharge=5 Disc1=1 Disc2=1 VRate=1 BreakP=10 CORate=0.05",
            "", "CFactor=0.800000 NRate2=£0.01000 Disc2=£1.00 VRate=1.0 BreakP=10 CORate=0.05");
        row("every setting at its highest",
            "LogLevel=2 RunOnTop=2 Convert=2 CFactor=1.2 CalVal=99.9 NRate1=0.99 NRate2=0.99 "
            "Predict=4 SCharge=99 Disc1=99 Disc2=99 VRate=50 BreakP=1000 CORate=1",
            "",
            "CFactor=1.200000 CalVal=99.900 Disc2=£99.00 BreakP=1000 CORate=1.00 "
            "NRate1.toolTip=Rate 1 cost per KWHr ( between 0.01 and 0.99)");
        row("every setting below its range",
            "LogLevel=0 RunOnTop=0 Convert=0.99 CFactor=0.79 CalVal=4.99 NRate1=0.009 "
            "NRate2=0.005 Predict=-1 SCharge=4.99 Disc1=0.5 Disc2=0.5 VRate=0.5 BreakP=9 "
            "CORate=0.049",
            EveryMessage, "CFactor=0.79 NRate1=0.009");
        row("every setting above its range",
            "LogLevel=2.001 RunOnTop=3 Convert=2.01 CFactor=1.2000001 CalVal=99.91 NRate1=1 "
            "NRate2=1 Predict=4.5 SCharge=99.01 Disc1=100 Disc2=99.5 VRate=50.1 BreakP=1001 "
            "CORate=1.01",
            EveryMessage, "");
        row("options whole, empty or not a number",
            "LogLevel=1.5 RunOnTop=1.5 Convert= NRate1=abc NRate2=0.2x SCharge=  CORate=0.19x",
            "Log Level must be 1 or 2\nRun On Top must be 1 or 2\n"
            "Conversion factor must be 1 or 2\n"
            "Rate 1 must be between 0.01 and 0.99\n"
            "Rate 2 must be 0 or between 0.01 and 0.99\n"
            "Fixed Charge must be either 0 or between 5 and 99\n"
            "CO2 Conversion Rate must be between 0.05 and 1\n",
            "NRate1=abc SCharge= ");
        row("zero means not used",
            "NRate2=0.00000 Predict=0.4 SCharge=0 Disc1=0 Disc2= VRate=0 BreakP=0 TDaysP=91", "",
            "NRate2= Predict= SCharge= Disc1= Disc2= VRate= BreakP= TDaysP=");
        row("rounded to the standard places",
            "Convert=1.5 CFactor= 1.1  CalVal=39.4995 NRate1=0.123456 Predict=2.5 SCharge=12.5 "
            "Disc1=2.675 VRate=17.55 BreakP=250.5 CORate=0.185",
            "",
            "CFactor=1.100000 CalVal=39.500 NRate1=£0.12346 Predict=3 SCharge=£12.50 "
            "Disc1=£2.68 VRate=17.6 BreakP=251 CORate=0.19");
        // After "The data has not changed" the settings are neither rewritten
        // nor given their symbols back.
        const QString unchanged = "The data has not changed since the last calculation";
        row("an earlier list", "NRate1=£0.12000 ErrorList=" + unchanged, unchanged,
            "NRate1=0.12000 CFactor=1.0");
        // The labels and the amounts shown whatever the checks found.
        row("no tax rate", "VRate= TCost=12.5 TCostP=40", "",
            "VATH=VAT: THead= TVHead=Total Cost TCost= TCostP= TCost.toolTip= TCostP.toolTip= "
            "TVCost.toolTip=Total Cost (no VAT) TVCostP.toolTip=Predicted Total Cost (no VAT) "
            "Disc1.toolTip=Discount 1 per quarter ( 0 or between 1 and 99) "
            "Disc2.toolTip=Discount 2 per quarter ( 0 or between 1 and 99) "
            "VRate.toolTip=VAT Rate (0 or between 1 and 50%)");
        row("tax rate 20", "VRate=20 TCost=12.5", "",
            "THead=Total Cost TVHead=Total Cost (inc VAT) TCost=£12.50 "
            "TCost.toolTip=Total Cost (less VAT) TCostP.toolTip=Predicted Total Cost (less VAT) "
            "TVCost.toolTip=Total Cost (inc VAT) TVCostP.toolTip=Predicted Total Cost (inc VAT) "
            "Disc1.toolTip=Discount 1 per quarter before VAT ( 0 or between 1 and 99) "
            "Disc2.toolTip=Discount 2 per quarter after VAT ( 0 or between 1 and 99)");
        row("totals as their size, grouped",
            "Predict=1 VRate=20 TVCost=-1234.5 TCost=93293253.9 TCostP=1.005 TVCostP=-99.995 "
            "CDay=0.123456 CDayP=£3,205.72",
            "",
            "TVCost=£1,234.50 TCost=£93,293,253.90 TCostP=£1.01 TVCostP=£100.00 CDay=£0.12 "
            "CDayP=£3,205.72");
        row("one character, no amount or shown; costs with the symbol",
            "Predict=1 VRate=20 TCost=0 TVCost=-5 CDay= TCostP=abc NR1Cost=£3.20 NR1CostP=13.20",
            "", "TCost=0 TVCost=5 CDay= TCostP=abc NR1Cost=£3.20 NR1CostP=£13.20");
        // Without a fixed charge its results go, and so do Rate 2 results of nothing.
        row("results tidied",
            "Predict=1 R2Units=0 NR2Cost=£0.00 TSCharge=£20 TSChargeP=£80 TDaysP=91", "",
            "R2Units= NR2Cost= TSCharge= TSChargeP= TDaysP=91");
        // Money typed with the locale's symbol or decimal separator: the symbol
        // taken off and put back, never a digit.
        for (const QLocale& locale : {testlocales::britain(), testlocales::unitedStates(),
                                      testlocales::germany(), testlocales::sweden()}) {
            const QString tax = testlocales::taxWord(locale);
            row(qPrintable(locale.name() + " money"),
                "NRate1=¤0.12345 SCharge=¤5 Disc1=¤1 Disc2=" + locale.toString(10.5, 'f', 1) +
                    " VRate=20 TVCost=-12.5 NR1Cost=¤3.20",
                "",
                "NRate1=¤0.12345 SCharge=¤5.00 Disc1=¤1.00 Disc2=¤10.50 TVCost=¤12.50 "
                "NR1Cost=¤3.20 VATH=" +
                    tax + ": TVHead=Total Cost (inc " + tax + ") VRate.toolTip=" + tax +
                    " Rate (0 or between 1 and 50%)",
                locale);
        }
    }
    void checkSettings() {
        QFETCH(QLocale, locale);
        QFETCH(QString, fields);
        QFETCH(QString, shown);
        TestProgram t(locale);
        setValidSettings(t.sheet());
        setFields(t.sheet(), withMoney(fields, locale));
        CheckSettings(t.program, CurrencySymbols::StripAndAdd);
        TidyResults(t.program);
        QTEST(t.sheet().ErrorList, "messages");
        QCOMPARE(fieldTexts(t.sheet(), withMoney(shown, locale)), withMoney(shown, locale));
    }
};

MW_REGISTER_TEST(TestCheckSettings)
#include "tst_checksettings.moc"
