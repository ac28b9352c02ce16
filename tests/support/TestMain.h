#pragma once

#include <QCoreApplication>
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Every test class of a subsystem registers itself here; the subsystem's one
// test program runs them all in registration order, or only the class named by
// `-class Name` (so each class can be its own ctest entry).
namespace testsupport {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

struct RegisteredTest {
    std::string className;
    TestFactory make;
};

std::vector<RegisteredTest>& registeredTests();

struct TestRegistration {
    TestRegistration(std::string className, TestFactory factory) {
        registeredTests().push_back({std::move(className), std::move(factory)});
    }
};

// The application object of a test program: a QCoreApplication unless the
// program registers another maker (the window's tests need a QApplication).
using ApplicationFactory = std::function<std::unique_ptr<QCoreApplication>(int& argc, char** argv)>;

ApplicationFactory& applicationFactory();

struct ApplicationRegistration {
    explicit ApplicationRegistration(ApplicationFactory factory) {
        applicationFactory() = std::move(factory);
    }
};

} // namespace testsupport

#define MW_REGISTER_TEST(TestClass)                                                                \
    static const testsupport::TestRegistration registration_##TestClass{                           \
        #TestClass, [] { return std::unique_ptr<QObject>(new TestClass); }};
