#include "platform/ConfigurationPermission.h"

#include <QFileInfo>

bool WritableConfiguration::mayReplaceConfiguration() const {
    const QFileInfo file(file_);
    const QFileInfo directory(file.absolutePath());
    return file.isFile() && file.isWritable() && directory.isDir() && directory.isWritable();
}
