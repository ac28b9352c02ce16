#include "commands/Refusal.h"

#include "calc/ReadingChecks.h"
#include "commands/CommandMessages.h"
#include "settings/SettingRows.h"

namespace {

QString fieldNamedBy(const QString& message) {
    for (const SettingRow& row : settingRows())
        if (message == QLatin1StringView(row.check.message))
            return QString::fromLatin1(row.control);
    return ReadingFieldNamedBy(message);
}

} // namespace

QString FieldNamedFirst(const QString& problems) {
    for (const QString& message : problems.split(u'\n', Qt::SkipEmptyParts))
        if (const QString field = fieldNamedBy(message); !field.isEmpty())
            return field;
    return {};
}

void ShowRefusal(Program& program) {
    Sheet& s = program.sheet;
    ShowDataProblems(program.services.messages, s.ErrorList);
    s.FocusField = FieldNamedFirst(s.ErrorList);
}
