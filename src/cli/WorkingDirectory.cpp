#include "WorkingDirectory.h"

#include "platform/InstallationDirectory.h"

#include <QDir>
#include <QTextStream>

bool enterWorkingDirectory(const QString& directory) {
    if (directory.isEmpty()) {
        EnterInstallationDirectory(FrontEnd::CommandLine);
        return true;
    }
    if (QDir::setCurrent(directory))
        return true;
    QTextStream(stderr) << "meterwin-cli: cannot enter the directory " << directory << '\n';
    return false;
}
