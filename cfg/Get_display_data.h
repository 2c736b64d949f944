// A measurement-poll thread: asks the readings over the shared session until
// stopped and hands each set back.
#ifndef WATTLEX_GET_DISPLAY_DATA_H
#define WATTLEX_GET_DISPLAY_DATA_H

#include "cfg_if_scpi_t.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>

class Get_display_data : public QThread
{
    Q_OBJECT
public:
    // Pause between two polls.
    static const int poll_pause_ms = 20;

    explicit Get_display_data(QObject *parent = nullptr);
    ~Get_display_data() override;

    // Set by run(), cleared by stop(); run() ends once it is cleared.
    std::atomic<std::uint8_t> running{0};

public slots:
    void stop();

signals:
    // current (A), voltage (V), resistance (ohm), power (W), input state,
    // remote state, then the four readings as the load sent them.
    void send_display_data(double current, double voltage, double resistance, double power, int input,
                           int remote, QString current_text, QString voltage_text,
                           QString resistance_text, QString power_text);

protected:
    void run() override;

private:
    cfg_if_scpi_t scpi;
};

#endif
