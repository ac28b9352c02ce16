#pragma once

#include "platform/MessageBoxes.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

// What a command leaves the user with: the boxes it showed and whether the
// program ended.
struct Outcome {
    QList<Message> messages;
    bool ended = false;
};
Q_DECLARE_METATYPE(Outcome)

// One readable text of an outcome, to compare in a test or to carry out of
// a child process.
QByteArray describe(const Outcome& outcome);

// The outcomes the file faults may have, with the program's exact texts.
Outcome quiet();
Outcome fatalError(const QString& category, int step);
Outcome logsNotCreated();
// One "Unable to write" box per log name, in order; the program goes on.
Outcome notWritten(const QStringList& logNames);
Outcome configurationNotWritten();
// The archive's failure, after its question when the command got that far.
Outcome archiveFailed(bool asked);
// The archive's question alone: the archive was made.
Outcome archived();
Outcome viewerFailed(const QString& logName);
