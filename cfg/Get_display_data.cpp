#include "Get_display_data.h"
#include "thread_order.h"

#include "device/sys_timing.h"
#include "device/visa_session.h"

#include <QList>

namespace {
// The order of the replies below follows this list.
const char *const poll_queries[] = {"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
                                    "SYST:REMOT:STAT?"};
enum { r_input, r_current, r_voltage, r_resistance, r_power, r_remote };
} // namespace

Get_display_data::Get_display_data(QObject *parent) : QThread(parent) {}

Get_display_data::~Get_display_data()
{
    stop();
    thread_order::wait(this);
}

void Get_display_data::stop()
{
    running = 0;
}

void Get_display_data::run()
{
    thread_order::end_of_run end(this);
    running = 1;
    QList<QString> queries;
    for (const char *q : poll_queries)
        queries.append(QString::fromLatin1(q));
    const QList<QString> writes;
    while (running) {
        QList<QString> r;
        if (!scpi.exchange_lists(&g_visa_session, writes, queries, &r))
            break; // the load stopped answering
        thread_order::before_post();
        emit send_display_data(r[r_current].toDouble(), r[r_voltage].toDouble(), r[r_resistance].toDouble(),
                               r[r_power].toDouble(), r[r_input].trimmed().toInt(),
                               r[r_remote].trimmed().toInt(), r[r_current], r[r_voltage],
                               r[r_resistance], r[r_power]);
        thread_order::after_post();
        sys_sleep_ms(poll_pause_ms);
    }
    running = 0;
}
