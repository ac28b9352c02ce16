#include "calc/SheetFields.h"
#include "settings/ClearResults.h"
#include "settings/CostFields.h"
#include "settings/TaxLabels.h"
#include "settings/TidyResults.h"
#include "support/FieldLines.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

// How the results look: tax labels, amounts, blanking and clearing.
class TestResultDisplay : public QObject {
    Q_OBJECT

private slots:
    // Headings, the totals without tax and the tooltips follow the tax rate and word.
    void taxLabels_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("rate");
        QTest::newRow("empty") << testlocales::britain() << "";
        QTest::newRow("0.0") << testlocales::britain() << "0.0";
        QTest::newRow("not a number") << testlocales::britain() << "abc";
        QTest::newRow("20") << testlocales::britain() << "20";
        QTest::newRow("en_US empty") << testlocales::unitedStates() << "";
        QTest::newRow("sv_SE 20") << testlocales::sweden() << "20";
    }
    void taxLabels() {
        QFETCH(QLocale, locale);
        QFETCH(QString, rate);
        TestProgram t(locale);
        Sheet& s = t.sheet();
        setFields(s, QStringLiteral("TCost=12.5 TCostP=40 VRate=") + rate);
        ShowTaxLabels(s, t.forms);
        QString expected =
            rate == u"20"
                ? QStringLiteral("Total Cost|Total Cost (inc %1)|12.5|40|Total Cost (less %1)|"
                                 "Predicted Total Cost (less %1)|Total Cost (inc %1)|"
                                 "Predicted Total Cost (inc %1)|"
                                 "Discount 1 per quarter before %1 ( 0 or between 1 and 99)|"
                                 "Discount 2 per quarter after %1 ( 0 or between 1 and 99)")
                : QStringLiteral("|Total Cost|||||Total Cost (no %1)|"
                                 "Predicted Total Cost (no %1)|"
                                 "Discount 1 per quarter ( 0 or between 1 and 99)|"
                                 "Discount 2 per quarter ( 0 or between 1 and 99)");
        expected.replace(QStringLiteral("%1"), testlocales::taxWord(locale));
        QCOMPARE(QStringList({s.THead.caption, s.TVHead.caption, s.TCost.text, s.TCostP.text,
                              s.TCost.toolTip, s.TCostP.toolTip, s.TVCost.toolTip,
                              s.TVCostP.toolTip, s.Disc1.toolTip, s.Disc2.toolTip})
                     .join(u'|'),
                 expected);
    }

    // FormatCostFields shows totals as their size and costs with the symbol;
    // TidyResults empties the Rate 2 results of nothing. Colours stay.
    void shownAmounts_data() {
        QTest::addColumn<bool>("tidy");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("totals")
            << false
            << "TVCost=-12.5 TCost=23.675 TCostP=1.005 TVCostP=-99.995 CDay=0.123456 CDayP=12"
            << "TVCost=£12.50 TCost=£23.68 TCostP=£1.01 TVCostP=£100.00 CDay=£0.12 CDayP=£12.00";
        QTest::newRow("one character, no amount, or shown")
            << false << "TCost=0 TVCost=-5 CDay= TCostP=abc TVCostP=£12.50"
            << "TCost=0 TVCost=5 CDay= TCostP=abc TVCostP=£12.50";
        QTest::newRow("costs")
            << false << "NR1Cost=£3.20 NR2Cost=0 NR1CostP=13.20 TSChargeP=£40.00 TSCharge="
            << "NR1Cost=£3.20 NR2Cost=0 NR1CostP=£13.20 TSChargeP=£40.00 TSCharge=";
        QTest::newRow("tidy Rate 2 of nothing")
            << true << "R2Units=0 R2UnitsP=0 NR2Cost=£0.00 NR2CostP=£0.00 R1Units=0"
            << "R2Units= R2UnitsP= NR2Cost= NR2CostP= R1Units=0";
        QTest::newRow("tidy Rate 2 used")
            << true << "R2Units=120 NR2Cost=£3.20 NR2CostP=£0.01 TSCharge=£10.00"
            << "R2Units=120 NR2Cost=£3.20 NR2CostP=£0.01 TSCharge=£10.00";
        QTest::newRow("tidy Rate 2 cost 0") << true << "NR2Cost=0"
                                            << "NR2Cost=";
    }
    void shownAmounts() {
        QFETCH(bool, tidy);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TestProgram t;
        Sheet& s = t.sheet();
        setFields(s, QStringLiteral("Predict=2 SCharge=10.00 ") + before);
        for (const auto& [name, text] : assignments(after))
            fieldNamed(s, name).colour = Orange;
        tidy ? TidyResults(t.program) : FormatCostFields(s, t.forms);
        QCOMPARE(fieldTexts(s, after), after);
        for (const auto& [name, text] : assignments(after))
            QCOMPARE(fieldNamed(s, name).colour, Orange);
    }

    // Clearing empties one column and turns its totals and costs per day dark
    // grey again; tidying without a prediction or a fixed charge clears theirs.
    void clearing_data() {
        QTest::addColumn<int>("procedure");
        QTest::newRow("ClearActualResults") << 0;
        QTest::newRow("ClearPredictedResults") << 1;
        QTest::newRow("TidyResults") << 2;
    }
    void clearing() {
        QFETCH(int, procedure);
        TestProgram t;
        Sheet& s = t.sheet();
        s.ErrorStep = 103;
        s.ConvertF.value = 1;
        for (const Named<TextField>& result : resultFields(s)) {
            result.control->text = QStringLiteral("1");
            result.control->colour = Orange;
        }
        const std::function<void(Program&)> procedures[] = {ClearActualResults,
                                                            ClearPredictedResults, TidyResults};
        procedures[procedure](t.program);
        for (const Named<TextField>& result : resultFields(s)) {
            const bool predicted = result.name.endsWith(u'P');
            const bool cleared = procedure == 0
                                     ? !predicted
                                     : predicted || (procedure == 2 && result.name == u"TSCharge");
            const QString name = predicted ? result.name.chopped(1) : result.name;
            const bool total = QStringList{"TCost", "TVCost", "CDay"}.contains(name);
            QCOMPARE(result.control->text, cleared ? QString() : QStringLiteral("1"));
            QCOMPARE(result.control->colour, cleared && total ? DarkGrey : Orange);
        }
        QCOMPARE(s.ErrorStep, std::int16_t(103));
        if (procedure == 2) // the volume caption follows the cubic feet box
            QCOMPARE(s.NRUnitsL.caption, QStringLiteral("100s of Cu Feet Used"));
    }
};

MW_REGISTER_TEST(TestResultDisplay)
#include "tst_resultdisplay.moc"
