// Runs the simulated load (the program named by $WATTLEX_SIM) for a test:
// on 127.0.0.1 with its portmapper on port 111 (or $WATTLEX_PORTMAP_PORT),
// logging into a private temporary folder, and tells what the load received.
// Tests that use it run in a private network namespace (NETNS).
#ifndef WATTLEX_SIM_PROCESS_H
#define WATTLEX_SIM_PROCESS_H

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class sim_process {
public:
    sim_process();
    ~sim_process();
    sim_process(const sim_process &) = delete;
    sim_process &operator=(const sim_process &) = delete;

    // Starts the load with extra command-line options (e.g. "--stop-after",
    // "3") and waits until it listens. False with error_string() on failure.
    bool start(const QStringList &extra_args = QStringList());
    // SIGTERM, then waits for the exit (kills after 5 s); a held load is
    // resumed first.
    void stop();
    // stop() and start() with new options; the log is kept.
    bool restart(const QStringList &extra_args = QStringList());
    bool running() const;
    // Holds the load's process (SIGSTOP) and returns once every thread of it
    // has stopped: kill() returns before that, and a thread that has not
    // stopped yet still takes and answers calls. False with error_string()
    // when the load did not stop within `timeout_ms`.
    bool freeze(int timeout_ms = 10000);
    // Resumes a held load (SIGCONT).
    bool thaw();
    bool frozen() const { return frozen_; }

    quint16 core_port() const { return core_port_; }
    qint64 pid() const { return proc_.processId(); }
    QString log_path() const;
    QString error_string() const { return error_; }
    // "TCPIP0::127.0.0.1::INSTR"
    static QString resource();

    // Complete messages the load received since start or clear_log(), in
    // order, byte for byte (as Latin-1 text, so binary blocks survive).
    QStringList received() const;
    QList<QByteArray> received_raw() const;
    // Log lines "<ms> <KIND> <link> <payload>" since start or clear_log().
    QStringList log_lines() const;
    // For a failure message: whether the load still runs, and its last
    // `lines` log lines.
    QString state_text(int lines = 8) const;
    // Forget what was logged so far.
    void clear_log();

    // Undoes the log's escaping ("\\", "\n", "\r", "\t", "\xHH").
    static QByteArray unescape(const QByteArray &text);

private:
    QTemporaryDir dir_;
    QProcess proc_;
    quint16 core_port_ = 0;
    qint64 log_offset_ = 0;
    bool frozen_ = false;
    QString error_;
};

#endif
