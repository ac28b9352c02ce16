#include "settings/CheckSettings.h"
#include "settings/TidyResults.h"
#include "support/FieldLines.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

namespace {

// The messages in the order of the checks.
const char* const Messages[] = {
    "Log Level must be 1 or 2",
    "Run On Top must be 1 or 2",
    "Conversion factor must be 1 or 2",
    "Correction Factor must be 0 or between 0.800000 and 1.200000",
    "Calorific Value must be between 5.0 and 99.9",
    "Rate 1 must be between 0.01 and 0.99",
    "Rate 2 must be 0 or between 0.01 and 0.99",
    "Prediction Period must be either 0 or between 1 and 4 quarters",
    "Fixed Charge must be either 0 or between 5 and 99",
    "Discount 1 must be either 0 or between 5 and 100",
    "Discount 2 must be either 0 or between 5 and 100",
    "VAT Rate must be 0 or between 1 and 50%",
    "Break Point between Rates must be 0 or between 10 and 1000",
    "CO2 Conversion Rate must be between 0.05 and 1",
};

// The messages from `first` to `last`, each followed by a line feed.
QString listed(int first, int last) {
    QString list;
    for (int message = first; message <= last; ++message)
        list += QString::fromUtf8(Messages[message]) + u'\n';
    return list;
}

} // namespace

class TestCheckSettings : public QObject {
    Q_OBJECT

private slots:
    // Fields typed into valid settings ("¤5" an amount in the locale's display
    // form); the messages, and texts as they are shown after the checks.
    void checkSettings_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const QString& fields, const QString& messages,
                            const QString& shown, const QLocale& locale = testlocales::britain()) {
            QTest::newRow(name) << locale << fields << messages << shown;
        };
        // Each setting in check order: texts that pass ("typed=shown": then shown
        // so), and texts that fail with the setting's message.
        const char* const checks[][3] = {
            {"LogLevel", "1|2", "1.5|0|3"},
            {"RunOnTop", "2", "0|1.5"},
            {"Convert", "1.5|2", "0.99|2.01|"},
            {"CFactor", "0.8|1.2|1.0=1.000000|1.0abc=1.0abc| 1.1 =1.100000", "0|0.79|1.2000001"},
            {"CalVal", "5|99.9|39.5=39.500|39.4995=39.500", "4.99|99.91|"},
            {"NRate1", "0.01|0.99|0.12=£0.12000|0.2x=£0.2x|0.123456=£0.12346", "0.009|1|abc"},
            {"NRate2", "=|0=|0.01=£0.01000|0.00000=", "0.005|0.2x| "},
            {"Predict", "=|0.4=|4=4|2.5=3", "-1|4.5|2x"},
            {"SCharge", "0=|5|99|12.5=£12.50", "4.99|99.01"},
            {"Disc1", "1|99|2.675=£2.68", "0.5|100"},
            {"Disc2", "1=£1.00|0=", "0.5|99.5"},
            {"VRate", "1|50|5=5.0|17.55=17.6|0=", "0.5|50.1"},
            {"BreakP", "10|1000|250.5=251|0=", "9|1001"},
            {"CORate", "0.05|1=1.00|0.19=0.19|0.185=0.19", "|0.049|1.01|0.19x"},
        };
        for (int check = 0; check < 14; ++check) {
            const QString setting = QString::fromLatin1(checks[check][0]) + u'=';
            for (const QString& text : QString::fromUtf8(checks[check][1]).split(u'|'))
                row(qPrintable(setting + text), setting + text.section(u'=', 0, 0), QString(),
                    text.contains(u'=') ? setting + text.section(u'=', 1) : QString());
            for (const QString& text : QString::fromUtf8(checks[check][2]).split(u'|'))
                row(qPrintable(setting + text), setting + text, listed(check, check), QString());
        }
        row("every check failing",
            "LogLevel=0 RunOnTop=0 Convert= CFactor= CalVal= NRate1= NRate2=x Predict=x "
            "SCharge=x Disc1=x Disc2=x VRate=x BreakP=x CORate=",
            listed(0, 13), "");
        // After "The data has not changed" the settings are checked, neither
        // rewritten nor given their symbols back; switched-off checks empty any list.
        const QString unchanged =
            QStringLiteral("The data has not changed since the last calculation");
        row("an earlier list", "NRate1=£0.12000 ErrorList=" + unchanged, unchanged,
            "NRate1=0.12000 CFactor=1.0");
        row("checks switched off", "ErrorCheckInhibited=1 ErrorList=earlier Disc1=0.5 CalVal=120",
            "", "Disc1=£0.50 CalVal=120.000");
        // The labels and the amounts shown whatever the checks found.
        row("no tax rate", "VRate= TCost=12.5 TCostP=40", "",
            "VATH=VAT: THead= TVHead=Total Cost TCost= TCostP= TCost.toolTip= TCostP.toolTip= "
            "TVCost.toolTip=Total Cost (no VAT) TVCostP.toolTip=Predicted Total Cost (no VAT) "
            "Disc1.toolTip=Discount 1 per quarter ( 0 or between 1 and 99) "
            "Disc2.toolTip=Discount 2 per quarter ( 0 or between 1 and 99)");
        row("tax rate not a number", "VRate=abc TCost=12.5", listed(11, 11), "THead= TCost=");
        row("tax rate 20", "VRate=20 TCost=12.5", "",
            "THead=Total Cost TVHead=Total Cost (inc VAT) TCost=£12.50 "
            "TCost.toolTip=Total Cost (less VAT) TCostP.toolTip=Predicted Total Cost (less VAT) "
            "TVCost.toolTip=Total Cost (inc VAT) TVCostP.toolTip=Predicted Total Cost (inc VAT) "
            "Disc1.toolTip=Discount 1 per quarter before VAT ( 0 or between 1 and 99) "
            "Disc2.toolTip=Discount 2 per quarter after VAT ( 0 or between 1 and 99)");
        row("Tax, no rate", "VRate=", "", "VATH=Tax: TVCost.toolTip=Total Cost (no Tax)",
            testlocales::unitedStates());
        row("Tax, rate 20", "VRate=20 CORate=", listed(13, 13),
            "VATH=Tax: TVHead=Total Cost (inc Tax)", testlocales::sweden());
        row("totals as their size",
            "VRate=20 TVCost=-12.5 TCost=23.675 TCostP=1.005 TVCostP=-99.995 CDay=0.123456 "
            "CDayP=12",
            "", "TVCost=£12.50 TCost=£23.68 TCostP=£1.01 TVCostP=£100.00 CDay=£0.12 CDayP=£12.00");
        row("totals grouped, and read back",
            "VRate=20 TVCost=-1234.5 TCost=93293253.9 TCostP=£3,205.72", "",
            "TVCost=£1,234.50 TCost=£93,293,253.90 TCostP=£3,205.72");
        row("trailing text passes and stays", "NRate1=0.2x CalVal=39.5kWh CFactor=1.0abc", "",
            "NRate1=£0.2x CalVal=39.5kWh CFactor=1.0abc");
        row("one character, no amount or shown",
            "VRate=20 TCost=0 TVCost=-5 CDay= TCostP=abc TVCostP=£12.50", "",
            "TCost=0 TVCost=5 CDay= TCostP=abc TVCostP=£12.50");
        row("costs with the symbol",
            "NR1Cost=£3.20 NR2Cost=0 NR1CostP=13.20 TSChargeP=£40.00 TSCharge=", "",
            "NR1Cost=£3.20 NR2Cost=0 NR1CostP=£13.20 TSChargeP=£40.00 TSCharge=");
    }
    void checkSettings() {
        QFETCH(QLocale, locale);
        QFETCH(QString, fields);
        QFETCH(QString, shown);
        TestProgram t(locale);
        setValidSettings(t.sheet());
        setFields(t.sheet(), withMoney(fields, locale));
        CheckSettings(t.program, CurrencySymbols::StripAndAdd);
        QTEST(t.sheet().ErrorList, "messages");
        QCOMPARE(t.sheet().ErrorStep, std::int16_t(134));
        QCOMPARE(fieldTexts(t.sheet(), withMoney(shown, locale)), withMoney(shown, locale));
    }

    // Money typed with the locale's symbol or decimal separator; the symbol
    // taken off and put back, never a digit; a negative total in orange.
    void everyLocale_data() { testlocales::addLocaleRows(); }
    void everyLocale() {
        QFETCH(QLocale, locale);
        TestProgram t(locale);
        Sheet& s = t.sheet();
        setValidSettings(s);
        setFields(s, withMoney("NRate1=¤0.12345 SCharge=¤5 Disc1=¤1 VRate=20 TVCost=-12.5 "
                               "NR1Cost=¤3.20 NR2Cost=¤0.00 Disc2=",
                               locale) +
                         locale.toString(10.5, 'f', 1));
        s.TVCost.colour = Orange;
        CheckSettings(t.program, CurrencySymbols::StripAndAdd);
        TidyResults(t.program);
        const QString shown = withMoney("NRate1=¤0.12345 SCharge=¤5.00 Disc1=¤1.00 Disc2=¤10.50 "
                                        "TVCost=¤12.50 NR1Cost=¤3.20 NR2Cost=",
                                        locale);
        QCOMPARE(s.ErrorList + fieldTexts(s, shown), shown);
        QCOMPARE(s.TVCost.colour, Orange);
        QCOMPARE(s.CurrencySymbol + u' ' + s.VATH.caption,
                 testlocales::symbol(locale) + u' ' + testlocales::taxWord(locale) + u':');
        CheckSettings(t.program, CurrencySymbols::StripOnly);
        const QString plain = withMoney("NRate1=0.12345 Disc2=10.50 TVCost=¤12.50", locale);
        QCOMPARE(fieldTexts(s, plain), plain);
        CheckSettings(t.program, CurrencySymbols::AddOnly);
        QCOMPARE(fieldTexts(s, shown), shown);
        // "0,12" is 0.12 where the comma is the decimal separator, and 0
        // elsewhere. A refusal leaves the fields as typed, without symbols.
        setFields(s, withMoney("NRate1=0,12 SCharge=¤4.99", locale));
        CheckSettings(t.program, CurrencySymbols::StripAndAdd);
        QCOMPARE(s.ErrorList, (locale.decimalPoint() == u"," ? "" : listed(5, 5)) + listed(8, 8));
        const QString typed = withMoney("NRate1=0,12 SCharge=4.99 TVCost=¤12.50", locale);
        QCOMPARE(fieldTexts(s, typed), typed);
    }
};

MW_REGISTER_TEST(TestCheckSettings)
#include "tst_checksettings.moc"
