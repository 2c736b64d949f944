// Applies a settings text: parses it into the parameter store and writes
// every setting to the load.
#ifndef WATTLEX_SEND_DATA_THREAD_H
#define WATTLEX_SEND_DATA_THREAD_H

#include "cfg_if_scpi_t.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <mutex>

class Send_data_thread : public QThread
{
    Q_OBJECT
public:
    // Why the last run() ended with send_error.
    enum failure_t { no_failure, bad_text, link_lost };

    explicit Send_data_thread(QObject *parent = nullptr);
    ~Send_data_thread() override;

    // The settings text the next start() applies.
    void set_settings_text(const QString &text);
    QString settings_text() const;

    // Set by the window before it waits for the thread, cleared by it before
    // start(): a stop asked before run() begins still holds. run() ends
    // between two writes once it is set.
    std::atomic<std::uint8_t> stop_flag{0};

    failure_t last_failure() const { return failure; }
    // Commands written by the last run() (including "INP 0").
    int written_count() const { return written; }

signals:
    // `done` of the run's `total` commands written: once with 0 before the
    // first write, then after each write.
    void send_progress(int done, int total);
    // Every setting was written.
    void send_end();
    // Not a settings text (store and load untouched), or the load stopped
    // taking commands (see last_failure()).
    void send_error();

protected:
    void run() override;

private:
    cfg_if_scpi_t scpi;
    mutable std::mutex text_mutex;
    QString text;
    std::atomic<failure_t> failure{no_failure};
    std::atomic<int> written{0};
};

#endif
