#include "platform/InstanceMarker.h"

#include <QDir>
#include <QLockFile>
#include <map>
#include <memory>

namespace {

// The marks this process holds; the lock files go when the process ends.
std::map<QString, std::unique_ptr<QLockFile>>& heldMarks() {
    static std::map<QString, std::unique_ptr<QLockFile>> marks;
    return marks;
}

} // namespace

QString InstanceMarkerPath(const QString& name) {
    // The user's runtime directory is theirs alone; without one, the
    // installation directory, which is the user's too.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString directory = QDir::isAbsolutePath(runtime) ? runtime : QDir::currentPath();
    return QDir(directory).filePath(name + QStringLiteral(".lock"));
}

bool PreviousInstanceRunning(const QString& name) {
    auto& marks = heldMarks();
    if (marks.contains(name))
        return false;
    auto mark = std::make_unique<QLockFile>(InstanceMarkerPath(name));
    if (mark->tryLock(0)) {
        marks.emplace(name, std::move(mark));
        return false;
    }
    // Any failure other than a live holder counts as no other instance.
    return mark->error() == QLockFile::LockFailedError;
}
