// Builds the settings text of the parameter store for saving, with the
// function and mode the load is in.
#ifndef WATTLEX_GET_DATA_THREAD_H
#define WATTLEX_GET_DATA_THREAD_H

#include "cfg_if_scpi_t.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <mutex>

class Get_data_thread : public QThread
{
    Q_OBJECT
public:
    explicit Get_data_thread(QObject *parent = nullptr);
    ~Get_data_thread() override;

    // The text run() built; read it in the send_end slot.
    QString settings_text() const;

    // The connected load's resource (its link kind picks the read rules);
    // set before start().
    void set_resource(const std::string &text) { scpi.set_resource(text); }

    // Set by the window before it waits for the thread.
    std::atomic<std::uint8_t> stop_flag{0};

signals:
    void send_end();

protected:
    void run() override;

private:
    cfg_if_scpi_t scpi;
    mutable std::mutex text_mutex;
    QString text;
};

#endif
