#pragma once

#include <QImage>

// The program's picture: a gas flame above a meter's counter. Painted here
// rather than shipped, so that the window, the icon and the help page all
// show the same drawing at any size.
QImage DrawLogo(int size);
