#pragma once

#include "platform/FileSystem.h"

#include <QSet>

class QFile;

// The file system of the machine, through Qt's file classes.
class QtFileSystem final : public FileSystem {
public:
    // `readLimit`: when above 0, the most the line counter, the line scan and
    // the last-line reader read at a time (0: their own sizes); a small one
    // lets tests reach the joins between reads cheaply.
    explicit QtFileSystem(qint64 readLimit = 0);

    bool directoryExists(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    qint64 fileSize(const QString& path) const override;
    QStringList readLines(const QString& path) override;
    qint64 countLines(const QString& path) override;
    QString readLastLine(const QString& path) override;
    bool anyLine(const QString& path, const std::function<bool(const QString&)>& holds) override;
    void createEmpty(const QString& path) override;
    bool createFile(const QString& path, const QString& content) override;
    void appendLine(const QString& path, const QString& text) override;
    void replaceFile(const QString& path, const QString& content) override;
    void copyFile(const QString& from, const QString& to) override;
    void renameFile(const QString& from, const QString& to) override;
    void deleteFile(const QString& path) override;
    void whileLocked(const QString& directory, const std::function<void()>& operation) override;

private:
    qint64 limited(qint64 size) const;
    QByteArray readRange(QFile& file, qint64 from, qint64 size) const;
    // Reads a file from its start in pieces, handing each to `take` until it
    // returns false or the file ends.
    void readPieces(const QString& path, const std::function<bool(QByteArrayView)>& take) const;
    // The text of the line between the offsets, without a final CR.
    QString decodeLine(QFile& file, qint64 from, qint64 end) const;
    QString decodeWindows1252Line(QFile& file, qint64 from, qint64 end) const;

    qint64 readLimit_;
    // The directories whose locks this object holds, by absolute path: a
    // second lock of the same directory from this process would wait for
    // itself.
    QSet<QString> held_;
};
