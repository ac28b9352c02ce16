#include "commands/Startup.h"

#include "calc/ErrorSteps.h"
#include "commands/ClearEntries.h"
#include "commands/CommandMessages.h"
#include "commands/GetLast.h"
#include "commands/ReadConfiguration.h"
#include "logs/LogFiles.h"
#include "logs/LogPaths.h"
#include "settings/ClearResults.h"
#include "settings/TaxLabels.h"

void LoadMeterwinMain(Program& program, const StartupChoices& choices) {
    Sheet& s = program.sheet;
    Guarded(program, QStringLiteral("Loading Error"), [&] {
        s.ErrorStep = Step::LoadDataDirectory;
        if (!program.services.files.directoryExists(QStringLiteral("Data")))
            ShowDataDirectoryMissingAtStart(program.services.messages);
        s.ErrorStep = Step::LoadInhibitOption;
        s.ErrorCheckInhibited =
            choices.arguments == QStringList{QStringLiteral("-InhibitErrorCheck")} ? 1 : 0;
        s.ErrorStep = Step::LoadConfiguration;
        ShowTaxLabels(s, program.forms());
        ReadConfiguration(program);
        s.ErrorStep = Step::LoadLogFiles;
        s.ResultsLogName = QStringLiteral("Meterwin.log");
        s.HistoryLogName = historyLogName();
        CreateLogFiles(program);
        s.ErrorStep = Step::LoadStartEntry;
        if (choices.writeStartEntry)
            WriteStartEntry(program);
        s.ErrorStep = Step::LoadLastReadings;
        ClearEntries(program);
        ClearActualResults(program);
        ClearPredictedResults(program);
        Get_Last_Click(program);
        s.Save_Defaults.enabled = choices.mayReplaceConfiguration;
    });
}
