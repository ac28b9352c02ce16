#pragma once

#include <QString>

// Opening a file or web address with the desktop's own handler (no shell).
class Desktop {
public:
    virtual ~Desktop() = default;
    // True when the desktop took it: its handler reported success, or was
    // still busy opening it after a short wait. False when no handler could
    // be started or the handler reported a failure.
    virtual bool openFile(const QString& path) = 0;
    virtual bool openUrl(const QString& url) = 0;
};
