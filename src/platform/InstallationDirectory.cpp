#include "platform/InstallationDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const QString SeedTariff = QStringLiteral("Meterwin.ini");

bool copyHelp(const QDir& seed, const QDir& target) {
    const QDir help(seed.filePath(QStringLiteral("Help")));
    for (const QString& name : help.entryList(QDir::Files))
        if (!QFile::copy(help.filePath(name), target.filePath(QStringLiteral("Help/") + name)))
            return false;
    return true;
}

} // namespace

QString PackageSeedDirectory(const QString& programDirectory) {
    const QDir bin(programDirectory);
    if (bin.dirName() != QStringLiteral("bin"))
        return {};
    const QString seed = QDir::cleanPath(bin.filePath(QStringLiteral("../share/meterwin")));
    return QFileInfo(QDir(seed).filePath(SeedTariff)).isFile() ? seed : QString();
}

QString UserInstallationDirectory(const QProcessEnvironment& environment) {
    QString data = environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (!QDir::isAbsolutePath(data))
        data = environment.value(QStringLiteral("HOME"), QDir::homePath()) +
               QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/meterwin"));
}

QString InstallationDirectoryFor(FrontEnd front, const QString& programDirectory,
                                 const QString& workingDirectory,
                                 const QProcessEnvironment& environment) {
    const bool holdsData =
        QFileInfo(QDir(workingDirectory).filePath(QStringLiteral("Data"))).isDir();
    if (PackageSeedDirectory(programDirectory).isEmpty() ||
        (front == FrontEnd::CommandLine && holdsData))
        return workingDirectory;
    return UserInstallationDirectory(environment);
}

bool SeedInstallationDirectory(const QString& directory, const QString& seed) {
    if (QFileInfo::exists(directory))
        return true;
    if (!QDir().mkpath(QFileInfo(directory).absolutePath()))
        return false;
    QTemporaryDir staging(directory + QStringLiteral(".new-XXXXXX"));
    const QDir from(seed);
    const QDir to(staging.path());
    const bool laidOut =
        staging.isValid() && to.mkpath(QStringLiteral("Data")) &&
        to.mkpath(QStringLiteral("Log")) && to.mkpath(QStringLiteral("Help")) &&
        QFile::copy(from.filePath(SeedTariff), to.filePath(QStringLiteral("Data/") + SeedTariff)) &&
        copyHelp(from, to);
    // The tariff is the user's to change, whatever the seed's permissions.
    if (laidOut &&
        QFile::setPermissions(to.filePath(QStringLiteral("Data/") + SeedTariff),
                              QFile::ReadOwner | QFile::WriteOwner) &&
        QDir().rename(staging.path(), directory))
        staging.setAutoRemove(false);
    // Another first start may have got there first: its directory is as good.
    return QFileInfo(directory).isDir();
}

void EnterInstallationDirectory(FrontEnd front) {
    const QString program = QCoreApplication::applicationDirPath();
    const QString directory = InstallationDirectoryFor(front, program, QDir::currentPath(),
                                                       QProcessEnvironment::systemEnvironment());
    if (directory == QDir::currentPath())
        return;
    if (!SeedInstallationDirectory(directory, PackageSeedDirectory(program)) ||
        !QDir::setCurrent(directory))
        QTextStream(stderr) << QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                            << ": cannot set up the directory " << directory << '\n';
}
