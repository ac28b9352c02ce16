#include "logs/LogMessages.h"

#include "platform/LineEnds.h"

#include <QStringList>

namespace {

const QString FileErrorTitle = QStringLiteral("Meterwin Log File Error");
const QString Terminate = QStringLiteral("The program will now terminate.");

QString lines(const QStringList& parts) {
    return parts.join(CrLf);
}

} // namespace

Message logDirectoryMissingMessage() {
    return {MessageIcon::Critical, QStringLiteral("Meterwin Log Directory Error"),
            lines({QStringLiteral("The log directory does not exist."),
                   QStringLiteral("To restore the Log directory"),
                   QStringLiteral("reinstall the program."), Terminate})};
}

Message logFileMissingMessage(const QString& name) {
    return {MessageIcon::Critical, FileErrorTitle,
            lines({QStringLiteral("The log file ") + name + QStringLiteral(" does not exist or"),
                   QStringLiteral("is corrupted. Delete the file and restart the "),
                   QStringLiteral("program to restore the file."), Terminate})};
}

Message historyLogMissingOnAppendMessage(const QString& name) {
    return {MessageIcon::Critical, FileErrorTitle,
            lines({QStringLiteral("The log file ") + name + QStringLiteral(" does not exist or"),
                   QStringLiteral("is corrupted. Delete the file ") + name +
                       QStringLiteral(" and restart the "),
                   QStringLiteral("program to restore the file."), Terminate})};
}

Message logsNotCreatedMessage() {
    return {MessageIcon::Exclamation, FileErrorTitle,
            lines({QStringLiteral("Unable to create the log files."),
                   QStringLiteral("This may be a permissions problem."), Terminate})};
}

Message logNotWrittenMessage(const QString& name) {
    return {MessageIcon::Exclamation, FileErrorTitle,
            lines({QStringLiteral("Unable to write to the log file ") + name + u'.',
                   QStringLiteral("This may be a permissions problem.")})};
}
