#include "support/TestMain.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <optional>

namespace testsupport {

std::vector<RegisteredTest>& registeredTests() {
    static std::vector<RegisteredTest> tests;
    return tests;
}

ApplicationFactory& applicationFactory() {
    static ApplicationFactory factory = [](int& argc, char** argv) {
        return std::make_unique<QCoreApplication>(argc, argv);
    };
    return factory;
}

} // namespace testsupport

namespace {

// Takes `-class Name` out of the arguments, which QTest would refuse, and
// returns the name; the other arguments stay for QTest.
std::optional<std::string> takeClassOption(std::vector<char*>& args) {
    for (auto it = args.begin(); it != args.end() && std::next(it) != args.end(); ++it) {
        if (std::strcmp(*it, "-class") == 0) {
            std::string name = *std::next(it);
            args.erase(it, it + 2);
            return name;
        }
    }
    return std::nullopt;
}

int runTest(const testsupport::RegisteredTest& registered, int argc, char** argv) {
    // Each class starts from the same locale, whatever the one before it set.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const std::unique_ptr<QObject> test = registered.make();
    return QTest::qExec(test.get(), argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    const std::optional<std::string> onlyClass = takeClassOption(args);
    int argCount = static_cast<int>(args.size());
    args.push_back(nullptr);
    const std::unique_ptr<QCoreApplication> app =
        testsupport::applicationFactory()(argCount, args.data());
    int failures = 0;
    bool found = false;
    for (const auto& registered : testsupport::registeredTests()) {
        if (onlyClass && registered.className != *onlyClass)
            continue;
        found = true;
        failures += runTest(registered, argCount, args.data());
    }
    if (onlyClass && !found) {
        std::fprintf(stderr, "No test class named %s in this program\n", onlyClass->c_str());
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
