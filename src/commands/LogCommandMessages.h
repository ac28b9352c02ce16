#pragma once

#include "platform/MessageBoxes.h"

// The fatal messages that Archive, Results and History share. Their wording
// differs from the messages of saving a calculation ("log directory" in lower
// case, no file name for the results log).
[[noreturn]] void ShowLogCommandDirectoryMissing(MessageBoxes& boxes);
[[noreturn]] void ShowLogCommandResultsLogMissing(MessageBoxes& boxes);
