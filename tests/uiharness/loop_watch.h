#ifndef LOOP_WATCH_H
#define LOOP_WATCH_H

#include <QElapsedTimer>
#include <QTimer>

// Watches the event loop of the thread it is made on: from its creation a
// timer ticks every `interval_ms` and a clock runs. A wait that blocks the
// loop shows as fewer ticks than the time passed would give.
//
//   loop_watch watch(100);
//   QTest::mouseClick(button, Qt::LeftButton);   // waits for the load
//   watch.stop();
//   QVERIFY(watch.elapsed_ms() >= 2500 && watch.ticks() >= 20);
class loop_watch
{
public:
    explicit loop_watch(int interval_ms)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { ++m_ticks; });
        m_timer.start(interval_ms);
        m_clock.start();
    }
    loop_watch(const loop_watch&) = delete;
    loop_watch& operator=(const loop_watch&) = delete;

    // No more ticks are counted.
    void stop() { m_timer.stop(); }
    int ticks() const { return m_ticks; }
    qint64 elapsed_ms() const { return m_clock.elapsed(); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_ticks = 0;
};

#endif
