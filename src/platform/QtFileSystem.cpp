#include "platform/QtFileSystem.h"

#include "platform/TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 ChunkSize = 1 << 20;
// The last line is searched from a small read at the end that doubles up to
// ChunkSize: a log line takes one page-sized read, whatever the file's size.
constexpr qint64 FirstTailSize = 1 << 12;
// Counting reads smaller pieces, which stay in the processor's cache between
// the read and the search.
constexpr qint64 CountChunkSize = 1 << 16;

[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason) {
    throw FileFailure(QStringLiteral("%1 %2: %3").arg(what, path, reason).toStdString());
}

void openOrFail(QFile& file, QIODevice::OpenMode mode, const QString& what) {
    if (!file.open(mode))
        fail(what, file.fileName(), file.errorString());
}

// memchr is the C library's vectorised search, fast in every build type.
qint64 countNewlines(const char* data, qint64 size) {
    qint64 count = 0;
    const char* const end = data + size;
    while ((data = static_cast<const char*>(std::memchr(data, '\n', end - data))) != nullptr) {
        ++count;
        ++data;
    }
    return count;
}

QByteArrayView withoutCarriageReturn(QByteArrayView line) {
    return line.endsWith('\r') ? line.chopped(1) : line;
}

} // namespace

QtFileSystem::QtFileSystem(qint64 readLimit) : readLimit_(std::max<qint64>(readLimit, 0)) {}

qint64 QtFileSystem::limited(qint64 size) const {
    return readLimit_ > 0 ? std::min(size, readLimit_) : size;
}

bool QtFileSystem::directoryExists(const QString& path) const {
    return QFileInfo(path).isDir();
}

bool QtFileSystem::fileExists(const QString& path) const {
    return QFileInfo(path).isFile();
}

QStringList QtFileSystem::readLines(const QString& path) {
    QFile file(path);
    openOrFail(file, QIODevice::ReadOnly, QStringLiteral("Cannot open"));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot read"), path, file.errorString());
    QStringList lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        lines << decodeLogLine(
            withoutCarriageReturn(QByteArrayView(content).sliced(start, end - start)));
        start = end + 1;
    }
    return lines;
}

qint64 QtFileSystem::countLines(const QString& path) {
    QFile file(path);
    openOrFail(file, QIODevice::ReadOnly, QStringLiteral("Cannot open"));
    const qint64 chunkSize = limited(CountChunkSize);
    QByteArray chunk(chunkSize, Qt::Uninitialized);
    qint64 lines = 0;
    char last = '\n';
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunkSize);
        if (got < 0)
            fail(QStringLiteral("Cannot read"), path, file.errorString());
        if (got == 0)
            break;
        lines += countNewlines(chunk.constData(), got);
        last = chunk.at(got - 1);
    }
    // A last line without its line end still counts.
    return last == '\n' ? lines : lines + 1;
}

QString QtFileSystem::readLastLine(const QString& path) {
    QFile file(path);
    openOrFail(file, QIODevice::ReadOnly, QStringLiteral("Cannot open"));
    QByteArray tail;
    qint64 position = file.size();
    qsizetype lineStart = -1;
    bool atFileEnd = true;
    qint64 readSize = limited(FirstTailSize);
    while (position > 0 && lineStart < 0) {
        const qint64 size = std::min<qint64>(readSize, position);
        readSize = limited(std::min(2 * readSize, ChunkSize));
        position -= size;
        if (!file.seek(position))
            fail(QStringLiteral("Cannot read"), path, file.errorString());
        const QByteArray block = file.read(size);
        if (block.size() != size)
            fail(QStringLiteral("Cannot read"), path, file.errorString());
        tail.prepend(block);
        // The final line end belongs to the last line; it does not start another.
        if (atFileEnd && tail.endsWith('\n'))
            tail.chop(1);
        atFileEnd = false;
        const qsizetype newline = tail.lastIndexOf('\n');
        if (newline >= 0)
            lineStart = newline + 1;
    }
    return decodeLogLine(
        withoutCarriageReturn(QByteArrayView(tail).sliced(std::max<qsizetype>(lineStart, 0))));
}

void QtFileSystem::createEmpty(const QString& path) {
    QFile file(path);
    openOrFail(file, QIODevice::WriteOnly | QIODevice::Truncate, QStringLiteral("Cannot create"));
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot close"), path, file.errorString());
}

void QtFileSystem::appendLine(const QString& path, const QString& text) {
    if (!fileExists(path))
        fail(QStringLiteral("Cannot append to"), path, QStringLiteral("no such file"));
    QFile file(path);
    // Unbuffered and opened for appending: the entry goes out in one write at
    // the end of the file, so entries of two programs never interleave.
    openOrFail(file, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
               QStringLiteral("Cannot append to"));
    const QByteArray bytes = encodeLogText(text + QStringLiteral("\r\n"));
    if (file.write(bytes) != bytes.size())
        fail(QStringLiteral("Cannot write"), path, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot close"), path, file.errorString());
}

void QtFileSystem::replaceFile(const QString& path, const QString& content) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("Cannot create"), path, file.errorString());
    const QByteArray bytes = encodeLogText(content);
    // The flush is checked here: a short write while commit() flushes (a full
    // disk) is not noticed by commit(), which would then replace the old file
    // with the cut-off one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(QStringLiteral("Cannot write"), path, reason);
    }
    if (!file.commit())
        fail(QStringLiteral("Cannot replace"), path, file.errorString());
}

void QtFileSystem::copyFile(const QString& from, const QString& to) {
    QFile file(from);
    if (!file.copy(to))
        fail(QStringLiteral("Cannot copy"), from, file.errorString());
}

void QtFileSystem::deleteFile(const QString& path) {
    QFile file(path);
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    if (!file.remove())
        fail(QStringLiteral("Cannot delete"), path, file.errorString());
}
