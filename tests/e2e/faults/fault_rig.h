// What the fault tests share: a window connected to a simulated load that
// has fault options, a measurement record started as a user starts it, the
// moment the fault began (from the load's log), the bound within which the
// window must show the disconnected state, and connecting again.
//
//   fault_rig rig;
//   QVERIFY2(rig.start(QStringList{"--fault-at", "*CLS", "--stop-after", "1"} + fault_rig::quick_timeouts()),
//            qPrintable(rig.error()));
//   QVERIFY2(rig.start_record(path), qPrintable(rig.error()));
//   QVERIFY(rig.trigger_now());                 // the load goes silent
//   QVERIFY2(rig.wait_down(fault_rig::silent_bound_ms()), qPrintable(rig.error()));
#ifndef FAULT_RIG_H
#define FAULT_RIG_H

#include "connected_window.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class MyMainWindow;

class fault_rig : public QObject
{
    Q_OBJECT

public:
    // The link's own read time-out on TCP and the status timer's period.
    static constexpr int link_timeout_ms = 5000;
    static constexpr int status_period_ms = 500;
    // Reads of one query before the link gives the load up (the query is
    // asked again after each empty one).
    static constexpr int reads_per_query = 4;
    // A silent load's reads end after this long with --max-read-wait, so
    // that a test need not wait 4 x 5 s for each lost load.
    static constexpr int quick_read_ms = 300;
    // Room for a slow machine (sanitizers, parallel tests) in every bound.
    static constexpr int slack_ms = 2000;
    // A window that waits on the load itself stands still for a whole link
    // time-out; shorter stalls are a busy machine, not a freeze.
    static constexpr int freeze_ms = link_timeout_ms / 2;

    // Load options for quick_read_ms.
    static QStringList quick_timeouts();
    // Longest time from the fault to the disconnected state for a load that
    // takes messages but never answers, with reads that end after `read_ms`.
    static int silent_bound_ms(int read_ms = quick_read_ms);

    fault_rig();
    ~fault_rig() override;

    connected_window& cw() { return cw_; }
    MyMainWindow* w() const { return cw_.window(); }
    sim_process& sim() { return cw_.sim(); }
    QString error() const { return error_; }

    // Starts the load with `sim_args`, builds the window and adds the
    // load's address to the tree (runs `before_connect` first, if given).
    bool prepare(const QStringList& sim_args = QStringList(),
                 const std::function<void()>& before_connect = std::function<void()>());
    // prepare(), then connects from the tree and waits for the read-back
    // and the poll.
    bool start(const QStringList& sim_args = QStringList(),
               const std::function<void()>& before_connect = std::function<void()>());

    // The record settings dialog (Browse to `path`, OK), then the Record
    // box: automatic interval, no stop condition.
    bool start_record(const QString& path);
    // Measurement sets the window handled since the record started: each
    // one is a row of the record.
    int sets_since_record() const { return sets_ - sets_at_record_; }
    // Measurement sets handed to the window with a reply that is not a number.
    int odd_sets() const { return odd_sets_; }
    // The record's rows without their times; *ok tells whether the header,
    // the separators and the times are as stored files have them.
    static QStringList rows_of(const QString& path, bool* ok);

    // The moment the fault begins: the test's cue, the held process, or the
    // first line of a kind in the load's log. A watch notes that moment and
    // the moment the window shows the disconnected state; it also runs
    // while a modal box or prompt holds the test in its loop.
    //
    // Sends "*CLS" on a second link: the load's "--fault-at *CLS" starts
    // its faults now.
    bool trigger_now();
    // The fault begins with the first line of this kind ("FAULT", "IGN",
    // "DROP") that the load logs from now on.
    void watch_log(const QString& kind);
    // Holds and resumes the load's process: a load that hangs entirely
    // (writes are not taken either). The fault begins once the load has
    // stopped.
    bool freeze();
    bool thaw();
    // Milliseconds since the fault began (-1 before).
    qint64 since_fault() const;
    // Milliseconds from the fault to the disconnected state (-1 while one
    // of them is to come).
    qint64 fault_to_down() const;

    // Waits until the window shows the disconnected state, at most
    // `bound_ms` after the fault began.
    bool wait_down(int bound_ms);
    // True when the window shows the disconnected state: flag cleared,
    // command thread ended, status timer stopped, no prompt, no tree item
    // marked connected.
    bool down() const;
    // The longest time the window's event loop did not run since the rig
    // was made or since reset_stall() (a freeze shows here).
    qint64 longest_stall() const { return longest_stall_; }
    void reset_stall() { longest_stall_ = 0; }

    // No wait prompt and no modal widget left open.
    bool quiet();
    // "Connect to Resource" again, after restarting the load without
    // faults when `restart`; waits for the read-back and the poll.
    bool reconnect(bool restart);

private:
    bool fail(const QString& text);
    void count_reply(int op, const QList<QString>& replies);
    void arm(qint64 fault_ms);
    void watch();
    // New complete lines of the load's log since the last call.
    QStringList new_log_lines();

    connected_window cw_;
    QString error_;
    QElapsedTimer epoch_;
    QTimer watch_timer_;
    QString watch_kind_;
    qint64 log_pos_ = 0;
    QByteArray log_rest_;
    qint64 fault_ms_ = -1;
    qint64 down_ms_ = -1;
    qint64 last_tick_ms_ = 0;
    qint64 longest_stall_ = 0;
    int sets_ = 0;
    int sets_at_record_ = 0;
    int set_replies_ = 0; // replies of ops 183, 15 and 16 this rig was handed
    int odd_sets_ = 0;
};

#endif
