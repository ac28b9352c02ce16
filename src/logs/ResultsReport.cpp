#include "logs/ResultsReport.h"

#include "calc/ResultColumn.h"
#include "logs/LogColumns.h"
#include "platform/LineEnds.h"
#include "settings/MoneyFields.h"

#include <QStringList>

namespace {

// The labels end where the values start, in column 29.
const QString GasUsedLabel = QStringLiteral("Gas Used                  : ");
const QString KwhUsedLabel = QStringLiteral("KWHr Used                 : ");
const QString Rate1Label = QStringLiteral("Rate 1 KWHr Used          : ");
const QString Rate2Label = QStringLiteral("Rate 2 KWHr Used          : ");
const QString TotalLabel = QStringLiteral("Total Cost (exc VAT)      : ");
const QString CostPerDayLabel = QStringLiteral("Cost per Day              : ");
const QString FromLabel = QStringLiteral("From                      :   ");
const QString ToLabel = QStringLiteral("To                        :   ");

QString hyphens(qsizetype count) {
    return QString(count, u'-');
}

class ReportWriter {
public:
    explicit ReportWriter(Program& program) : program_(program), s_(program.sheet) {}

    QString build() {
        heading();
        actualPeriod();
        if (forms().leadingNumber(s_.Predict.text) != 0)
            predictedPeriod();
        lines_ << hyphens(69) << QString();
        QString text;
        for (const QString& line : lines_)
            text += line + CrLf;
        return text;
    }

private:
    const RegionalForms& forms() const { return program_.forms(); }

    void heading() {
        lines_ << forms().shortDateTime(program_.services.clock.now());
        if (!s_.Notes.text.isEmpty())
            lines_ << s_.Notes.text;
        lines_ << QStringLiteral("Calorific Value  : ") + s_.CalVal.text
               << QStringLiteral("Correction Factor:  ") + s_.CFactor.text << QString();
    }

    // A heading underlined to its width, which a long day count widens.
    void underlined(const QString& heading) { lines_ << heading << hyphens(heading.size()); }

    void actualPeriod() {
        underlined(QStringLiteral("Cost To Date (") + rightAligned(s_.TDays.text, 3, 3) +
                   QStringLiteral(" Days)"));
        lines_ << FromLabel + s_.Date1.text << ToLabel + s_.Date2.text;
        figures(actualColumn(s_), QStringLiteral("1"));
    }

    // The prediction starts at the first reading; it has no "To" line.
    void predictedPeriod() {
        lines_ << QString();
        underlined(QStringLiteral("Cost Prediction Over ") + rightAligned(s_.Predict.text, 2, 2) +
                   QStringLiteral(" Quarter(s) (") + rightAligned(s_.TDaysP.text, 3, 3) +
                   QStringLiteral(" Days)"));
        lines_ << FromLabel + s_.Date1.text;
        figures(predictedColumn(s_), s_.Predict.text);
    }

    // The lines both periods share; `quarters` is the multiplier of the
    // break point and of the fixed charge.
    void figures(const ResultColumn& c, const QString& quarters) {
        const bool breakPoint = forms().leadingNumber(s_.BreakP.text) != 0;
        lines_ << GasUsedLabel + rightAligned(c.NRUnits.text, 6, 6) + QStringLiteral("    ") +
                      unitName();
        QString kwh = KwhUsedLabel + rightAligned(c.CRUnits.text, 6, 8);
        if (breakPoint)
            kwh += QStringLiteral("    (Rate 2 after ") + quarters + QStringLiteral(" * ") +
                   s_.BreakP.text + QStringLiteral(" KWHr)");
        lines_ << kwh;
        lines_ << Rate1Label + rightAligned(c.R1Units.text, 6, 8) + QStringLiteral("    at ") +
                      money(s_.NRate1.text, 8, 7) + QStringLiteral(" per KWhr = ") +
                      money(c.NR1Cost.text, 8, 8);
        QString rate2 = Rate2Label + rightAligned(generalValue(c.R2Units.text), 6, 8);
        if (breakPoint)
            rate2 += QStringLiteral("    at ") + money(s_.NRate2.text, 8, 8) +
                     QStringLiteral(" per KWhr = ") + money(rate2Cost(c.NR2Cost), 8, 8);
        lines_ << rate2;
        QString total = TotalLabel + money(signedAmount(c.TCost), 9, 9);
        if (fixedChargeSet())
            total += QStringLiteral(" (inc Fixed Charge: ") + quarters + QStringLiteral(" * ") +
                     s_.SCharge.text + u')';
        lines_ << total;
        lines_ << QStringLiteral("Total Cost (inc ") +
                      rightAligned(generalValue(s_.VRate.text), 4, 4) + QStringLiteral("% VAT): ") +
                      money(signedAmount(c.TVCost), 9, 9);
        lines_ << CostPerDayLabel + money(signedAmount(c.CDay), 9, 9);
    }

    QString unitName() const {
        return s_.ConvertF.value == 1 ? QStringLiteral("100s of Cubic Feet")
                                      : QStringLiteral("Cubic Metres");
    }

    // The leading number in its general form: an empty field shows "0".
    QString generalValue(const QString& text) const {
        return forms().generalNumber(forms().leadingNumber(text));
    }

    QString money(const QString& text, int width, int padding) const {
        return moneyAligned(text, width, padding, forms());
    }

    // The window shows a negative total as its size in orange; the log, which
    // has no colour, writes its minus sign so that a credit never reads as a debt.
    QString signedAmount(const TextField& total) const {
        const bool credit = total.colour == Orange && forms().typedNumber(total.text) > 0;
        return credit ? u'-' + total.text : total.text;
    }

    QString rate2Cost(const TextField& cost) const {
        return cost.text.isEmpty() ? forms().currency(0) : cost.text;
    }

    // The fixed charge is usually in display form; its symbol would read as 0.
    bool fixedChargeSet() const { return moneyValue(forms(), s_.SCharge.text) != 0; }

    Program& program_;
    Sheet& s_;
    QStringList lines_;
};

} // namespace

void BuildResultsReport(Program& program) {
    program.sheet.ReportText = ReportWriter(program).build();
}
