#include "SCPI_write_and_read.h"
#include "thread_order.h"

#include "device/visa_session.h"

#include <QMetaType>
#include <QWidget>

SCPI_write_and_read::SCPI_write_and_read(QObject *parent) : QThread(parent)
{
    qRegisterMetaType<QList<QWidget *>>("QList<QWidget*>");
    qRegisterMetaType<QList<QString>>("QList<QString>");
}

SCPI_write_and_read::~SCPI_write_and_read()
{
    stop();
    thread_order::wait(this);
}

void SCPI_write_and_read::set_request(int button_model, const QList<QString> &write,
                                      const QList<QString> &query, const QList<QWidget *> &widgets)
{
    std::lock_guard<std::mutex> lock(request_mutex);
    code = button_model;
    write_list = write;
    query_list = query;
    widget_list = widgets;
}

void SCPI_write_and_read::stop()
{
    running = 0;
}

void SCPI_write_and_read::run()
{
    thread_order::end_of_run end(this);
    running = 1;
    int op;
    QList<QString> write, query;
    QList<QWidget *> widgets;
    {
        std::lock_guard<std::mutex> lock(request_mutex);
        op = code;
        write = write_list;
        query = query_list;
        widgets = widget_list;
    }
    QList<QString> replies;
    const bool ok = scpi.exchange_lists(&g_visa_session, write, query, &replies);
    // A stop during the exchange means nobody waits for the answer any more.
    if (ok && running) {
        thread_order::before_post();
        emit send_result(op, replies, widgets);
        thread_order::after_post();
    }
    running = 0;
}
