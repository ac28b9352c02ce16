#include "commands/CommandMessages.h"

#include "platform/LineEnds.h"
#include "platform/MessageTitles.h"

#include <QStringList>

namespace {

QString lines(const QStringList& parts) {
    return parts.join(CrLf);
}

// Failures of the web page carry a description but no number of their own.
constexpr int UnnumberedFailure = 0;

} // namespace

void ShowLogCommandDirectoryMissing(MessageBoxes& boxes) {
    ShowFatalMessage(boxes, {MessageIcon::Critical, Title::LogDirectoryError,
                             lines({QStringLiteral("The log directory does not exist."),
                                    QStringLiteral("To restore the log directory"),
                                    QStringLiteral("reinstall the program."), ProgramTerminates})});
}

void ShowLogCommandResultsLogMissing(MessageBoxes& boxes) {
    ShowFatalMessage(
        boxes, {MessageIcon::Exclamation, Title::LogFileError,
                lines({QStringLiteral("The log file is either missing or"),
                       QStringLiteral("corrupted. Delete the log file if"),
                       QStringLiteral("it exists and restart the program."), ProgramTerminates})});
}

void ShowViewerHistoryLogMissing(MessageBoxes& boxes, const QString& name) {
    ShowFatalMessage(
        boxes, {MessageIcon::Exclamation, Title::LogFileError,
                lines({QStringLiteral("The log file %1 is either missing").arg(name),
                       QStringLiteral("or corrupted. Delete the log file if"),
                       QStringLiteral("it exists and restart the program."), ProgramTerminates})});
}

void ShowViewerFailed(MessageBoxes& boxes, const QString& name) {
    ShowFatalMessage(boxes, {MessageIcon::Exclamation, Title::LogFileError,
                             lines({QStringLiteral("Unable to opem the log file %1.").arg(name),
                                    QStringLiteral("This may be a permissions problem.")})});
}

void ShowNoDataToArchive(MessageBoxes& boxes) {
    boxes.show({MessageIcon::Exclamation, Title::LogFileError,
                lines({QStringLiteral("There is no data to archive!"),
                       QStringLiteral("Results file not archived.")})});
}

bool UserAgreesToArchive(MessageBoxes& boxes) {
    return boxes.show({MessageIcon::Exclamation, Title::ArchiveResultsLog,
                       lines({QStringLiteral("Are you sure you want to"),
                              QStringLiteral("archive the results log"),
                              QStringLiteral("file and create a new one?")}),
                       MessageButtons::YesNo}) == MessageAnswer::Yes;
}

void ShowArchiveFailed(MessageBoxes& boxes) {
    boxes.show({MessageIcon::Exclamation, Title::LogFileError,
                lines({QStringLiteral("Unable to archive the log file Meterwin.log."),
                       QStringLiteral("This may be a permissions problem.")})});
}

void ShowGetLastHistoryLogMissing(MessageBoxes& boxes, const QString& name) {
    ShowFatalMessage(boxes,
                     {MessageIcon::Critical, Title::LogFileError,
                      lines({QStringLiteral("The log file %1 does not exist or").arg(name),
                             QStringLiteral("is corrupted. Delete the file %1 and").arg(name),
                             QStringLiteral("restart the program to restore the file."),
                             ProgramTerminates.chopped(1)})});
}

void ShowConfigurationFault(MessageBoxes& boxes, const QString& firstLine) {
    ShowFatalMessage(
        boxes, {MessageIcon::Critical, Title::ConfigurationFileError,
                lines({firstLine, QStringLiteral("Reinstall the program to restore the file."),
                       ProgramTerminates})});
}

void ShowConfigurationUnwritable(MessageBoxes& boxes) {
    ShowFatalMessage(
        boxes, {MessageIcon::Exclamation, Title::ConfigurationFileError,
                lines({QStringLiteral("Unable to write to the configuration file."),
                       QStringLiteral("This may be a permissions problem."), ProgramTerminates})});
}

void ShowDataDirectoryMissingAtStart(MessageBoxes& boxes) {
    ShowFatalMessage(boxes, {MessageIcon::Critical, Title::DataDirectoryError,
                             lines({QStringLiteral("The data directory does not exist."),
                                    QStringLiteral("To restore the data directory"),
                                    QStringLiteral("reinstall the program."), ProgramTerminates})});
}

void ShowDataDirectoryMissingOnSave(MessageBoxes& boxes) {
    ShowFatalMessage(boxes, {MessageIcon::Critical, Title::DataDirectoryError,
                             lines({QStringLiteral("The data directory does not exist."),
                                    QStringLiteral("To restore the Data directory"),
                                    QStringLiteral("reinstall the program."), ProgramTerminates})});
}

void ShowDataProblems(MessageBoxes& boxes, const QString& problems) {
    boxes.show({MessageIcon::Exclamation, Title::DataError, problems});
}

void ShowDataUnchanged(MessageBoxes& boxes) {
    boxes.show({MessageIcon::Exclamation, Title::Error,
                QStringLiteral("The data has not changed\r\nsince the last calculation")});
}

Message helpPageMissingMessage() {
    return {MessageIcon::Exclamation, Title::HelpFileError,
            QStringLiteral("The help file is either missing or\r\n"
                           "corrupted. Reinstall the program\r\n"
                           "to correct the error.\r\n"),
            MessageButtons::Ok};
}

Message helpNotOpenedMessage() {
    return {MessageIcon::Exclamation, Title::HelpFileError,
            QStringLiteral("Unable to opem the help file.\r\n"
                           "This may be a permissions problem."),
            MessageButtons::Ok};
}

Message browserFailureMessage() {
    return {MessageIcon::None, Title::Error, QStringLiteral("Unable to launch Browser."),
            MessageButtons::Ok};
}

Message programErrorMessage(const std::exception& failure) {
    return {MessageIcon::None, Title::Error,
            QStringLiteral("A program error has occured\r\n"
                           "Error Number: %1\r\n"
                           "Error description: %2")
                .arg(UnnumberedFailure)
                .arg(QString::fromStdString(failure.what())),
            MessageButtons::Ok};
}
