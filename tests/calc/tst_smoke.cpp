#include "support/TestMain.h"
#include <QTest>
class TestSmoke : public QObject { Q_OBJECT
private slots: void run() { QVERIFY(true); } };
MW_REGISTER_TEST(TestSmoke)
#include "tst_smoke.moc"
