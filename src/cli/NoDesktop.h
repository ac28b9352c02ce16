#pragma once

#include "platform/Desktop.h"

// The command line opens nothing on the desktop.
class NoDesktop final : public Desktop {
public:
    bool openFile(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
};
