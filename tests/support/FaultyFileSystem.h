#pragma once

#include "platform/QtFileSystem.h"

#include <QList>
#include <QString>
#include <array>
#include <vector>

// The machine's file system with faults on request: a chosen kind of
// operation throws FileFailure, on every call or only on its nth call from
// the moment the fault is set, optionally only for paths with a given ending.
// A write may instead stop part way, as on a full disk, and any operation
// may be slow. Each call is counted
// and journalled, so a test can also see what was done.
class FaultyFileSystem final : public FileSystem {
public:
    enum class Operation {
        Exists, // directoryExists and fileExists
        ReadLines,
        CountLines,
        ReadLastLine,
        CreateEmpty,
        CreateFile,
        AppendLine,
        ReplaceFile,
        CopyFile, // the path is either end of the copy
        DeleteFile,
        RenameFile, // the path is either end of the renaming
        FileSize,
        AnyLine,
        Lock, // whileLocked: fails before running the operation
    };
    static constexpr int OperationCount = 14;

    enum class Fault {
        Fails,      // throws FileFailure before touching anything
        WritesPart, // writes about half of its bytes, then fails as the disk does
        Pauses      // waits 20 ms, as a slow disk, then does its work
    };

    // One call, as the journal holds it.
    struct Call {
        Operation operation;
        QString path;
        QString otherPath; // the target of a copy or renaming
    };

    FaultyFileSystem() : inner_(machine_) {}
    // WritesPart needs `inner` to write to the machine's files.
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    // `nth` 0 fails every matching call; 1 the next one, 2 the one after...
    // A fault that writes part way applies to createFile, appendLine,
    // replaceFile and copyFile; any other operation fails outright.
    void failOn(Operation operation, int nth = 0, const QString& pathEnding = {},
                Fault fault = Fault::Fails);
    // Removes every fault.
    void heal() { faults_.clear(); }
    // Calls of `operation` so far, faulty or not.
    int calls(Operation operation) const { return calls_[static_cast<int>(operation)]; }
    // Every call so far, in order, faulty or not.
    const QList<Call>& journal() const { return journal_; }

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
    struct FaultRule {
        Operation operation;
        int nth;
        QString pathEnding;
        Fault fault;
        int seen = 0;
    };

    // Counts and journals the call; throws when a failing fault matches it,
    // and answers whether a fault asks it to write only part of its bytes.
    bool check(Operation operation, const QString& path, const QString& otherPath = {}) const;

    QtFileSystem machine_;
    FileSystem& inner_;
    mutable std::vector<FaultRule> faults_;
    mutable std::array<int, OperationCount> calls_{};
    mutable QList<Call> journal_;
};
