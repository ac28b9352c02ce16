#include "app/QtDesktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool QtDesktop::openFile(const QString& path) {
    // The handler runs in another working directory: give it the full path.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool QtDesktop::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
}
