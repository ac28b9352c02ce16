#pragma once

// What the targets that run the program's commands share: its files in a
// temporary installation directory, message boxes that close at once, and no
// desktop.

#include "FuzzSupport.h"

#include "calc/Program.h"
#include "platform/QtFileSystem.h"

#include <QDir>
#include <QTemporaryDir>

namespace fuzz {

// The program's files, with its relative paths taken from a temporary
// installation directory of this process instead of the working directory,
// which stays where libFuzzer writes its inputs.
class InstallationFiles final : public FileSystem {
public:
    explicit InstallationFiles(QString root) : root_(std::move(root)) {}

    bool directoryExists(const QString& path) const override {
        return files_.directoryExists(at(path));
    }
    bool fileExists(const QString& path) const override { return files_.fileExists(at(path)); }
    qint64 fileSize(const QString& path) const override { return files_.fileSize(at(path)); }
    QStringList readLines(const QString& path) override { return files_.readLines(at(path)); }
    qint64 countLines(const QString& path) override { return files_.countLines(at(path)); }
    QString readLastLine(const QString& path) override { return files_.readLastLine(at(path)); }
    bool anyLine(const QString& path, const std::function<bool(const QString&)>& holds) override {
        return files_.anyLine(at(path), holds);
    }
    void createEmpty(const QString& path) override { files_.createEmpty(at(path)); }
    bool createFile(const QString& path, const QString& content) override {
        return files_.createFile(at(path), content);
    }
    void appendLine(const QString& path, const QString& text) override {
        files_.appendLine(at(path), text);
    }
    void replaceFile(const QString& path, const QString& content) override {
        files_.replaceFile(at(path), content);
    }
    void copyFile(const QString& from, const QString& to) override {
        files_.copyFile(at(from), at(to));
    }
    void renameFile(const QString& from, const QString& to) override {
        files_.renameFile(at(from), at(to));
    }
    void deleteFile(const QString& path) override { files_.deleteFile(at(path)); }
    void whileLocked(const QString& directory, const std::function<void()>& operation) override {
        files_.whileLocked(at(directory), operation);
    }

private:
    QString at(const QString& path) const {
        return QDir::isAbsolutePath(path) ? path : root_ + u'/' + path;
    }

    QString root_;
    mutable QtFileSystem files_;
};

// Closes every box at once and counts them.
class SilentMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const Message& message) override {
        ++shown;
        last = message;
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    int shown = 0;
    Message last;
};

class NoDesktop final : public Desktop {
public:
    bool openFile(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
};

// One installation directory per process, with its empty Data and Log
// directories; it goes when the run ends.
inline const QString& installation() {
    static const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/meterwin-fuzz-XXXXXX"));
    static const bool made = dir.isValid() && QDir(dir.path()).mkpath(QStringLiteral("Data")) &&
                             QDir(dir.path()).mkpath(QStringLiteral("Log"));
    if (!made)
        broken("a temporary installation directory", dir.errorString());
    static const QString path = dir.path();
    return path;
}

} // namespace fuzz
