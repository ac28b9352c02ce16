#pragma once

#include "platform/Desktop.h"

// Opens files and web addresses with the desktop's own handler through
// QDesktopServices: no shell, no command line.
class QtDesktop final : public Desktop {
public:
    bool openFile(const QString& path) override;
    bool openUrl(const QString& url) override;
};
