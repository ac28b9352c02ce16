#include "app/WindowCommands.h"

#include "calc/Calc_Click.h"
#include "logs/ArchiveResultsLog.h"
#include "logs/SaveCommand.h"
#include "logs/ViewLogs.h"
#include "settings/ConvertF_Click.h"
#include "shell/ClearCommand.h"
#include "shell/GetLast.h"
#include "shell/HelpCommand.h"
#include "shell/ResetData.h"
#include "shell/SaveData.h"
#include "shell/WindowOptions.h"

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
