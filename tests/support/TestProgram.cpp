#include "support/TestProgram.h"

#include <QFile>
#include <stdexcept>

bool RecordingDesktop::openFile(const QString& path) {
    openedFiles << path;
    return opens;
}

bool RecordingDesktop::openUrl(const QString& url) {
    openedUrls << url;
    return opens;
}

TestProgram::TestProgram(const QLocale& locale, const QDateTime& now)
    : forms(locale), clock(now), program(Services{forms, messages, files, clock, desktop}) {}

TemporaryInstallation::TemporaryInstallation() : previous_(QDir::currentPath()) {
    if (!directory_.isValid() || !QDir::setCurrent(directory_.path()))
        throw std::runtime_error("cannot make a temporary installation directory");
}

TemporaryInstallation::~TemporaryInstallation() {
    QDir::setCurrent(previous_);
}

void TemporaryInstallation::makeDirectory(const QString& relativePath) const {
    if (!QDir(directory_.path()).mkpath(relativePath))
        throw std::runtime_error("cannot make " + relativePath.toStdString());
}

void TemporaryInstallation::writeFile(const QString& relativePath, const QByteArray& bytes) const {
    QFile file(directory_.filePath(relativePath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + relativePath.toStdString());
}

QByteArray TemporaryInstallation::readFile(const QString& relativePath) const {
    QFile file(directory_.filePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + relativePath.toStdString());
    return file.readAll();
}
