#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The files of an installation directory by their relative paths
// ("Data/Meterwin.ini", "Log/Meterwin.log").
using Files = QMap<QString, QByteArray>;

// The configuration file as installed with the program.
QByteArray installedConfiguration();

// An installation as it is first unpacked: the configuration and an empty Log.
Files newInstallation();

// An installation that has been used: the installed configuration, and logs
// that hold a start entry and a saved calculation (01/12/2008, reading 1000).
// Made once, by the program itself.
const Files& usedInstallation();

// Writes `files` into the working directory, with Data and Log.
void install(const Files& files);

// Every file in Data and Log of the working directory.
Files snapshot(const QString& root = QStringLiteral("."));

// What was lost between two snapshots: nothing when every byte of `before` is
// still there (at the start of its file, or as the archive of the results
// log), no file ends in half a line and no stray file appeared.
QStringList lostBytes(const Files& before, const Files& after);
