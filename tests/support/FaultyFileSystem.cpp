#include "support/FaultyFileSystem.h"

void FaultyFileSystem::failOn(Operation operation, int nth, const QString& pathEnding) {
    faults_.push_back({operation, nth, pathEnding});
}

void FaultyFileSystem::check(Operation operation, const QString& path,
                             const QString& otherPath) const {
    ++calls_[static_cast<int>(operation)];
    for (Fault& fault : faults_) {
        if (fault.operation != operation)
            continue;
        const bool pathMatches = fault.pathEnding.isEmpty() || path.endsWith(fault.pathEnding) ||
                                 (!otherPath.isEmpty() && otherPath.endsWith(fault.pathEnding));
        if (!pathMatches)
            continue;
        ++fault.seen;
        if (fault.nth == 0 || fault.nth == fault.seen)
            throw FileFailure("Injected fault on " + path.toStdString());
    }
}

bool FaultyFileSystem::directoryExists(const QString& path) const {
    check(Operation::Exists, path);
    return inner_.directoryExists(path);
}

bool FaultyFileSystem::fileExists(const QString& path) const {
    check(Operation::Exists, path);
    return inner_.fileExists(path);
}

QStringList FaultyFileSystem::readLines(const QString& path) {
    check(Operation::ReadLines, path);
    return inner_.readLines(path);
}

qint64 FaultyFileSystem::countLines(const QString& path) {
    check(Operation::CountLines, path);
    return inner_.countLines(path);
}

QString FaultyFileSystem::readLastLine(const QString& path) {
    check(Operation::ReadLastLine, path);
    return inner_.readLastLine(path);
}

void FaultyFileSystem::createEmpty(const QString& path) {
    check(Operation::CreateEmpty, path);
    inner_.createEmpty(path);
}

void FaultyFileSystem::appendLine(const QString& path, const QString& text) {
    check(Operation::AppendLine, path);
    inner_.appendLine(path, text);
}

void FaultyFileSystem::replaceFile(const QString& path, const QString& content) {
    check(Operation::ReplaceFile, path);
    inner_.replaceFile(path, content);
}

void FaultyFileSystem::copyFile(const QString& from, const QString& to) {
    check(Operation::CopyFile, from, to);
    inner_.copyFile(from, to);
}

void FaultyFileSystem::deleteFile(const QString& path) {
    check(Operation::DeleteFile, path);
    inner_.deleteFile(path);
}
