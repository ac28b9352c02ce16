#include "commands/Calc_Click.h"

#include "calc/CalculateActual.h"
#include "calc/CalculatePrediction.h"
#include "calc/ErrorSteps.h"
#include "calc/ReadingChecks.h"
#include "calc/SheetFields.h"
#include "commands/CommandMessages.h"
#include "commands/Refusal.h"
#include "logs/HistoryEntry.h"
#include "logs/LogFiles.h"
#include "logs/ResultsReport.h"
#include "platform/ControlCharacters.h"
#include "settings/CheckSettings.h"
#include "settings/ClearResults.h"
#include "settings/SettingRows.h"
#include "settings/TidyResults.h"

#include <QStringList>
#include <cmath>

namespace {

// The entries and the compared settings in plain standard form, joined: two
// calculations with the same signature would give the same results. A
// separator that no entry can hold keeps neighbouring parts apart: prediction
// 4 with VAT 5.0 must not read as no prediction with VAT 45.0.
QString signature(const Sheet& s) {
    QStringList parts = {s.CurrencySymbol, s.Date1.text,  s.Date2.text,
                         s.NRead1.text,    s.NRead2.text, s.Notes.text};
    for (const SettingRow& row : settingRows()) {
        if (row.repeat == Repeat::Ignored)
            continue;
        parts << (row.field ? (s.*row.field).text : QString::number((s.*row.box).value));
    }
    return parts.join(QChar(0x1F));
}

// A note (or any entry) with a line break or another control character
// could forge lines in the logs: such characters become spaces.
void blankControlCharacters(Sheet& s) {
    for (const auto& fields : {entryFields(s), settingFields(s)})
        for (const auto& field : fields)
            field.control->text = withoutControlCharacters(field.control->text);
}

// A fraction of a reading is dropped, not rounded. The reading is the number
// the checks accepted: "12,345" typed with grouping is 12345, and a typo such
// as "112x" calculates as 112 instead of ending the program.
void makeReadingWhole(TextField& reading, const RegionalForms& forms) {
    reading.text = forms.generalNumber(std::floor(forms.typedNumber(reading.text)));
}

void refuse(Program& program) {
    Sheet& s = program.sheet;
    ClearActualResults(program);
    ClearPredictedResults(program);
    s.InputSignature.clear();
    s.LastSignature.clear();
    ShowRefusal(program);
}

void reportUnchangedData(Program& program) {
    Sheet& s = program.sheet;
    TidyResults(program);
    CheckSettings(program, CurrencySymbols::StripAndAdd);
    // It stays in the list until a command empties it; meanwhile other
    // settings checks leave the settings as they are.
    s.ErrorList = QStringLiteral("The data has not changed since the last calculation");
    ShowDataUnchanged(program.services.messages);
}

// `AutoSave` is read afresh before each step.
void saveOrOfferSaving(Program& program) {
    Sheet& s = program.sheet;
    if (s.AutoSave.value == 1)
        AppendResultsLog(program);
    if (s.AutoSave.value == 1)
        AppendHistoryLog(program);
    if (s.AutoSave.value == 0)
        s.Save.enabled = true;
}

void calculate(Program& program) {
    Sheet& s = program.sheet;
    ClearActualResults(program);
    ClearPredictedResults(program);
    CalculateActual(s, program.forms());
    s.ErrorStep = Step::CalcPrediction;
    CalculatePrediction(s, program.forms());
    s.ErrorStep = Step::CalcResults;
    s.LastSignature = signature(s);
    TidyResults(program);
    CheckSettings(program, CurrencySymbols::StripAndAdd);
    BuildResultsReport(program);
    BuildHistoryEntry(program);
    saveOrOfferSaving(program);
}

} // namespace

void Calc_Click(Program& program) {
    Sheet& s = program.sheet;
    Guarded(program, QStringLiteral("Calculation Error"), [&] {
        s.ErrorStep = Step::CalcChecks;
        blankControlCharacters(s);
        s.ErrorList.clear();
        CheckSettings(program, CurrencySymbols::StripAndAdd);
        CheckReadings(program);
        s.ErrorStep = Step::CalcConsistency;
        if (s.ErrorList.isEmpty())
            CheckConsistency(program);
        if (!s.ErrorList.isEmpty()) {
            refuse(program);
            return;
        }
        CheckSettings(program, CurrencySymbols::StripOnly);
        s.ErrorStep = Step::CalcWholeReadings;
        makeReadingWhole(s.NRead1, program.forms());
        makeReadingWhole(s.NRead2, program.forms());
        s.InputSignature = signature(s);
        if (s.LastSignature == s.InputSignature) {
            reportUnchangedData(program);
            return;
        }
        calculate(program);
    });
}
