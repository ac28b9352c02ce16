#pragma once

#include <QString>

// Opening a file or web address with the desktop's own handler (no shell).
class Desktop {
public:
    virtual ~Desktop() = default;
    // True when the handler was started.
    virtual bool openFile(const QString& path) = 0;
    virtual bool openUrl(const QString& url) = 0;
};
