#pragma once

#include <QString>

// The logs lie in the directory Log below the installation directory.
inline QString logDirectory() {
    return QStringLiteral("Log");
}

inline QString logFilePath(const QString& name) {
    return logDirectory() + u'/' + name;
}
