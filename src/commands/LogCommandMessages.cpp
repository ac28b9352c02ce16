#include "commands/LogCommandMessages.h"

#include "platform/LineEnds.h"

void ShowLogCommandDirectoryMissing(MessageBoxes& boxes) {
    ShowFatalMessage(boxes, {MessageIcon::Critical, QStringLiteral("Meterwin Log Directory Error"),
                             QStringLiteral("The log directory does not exist.") + CrLf +
                                 QStringLiteral("To restore the log directory") + CrLf +
                                 QStringLiteral("reinstall the program.") + CrLf +
                                 QStringLiteral("The program will now terminate.")});
}

void ShowLogCommandResultsLogMissing(MessageBoxes& boxes) {
    ShowFatalMessage(boxes, {MessageIcon::Exclamation, QStringLiteral("Meterwin Log File Error"),
                             QStringLiteral("The log file is either missing or") + CrLf +
                                 QStringLiteral("corrupted. Delete the log file if") + CrLf +
                                 QStringLiteral("it exists and restart the program.") + CrLf +
                                 QStringLiteral("The program will now terminate.")});
}
