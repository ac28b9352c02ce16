#pragma once

#include <QString>

// Removes leading and trailing spaces (character 32 only): a tab or another
// blank is part of the text, as the file formats of the program expect.
QString trimSpaces(QStringView text);
