#pragma once

#include "calc/Program.h"
#include "platform/ProgramEnd.h"
#include "support/FaultyFileSystem.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <vector>

// What the log tests share: a recording message-box double, an installation
// directory with an empty Log directory, and a program over the real file
// system (with faults on request) at a fixed time in en_GB.
namespace logstest {

class RecordingMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const Message& message) override {
        shown.push_back(message);
        if (onShow)
            onShow(message);
        return MessageAnswer::Ok;
    }
    std::vector<Message> shown;
    std::function<void(const Message&)> onShow;
};

class NoDesktop final : public Desktop {
public:
    bool openFile(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
};

// A fresh installation directory as the working directory, for the life of the object.
class Workspace {
public:
    Workspace() : previous_(QDir::currentPath()) {
        QVERIFY(dir_.isValid());
        QVERIFY(QDir::setCurrent(dir_.path()));
        QVERIFY(QDir().mkdir(QStringLiteral("Log")));
    }
    ~Workspace() { QDir::setCurrent(previous_); }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

struct TestProgram {
    TestProgram() {
        program.sheet.ResultsLogName = QStringLiteral("Meterwin.log");
        program.sheet.HistoryLogName = QStringLiteral("Meterwin_H.log");
        program.sheet.CurrencySymbol = forms.currencySymbol();
    }
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    RegionalForms forms{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    RecordingMessageBoxes messages;
    FaultyFileSystem files;
    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(18, 2, 11))};
    NoDesktop desktop;
    Program program{Services{forms, messages, files, clock, desktop}};
    Sheet& sheet = program.sheet;
};

inline const QString ResultsLog = QStringLiteral("Log/Meterwin.log");
inline const QString HistoryLog = QStringLiteral("Log/Meterwin_H.log");

// True when `body` ended the program.
template <typename Body> bool endsProgram(Body&& body) {
    try {
        body();
    } catch (const ProgramEnded&) {
        return true;
    }
    return false;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Lines joined by CR LF, each ended by CR LF.
inline QString crlfLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

// The sheet after a normal calculation: metric units, a break point of 670,
// rates and the fixed charge of 12.50 in display form, VAT 5.0, no notes, no
// discounts, no prediction.
inline void fillExampleCalculation(Sheet& s) {
    s.Date1.text = QStringLiteral("13/12/2025");
    s.Date2.text = QStringLiteral("14/03/2026");
    s.NRead1.text = QStringLiteral("4100");
    s.NRead2.text = QStringLiteral("4512");
    s.CalVal.text = QStringLiteral("39.400");
    s.CFactor.text = QStringLiteral("1.022640");
    s.BreakP.text = QStringLiteral("670");
    s.NRate1.text = QStringLiteral("£0.07000");
    s.NRate2.text = QStringLiteral("£0.04000");
    s.SCharge.text = QStringLiteral("£12.50");
    s.VRate.text = QStringLiteral("5.0");
    s.CORate.text = QStringLiteral("0.19");
    s.TDays.text = QStringLiteral("91");
    s.NRUnits.text = QStringLiteral("412");
    s.CRUnits.text = QStringLiteral("4611");
    s.R1Units.text = QStringLiteral("670");
    s.R2Units.text = QStringLiteral("3941");
    s.NR1Cost.text = QStringLiteral("£46.90");
    s.NR2Cost.text = QStringLiteral("£157.64");
    s.TSCharge.text = QStringLiteral("£12.50");
    s.TCost.text = QStringLiteral("£217.04");
    s.TVCost.text = QStringLiteral("£227.89");
    s.CDay.text = QStringLiteral("£2.50");
    s.TCO2.text = QStringLiteral("958.3");
}

} // namespace logstest
