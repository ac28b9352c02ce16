#include "app/WindowCommands.h"

#include "commands/ArchiveResultsLog.h"
#include "commands/Calc_Click.h"
#include "commands/ClearCommand.h"
#include "commands/ConvertF_Click.h"
#include "commands/GetLast.h"
#include "commands/HelpCommand.h"
#include "commands/ResetData.h"
#include "commands/SaveCommand.h"
#include "commands/SaveData.h"
#include "commands/ViewLogs.h"
#include "commands/WindowOptions.h"

QList<std::pair<QString, WindowCommand>> ButtonCommands() {
    return {
        {QStringLiteral("Calc"), Calc_Click},
        {QStringLiteral("Save"), Save_Click},
        {QStringLiteral("Get_Last"), Get_Last_Click},
        {QStringLiteral("Clear"), Clear_Click},
        {QStringLiteral("Reset_Defaults"), Reset_Defaults_Click},
        {QStringLiteral("Save_Defaults"), Save_Defaults_Click},
        {QStringLiteral("Archive"), Archive_Click},
        {QStringLiteral("ViewL"), ViewL_Click},
        {QStringLiteral("ViewH"), ViewH_Click},
        {QStringLiteral("Help1"), Help1_Click},
    };
}

QList<std::pair<QString, WindowCommand>> CheckBoxCommands() {
    return {
        {QStringLiteral("ConvertF"), [](Program& program) { ConvertF_Click(program.sheet); }},
        {QStringLiteral("OnTop"), OnTop_Click},
        {QStringLiteral("AutoSave"), AutoSave_Click},
    };
}
