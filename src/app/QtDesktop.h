#pragma once

#include "platform/Desktop.h"

#include <QString>
#include <chrono>

// Opens files and web addresses with the desktop's own handler, no shell and
// no command line between: through a launcher program (xdg-open on a free
// desktop), whose exit status tells whether the handler opened it, or where
// there is none through Qt's desktop services, which report that themselves.
class QtDesktop final : public Desktop {
public:
    // The launcher takes the file or address as its one argument; none means
    // Qt's desktop services. A launcher still running after `patience` has
    // found its handler and is showing the page (some wait for the viewer to
    // close): that counts as opened.
    explicit QtDesktop(QString launcher = defaultLauncher(),
                       std::chrono::milliseconds patience = std::chrono::seconds(3));

    bool openFile(const QString& path) override;
    bool openUrl(const QString& url) override;

    static QString defaultLauncher();

private:
    bool launch(const QString& target) const;

    QString launcher_;
    std::chrono::milliseconds patience_;
};
