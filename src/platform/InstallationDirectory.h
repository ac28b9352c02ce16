#pragma once

#include <QProcessEnvironment>
#include <QString>

// The program works in its installation directory: Data/, Log/ and Help/ are
// relative to the working directory. An installation directory of its own
// (the programs at its top) is started from inside it. The packaged program
// lives in a system bin/ instead, so each user gets an installation
// directory of their own, seeded from the package's share/meterwin.

enum class FrontEnd { Window, CommandLine };

// The package's seed (Meterwin.ini and Help/) when the program runs from a
// bin/ beside share/meterwin; otherwise empty.
QString PackageSeedDirectory(const QString& programDirectory);

// The user's own installation directory: $XDG_DATA_HOME/meterwin, or
// ~/.local/share/meterwin when that is unset or not an absolute path.
QString UserInstallationDirectory(const QProcessEnvironment& environment);

// Where a run works. Outside a package, always the working directory. The
// packaged window works in the user's directory; the packaged command line in
// the working directory when that holds Data/, else in the user's directory.
QString InstallationDirectoryFor(FrontEnd front, const QString& programDirectory,
                                 const QString& workingDirectory,
                                 const QProcessEnvironment& environment);

// Lays out `directory` from `seed` unless it exists: Data/Meterwin.ini, an
// empty Log/ and Help/. It is built beside and renamed into place, so an
// interrupted or simultaneous first start never leaves half a directory and
// never replaces what a user has. True when the directory exists afterwards.
bool SeedInstallationDirectory(const QString& directory, const QString& seed);

// Makes this process's working directory the one InstallationDirectoryFor
// names, seeding the user's directory on first start. On failure it says so on
// standard error and stays, and the start-up checks then report what is missing.
void EnterInstallationDirectory(FrontEnd front);
