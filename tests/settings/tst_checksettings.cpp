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

// The messages listed, each followed by a line feed.
QString listed(std::initializer_list<int> messages) {
    QString list;
    for (const int message : messages)
        list += QString::fromUtf8(Messages[message]) + u'\n';
    return list;
}

} // namespace

class TestCheckSettings : public QObject {
    Q_OBJECT

private slots:
    // One setting typed into otherwise valid settings, the settings in check
    // order: texts that pass ("typed=shown": then shown so), and texts that
    // fail with the setting's message.
    void checkBoundaries_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("shown");
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
            const char* setting = checks[check][0];
            for (const QString& passing : QString::fromUtf8(checks[check][1]).split(u'|'))
                QTest::addRow("%s '%s'", setting, qPrintable(passing))
                    << setting << passing.section(u'=', 0, 0) << QString()
                    << (passing.contains(u'=') ? passing.section(u'=', 1) : QString());
            for (const QString& failing : QString::fromUtf8(checks[check][2]).split(u'|'))
                QTest::addRow("%s '%s'", setting, qPrintable(failing))
                    << setting << failing << listed({check}) << QString();
        }
    }
    void checkBoundaries() {
        QFETCH(QString, setting);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        TestProgram t;
        setValidSettings(t.sheet());
        setSetting(t.sheet(), setting, text);
        CheckSettings(t.program, true, true);
        QTEST(t.sheet().ErrorList, "messages");
        QCOMPARE(t.sheet().ErrorStep, std::int16_t(134));
        if (!shown.isNull())
            QCOMPARE(fieldNamed(t.sheet(), setting).text, shown);
    }

    void everyCheckFailing() {
        TestProgram t;
        setFields(t.sheet(),
                  QStringLiteral("NRate2=x Predict=x SCharge=x Disc1=x Disc2=x VRate=x BreakP=x"));
        CheckSettings(t.program, false, false);
        QCOMPARE(t.sheet().ErrorList, listed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    }

    // Money typed with the locale's symbol or decimal separator; the symbol
    // taken off and put back, never a digit; labels and cost fields shown
    // whatever the checks found.
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
        CheckSettings(t.program, true, true);
        TidyResults(t.program);
        const QString shown = withMoney("NRate1=¤0.12345 SCharge=¤5.00 Disc1=¤1.00 Disc2=¤10.50 "
                                        "TVCost=¤12.50 NR1Cost=¤3.20 NR2Cost=",
                                        locale);
        QCOMPARE(s.ErrorList + fieldTexts(s, shown), shown);
        QCOMPARE(s.TVCost.colour, Orange);
        QCOMPARE(s.CurrencySymbol + u' ' + s.VATH.caption,
                 testlocales::symbol(locale) + u' ' + testlocales::taxWord(locale) + u':');
        CheckSettings(t.program, true, false);
        const QString plain = withMoney("NRate1=0.12345 Disc2=10.50 TVCost=¤12.50", locale);
        QCOMPARE(fieldTexts(s, plain), plain);
        CheckSettings(t.program, false, true);
        QCOMPARE(fieldTexts(s, shown), shown);
        // "0,12" is 0.12 where the comma is the decimal separator, and 0
        // elsewhere. A refusal leaves the fields as typed, without symbols.
        setFields(s, withMoney("NRate1=0,12 SCharge=¤4.99", locale));
        CheckSettings(t.program, true, true);
        QCOMPARE(s.ErrorList, locale.decimalPoint() == u"," ? listed({8}) : listed({5, 8}));
        const QString typed = withMoney("NRate1=0,12 SCharge=4.99 TVCost=¤12.50", locale);
        QCOMPARE(fieldTexts(s, typed), typed);
    }

    // After "The data has not changed" the settings are checked, neither
    // rewritten nor given their symbols back; switched-off checks empty any list.
    void earlierListOrChecksSwitchedOff() {
        TestProgram t;
        Sheet& s = t.sheet();
        setValidSettings(s);
        s.ErrorList = QStringLiteral("The data has not changed since the last calculation");
        setFields(s, QStringLiteral("NRate1=£0.12000"));
        CheckSettings(t.program, true, true);
        QCOMPARE(s.ErrorList + fieldTexts(s, QStringLiteral("NRate1= CFactor=")),
                 QStringLiteral("The data has not changed since the last calculation"
                                "NRate1=0.12000 CFactor=1.0"));
        setFields(s, QStringLiteral("ErrorCheckInhibited=1 Disc1=0.5 CalVal=120"));
        CheckSettings(t.program, true, true);
        const QString accepted = QStringLiteral("Disc1=£0.50 CalVal=120.000");
        QCOMPARE(s.ErrorList + fieldTexts(s, accepted), accepted);
    }
};

MW_REGISTER_TEST(TestCheckSettings)
#include "tst_checksettings.moc"
