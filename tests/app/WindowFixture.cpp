#include "WindowFixture.h"

#include <QFile>
#include <QTest>
#include <stdexcept>

QByteArray ExampleConfiguration() {
    return "# Meterwin Version 2.0\r\n"
           "# Updated 01/03/2009 12:00\r\n"
           "\r\n"
           "[Run]\r\n"
           "LogLevel=1\r\n"
           "RunOnTop=1\r\n"
           "\r\n"
           "[Data]\r\n"
           "BreakP=51\r\n"
           "CalVal=36\r\n"
           "CFactor=1\r\n"
           "Convert=1\r\n"
           "Disc1=6\r\n"
           "Disc2=2\r\n"
           "NRate1=0.1\r\n"
           "NRate2=1.05\r\n"
           "Predict=5\r\n"
           "SCharge=21\r\n"
           "VRate=6\r\n"
           "CORate=0.2\r\n"
           "\r\n";
}

Installation::Installation() {
    directory.makeDirectory(QStringLiteral("Data"));
    directory.makeDirectory(QStringLiteral("Log"));
    directory.makeDirectory(QStringLiteral("Help"));
    directory.writeFile(QStringLiteral("Data/Meterwin.ini"), ExampleConfiguration());
    directory.writeFile(QStringLiteral("Help/index.htm"), "<html></html>");
}

WindowSession::WindowSession(const QStringList& arguments, bool mayReplace)
    : window(StartMeterwinMain(t.program, arguments, FixedPermission(mayReplace))) {
    if (!window)
        throw std::runtime_error("the window did not start");
    // Active, as a started program's window is: its keys reach its shortcuts.
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        throw std::runtime_error("the window was not shown");
}

Rgb WindowSession::colour(const char* name) const {
    const QColor c = field(name)->palette().color(QPalette::Text);
    return {c.red(), c.green(), c.blue()};
}

void WindowSession::type(const char* name, const QString& text) const {
    QLineEdit* edit = field(name);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void WindowSession::click(const char* name) const {
    QTest::mouseClick(button(name), Qt::LeftButton);
}

QStringList FileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
