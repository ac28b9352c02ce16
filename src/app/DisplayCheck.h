#pragma once

#include <QProcessEnvironment>
#include <QString>

// Why the window cannot be shown, as one line for the terminal, or an empty
// text when it can: on Linux without DISPLAY or WAYLAND_DISPLAY (and without
// a platform chosen through QT_QPA_PLATFORM) Qt would abort in its platform
// plugin instead.
QString MissingDisplayMessage(const QProcessEnvironment& environment);
