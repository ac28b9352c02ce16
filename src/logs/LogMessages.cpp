#include "logs/LogMessages.h"

#include "platform/LineEnds.h"
#include "platform/MessageTitles.h"

#include <QStringList>

namespace {

QString lines(const QStringList& parts) {
    return parts.join(CrLf);
}

} // namespace

Message logDirectoryMissingMessage() {
    return {MessageIcon::Critical, Title::LogDirectoryError,
            lines({QStringLiteral("The log directory does not exist."),
                   QStringLiteral("To restore the Log directory"),
                   QStringLiteral("reinstall the program."), ProgramTerminates})};
}

Message logFileMissingMessage(const QString& name) {
    return {MessageIcon::Critical, Title::LogFileError,
            lines({QStringLiteral("The log file ") + name + QStringLiteral(" does not exist or"),
                   QStringLiteral("is corrupted. Delete the file and restart the "),
                   QStringLiteral("program to restore the file."), ProgramTerminates})};
}

Message historyLogMissingOnAppendMessage(const QString& name) {
    return {MessageIcon::Critical, Title::LogFileError,
            lines({QStringLiteral("The log file ") + name + QStringLiteral(" does not exist or"),
                   QStringLiteral("is corrupted. Delete the file ") + name +
                       QStringLiteral(" and restart the "),
                   QStringLiteral("program to restore the file."), ProgramTerminates})};
}

Message logsNotCreatedMessage() {
    return {MessageIcon::Exclamation, Title::LogFileError,
            lines({QStringLiteral("Unable to create the log files."),
                   QStringLiteral("This may be a permissions problem."), ProgramTerminates})};
}

Message logNotWrittenMessage(const QString& name) {
    return {MessageIcon::Exclamation, Title::LogFileError,
            lines({QStringLiteral("Unable to write to the log file ") + name + u'.',
                   QStringLiteral("This may be a permissions problem.")})};
}

Message fatalErrorMessage(const QString& category, int step) {
    return {MessageIcon::Critical, Title::FatalError,
            lines({QStringLiteral("Error Number %1").arg(step),
                   QStringLiteral("A Fatal %1 Has Occurred").arg(category),
                   QStringLiteral("The Program Will Now Terminate")})};
}
