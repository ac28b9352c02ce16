#include "reliability/Outcome.h"

#include "support/RecordingMessageBoxes.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString LogFileError = QStringLiteral("Meterwin Log File Error");

const Message ArchiveQuestion{
    MessageIcon::Exclamation, QStringLiteral("Meterwin Archive Results Log File"),
    QStringLiteral("Are you sure you want to\r\narchive the results log\r\n"
                   "file and create a new one?"),
    MessageButtons::YesNo};

} // namespace

QByteArray describe(const Outcome& outcome) {
    QByteArray text = outcome.ended ? "program ended" : "program goes on";
    for (const Message& message : outcome.messages) {
        char* shown = toString(message);
        text += QByteArray("\n  ") + shown;
        delete[] shown;
    }
    return text;
}

Outcome quiet() {
    return {};
}

Outcome fatalError(const QString& category, int step) {
    return {{{MessageIcon::Critical, QStringLiteral("Meterwin Fatal Error"),
              QStringLiteral("Error Number %1").arg(step) + CrLf +
                  QStringLiteral("A Fatal %1 Has Occurred").arg(category) + CrLf +
                  QStringLiteral("The Program Will Now Terminate")}},
            true};
}

Outcome logsNotCreated() {
    return {{{MessageIcon::Exclamation, LogFileError,
              QStringLiteral("Unable to create the log files.\r\nThis may be a permissions "
                             "problem.\r\nThe program will now terminate.")}},
            true};
}

Outcome notWritten(const QStringList& logNames) {
    Outcome outcome;
    for (const QString& name : logNames)
        outcome.messages.append({MessageIcon::Exclamation, LogFileError,
                                 QStringLiteral("Unable to write to the log file ") + name +
                                     QStringLiteral(".\r\nThis may be a permissions problem.")});
    return outcome;
}

Outcome configurationNotWritten() {
    return {{{MessageIcon::Exclamation, QStringLiteral("Meterwin Configuration File Error"),
              QStringLiteral("Unable to write to the configuration file.\r\nThis may be a "
                             "permissions problem.\r\nThe program will now terminate.")}},
            true};
}

Outcome archiveFailed(bool asked) {
    Outcome outcome = asked ? archived() : Outcome{};
    outcome.messages.append({MessageIcon::Exclamation, LogFileError,
                             QStringLiteral("Unable to archive the log file Meterwin.log.\r\nThis "
                                            "may be a permissions problem.")});
    return outcome;
}

Outcome archived() {
    return {{ArchiveQuestion}, false};
}

Outcome viewerFailed(const QString& logName) {
    return {{{MessageIcon::Exclamation, LogFileError,
              QStringLiteral("Unable to opem the log file ") + logName +
                  QStringLiteral(".\r\nThis may be a permissions problem.")}},
            true};
}
