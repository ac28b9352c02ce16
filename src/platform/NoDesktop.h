#pragma once

#include "platform/Desktop.h"

// A desktop that opens nothing, for work done without a window.
class NoDesktop final : public Desktop {
public:
    bool openFile(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
};
