#include "app/QtDesktop.h"
#include "support/TestMain.h"

#include <QDesktopServices>
#include <QDir>
#include <QTest>
#include <QUrl>

// Stands in for the desktop's handler of local files.
class FileHandler : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestQtDesktop : public QObject {
    Q_OBJECT

private slots:
    void opensTheFileByItsFullPath() {
        FileHandler handler;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &handler, "open");
        QtDesktop desktop;
        const bool started = desktop.openFile(QStringLiteral("Log/Meterwin.log"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

        QVERIFY(started);
        QCOMPARE(handler.opened.size(), 1);
        QCOMPARE(handler.opened.first(),
                 QUrl::fromLocalFile(QDir::current().absoluteFilePath("Log/Meterwin.log")));
    }

    void reportsFailureWithoutAHandler() {
        // No GUI application and no handler: nothing can be started.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
        QVERIFY(!QtDesktop().openFile(QStringLiteral("Log/Meterwin_H.log")));
    }
};

MW_REGISTER_TEST(TestQtDesktop)
#include "tst_qtdesktop.moc"
