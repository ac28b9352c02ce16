#include "WindowSession.h"
#include "app/PeriodsModel.h"
#include "app/TrendsWindow.h"
#include "logs/LogPaths.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QSignalSpy>
#include <QTableView>

// What Ctrl+C in `table` puts on the clipboard, after selecting with `select`.
template <typename Select> static QString copied(QTableView* table, Select select) {
    table->clearSelection();
    select(table);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    return QApplication::clipboard()->text();
}

class TestTrends : public QObject {
    Q_OBJECT

private slots:
    // Periods sorted and copied (Ctrl+C), years, re-pricing and its difference, CSV.
    void trends_data() {
        QTest::addColumn<Qt::CheckState>("repricing");
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<QString>("copies");
        QTest::addColumn<QString>("difference");
        QTest::addColumn<QByteArray>("csv");
        const QString csv = "from,to,days,readingFrom,readingTo,volume,unit,kWh,kWhPerDay,cost,"
                            "costPerDay%1\r\n2014-10-01,2015-01-01,92,1000,1400,400,m3,4488,48.78,"
                            "219.07,2.38%2\r\n2015-01-01,2015-04-01,90,1400,1800,400,m3,4488,49.87,"
                            "219.07,2.43%2\r\n2015-04-01,2015-07-01,91,1800,1950,150,m3,1683,18.49,"
                            "101.56,1.12%3\r\n";
        QTest::newRow("latest first")
            << Qt::Unchecked << int(PeriodsModel::To)
            << "01/04/2015\n01/01/2015\n01/10/2014\n"
               "01/04/2015\t01/07/2015\t91\t150 m³\t1683\t18.49\t£101.56\t£1.12\n"
               "2014\t92\t4488\t£219.07\t£2.38\n2015\t181\t6171\t£320.63\t£1.77\n"
            << "" << csv.arg("", "", "").toUtf8();
        QTest::newRow("most per day first, re-priced")
            << Qt::Checked << int(PeriodsModel::KWhPerDay)
            << "01/01/2015\n01/10/2014\n01/04/2015\n"
               "01/01/2015\t01/04/2015\t90\t400 m³\t4488\t49.87\t£219.07\t£2.43\t£227.38\n"
               "2014\t92\t4488\t£219.07\t£2.38\t£227.38\n2015\t181\t6171\t£320.63\t£1.77\t£323.51\n"
            << "1 selected period: £219.07 on their own tariffs, £227.38 on the current tariff, "
               "£8.31 more"
            << csv.arg(",repricedCost", ",227.38", ",96.13").toUtf8();
    }
    void trends() {
        QFETCH(Qt::CheckState, repricing);
        QFETCH(int, sortColumn);
        QFETCH(QString, copies);
        QFETCH(QString, difference);
        QFETCH(QByteArray, csv);
        WindowSession w;
        QByteArray log = "Meterwin History Log\r\n"; // three quarters, from 2014 into 2015
        for (const char* reading : {" 01/10/2014,    1000", " 01/01/2015,    1400",
                                    " 01/04/2015,    1800", " 01/07/2015,    1950"})
            log += reading + QByteArray(", Cubic Metres, 0.03990,        ,      ,    39.500,   "
                                        "1.022640, £29.57,  5.0%,       ,       \r\n");
        w.directory.writeFile(logFilePath(w.t.sheet().HistoryLogName), log);
        w.click("Trends");
        auto* trends = w.window->findChild<TrendsWindow*>();
        QSignalSpy loaded(trends, &TrendsWindow::loaded);
        trends->findChild<QCheckBox*>()->setCheckState(repricing); // before the first reading ends
        QVERIFY(loaded.wait());
        auto* table = trends->findChild<QTableView*>("Periods");
        table->sortByColumn(sortColumn, Qt::DescendingOrder);
        // The From dates in the sorted order, its first row, the years; row 0 stays selected.
        QString copy = copied(table, [](auto* t) { t->selectColumn(PeriodsModel::From); });
        copy += copied(table, [](auto* t) { t->selectRow(0); });
        copy += copied(trends->findChild<QTableView*>("Years"), [](auto* t) { t->selectAll(); });
        QCOMPARE(copy, copies);
        auto* shown = trends->findChild<QLabel*>("Difference");
        QCOMPARE(shown->isVisible() ? shown->text() : "", difference);
        QVERIFY(trends->exportCsv("periods.csv"));
        QCOMPARE(w.directory.readFile("periods.csv"), csv);
    }
};

MW_REGISTER_TEST(TestTrends)
#include "tst_trends.moc"
