#include "support/TestMain.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>

namespace testsupport {

std::vector<TestFactory>& registeredTests() {
    static std::vector<TestFactory> tests;
    return tests;
}

} // namespace testsupport

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failures = 0;
    for (const auto& makeTest : testsupport::registeredTests()) {
        // Each class starts from the same locale, whatever the one before it set.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const std::unique_ptr<QObject> test = makeTest();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
