#pragma once

#include "app/DesktopStart.h"
#include "app/MeterwinMain.h"
#include "support/TestProgram.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

// The tariff of the worked example, as the configuration file holds it (the
// optional settings plus one): Rate 1 0.10, Rate 2 0.05 above 50 kWh per
// quarter, fixed charge 20, discounts 5 and 1, VAT 5%, calorific value 36,
// correction factor 1, CO2 0.2, four quarters predicted, Auto Save off.
QByteArray ExampleConfiguration();

// Whether Save Data is offered, as the test says.
class FixedPermission final : public ConfigurationPermission {
public:
    explicit FixedPermission(bool answer) : answer_(answer) {}
    bool mayReplaceConfiguration() const override { return answer_; }

private:
    bool answer_;
};

// A fresh installation directory (the working directory while it lives) with
// Data/Meterwin.ini, an empty Log/ and the help page, and a program on it
// with recording message boxes and desktop.
struct Installation {
    Installation();

    TemporaryInstallation directory;
    TestProgram t;
};

// The main window loaded on a fresh installation, as the program starts it.
struct WindowSession : Installation {
    explicit WindowSession(const QStringList& arguments = {}, bool mayReplace = true);

    template <typename Widget = QLineEdit> Widget* control(const char* name) const {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }
    QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    QString text(const char* name) const { return field(name)->text(); }
    QString status() const { return control<QLabel>("Status")->text(); }
    // The text colour a field shows, as red, green and blue.
    Rgb colour(const char* name) const;

    // Types into a field as the user does: clicks it, selects what it holds
    // and types over it.
    void type(const char* name, const QString& text) const;
    void click(const char* name) const;

    std::unique_ptr<MeterwinMain> window;
};

// The lines of a file of the installation, CR LF ends taken off.
QStringList FileLines(const QString& path);
