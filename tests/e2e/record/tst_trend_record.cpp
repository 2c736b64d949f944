// The record's file format and the rules that pace and end a record.
#include "trend_record_t.h"

#include <QTime>
#include <QtTest>

class tst_trend_record : public QObject
{
    Q_OBJECT

private slots:
    void header_and_rows();
    void rows_chain_into_the_stored_format();
    void automatic_interval_writes_every_set();
    void manual_interval_writes_every_tick();
    void stop_after_n_rows();
    void counter_starts_at_zero_every_record();
    void stop_by_time();
    void lost_connection_stops_the_record();
    void zero_settings_refused();
    void settings_take_effect_at_the_next_start();
    void nothing_happens_while_stopped();
};

void tst_trend_record::header_and_rows()
{
    QCOMPARE(trend_record_t::header(), QString("time, Current(A), Voltage(V), Resistance(ohm), Power(W)"));
    QCOMPARE(trend_record_t::header().size(), 55);
    QCOMPARE(trend_record_t::row(QTime(14, 5, 9), 1.5, 12.0004, 8.003, 18.25),
             QString(",\n14:05:09,1.5,12.0004,8.003,18.25"));
    // 'g' with 6 significant digits: no trailing zeros, exponents for tiny values
    QCOMPARE(trend_record_t::row(QTime(0, 0, 0), 0, 12, 1234567.0, 0.0001),
             QString(",\n00:00:00,0,12,1.23457e+06,0.0001"));
    QCOMPARE(trend_record_t::row(QTime(23, 59, 59), -0.5, 150.25, 0.001, 3000),
             QString(",\n23:59:59,-0.5,150.25,0.001,3000"));
}

void tst_trend_record::rows_chain_into_the_stored_format()
{
    const QString file = trend_record_t::header() + trend_record_t::row(QTime(14, 5, 9), 1.5, 12.0004, 8.003, 18.25)
                         + trend_record_t::row(QTime(14, 5, 10), 1.5, 12.0004, 8.003, 18.25);
    const QStringList lines = file.split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], trend_record_t::header() + ",");
    QCOMPARE(lines[1], QString("14:05:09,1.5,12.0004,8.003,18.25,"));
    QCOMPARE(lines[2], QString("14:05:10,1.5,12.0004,8.003,18.25")); // no final line end
}

void tst_trend_record::automatic_interval_writes_every_set()
{
    trend_record_t r;
    QCOMPARE(r.start(), trend_record_t::started);
    QVERIFY(r.running());
    QCOMPARE(r.interval_ms(), trend_record_t::watch_interval_ms);
    QCOMPARE(r.stop_time_ms(), 0);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(r.on_measurement(), trend_record_t::act_write);
    QCOMPARE(r.rows(), 5);
    // the interval timer only watches the connection in automatic mode
    QCOMPARE(r.on_interval(true), trend_record_t::act_none);
    QCOMPARE(r.rows(), 5);
}

void tst_trend_record::manual_interval_writes_every_tick()
{
    trend_record_t r;
    r.settings.auto_interval = false;
    r.settings.interval_s = 3;
    r.settings.stop_by_count = true;
    r.settings.stop_count = 3;
    QCOMPARE(r.start(), trend_record_t::started);
    QCOMPARE(r.interval_ms(), 3000);
    // sets write nothing themselves; every tick writes the latest values,
    // also when no set came since the last (a slow load), and counts
    QCOMPARE(r.on_measurement(), trend_record_t::act_none);
    QCOMPARE(r.on_interval(true), trend_record_t::act_write);
    QCOMPARE(r.on_interval(true), trend_record_t::act_write);
    QCOMPARE(r.on_interval(true), trend_record_t::act_write_and_stop);
    QCOMPARE(r.rows(), 3);
}

void tst_trend_record::stop_after_n_rows()
{
    trend_record_t r;
    r.settings.stop_by_count = true;
    r.settings.stop_count = 3;
    QCOMPARE(r.start(), trend_record_t::started);
    QCOMPARE(r.on_measurement(), trend_record_t::act_write);
    QCOMPARE(r.on_measurement(), trend_record_t::act_write);
    QCOMPARE(r.on_measurement(), trend_record_t::act_write_and_stop);
    r.stop();
    QCOMPARE(r.on_measurement(), trend_record_t::act_none);
    QCOMPARE(r.rows(), 3);

    trend_record_t m;
    m.settings.auto_interval = false;
    m.settings.stop_by_count = true;
    m.settings.stop_count = 2;
    m.start();
    m.on_measurement();
    QCOMPARE(m.on_interval(true), trend_record_t::act_write);
    m.on_measurement();
    QCOMPARE(m.on_interval(true), trend_record_t::act_write_and_stop);
}

void tst_trend_record::counter_starts_at_zero_every_record()
{
    trend_record_t r;
    r.settings.stop_by_count = true;
    r.settings.stop_count = 100;
    r.start();
    for (int i = 0; i < 30; ++i)
        QCOMPARE(r.on_measurement(), trend_record_t::act_write);
    r.stop(); // by hand, at 30 rows
    QCOMPARE(r.start(), trend_record_t::started);
    QCOMPARE(r.rows(), 0);
    for (int i = 1; i < 100; ++i)
        QCOMPARE(r.on_measurement(), trend_record_t::act_write);
    QCOMPARE(r.on_measurement(), trend_record_t::act_write_and_stop);
    QCOMPARE(r.rows(), 100);

    // N set below the rows of an earlier record still stops the next one
    r.stop();
    r.settings.stop_count = 2;
    r.start();
    r.on_measurement();
    QCOMPARE(r.on_measurement(), trend_record_t::act_write_and_stop);
}

void tst_trend_record::stop_by_time()
{
    trend_record_t r;
    r.settings.stop_by_time = true;
    r.settings.hours = 0;
    r.settings.minutes = 10;
    r.settings.seconds = 0;
    QCOMPARE(r.settings.total_seconds(), 600);
    r.start();
    QCOMPARE(r.stop_time_ms(), 600 * 1000);
    QCOMPARE(r.on_stop_time(), trend_record_t::act_stop);

    r.settings.hours = 24;
    r.settings.minutes = 59;
    r.settings.seconds = 59;
    r.start();
    QCOMPARE(r.stop_time_ms(), 89999 * 1000);
    r.stop();
    QCOMPARE(r.on_stop_time(), trend_record_t::act_none);
}

void tst_trend_record::lost_connection_stops_the_record()
{
    for (bool automatic : {true, false}) {
        trend_record_t r;
        r.settings.auto_interval = automatic;
        r.start();
        r.on_measurement();
        QCOMPARE(r.on_interval(false), trend_record_t::act_stop);
    }
}

void tst_trend_record::zero_settings_refused()
{
    trend_record_t r;
    r.settings.auto_interval = false;
    r.settings.interval_s = 0;
    QCOMPARE(r.check(), trend_record_t::zero_interval);
    QCOMPARE(r.start(), trend_record_t::zero_interval);
    QVERIFY(!r.running());
    r.settings.auto_interval = true; // the manual interval is not used then
    QCOMPARE(r.start(), trend_record_t::started);
    r.stop();

    r.settings.stop_by_time = true;
    r.settings.hours = r.settings.minutes = r.settings.seconds = 0;
    QCOMPARE(r.start(), trend_record_t::zero_time);
    r.settings.seconds = 1;
    QCOMPARE(r.start(), trend_record_t::started);
    r.stop();

    r.settings.stop_by_count = true;
    r.settings.stop_count = 0;
    QCOMPARE(r.start(), trend_record_t::zero_count);
    QVERIFY(!r.running());
}

void tst_trend_record::settings_take_effect_at_the_next_start()
{
    trend_record_t r;
    r.settings.auto_interval = false;
    r.settings.interval_s = 2;
    r.start();
    r.settings.auto_interval = true;
    r.settings.stop_by_count = true;
    r.settings.stop_count = 1;
    QCOMPARE(r.interval_ms(), 2000);
    QCOMPARE(r.on_measurement(), trend_record_t::act_none);
    QCOMPARE(r.on_interval(true), trend_record_t::act_write);
    r.stop();
    r.start();
    QCOMPARE(r.interval_ms(), trend_record_t::watch_interval_ms);
    QCOMPARE(r.on_measurement(), trend_record_t::act_write_and_stop);
}

void tst_trend_record::nothing_happens_while_stopped()
{
    trend_record_t r;
    QVERIFY(!r.running());
    QCOMPARE(r.on_measurement(), trend_record_t::act_none);
    QCOMPARE(r.on_interval(true), trend_record_t::act_none);
    QCOMPARE(r.on_interval(false), trend_record_t::act_none);
    QCOMPARE(r.on_stop_time(), trend_record_t::act_none);
    QCOMPARE(r.rows(), 0);
}

QTEST_APPLESS_MAIN(tst_trend_record)
#include "tst_trend_record.moc"
