#pragma once

#include <QString>

// Every file and every message of the program ends its lines this way, on any
// system, so that files stay readable where they were first written.
inline const QString CrLf = QStringLiteral("\r\n");
