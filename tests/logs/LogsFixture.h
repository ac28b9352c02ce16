#pragma once

#include "support/SheetFields.h"
#include "support/TestProgram.h"

#include <QFile>
#include <QTest>

// What the log tests share: a program at 14 March 2026 18:02:11 with the log
// names and options of a valid configuration, working in an installation
// directory of its own that holds an empty Log directory.
namespace logstest {

inline const QString ResultsLog = QStringLiteral("Log/Meterwin.log");
inline const QString HistoryLog = QStringLiteral("Log/Meterwin_H.log");

struct LogsProgram : TestProgram {
    explicit LogsProgram(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom))
        : TestProgram(locale, QDateTime(QDate(2026, 3, 14), QTime(18, 2, 11))) {
        installation.makeDirectory(QStringLiteral("Log"));
        Sheet& s = sheet();
        s.ResultsLogName = QStringLiteral("Meterwin.log");
        s.HistoryLogName = QStringLiteral("Meterwin_H.log");
        s.CurrencySymbol = forms.currencySymbol();
        s.LogLevel = 1;
        s.RunOnTop = 1;
        s.Convert = QStringLiteral("1");
    }
    TemporaryInstallation installation;
};

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Each line ended by CR LF.
inline QString crlfLines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// Sets fields by their control names, "NRate1=£0.07000|BreakP=": text fields,
// the check box ConvertF and the caption of the label VATH.
inline void fill(Sheet& s, const QString& texts) {
    for (const QString& setting : texts.split(u'|', Qt::SkipEmptyParts)) {
        const QString name = setting.section(u'=', 0, 0);
        const QString text = setting.section(u'=', 1);
        if (name == QStringLiteral("ConvertF"))
            s.ConvertF.value = text.toInt();
        else if (name == QStringLiteral("VATH"))
            s.VATH.caption = text;
        else
            fieldNamed(s, name).text = text;
    }
}

// The sheet after a normal calculation: metric units, a break point of 670,
// rates and the fixed charge of 12.50 in display form, VAT 5.0, no notes, no
// discounts, no prediction.
inline const QString ExampleCalculation = QStringLiteral(
    "Date1=13/12/2025|Date2=14/03/2026|NRead1=4100|NRead2=4512|CalVal=39.400|CFactor=1.022640|"
    "BreakP=670|NRate1=£0.07000|NRate2=£0.04000|SCharge=£12.50|VRate=5.0|CORate=0.19|TDays=91|"
    "NRUnits=412|CRUnits=4611|R1Units=670|R2Units=3941|NR1Cost=£46.90|NR2Cost=£157.64|"
    "TSCharge=£12.50|TCost=£217.04|TVCost=£227.89|CDay=£2.50|TCO2=958.3|");

} // namespace logstest
