// Pauses and a millisecond tick for the instrument link. The link paces its
// traffic with short sleeps on whatever thread runs the exchange.
#ifndef WATTLEX_SYS_TIMING_H
#define WATTLEX_SYS_TIMING_H

#include <QElapsedTimer>
#include <QThread>
#include <cstdint>

inline void sys_sleep_ms(unsigned long ms)
{
    if (ms > 0)
        QThread::msleep(ms);
}

// Milliseconds since the first call in this process (monotonic).
inline std::int64_t sys_tick_ms()
{
    static const QElapsedTimer origin = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return origin.elapsed();
}

#endif
