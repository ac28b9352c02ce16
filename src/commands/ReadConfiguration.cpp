#include "commands/ReadConfiguration.h"

#include "calc/ErrorSteps.h"
#include "commands/CommandMessages.h"
#include "commands/ConvertF_Click.h"
#include "commands/WindowOptions.h"
#include "platform/LineEnds.h"
#include "platform/SpaceTrim.h"
#include "settings/CheckSettings.h"
#include "settings/ConfigurationFile.h"

#include <cmath>

namespace {

[[noreturn]] void configurationCorrupted(MessageBoxes& boxes) {
    ShowConfigurationFault(boxes, QStringLiteral("The configuration file is corrupted."));
}

struct Counters {
    qsizetype keys = settingRows().size();
    int sections = 2;
};

// One line as read; empty lines and comments were skipped before.
void readLine(Sheet& s, const QString& line, Counters& counters) {
    for (const SettingRow& row : settingRows()) {
        const QString key = configurationKey(row);
        if (line.startsWith(key)) {
            StoreConfigurationValue(s, row, QStringView(line).mid(key.size()));
            --counters.keys;
            break;
        }
    }
    if (line == sectionHeader(Section::Run) || line == sectionHeader(Section::Data))
        --counters.sections;
    s.ConfigEcho += CrLf + line;
}

// The check box takes the value held beside it, less the offset it is stored
// with, rounded half to even. A value that the error-check switch let through
// outside 1 to 2 ticks the box when it is above 2 and leaves it unticked when
// it is below 1.
int checkBoxValue(const Sheet& s, const SettingRow& row) {
    return std::nearbyint(heldValue(s, row) - row.ini.offset) >= 1 ? 1 : 0;
}

// A change of a check box runs the same action as a click on it.
void setCheckBox(Program& program, CheckBox Sheet::*member, void (*action)(Program&)) {
    CheckBox& box = program.sheet.*member;
    const int value = checkBoxValue(program.sheet, optionRow(member));
    if (box.value == value)
        return;
    box.value = value;
    action(program);
}

void convertUnits(Program& program) {
    ConvertF_Click(program.sheet);
}

} // namespace

void ReadConfiguration(Program& program) {
    Sheet& s = program.sheet;
    Guarded(program, QStringLiteral("Config Read Error"), [&] {
        s.ErrorStep = Step::ConfigurationOpen;
        s.ConfigEcho = QStringLiteral("Meterwin Configuration") + CrLf + QString(22, u'-');
        FileSystem& files = program.services.files;
        if (!files.fileExists(configurationPath()))
            ShowConfigurationFault(
                program.services.messages,
                QStringLiteral("The configuration file is missing or corrupted."));
        if (files.fileSize(configurationPath()) > ConfigurationSizeLimit)
            configurationCorrupted(program.services.messages);
        const QStringList lines = files.readLines(configurationPath());
        s.ErrorStep = Step::ConfigurationLines;
        Counters counters;
        for (const QString& line : lines) {
            // Tested on the line as read: "  #" is not a comment.
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            readLine(s, trimSpaces(line), counters);
        }
        s.ConfigEcho += CrLf + CrLf;
        s.ErrorStep = Step::ConfigurationCheck;
        CheckSettings(program, CurrencySymbols::AddOnly);
        if (!s.ErrorList.isEmpty() || counters.keys != 0 || counters.sections != 0)
            configurationCorrupted(program.services.messages);
        setCheckBox(program, &Sheet::OnTop, OnTop_Click);
        setCheckBox(program, &Sheet::AutoSave, AutoSave_Click);
        setCheckBox(program, &Sheet::ConvertF, convertUnits);
    });
}
