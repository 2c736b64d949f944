#ifndef UI_TIMER_T_H
#define UI_TIMER_T_H

#include <QTimer>

// A QTimer whose interval is given in seconds.
class ui_timer_t : public QTimer
{
public:
    ui_timer_t();

    // Whole milliseconds, the fraction dropped; clamped to what QTimer takes.
    void set_interval_seconds(double seconds);
};

#endif
