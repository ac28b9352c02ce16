#include "reliability/Commands.h"

#include "calc/Calc_Click.h"
#include "logs/ArchiveResultsLog.h"
#include "logs/ErrorDump.h"
#include "logs/SaveCommand.h"
#include "logs/ViewLogs.h"
#include "shell/GetLast.h"
#include "shell/ResetData.h"
#include "shell/SaveData.h"
#include "shell/Startup.h"

#include <stdexcept>

namespace {

void start(TestProgram& t) {
    // An administrator's start, so that Save Data is available.
    LoadMeterwinMain(t.program, {{}, /*writeStartEntry=*/true, /*mayReplaceConfiguration=*/true});
}

// Readings that follow those of the used installation.
void typeReadings(Sheet& s, int autoSave) {
    s.Date1.text = QStringLiteral("01/12/2008");
    s.NRead1.text = QStringLiteral("1000");
    s.Date2.text = QStringLiteral("28/02/2009");
    s.NRead2.text = QStringLiteral("1412");
    s.Notes.text = QStringLiteral("Winter quarter");
    s.AutoSave.value = autoSave;
}

void run(Command command, TestProgram& t) {
    Program& program = t.program;
    switch (command) {
    case Command::StartNew:
    case Command::Start:
        return start(t);
    case Command::CalculateAndSave:
        return Calc_Click(program);
    case Command::Save:
        return Save_Click(program);
    case Command::GetLast:
        return Get_Last_Click(program);
    case Command::SaveData:
        return Save_Defaults_Click(program);
    case Command::ResetData:
        return Reset_Defaults_Click(program);
    case Command::Archive:
        return Archive_Click(program);
    case Command::ErrorDump:
        WriteErrorDump(program, QStringLiteral("Calculation Error"), 105);
    case Command::ViewResults:
        return ViewL_Click(program);
    case Command::ViewHistory:
        return ViewH_Click(program);
    }
}

} // namespace

QString commandName(Command command) {
    switch (command) {
    case Command::StartNew:
        return QStringLiteral("start-up, new installation");
    case Command::Start:
        return QStringLiteral("start-up");
    case Command::CalculateAndSave:
        return QStringLiteral("Calculate, Auto Save");
    case Command::Save:
        return QStringLiteral("Save");
    case Command::GetLast:
        return QStringLiteral("Get Last");
    case Command::SaveData:
        return QStringLiteral("Save Data");
    case Command::ResetData:
        return QStringLiteral("Reset Data");
    case Command::Archive:
        return QStringLiteral("Archive");
    case Command::ErrorDump:
        return QStringLiteral("error dump");
    case Command::ViewResults:
        return QStringLiteral("Results");
    case Command::ViewHistory:
        return QStringLiteral("History");
    }
    return QString();
}

bool startsWithoutLogs(Command command) {
    return command == Command::StartNew;
}

void prepare(Command command, TestProgram& t) {
    if (command == Command::StartNew || command == Command::Start)
        return;
    start(t);
    if (command == Command::CalculateAndSave)
        typeReadings(t.sheet(), 1);
    if (command == Command::Save || command == Command::ErrorDump) {
        typeReadings(t.sheet(), 0);
        Calc_Click(t.program);
    }
    if (!t.messages.shown().isEmpty())
        throw std::runtime_error("the program did not get ready for the command");
}

Outcome runCommand(Command command, TestProgram& t) {
    t.messages.clear();
    const bool ended = EndsProgram([&] { run(command, t); });
    return {t.messages.shown(), ended};
}
