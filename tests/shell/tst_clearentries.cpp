#include "shell/ClearEntries.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

class TestClearEntries : public QObject {
    Q_OBJECT

private slots:
    // The five entries go; settings, results and the step marker stay.
    void emptiesTheEntriesOnly() {
        TestProgram t;
        Sheet& s = t.sheet();
        for (TextField* field :
             {&s.Date1, &s.Date2, &s.NRead1, &s.NRead2, &s.Notes, &s.NRate1, &s.TDays})
            field->text = QStringLiteral("1");
        s.ErrorStep = 156;
        ClearEntries(t.program);
        for (TextField* entry : {&s.Date1, &s.Date2, &s.NRead1, &s.NRead2, &s.Notes})
            QCOMPARE(entry->text, QString());
        QCOMPARE(s.NRate1.text, QStringLiteral("1"));
        QCOMPARE(s.TDays.text, QStringLiteral("1"));
        QCOMPARE(s.ErrorStep, std::int16_t(156));
        QVERIFY(t.messages.shown().isEmpty());
    }
};

MW_REGISTER_TEST(TestClearEntries)
#include "tst_clearentries.moc"
