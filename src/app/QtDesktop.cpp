#include "app/QtDesktop.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <utility>

QtDesktop::QtDesktop(QString launcher, std::chrono::milliseconds patience)
    : launcher_(std::move(launcher)), patience_(patience) {}

QString QtDesktop::defaultLauncher() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    // Qt's services only start xdg-open there and call that a success.
    return QStringLiteral("xdg-open");
#else
    return {};
#endif
}

bool QtDesktop::openFile(const QString& path) {
    // The handler runs in another working directory: give it the full path.
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (launcher_.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(fullPath));
    return launch(fullPath);
}

bool QtDesktop::openUrl(const QString& url) {
    const QUrl address(url, QUrl::StrictMode);
    // An address without a scheme could pass for a file or an option.
    if (!address.isValid() || address.scheme().isEmpty())
        return false;
    if (launcher_.isEmpty())
        return QDesktopServices::openUrl(address);
    return launch(address.toString(QUrl::FullyEncoded));
}

bool QtDesktop::launch(const QString& target) const {
    auto launcher = std::make_unique<QProcess>();
    launcher->setProgram(launcher_);
    launcher->setArguments({target});
    launcher->setStandardInputFile(QProcess::nullDevice());
    launcher->setStandardOutputFile(QProcess::nullDevice());
    // Its complaints belong on the program's own error output.
    launcher->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    launcher->start();
    if (!launcher->waitForStarted())
        return false;

    // The window keeps painting while the launcher works; what the user types
    // meanwhile waits for the command to end.
    QEventLoop wait;
    QObject::connect(launcher.get(), &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(patience_, &wait, &QEventLoop::quit);
    if (launcher->state() != QProcess::NotRunning)
        wait.exec(QEventLoop::ExcludeUserInputEvents);

    if (launcher->state() != QProcess::NotRunning) {
        // Still showing the page: it must outlive this call, and goes when it ends.
        QProcess* running = launcher.release();
        QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
        return true;
    }
    return launcher->exitStatus() == QProcess::NormalExit && launcher->exitCode() == 0;
}
