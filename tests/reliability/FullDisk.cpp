#include "reliability/FullDisk.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

QString systemError(const char* call) {
    return QString::fromLatin1(call) + QStringLiteral(": ") +
           QString::fromLocal8Bit(std::strerror(errno));
}

// Once per process: mounts made afterwards are this process's own.
QString privateMounts() {
    static const QString whyNot = []() -> QString {
        if (unshare(CLONE_NEWNS) != 0)
            return systemError("unshare(CLONE_NEWNS)");
        if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return systemError("mount --make-rprivate /");
        return QString();
    }();
    return whyNot;
}

qint64 pageSize() {
    return sysconf(_SC_PAGESIZE);
}

// Writes blocks of `size` bytes until the disk refuses one.
void writeUntilFull(int descriptor, qint64 size) {
    const QByteArray block(size, 'f');
    while (write(descriptor, block.constData(), size_t(size)) > 0) {
    }
}

} // namespace

SmallDisk::SmallDisk(const QString& directory, qint64 bytes) : directory_(directory) {
    whyNot_ = privateMounts();
    if (!whyNot_.isEmpty())
        return;
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (mount("tmpfs", QFile::encodeName(directory).constData(), "tmpfs", 0, options.constData()) !=
        0) {
        whyNot_ = systemError("mount -t tmpfs");
        return;
    }
    mounted_ = true;
    // The working directory still is the directory under the mount.
    QDir::setCurrent(directory);
}

SmallDisk::~SmallDisk() {
    if (!mounted_)
        return;
    QDir::setCurrent(QDir::rootPath());
    umount2(QFile::encodeName(directory_).constData(), MNT_DETACH);
    QDir::setCurrent(directory_);
}

bool SmallDisk::fill() {
    const int descriptor = open("Filler", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return false;
    writeUntilFull(descriptor, 64 * pageSize());
    writeUntilFull(descriptor, pageSize());
    writeUntilFull(descriptor, 1);
    const bool full = errno == ENOSPC;
    close(descriptor);
    return full;
}

bool leaveRoomInLastBlock(int room) {
    const qint64 block = pageSize();
    for (const QString& name : QDir(QStringLiteral("Log")).entryList(QDir::Files)) {
        QFile file(QStringLiteral("Log/") + name);
        if (!file.open(QIODevice::ReadWrite))
            return false;
        QByteArray bytes = file.readAll();
        qsizetype fifthLine = 0;
        for (int line = 0; line < 4 && fifthLine >= 0; ++line) {
            fifthLine = bytes.indexOf("\r\n", fifthLine);
            if (fifthLine >= 0)
                fifthLine += 2;
        }
        if (fifthLine < 0)
            return false;
        const qint64 blanks = ((block - room - bytes.size()) % block + block) % block;
        bytes.insert(fifthLine, QByteArray(blanks, ' '));
        if (!file.seek(0) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}
