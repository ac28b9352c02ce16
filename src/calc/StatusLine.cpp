#include "calc/StatusLine.h"

void ShowStatus(Sheet& s, const QString& text) {
    s.Status.caption = text;
    s.Timer1 = true;
}
