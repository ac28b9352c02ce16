#include "platform/QtFileSystem.h"

#include "platform/LineEnds.h"
#include "platform/TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The rights of a newly created file: read and write for all, less the umask.
mode_t creationMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A write that stopped part way (a full disk, a size limit) left the start of
// an entry at the end of the file: it is cut off again, so that the log still
// ends in whole lines. Should another program have appended behind it in the
// meantime, the piece stays rather than cut into that program's entry.
void takeBackPartialWrite(int descriptor, qint64 written) {
    if (written <= 0)
        return;
    // Opened for appending, the file position is the end of this write.
    const off_t end = lseek(descriptor, 0, SEEK_CUR);
    struct stat status {};
    if (end < written || fstat(descriptor, &status) != 0 || status.st_size != end)
        return;
    while (ftruncate(descriptor, end - written) != 0 && errno == EINTR) {
    }
}

// Where a piece of UTF-8 may be cut so that both sides decode alone: before
// its last character when that may go on in the next piece (a lead byte,
// followed by fewer than four bytes).
qsizetype characterCut(QByteArrayView piece) {
    for (qsizetype i = piece.size() - 1; i >= std::max<qsizetype>(0, piece.size() - 4); --i) {
        const auto byte = static_cast<unsigned char>(piece[i]);
        if ((byte & 0xC0) != 0x80)
            return byte >= 0xC0 ? i : piece.size();
    }
    return piece.size();
}

// What a file lacks to end in a whole line: nothing, its line end, or the
// LF of a CR LF cut after the CR. An unreadable file is taken as whole.
QByteArray lineEndMissing(const QString& path) {
    QFile file(path);
    char last = '\n';
    if (file.open(QIODevice::ReadOnly) && file.size() > 0 && file.seek(file.size() - 1))
        file.getChar(&last);
    return last == '\n' ? QByteArray() : last == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

// How long a program waits for another's lock: far beyond any operation
// that holds it, so that only a program stopped while holding it is waited
// out; the operation then fails and is reported.
constexpr std::chrono::seconds LockPatience{20};
constexpr std::chrono::milliseconds LongestLockPause{20};

// Holds the lock of an open directory until it goes.
class DirectoryLock {
public:
    explicit DirectoryLock(int descriptor) : descriptor_(descriptor) {}
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;
    ~DirectoryLock() { close(descriptor_); } // closing releases the lock

    // False when the file system offers no locks.
    bool take(const QString& directory) {
        const auto deadline = std::chrono::steady_clock::now() + LockPatience;
        std::chrono::microseconds pause{100};
        while (flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK)
                return false;
            if (std::chrono::steady_clock::now() > deadline)
                fail(QStringLiteral("Cannot lock"), directory,
                     QStringLiteral("another program holds the lock"));
            std::this_thread::sleep_for(pause);
            pause = std::min<std::chrono::microseconds>(2 * pause, LongestLockPause);
        }
        return true;
    }

private:
    int descriptor_;
};

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

qint64 QtFileSystem::fileSize(const QString& path) const {
    return QFileInfo(path).size();
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

void QtFileSystem::readPieces(const QString& path,
                              const std::function<bool(QByteArrayView)>& take) const {
    QFile file(path);
    openOrFail(file, QIODevice::ReadOnly, QStringLiteral("Cannot open"));
    const qint64 chunkSize = limited(CountChunkSize);
    QByteArray chunk(chunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunkSize);
        if (got < 0)
            fail(QStringLiteral("Cannot read"), path, file.errorString());
        if (got == 0 || !take(QByteArrayView(chunk.constData(), got)))
            return;
    }
}

qint64 QtFileSystem::countLines(const QString& path) {
    qint64 lines = 0;
    char last = '\n';
    readPieces(path, [&](QByteArrayView piece) {
        lines += countNewlines(piece.data(), piece.size());
        last = piece.back();
        return true;
    });
    // A last line without its line end still counts.
    return last == '\n' ? lines : lines + 1;
}

QByteArray QtFileSystem::readRange(QFile& file, qint64 from, qint64 size) const {
    QByteArray bytes(size, Qt::Uninitialized);
    if (!file.seek(from))
        fail(QStringLiteral("Cannot read"), file.fileName(), file.errorString());
    for (qint64 done = 0; done < size;) {
        const qint64 got = file.read(bytes.data() + done, limited(size - done));
        if (got <= 0)
            fail(QStringLiteral("Cannot read"), file.fileName(), file.errorString());
        done += got;
    }
    return bytes;
}

QString QtFileSystem::decodeLine(QFile& file, qint64 from, qint64 end) const {
    // As decodeLogLine decodes the line whole, but piece by piece as it is
    // read, so that only the text is held: UTF-8 while it is valid, each
    // piece cut before a character that may go on in the next one...
    QString text;
    text.reserve(end - from);
    QByteArray carried;
    bool atLineStart = true;
    for (qint64 at = from; at < end;) {
        const qint64 size = limited(std::min(ChunkSize, end - at));
        QByteArray piece = carried + readRange(file, at, size);
        at += size;
        if (at == end && piece.endsWith('\r'))
            piece.chop(1);
        const qsizetype cut = at == end ? piece.size() : characterCut(piece);
        carried = piece.sliced(cut);
        // ...a byte-order mark being dropped at the start of the line only.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            atLineStart ? QStringDecoder::Flag::Stateless
                                        : QStringDecoder::Flag::Stateless |
                                              QStringDecoder::Flag::ConvertInitialBom);
        text += utf8.decode(QByteArrayView(piece).first(cut));
        if (utf8.hasError()) {
            text.clear();
            return decodeWindows1252Line(file, from, end);
        }
        atLineStart = atLineStart && cut == 0;
    }
    return text;
}

QString QtFileSystem::decodeWindows1252Line(QFile& file, qint64 from, qint64 end) const {
    QString text;
    text.reserve(end - from);
    for (qint64 at = from; at < end;) {
        const qint64 size = limited(std::min(ChunkSize, end - at));
        QByteArray piece = readRange(file, at, size);
        at += size;
        text += decodeWindows1252(at == end ? withoutCarriageReturn(piece) : piece);
    }
    return text;
}

QString QtFileSystem::readLastLine(const QString& path) {
    QFile file(path);
    openOrFail(file, QIODevice::ReadOnly, QStringLiteral("Cannot open"));
    qint64 lineEnd = file.size();
    qint64 lineStart = 0;
    // Blocks are read backwards from the end, each searched alone for the
    // line end before the last line; the line is then put together once, so
    // that time and memory grow with its length only.
    QByteArray block;
    qint64 blockStart = lineEnd;
    int blocks = 0;
    qint64 readSize = limited(FirstTailSize);
    while (blockStart > 0) {
        const qint64 size = std::min(readSize, blockStart);
        readSize = limited(std::min(2 * readSize, ChunkSize));
        blockStart -= size;
        block = readRange(file, blockStart, size);
        qint64 searched = size;
        // The final line end belongs to the last line; it does not start another.
        if (++blocks == 1 && block.endsWith('\n')) {
            --lineEnd;
            --searched;
        }
        const auto* newline =
            static_cast<const char*>(memrchr(block.constData(), '\n', std::size_t(searched)));
        if (newline != nullptr) {
            lineStart = blockStart + (newline - block.constData()) + 1;
            break;
        }
    }
    if (blocks > 1) {
        block.clear(); // only the line's text is held from here on
        return decodeLine(file, lineStart, lineEnd);
    }
    return decodeLogLine(withoutCarriageReturn(
        QByteArrayView(block).sliced(lineStart - blockStart, lineEnd - lineStart)));
}

bool QtFileSystem::anyLine(const QString& path, const std::function<bool(const QString&)>& holds) {
    bool found = false;
    // The start of a line that goes on in the next piece.
    QByteArray begun;
    readPieces(path, [&](QByteArrayView piece) {
        for (qsizetype newline; (newline = piece.indexOf('\n')) >= 0;
             piece = piece.sliced(newline + 1)) {
            QByteArrayView line = piece.first(newline);
            if (!begun.isEmpty())
                line = begun.append(line);
            if (holds(decodeLogLine(withoutCarriageReturn(line)))) {
                found = true;
                return false;
            }
            begun.clear();
        }
        begun.append(piece);
        return true;
    });
    // A last line without its line end.
    return found || (!begun.isEmpty() && holds(decodeLogLine(withoutCarriageReturn(begun))));
}

void QtFileSystem::createEmpty(const QString& path) {
    QFile file(path);
    openOrFail(file, QIODevice::WriteOnly | QIODevice::Truncate, QStringLiteral("Cannot create"));
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot close"), path, file.errorString());
}

bool QtFileSystem::createFile(const QString& path, const QString& content) {
    const QByteArray bytes = encodeLogText(content);
    // Written whole beside its place, then linked there: link() never
    // replaces a file, and the name appears with all of its content.
    QTemporaryFile whole(path + QStringLiteral(".XXXXXX"));
    if (!whole.open())
        fail(QStringLiteral("Cannot create"), path, whole.errorString());
    if (whole.write(bytes) != bytes.size() || !whole.flush())
        fail(QStringLiteral("Cannot write"), path, whole.errorString());
    // A temporary file is the owner's alone; the log gets the usual rights.
    fchmod(whole.handle(), creationMode());
    const QByteArray target = QFile::encodeName(path);
    if (link(QFile::encodeName(whole.fileName()).constData(), target.constData()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // A file system without hard links: an exclusive creation, then the write.
    const int descriptor =
        open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, creationMode());
    if (descriptor < 0 && errno == EEXIST)
        return false;
    if (descriptor < 0)
        fail(QStringLiteral("Cannot create"), path, systemError(errno));
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle) ||
        file.write(bytes) != bytes.size()) {
        const QString reason = systemError(errno);
        QFile::remove(path);
        fail(QStringLiteral("Cannot write"), path, reason);
    }
    return true;
}

void QtFileSystem::appendLine(const QString& path, const QString& text) {
    if (!fileExists(path))
        fail(QStringLiteral("Cannot append to"), path, QStringLiteral("no such file"));
    QFile file(path);
    // Unbuffered and opened for appending: the entry goes out in one write at
    // the end of the file, so entries of two programs never interleave.
    openOrFail(file, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
               QStringLiteral("Cannot append to"));
    const QByteArray bytes = lineEndMissing(path) + encodeLogText(text + CrLf);
    const qint64 written = file.write(bytes);
    // A write cut short sets no error of the file: errno tells why.
    const int error = errno;
    if (written != bytes.size()) {
        const QString reason = written < 0 ? file.errorString() : systemError(error);
        takeBackPartialWrite(file.handle(), written);
        fail(QStringLiteral("Cannot write"), path, reason);
    }
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

void QtFileSystem::renameFile(const QString& from, const QString& to) {
    // rename() replaces `to` in one step; QFile::rename would refuse an existing one.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        fail(QStringLiteral("Cannot rename"), from, systemError(errno));
}

void QtFileSystem::deleteFile(const QString& path) {
    QFile file(path);
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    if (!file.remove())
        fail(QStringLiteral("Cannot delete"), path, file.errorString());
}

void QtFileSystem::whileLocked(const QString& directory, const std::function<void()>& operation) {
    const QString key = QFileInfo(directory).absoluteFilePath();
    // Not inherited by a program started meanwhile (the text viewer), which
    // would otherwise hold the lock for as long as it runs.
    const int descriptor = held_.contains(key) ? -1
                                               : open(QFile::encodeName(directory).constData(),
                                                      O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return operation(); // already held here, or a directory that cannot be locked
    DirectoryLock lock(descriptor);
    if (!lock.take(directory))
        return operation();
    held_.insert(key);
    try {
        operation();
    } catch (...) {
        held_.remove(key);
        throw;
    }
    held_.remove(key);
}
