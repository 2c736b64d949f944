#ifndef TREND_RECORD_T_H
#define TREND_RECORD_T_H

#include <QString>

class QTime;

// The measurement record's file format and the rules that pace and end a
// record. It holds no file and no timer: the window asks it what to do on
// each event (a measurement set, an interval tick, the elapsed time) and
// writes the rows it is told to.
//
// File format (stored files rely on it): the header without a line end,
// then per reading ",\n" and the time and the four values joined by ",".
class trend_record_t
{
public:
    struct settings_t
    {
        bool stop_by_time = false;
        int hours = 0;
        int minutes = 10;
        int seconds = 0;
        bool stop_by_count = false;
        int stop_count = 100000;
        bool auto_interval = true; // one row per measurement set
        int interval_s = 1;        // seconds between rows otherwise

        int total_seconds() const;
    };

    enum start_result_t {
        started,
        zero_interval,   // manual interval of 0 s
        zero_time,       // stop by time after 0 s
        zero_count,      // stop after 0 rows
    };

    // What the caller does after an event; write and stop may come together
    // (the row that reaches the count is written, then the record ends).
    enum action_t {
        act_none = 0,
        act_write = 1,
        act_stop = 2,
        act_write_and_stop = act_write | act_stop,
    };

    // While a record runs, the interval timer also watches the connection
    // in automatic mode, at this period.
    static constexpr int watch_interval_ms = 1000;

    static QString header();
    // ",\n" + time (hh:mm:ss) + the four values in the 'g' form with 6
    // significant digits.
    static QString row(const QTime& time, double current, double voltage, double resistance, double power);

    // The settings the next start takes; a running record keeps the ones it
    // started with.
    settings_t settings;

    // Whether start() would accept the settings.
    start_result_t check() const;
    // Starts a record with the settings; the row count starts at 0.
    start_result_t start();
    void stop();
    bool running() const { return m_running; }
    int rows() const { return m_rows; }

    // Interval timer period while running: the manual interval, or the
    // connection watch in automatic mode.
    int interval_ms() const;
    // Stop timer period; 0 when the record does not stop by time.
    int stop_time_ms() const;

    // A fresh measurement set arrived (its values are the record values).
    action_t on_measurement();
    // The interval timer fired. `connected`: whether the load still answers.
    action_t on_interval(bool connected);
    // The stop timer fired.
    action_t on_stop_time();

private:
    action_t count_row();

    settings_t m_active; // the running record's settings
    bool m_running = false;
    bool m_fresh = false; // a measurement set arrived since the last manual row
    int m_rows = 0;
};

#endif
