#pragma once

#include "platform/QtFileSystem.h"

#include <QString>
#include <array>
#include <vector>

// The machine's file system with faults on request: a chosen kind of
// operation throws FileFailure, on every call or only on its nth call from
// the moment the fault is set, optionally only for paths with a given ending.
// Each faulty call is counted, so a test can also see what was done.
class FaultyFileSystem final : public FileSystem {
public:
    enum class Operation {
        Exists, // directoryExists and fileExists
        ReadLines,
        CountLines,
        ReadLastLine,
        CreateEmpty,
        AppendLine,
        ReplaceFile,
        CopyFile, // the path is either end of the copy
        DeleteFile,
    };
    static constexpr int OperationCount = 9;

    FaultyFileSystem() : inner_(machine_) {}
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    // `nth` 0 fails every matching call; 1 the next one, 2 the one after...
    void failOn(Operation operation, int nth = 0, const QString& pathEnding = {});
    // Removes every fault.
    void heal() { faults_.clear(); }
    // Calls of `operation` so far, faulty or not.
    int calls(Operation operation) const { return calls_[static_cast<int>(operation)]; }

    bool directoryExists(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    QStringList readLines(const QString& path) override;
    qint64 countLines(const QString& path) override;
    QString readLastLine(const QString& path) override;
    void createEmpty(const QString& path) override;
    void appendLine(const QString& path, const QString& text) override;
    void replaceFile(const QString& path, const QString& content) override;
    void copyFile(const QString& from, const QString& to) override;
    void deleteFile(const QString& path) override;

private:
    struct Fault {
        Operation operation;
        int nth;
        QString pathEnding;
        int seen = 0;
    };

    // Counts the call and throws when a fault matches it.
    void check(Operation operation, const QString& path, const QString& otherPath = {}) const;

    QtFileSystem machine_;
    FileSystem& inner_;
    mutable std::vector<Fault> faults_;
    mutable std::array<int, OperationCount> calls_{};
};
