#include "settings/ClearResults.h"
#include "settings/TidyResults.h"
#include "support/FieldLines.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

class TestResultDisplay : public QObject {
    Q_OBJECT

private slots:
    // With a prediction of 2 quarters and a fixed charge, TidyResults empties
    // only the Rate 2 results of nothing.
    void tidyResults_data() {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Rate 2 of nothing")
            << QStringLiteral("R2Units=0 R2UnitsP=0 NR2Cost=£0.00 NR2CostP=0 R1Units=0")
            << QStringLiteral("R2Units= R2UnitsP= NR2Cost= NR2CostP= R1Units=0");
        QTest::newRow("Rate 2 used")
            << QStringLiteral("R2Units=120 NR2Cost=£3.20 NR2CostP=£0.01 TSCharge=£10.00")
            << QStringLiteral("R2Units=120 NR2Cost=£3.20 NR2CostP=£0.01 TSCharge=£10.00");
    }
    void tidyResults() {
        QFETCH(QString, fields);
        QFETCH(QString, shown);
        TestProgram t;
        setFields(t.sheet(), QStringLiteral("Predict=2 SCharge=10.00 ") + fields);
        TidyResults(t.program);
        QCOMPARE(fieldTexts(t.sheet(), shown), shown);
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
