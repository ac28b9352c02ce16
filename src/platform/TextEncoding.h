#pragma once

#include <QByteArray>
#include <QString>

// Logs are written as UTF-8 without a byte-order mark. A line that is not valid
// UTF-8 was probably saved by a Windows-1252 editor and is read as such.
QString decodeLogLine(QByteArrayView bytes);
// Bytes read as Windows-1252, one character each.
QString decodeWindows1252(QByteArrayView bytes);
QByteArray encodeLogText(const QString& text);
