#include "calc/StatusLine.h"

void ShowStatus(Sheet& s, const QString& text) {
    s.Status.caption = text;
    s.Timer1 = true;
}

void Timer1_Timer(Sheet& s) {
    s.Status.caption.clear();
    s.Timer1 = false;
}
