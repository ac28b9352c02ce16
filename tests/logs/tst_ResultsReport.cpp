#include "logs/LogsFixture.h"
#include "logs/ResultsReport.h"
#include "support/TestMain.h"

using namespace logstest;

using SheetChange = std::function<void(Sheet&)>;
Q_DECLARE_METATYPE(SheetChange)

namespace {

const QString Rule69 = QString(69, u'-');

QStringList exampleLines() {
    return {QStringLiteral("14/03/2026 18:02:11"),
            QStringLiteral("Calorific Value  : 39.400"),
            QStringLiteral("Correction Factor:  1.022640"),
            QString(),
            QStringLiteral("Cost To Date ( 91 Days)"),
            QStringLiteral("-----------------------"),
            QStringLiteral("From                      :   13/12/2025"),
            QStringLiteral("To                        :   14/03/2026"),
            QStringLiteral("Gas Used                  :    412    Cubic Metres"),
            QStringLiteral("KWHr Used                 :   4611    (Rate 2 after 1 * 670 KWHr)"),
            QStringLiteral("Rate 1 KWHr Used          :    670    at £0.07000 per KWhr =   £46.90"),
            QStringLiteral("Rate 2 KWHr Used          :   3941    at £0.04000 per KWhr =  £157.64"),
            QStringLiteral("Total Cost (exc VAT)      :   £217.04 (inc Fixed Charge: 1 * £12.50)"),
            QStringLiteral("Total Cost (inc    5% VAT):   £227.89"),
            QStringLiteral("Cost per Day              :     £2.50")};
}

void fillPrediction(Sheet& s) {
    s.Predict.text = QStringLiteral("4");
    s.TDaysP.text = QStringLiteral("365");
    s.NRUnitsP.text = QStringLiteral("1653");
    s.CRUnitsP.text = QStringLiteral("18501");
    s.R1UnitsP.text = QStringLiteral("2680");
    s.R2UnitsP.text = QStringLiteral("15821");
    s.NR1CostP.text = QStringLiteral("£187.60");
    s.NR2CostP.text = QStringLiteral("£632.84");
    s.TCostP.text = QStringLiteral("£870.44");
    s.TVCostP.text = QStringLiteral("£913.96");
    s.CDayP.text = QStringLiteral("£2.50");
}

// A single rate, no fixed charge, no VAT, with notes and imperial units, as
// the result display leaves such a calculation.
void fillSimpleTariff(Sheet& s) {
    s.Notes.text = QStringLiteral("New meter fitted");
    s.ConvertF.value = 1;
    s.BreakP.text.clear();
    s.NRate2.text.clear();
    s.SCharge.text.clear();
    s.VRate.text.clear();
    s.R1Units.text = QStringLiteral("4611");
    s.R2Units.text.clear();
    s.NR1Cost.text = QStringLiteral("£322.77");
    s.NR2Cost.text.clear();
    s.TSCharge.text.clear();
    s.TCost.text.clear();
    s.TVCost.text = QStringLiteral("£322.77");
    s.CDay.text = QStringLiteral("£3.55");
}

} // namespace

class TestResultsReport : public QObject {
    Q_OBJECT

    static QString reportFor(const SheetChange& change) {
        LogsProgram t;
        fillExampleCalculation(t.sheet());
        change(t.sheet());
        BuildResultsReport(t.program);
        return t.sheet().ReportText;
    }

private slots:
    void wholeBlock_data() {
        QTest::addColumn<SheetChange>("change");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("normal calculation")
            << SheetChange([](Sheet&) {}) << (exampleLines() << Rule69 << QString());

        QTest::newRow("prediction with break point and fixed charge")
            << SheetChange(fillPrediction)
            << (exampleLines()
                << QString() << QStringLiteral("Cost Prediction Over  4 Quarter(s) (365 Days)")
                << QString(45, u'-') << QStringLiteral("From                      :   13/12/2025")
                << QStringLiteral("Gas Used                  :   1653    Cubic Metres")
                << QStringLiteral(
                       "KWHr Used                 :  18501    (Rate 2 after 4 * 670 KWHr)")
                << QStringLiteral(
                       "Rate 1 KWHr Used          :   2680    at £0.07000 per KWhr =  £187.60")
                << QStringLiteral(
                       "Rate 2 KWHr Used          :  15821    at £0.04000 per KWhr =  £632.84")
                << QStringLiteral(
                       "Total Cost (exc VAT)      :   £870.44 (inc Fixed Charge: 4 * £12.50)")
                << QStringLiteral("Total Cost (inc    5% VAT):   £913.96")
                << QStringLiteral("Cost per Day              :     £2.50") << Rule69 << QString());

        QTest::newRow("notes, no break point, no fixed charge, no VAT, imperial")
            << SheetChange(fillSimpleTariff)
            << QStringList{
                   QStringLiteral("14/03/2026 18:02:11"),
                   QStringLiteral("New meter fitted"),
                   QStringLiteral("Calorific Value  : 39.400"),
                   QStringLiteral("Correction Factor:  1.022640"),
                   QString(),
                   QStringLiteral("Cost To Date ( 91 Days)"),
                   QStringLiteral("-----------------------"),
                   QStringLiteral("From                      :   13/12/2025"),
                   QStringLiteral("To                        :   14/03/2026"),
                   QStringLiteral("Gas Used                  :    412    100s of Cubic Feet"),
                   QStringLiteral("KWHr Used                 :   4611"),
                   QStringLiteral(
                       "Rate 1 KWHr Used          :   4611    at £0.07000 per KWhr =  £322.77"),
                   QStringLiteral("Rate 2 KWHr Used          :      0"),
                   QStringLiteral("Total Cost (exc VAT)      :          "),
                   QStringLiteral("Total Cost (inc    0% VAT):   £322.77"),
                   QStringLiteral("Cost per Day              :     £3.55"),
                   Rule69,
                   QString()};
    }

    void wholeBlock() {
        QFETCH(SheetChange, change);
        QFETCH(QStringList, expected);
        QCOMPARE(reportFor(change), crlfLines(expected));
    }

    // One line of the block without notes or prediction, by its index.
    void line_data() {
        QTest::addColumn<SheetChange>("change");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");

        QTest::newRow("four-digit day count keeps its last three digits")
            << SheetChange([](Sheet& s) { s.TDays.text = QStringLiteral("1234"); }) << 4
            << QStringLiteral("Cost To Date (234 Days)");
        QTest::newRow("empty day count") << SheetChange([](Sheet& s) { s.TDays.text.clear(); }) << 4
                                         << QStringLiteral("Cost To Date (    Days)");
        QTest::newRow("VAT 17.5 fills its column")
            << SheetChange([](Sheet& s) { s.VRate.text = QStringLiteral("17.5"); }) << 13
            << QStringLiteral("Total Cost (inc 17.5% VAT):   £227.89");
        QTest::newRow("VAT empty shows 0")
            << SheetChange([](Sheet& s) { s.VRate.text.clear(); }) << 13
            << QStringLiteral("Total Cost (inc    0% VAT):   £227.89");
        QTest::newRow("empty Rate 2 cost with a break point")
            << SheetChange([](Sheet& s) { s.NR2Cost.text.clear(); }) << 11
            << QStringLiteral(
                   "Rate 2 KWHr Used          :   3941    at £0.04000 per KWhr =    £0.00");
        QTest::newRow("Rate 2 kWh read by their leading number")
            << SheetChange([](Sheet& s) { s.R2Units.text = QStringLiteral("0041x"); }) << 11
            << QStringLiteral(
                   "Rate 2 KWHr Used          :     41    at £0.04000 per KWhr =  £157.64");
        QTest::newRow("empty Rate 1 leaves seven spaces")
            << SheetChange([](Sheet& s) { s.NRate1.text.clear(); }) << 10
            << QStringLiteral(
                   "Rate 1 KWHr Used          :    670    at         per KWhr =   £46.90");
        QTest::newRow("long cost loses its first characters")
            << SheetChange([](Sheet& s) { s.NR1Cost.text = QStringLiteral("£12345.67"); }) << 10
            << QStringLiteral(
                   "Rate 1 KWHr Used          :    670    at £0.07000 per KWhr = 12345.67");
        QTest::newRow("fixed charge in plain form")
            << SheetChange([](Sheet& s) { s.SCharge.text = QStringLiteral("12.50"); }) << 12
            << QStringLiteral(
                   "Total Cost (exc VAT)      :   £217.04 (inc Fixed Charge: 1 * 12.50)");
        QTest::newRow("fixed charge of nothing")
            << SheetChange([](Sheet& s) { s.SCharge.text = QStringLiteral("£0.00"); }) << 12
            << QStringLiteral("Total Cost (exc VAT)      :   £217.04");
        QTest::newRow("break point 0")
            << SheetChange([](Sheet& s) { s.BreakP.text = QStringLiteral("0"); }) << 9
            << QStringLiteral("KWHr Used                 :   4611");
        QTest::newRow("predicted kWh without break point") << SheetChange([](Sheet& s) {
            fillPrediction(s);
            s.BreakP.text.clear();
        }) << 20 << QStringLiteral("KWHr Used                 :  18501");
        QTest::newRow("prediction that reads as 0") << SheetChange([](Sheet& s) {
            fillPrediction(s);
            s.Predict.text = QStringLiteral("x4");
        }) << 15 << Rule69;
    }

    void line() {
        QFETCH(SheetChange, change);
        QFETCH(int, index);
        QFETCH(QString, expected);
        const QStringList lines = reportFor(change).split(QStringLiteral("\r\n"));
        QVERIFY(index < lines.size());
        QCOMPARE(lines.at(index), expected);
    }
};

MW_REGISTER_TEST(TestResultsReport)
#include "tst_ResultsReport.moc"
