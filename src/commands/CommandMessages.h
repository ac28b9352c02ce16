#pragma once

#include "platform/MessageBoxes.h"

#include <exception>

// The messages of the commands. Those shown with [[noreturn]] end the program
// when their box is closed.

// Archive, Results and History. Their wording differs from the messages of
// saving a calculation ("log directory" in lower case, no file name for the
// results log).
[[noreturn]] void ShowLogCommandDirectoryMissing(MessageBoxes& boxes);
[[noreturn]] void ShowLogCommandResultsLogMissing(MessageBoxes& boxes);
[[noreturn]] void ShowViewerHistoryLogMissing(MessageBoxes& boxes, const QString& name);
[[noreturn]] void ShowViewerFailed(MessageBoxes& boxes, const QString& name);
void ShowNoDataToArchive(MessageBoxes& boxes);
bool UserAgreesToArchive(MessageBoxes& boxes);
void ShowArchiveFailed(MessageBoxes& boxes);

// Get Last; the last line of its message has no full stop.
[[noreturn]] void ShowGetLastHistoryLogMissing(MessageBoxes& boxes, const QString& name);

// The configuration file, read at start-up and written by Save Data.
[[noreturn]] void ShowConfigurationFault(MessageBoxes& boxes, const QString& firstLine);
[[noreturn]] void ShowConfigurationUnwritable(MessageBoxes& boxes);

// The data directory: "data" at start-up, "Data" when saving.
[[noreturn]] void ShowDataDirectoryMissingAtStart(MessageBoxes& boxes);
[[noreturn]] void ShowDataDirectoryMissingOnSave(MessageBoxes& boxes);

// The problems the checks listed, and a calculation asked for again.
void ShowDataProblems(MessageBoxes& boxes, const QString& problems);
void ShowDataUnchanged(MessageBoxes& boxes);

// Help and the maker's web page.
Message helpPageMissingMessage();
Message helpNotOpenedMessage();
Message browserFailureMessage();
Message programErrorMessage(const std::exception& failure);
