#pragma once

#include <QString>

// The version the program reports in its logs, its window and its files.
inline const QString ProgramVersion = QStringLiteral("2.0");
