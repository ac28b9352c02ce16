#pragma once

#include <QString>

// The titles of the program's message boxes, and the last line of those after
// which it ends.
namespace Title {
inline const QString Error = QStringLiteral("Meterwin Error");
inline const QString FatalError = QStringLiteral("Meterwin Fatal Error");
inline const QString DataError = QStringLiteral("Meterwin Data Error");
inline const QString DataDirectoryError = QStringLiteral("Meterwin Data Directory Error");
inline const QString ConfigurationFileError = QStringLiteral("Meterwin Configuration File Error");
inline const QString LogDirectoryError = QStringLiteral("Meterwin Log Directory Error");
inline const QString LogFileError = QStringLiteral("Meterwin Log File Error");
inline const QString ArchiveResultsLog = QStringLiteral("Meterwin Archive Results Log File");
inline const QString HelpFileError = QStringLiteral("Meterwin Help File Error");
} // namespace Title

inline const QString ProgramTerminates = QStringLiteral("The program will now terminate.");
