// A one-shot exchange thread: serves one write/query list pair on the shared
// session and hands the replies back.
#ifndef WATTLEX_SCPI_WRITE_AND_READ_H
#define WATTLEX_SCPI_WRITE_AND_READ_H

#include "cfg_if_scpi_t.h"

#include <QList>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <mutex>

class QWidget;

class SCPI_write_and_read : public QThread
{
    Q_OBJECT
public:
    explicit SCPI_write_and_read(QObject *parent = nullptr);
    ~SCPI_write_and_read() override;

    // The exchange the next start() carries out.
    void set_request(int button_model, const QList<QString> &write, const QList<QString> &query,
                     const QList<QWidget *> &widgets);

    // Set by run(), cleared by stop() and when run() ends.
    std::atomic<std::uint8_t> running{0};

public slots:
    void stop();

signals:
    void send_result(int button_model, QList<QString> value, QList<QWidget *> widget);

protected:
    void run() override;

private:
    cfg_if_scpi_t scpi;
    std::mutex request_mutex;
    int code = 0;
    QList<QString> write_list;
    QList<QString> query_list;
    QList<QWidget *> widget_list;
};

#endif
