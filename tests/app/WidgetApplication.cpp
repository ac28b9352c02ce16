#include "support/TestMain.h"

#include <QApplication>

// The window's tests show widgets: this test program runs on a QApplication.
static const testsupport::ApplicationRegistration widgetApplication{
    [](int& argc, char** argv) { return std::make_unique<QApplication>(argc, argv); }};
