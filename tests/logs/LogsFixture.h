#pragma once

#include "support/TestProgram.h"

#include <QFile>
#include <QStringList>
#include <QTest>
#include <memory>

// What the log tests share: an installation directory with an empty Log
// directory, and a program at a fixed time in en_GB with the log names set
// and the option values of a valid configuration.
namespace logstest {

inline const QDateTime ExampleTime(QDate(2026, 3, 14), QTime(18, 2, 11));

struct LogsProgram : TestProgram {
    LogsProgram() : TestProgram(QLocale(QLocale::English, QLocale::UnitedKingdom), ExampleTime) {
        Sheet& s = sheet();
        s.ResultsLogName = QStringLiteral("Meterwin.log");
        s.HistoryLogName = QStringLiteral("Meterwin_H.log");
        s.CurrencySymbol = forms.currencySymbol();
        s.LogLevel = 1;
        s.RunOnTop = 1;
        s.Convert = QStringLiteral("1");
    }
};

// The working directory for the life of the object, holding an empty Log.
struct Workspace {
    Workspace() { installation.makeDirectory(QStringLiteral("Log")); }
    QString path() const { return installation.path(); }
    TemporaryInstallation installation;
};

inline const QString ResultsLog = QStringLiteral("Log/Meterwin.log");
inline const QString HistoryLog = QStringLiteral("Log/Meterwin_H.log");

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

// Each line ended by CR LF.
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
