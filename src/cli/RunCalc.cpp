#include "RunCalc.h"

#include "ConsoleProgram.h"
#include "SheetJson.h"
#include "StandardOutput.h"
#include "WorkingDirectory.h"
#include "calc/SheetFields.h"
#include "commands/Calc_Click.h"
#include "commands/ConvertF_Click.h"
#include "commands/Startup.h"
#include "logs/ErrorDump.h"
#include "platform/LineEnds.h"
#include "platform/ProgramEnd.h"

namespace {

// A setting given on the command line, as if typed into its field.
void applySetting(Sheet& sheet, const QString& name, const QString& value) {
    if (name == QStringLiteral("ConvertF")) {
        const int ticked = value.trimmed() == QStringLiteral("1") ? 1 : 0;
        if (sheet.ConvertF.value != ticked) {
            sheet.ConvertF.value = ticked;
            ConvertF_Click(sheet);
        }
        return;
    }
    for (const auto& field : settingFields(sheet))
        if (field.name == name)
            field.control->text = value;
}

void applyRequest(Sheet& sheet, const CalcRequest& request) {
    sheet.Date2.text = request.date2;
    sheet.NRead2.text = request.read2;
    if (request.date1)
        sheet.Date1.text = *request.date1;
    if (request.read1)
        sheet.NRead1.text = *request.read1;
    if (request.notes)
        sheet.Notes.text = *request.notes;
    for (const auto& [name, value] : request.settings)
        applySetting(sheet, name, value);
    sheet.AutoSave.value = request.save ? 1 : 0;
}

} // namespace

int runCalc(const CalcRequest& request) {
    if (!enterWorkingDirectory(request.directory))
        return 2;
    ConsoleProgram console;
    Program& program = console.program;
    ConsoleMessageBoxes& boxes = console.boxes;
    try {
        DumpingFailures(program, [&] {
            LoadMeterwinMain(program, {{}, /*writeStartEntry=*/false, false});
            boxes.clearCount();
            applyRequest(program.sheet, request);
            Calc_Click(program);
        });
    } catch (const ProgramEnded&) {
        return 2;
    }
    // Refused, the messages have gone to standard error; a script asking for
    // JSON gets them again as JSON.
    if (boxes.refusedByChecks())
        return !request.json || writeStandardOutput(messagesJson(boxes.lines())) ? 1 : 2;
    const QString output =
        request.json ? sheetJson(program.sheet, console.forms)
                     : QString(program.sheet.ReportText).replace(CrLf, QStringLiteral("\n"));
    // A save or a report that could not be written must not look like success
    // to a script.
    if (!writeStandardOutput(output))
        return 2;
    return boxes.count() == 0 ? 0 : 2;
}
