#include "commands/SaveData.h"

#include "calc/ErrorSteps.h"
#include "calc/StatusLine.h"
#include "commands/CommandMessages.h"
#include "commands/EntryDates.h"
#include "commands/Refusal.h"
#include "platform/LineEnds.h"
#include "settings/CheckSettings.h"
#include "settings/ConfigurationFile.h"
#include "settings/CostFields.h"

#include <QStringList>

QString ConfigurationText(const Program& program) {
    const QDateTime now = program.services.clock.now();
    QStringList lines = {
        QStringLiteral("# Meterwin Version 2.0"),
        QStringLiteral("# Updated ") + program.forms().shortDate(now.date()) + u' ' +
            now.time().toString(QStringLiteral("HH:mm")),
    };
    // Each section opens after an empty line, before its first key.
    const SettingRow* previous = nullptr;
    for (const SettingRow* row : rowsInFileOrder()) {
        if (!previous || previous->ini.section != row->ini.section)
            lines << QString() << sectionHeader(row->ini.section);
        lines << configurationKey(*row) + ConfigurationValue(program.sheet, *row, program.forms());
        previous = row;
    }
    lines << QString();
    return lines.join(CrLf) + CrLf;
}

void Save_Defaults_Click(Program& program) {
    Sheet& s = program.sheet;
    MessageBoxes& boxes = program.services.messages;
    Guarded(program, QStringLiteral("Save Config Error"), [&] {
        s.ErrorStep = Step::SaveDefaultsCheck;
        s.ErrorList.clear();
        CheckSettings(program, CurrencySymbols::StripOnly);
        if (!s.ErrorList.isEmpty()) {
            ShowRefusal(program);
            return;
        }
        s.ErrorStep = Step::SaveDefaultsWrite;
        const QString text = ConfigurationText(program);
        FileSystem& files = program.services.files;
        if (!files.directoryExists(dataDirectory()))
            ShowDataDirectoryMissingOnSave(boxes);
        try {
            // Replaced as a whole or not at all: a failed write must not cost
            // the user the tariff the file held.
            files.replaceFile(configurationPath(), text);
        } catch (const FileFailure&) {
            ShowConfigurationUnwritable(boxes);
        }
        s.ErrorStep = Step::SaveDefaultsShow;
        ShowStatus(s, QStringLiteral("Gas Data Saved"));
        CheckSettings(program, CurrencySymbols::AddOnly);
        FormatCostFields(s, program.forms());
        RewriteEntryDates(s, program.forms());
    });
}
