#include "commands/Timer1_Timer.h"

void Timer1_Timer(Sheet& s) {
    s.Status.caption.clear();
    s.Timer1 = false;
}
