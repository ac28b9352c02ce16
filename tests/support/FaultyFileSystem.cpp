#include "support/FaultyFileSystem.h"

#include "platform/LineEnds.h"
#include "platform/TextEncoding.h"
#include "support/Restrictions.h"

#include <QFileInfo>
#include <QThread>
#include <algorithm>

namespace {

// A write stopped by the file-size limit half way through its new bytes:
// the machine's own short write, so whatever the file system does about it
// is what the test sees.
template <typename Write> void writePart(qint64 sizeBefore, qint64 newBytes, Write&& write) {
    const ScopedFileSizeLimit limit(sizeBefore + std::max<qint64>(1, newBytes / 2));
    write();
}

} // namespace

FileSystem& FaultyFileSystem::pass(Operation operation) const {
    check(operation);
    return inner_;
}

bool FaultyFileSystem::check(Operation operation) const {
    ++calls_[static_cast<int>(operation)];
    for (FaultRule& rule : faults_) {
        if (rule.operation != operation || (++rule.seen != rule.nth && rule.nth != 0))
            continue;
        if (rule.fault == Fault::Pauses) {
            QThread::msleep(20);
            continue;
        }
        const bool writes = operation == Operation::CreateFile ||
                            operation == Operation::AppendLine ||
                            operation == Operation::ReplaceFile || operation == Operation::CopyFile;
        if (rule.fault == Fault::WritesPart && writes)
            return true;
        throw FileFailure("Injected fault");
    }
    return false;
}

bool FaultyFileSystem::createFile(const QString& path, const QString& content) {
    if (!check(Operation::CreateFile))
        return inner_.createFile(path, content);
    // The content goes to a file of its own before it takes its name.
    bool created = false;
    writePart(0, encodeLogText(content).size(),
              [&] { created = inner_.createFile(path, content); });
    return created;
}

void FaultyFileSystem::appendLine(const QString& path, const QString& text) {
    if (!check(Operation::AppendLine))
        return inner_.appendLine(path, text);
    writePart(QFileInfo(path).size(), encodeLogText(text + CrLf).size(),
              [&] { inner_.appendLine(path, text); });
}

void FaultyFileSystem::replaceFile(const QString& path, const QString& content) {
    if (!check(Operation::ReplaceFile))
        return inner_.replaceFile(path, content);
    // The new content goes to a file of its own before it replaces the old.
    writePart(0, encodeLogText(content).size(), [&] { inner_.replaceFile(path, content); });
}

void FaultyFileSystem::copyFile(const QString& from, const QString& to) {
    if (!check(Operation::CopyFile))
        return inner_.copyFile(from, to);
    writePart(0, QFileInfo(from).size(), [&] { inner_.copyFile(from, to); });
}
