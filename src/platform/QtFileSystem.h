#pragma once

#include "platform/FileSystem.h"

// The file system of the machine, through Qt's file classes.
class QtFileSystem final : public FileSystem {
public:
    // `readLimit`: when above 0, the most the line counter and the last-line
    // reader read at a time (0: their own sizes); a small one lets tests reach
    // the joins between reads cheaply.
    explicit QtFileSystem(qint64 readLimit = 0);

    bool directoryExists(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    qint64 fileSize(const QString& path) const override;
    QStringList readLines(const QString& path) override;
    qint64 countLines(const QString& path) override;
    QString readLastLine(const QString& path) override;
    void createEmpty(const QString& path) override;
    bool createFile(const QString& path, const QString& content) override;
    void appendLine(const QString& path, const QString& text) override;
    void replaceFile(const QString& path, const QString& content) override;
    void copyFile(const QString& from, const QString& to) override;
    void renameFile(const QString& from, const QString& to) override;
    void deleteFile(const QString& path) override;

private:
    qint64 limited(qint64 size) const;

    qint64 readLimit_;
};
