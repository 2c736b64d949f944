#include "ui_timer_t.h"

#include <climits>
#include <cmath>

ui_timer_t::ui_timer_t()
    : QTimer(nullptr)
{
}

void ui_timer_t::set_interval_seconds(double seconds)
{
    const double ms = 1000.0 * seconds;
    if (!(ms > 0.0))          // also catches NaN
        setInterval(0);
    else if (ms >= double(INT_MAX))
        setInterval(INT_MAX);
    else
        setInterval(static_cast<int>(std::trunc(ms)));
}
