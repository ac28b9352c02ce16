#pragma once

// The program, for the targets that run its commands.

#include "FuzzSupport.h"

#include "calc/Program.h"
#include "platform/QtFileSystem.h"

#include <QDir>
#include <QTemporaryDir>

namespace fuzz {

// One installation directory per process, with its empty Data and Log
// directories; it goes when the run ends.
inline QString installation() {
    static const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/meterwin-fuzz-XXXXXX"));
    static const bool made = dir.isValid() && QDir(dir.path()).mkpath(QStringLiteral("Data")) &&
                             QDir(dir.path()).mkpath(QStringLiteral("Log"));
    require(made, "a temporary installation directory", dir.errorString());
    return dir.path();
}

// The program's files, with its relative paths taken from the installation
// directory instead of the working directory, which stays where libFuzzer
// writes its inputs.
class InstallationFiles final : public FileSystem {
public:
    bool directoryExists(const QString& p) const override { return disk_.directoryExists(at(p)); }
    bool fileExists(const QString& p) const override { return disk_.fileExists(at(p)); }
    qint64 fileSize(const QString& p) const override { return disk_.fileSize(at(p)); }
    QStringList readLines(const QString& p) override { return disk_.readLines(at(p)); }
    qint64 countLines(const QString& p) override { return disk_.countLines(at(p)); }
    QString readLastLine(const QString& p) override { return disk_.readLastLine(at(p)); }
    bool anyLine(const QString& p, const std::function<bool(const QString&)>& holds) override {
        return disk_.anyLine(at(p), holds);
    }
    void createEmpty(const QString& p) override { disk_.createEmpty(at(p)); }
    bool createFile(const QString& p, const QString& text) override {
        return disk_.createFile(at(p), text);
    }
    void appendLine(const QString& p, const QString& text) override {
        disk_.appendLine(at(p), text);
    }
    void replaceFile(const QString& p, const QString& text) override {
        disk_.replaceFile(at(p), text);
    }
    void copyFile(const QString& from, const QString& to) override {
        disk_.copyFile(at(from), at(to));
    }
    void renameFile(const QString& from, const QString& to) override {
        disk_.renameFile(at(from), at(to));
    }
    void deleteFile(const QString& p) override { disk_.deleteFile(at(p)); }
    void whileLocked(const QString& p, const std::function<void()>& operation) override {
        disk_.whileLocked(at(p), operation);
    }

    static QString at(const QString& path) {
        return QDir::isAbsolutePath(path) ? path : installation() + u'/' + path;
    }

private:
    mutable QtFileSystem disk_;
};

// Closes every box at once and counts them; opens nothing.
class Unattended final : public MessageBoxes, public Desktop {
public:
    MessageAnswer show(const Message& message) override {
        ++shown;
        last = message;
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    bool openFile(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
    int shown = 0;
    Message last;
};

// The program in that installation on 1 December 2015, with fresh boxes.
struct InstalledProgram {
    explicit InstalledProgram(const RegionalForms& forms)
        : program(Services{forms, messages, files, clock, messages}) {}

    InstallationFiles files;
    Unattended messages;
    const FixedClock clock{QDateTime(QDate(2015, 12, 1), QTime(12, 0))};
    Program program;
};

} // namespace fuzz
