#pragma once

#include "calc/Program.h"

// The maker's web page, shown in the About box and opened from the logo.
inline const QString MakersWebAddress = QStringLiteral("https://meterwin.example");

// Opens the maker's web page in the desktop's browser. A page the desktop
// could not open, or any other failure on the way, is reported in a box
// without an icon; the program goes on.
void LaunchWebPage(Program& program);

// A click on the logo of the main window.
void Logo_Click(Program& program);
