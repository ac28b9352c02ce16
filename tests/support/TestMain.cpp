#include "support/TestMain.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>

namespace testsupport {

std::vector<TestFactory>& registeredTests() {
    static std::vector<TestFactory> tests;
    return tests;
}

ApplicationFactory& applicationFactory() {
    static ApplicationFactory factory = [](int& argc, char** argv) {
        return std::make_unique<QCoreApplication>(argc, argv);
    };
    return factory;
}

} // namespace testsupport

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app = testsupport::applicationFactory()(argc, argv);
    int failures = 0;
    for (const auto& makeTest : testsupport::registeredTests()) {
        // Each class starts from the same locale, whatever the one before it set.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const std::unique_ptr<QObject> test = makeTest();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
