#include "commands/Calc_Click.h"
#include "logs/HistoryPeriods.h"
#include "logs/LogFiles.h"
#include "logs/LogPaths.h"
#include "support/SheetFields.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<SkippedRecord>)

const QString Path = logFilePath(historyLogName());
const QString Rest = QStringLiteral(", Cubic Metres, 0.12000,  , , 39.500, 1.000000, , 5.0%, , ");

struct HistoryProgram : TestProgram {
    explicit HistoryProgram(const QLocale& locale)
        : TestProgram(locale, QDateTime(QDate(2026, 3, 14), QTime(12, 0))) {
        sheet().ResultsLogName = QStringLiteral("Meterwin.log");
        sheet().HistoryLogName = historyLogName();
        sheet().AutoSave.value = 1;
        setValidSettings(sheet());
        QDir().mkdir(QStringLiteral("Log"));
        CreateLogFiles(program);
    }
    void save(int reading) {
        Sheet& s = sheet();
        s.Date1.text = forms.shortDate(std::exchange(date, date.addMonths(3)));
        s.NRead1.text = QString::number(std::exchange(last, reading));
        s.Date2.text = forms.shortDate(date);
        s.NRead2.text = QString::number(reading);
        s.VRate.text = QString::number(reading % 20 + 1); // each record a tariff of its own
        Calc_Click(program);
        shown[files.countLines(Path)] = {s.Date1.text,   s.NRead1.text, s.TDays.text,
                                         s.CRUnits.text, s.TVCost.text, s.CDay.text};
    }
    TemporaryInstallation installation; // the working directory from here on
    QDate date{2015, 1, 1};
    int last = 100;
    QMap<qsizetype, QStringList> shown;
};

class TestHistoryPeriods : public QObject {
    Q_OBJECT

private slots:
    // clang-format off
    void periods_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("convertF");
        QTest::addColumn<QVariantList>("steps"); // a reading Calculate saves, or a line as it is
        QTest::addColumn<QList<SkippedRecord>>("skipped");
        QTest::addColumn<QList<qsizetype>>("periodLines");
        QTest::newRow("en_GB: three records below a page header are two periods")
            << QLocale(QLocale::English, QLocale::UnitedKingdom) << 0 << QVariantList{140, 190, 260}
            << QList<SkippedRecord>{} << QList<qsizetype>{12, 13};
        QTest::newRow("en_US: a damaged line, a lower reading, an en_GB date restart the run")
            << QLocale(QLocale::English, QLocale::UnitedStates) << 0
            << QVariantList{140, 190, "4/1/15,  150, Cub", 260, 300, " 1/1/16,  50" + Rest, 340,
                            380, " 01/10/2016, 400" + Rest, 420}
            << QList<SkippedRecord>{{13, "not a history record"},
                                    {16, "reading 50 is lower than the one before"},
                                    {19, "date 01/10/2016 is not in this locale's short date form"}}
            << QList<qsizetype>{12, 15, 18};
        QTest::newRow("de_DE, cubic feet: another log joined on breaks the run")
            << QLocale(QLocale::German, QLocale::Germany) << 1
            << QVariantList{140, 190, "Meterwin History Log", "Version 2.0", "File Created",
                            "14-Mär-26 18:01:57", "", "", 260, 300}
            << QList<SkippedRecord>{{13, "another history log begins here"}}
            << QList<qsizetype>{12, 20};
    }
    // clang-format on
    void periods() {
        QFETCH(QLocale, locale);
        QFETCH(QVariantList, steps);
        QFETCH(int, convertF);
        HistoryProgram t(locale);
        t.sheet().ConvertF.value = convertF;
        for (const QVariant& step : steps)
            step.typeId() == QMetaType::Int ? t.save(step.toInt())
                                            : t.files.appendLine(Path, step.toString());
        const HistoryPeriods read = PeriodsOfHistory(t.files, Path, t.forms, t.sheet(), {});
        QTEST(read.skipped, "skipped");
        QMap<qsizetype, QStringList> periods, shown;
        for (const HistoryPeriod& p : read.periods)
            periods[p.line] = {t.forms.shortDate(p.from),   QString::number(p.readingFrom),
                               t.forms.wholeNumber(p.days), t.forms.wholeNumber(p.kWh),
                               t.forms.currency(p.cost),    t.forms.currency(p.costPerDay)};
        QFETCH(QList<qsizetype>, periodLines);
        for (qsizetype line : periodLines)
            shown[line] = t.shown.value(line);
        QCOMPARE(periods, shown);
    }
};

MW_REGISTER_TEST(TestHistoryPeriods)
#include "tst_history_periods.moc"
