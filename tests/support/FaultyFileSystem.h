#pragma once

#include "platform/QtFileSystem.h"

#include <array>
#include <vector>

// The machine's file system with faults on request: a chosen kind of
// operation fails on every call, or only on its nth call from the moment the
// fault is set. A write may instead stop part way, as on a full disk, and any
// operation may be slow. Calls are counted, faulty or not.
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
        CopyFile,
        DeleteFile,
        RenameFile,
        FileSize,
        AnyLine,
        Lock, // whileLocked: fails before running the operation
    };
    static constexpr int OperationCount = 14;

    enum class Fault {
        Fails,      // throws FileFailure before touching anything
        WritesPart, // createFile, appendLine, replaceFile and copyFile write about
                    // half their bytes, then fail as the disk does; others fail
        Pauses      // waits 20 ms, as a slow disk, then does its work
    };

    // `nth` 0 faults every call of `operation`; 1 the next one, 2 the one after...
    void failOn(Operation operation, int nth = 0, Fault fault = Fault::Fails) {
        faults_.push_back({operation, nth, fault});
    }
    void heal() { faults_.clear(); }
    int calls(Operation operation) const { return calls_[static_cast<int>(operation)]; }

    bool directoryExists(const QString& path) const override {
        return pass(Operation::Exists).directoryExists(path);
    }
    bool fileExists(const QString& path) const override {
        return pass(Operation::Exists).fileExists(path);
    }
    qint64 fileSize(const QString& path) const override {
        return pass(Operation::FileSize).fileSize(path);
    }
    QStringList readLines(const QString& path) override {
        return pass(Operation::ReadLines).readLines(path);
    }
    qint64 countLines(const QString& path) override {
        return pass(Operation::CountLines).countLines(path);
    }
    QString readLastLine(const QString& path) override {
        return pass(Operation::ReadLastLine).readLastLine(path);
    }
    bool anyLine(const QString& path, const std::function<bool(const QString&)>& holds) override {
        return pass(Operation::AnyLine).anyLine(path, holds);
    }
    void createEmpty(const QString& path) override {
        pass(Operation::CreateEmpty).createEmpty(path);
    }
    bool createFile(const QString& path, const QString& content) override;
    void appendLine(const QString& path, const QString& text) override;
    void replaceFile(const QString& path, const QString& content) override;
    void copyFile(const QString& from, const QString& to) override;
    void renameFile(const QString& from, const QString& to) override {
        pass(Operation::RenameFile).renameFile(from, to);
    }
    void deleteFile(const QString& path) override { pass(Operation::DeleteFile).deleteFile(path); }
    void whileLocked(const QString& directory, const std::function<void()>& operation) override {
        pass(Operation::Lock).whileLocked(directory, operation);
    }

private:
    struct FaultRule {
        Operation operation;
        int nth;
        Fault fault;
        int seen = 0;
    };

    // Counts the call and throws when a failing fault matches it; true when
    // a fault asks it to write only part of its bytes.
    bool check(Operation operation) const;
    // Checks the call, then hands back the machine's file system to make it.
    FileSystem& pass(Operation operation) const;

    mutable QtFileSystem inner_;
    mutable std::vector<FaultRule> faults_;
    mutable std::array<int, OperationCount> calls_{};
};
