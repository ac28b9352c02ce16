#pragma once

#include <QSize>

class QWidget;

// The window's controls stand on a form in a scroll area: on a small screen,
// or at a large scale, the window can be smaller than the form and scrolls,
// so that no command or result is ever out of reach.
void ScrollInto(QWidget& window, QWidget& form);

// The size the window opens at: the form's designed size, or the size its
// fonts need, within the area of the screen that desktop panels leave free
// (less a frame). Taken before the form goes into the scroll area.
QSize OpeningSize(const QWidget& window, QWidget& form);
