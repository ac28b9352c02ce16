#pragma once

#include "app/DesktopStart.h"
#include "support/TestLocales.h"
#include "support/TestProgram.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <stdexcept>

// The worked example's tariff (optional settings plus one): rates 0.10 and
// 0.05 above 50 kWh, fixed charge 20, discounts 5 and 1, VAT 5%, 4 quarters.
inline const QByteArray ExampleConfiguration =
    "# Meterwin Version 2.0\r\n# Updated 01/03/2009 12:00\r\n\r\n[Run]\r\nLogLevel=1\r\n"
    "RunOnTop=1\r\n\r\n[Data]\r\nBreakP=51\r\nCalVal=36\r\nCFactor=1\r\nConvert=1\r\nDisc1=6\r\n"
    "Disc2=2\r\nNRate1=0.1\r\nNRate2=1.05\r\nPredict=5\r\nSCharge=21\r\nVRate=6\r\nCORate=0.2\r\n"
    "\r\n";

// Whether the user may replace the configuration file, so that Save Data is offered.
enum class SaveData { Offered, NotOffered };

// The main window started as the program starts it, with recording boxes and
// desktop, on a fresh installation (the working directory while it lives):
// Data/Meterwin.ini holds `configuration` (no Data/ when it is null), an empty
// Log/, the help page. No window when the program ended while loading.
struct WindowSession {
    explicit WindowSession(const QStringList& arguments = {}, SaveData saveData = SaveData::Offered,
                           const QByteArray& configuration = ExampleConfiguration) {
        directory.makeDirectory(QStringLiteral("Log"));
        directory.makeDirectory(QStringLiteral("Help"));
        directory.writeFile(QStringLiteral("Help/index.htm"), "<html></html>");
        if (!configuration.isNull()) {
            directory.makeDirectory(QStringLiteral("Data"));
            directory.writeFile(QStringLiteral("Data/Meterwin.ini"), configuration);
        }
        const WritableConfiguration permission(saveData == SaveData::Offered ? "Data/Meterwin.ini"
                                                                             : "None/x.ini");
        window = StartMeterwinMain(t.program, arguments, permission);
        // Active, as a started program's window is: its keys reach its shortcuts.
        if (window && (window->activateWindow(), !QTest::qWaitForWindowActive(window.get())))
            throw std::runtime_error("the window was not shown");
    }

    template <typename Widget = QLineEdit> Widget* control(const char* name) const {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return control(name)->text(); }
    QString status() const { return control<QLabel>("Status")->text(); }
    Rgb colour(const char* name) const {
        const QColor c = control(name)->palette().color(QPalette::Text);
        return {c.red(), c.green(), c.blue()};
    }
    // Types as the user does: clicks the field, selects its text, types over it.
    void type(const char* name, const QString& text) const {
        QTest::mouseClick(control(name), Qt::LeftButton);
        control(name)->selectAll();
        QTest::keyClicks(control(name), text);
    }
    // The worked example's readings: 100 on 1 January 2015, then on 1 April.
    void typeReadings(const QString& reading2 = QStringLiteral("112")) const {
        type("Date2", QStringLiteral("01/04/2015"));
        type("NRead2", reading2);
        type("Date1", QStringLiteral("01/01/2015"));
        type("NRead1", QStringLiteral("100"));
    }
    // Alt and a command's letter, with and without Shift, in a field: true when
    // its text stayed as it was.
    bool altKeysIgnored(const char* field, Qt::Key key) const {
        const QString before = text(field);
        control(field)->setFocus();
        QTest::keyClick(control(field), key, Qt::AltModifier);
        QTest::keyClick(control(field), key, Qt::AltModifier | Qt::ShiftModifier);
        return text(field) == before;
    }
    void click(const char* name) const {
        QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
    }

    TemporaryInstallation directory;
    // In March 2015, so that the example's readings of 2015 are current.
    TestProgram t{testlocales::britain(), QDateTime(QDate(2015, 3, 1), QTime(12, 0))};
    std::unique_ptr<MeterwinMain> window;
};
