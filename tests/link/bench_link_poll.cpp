// Rate of the measurement poll through the command thread against the
// simulated load, beside the bound that the link's own pauses set.
//
// Needs the simulated load ($WATTLEX_SIM) and its portmapper: run it as root
// inside tests/harness/netns_run.sh, or set WATTLEX_PORTMAP_PORT to a free
// port for both the load and the program.
#include "cfg/Get_configure_value.h"
#include "cfg/cfg_thread_t.h"
#include "device/visa_session.h"
#include "harness/sim_process.h"

#include <QCoreApplication>
#include <QWidget>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>

namespace {

const QStringList poll_queries = {"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
                                  "SYST:REMOT:STAT?"};

bool connect_sim()
{
    Get_configure_value gc;
    bool ok = false;
    QObject::connect(&gc, &Get_configure_value::send_connect_success, [&ok] { ok = true; });
    gc.resource = sim_process::resource().toStdString();
    gc.request_code = Get_configure_value::code_connect;
    gc.start();
    gc.wait();
    QCoreApplication::processEvents();
    return ok;
}

// Polls for `ms` milliseconds; returns polls per second.
double measure(int pause_ms, int ms)
{
    cfg_if_scpi_t::set_write_pause_ms(pause_ms);
    cfg_thread_t thread;
    thread.set_resource(sim_process::resource().toStdString());
    int polls = 0;
    QObject::connect(&thread, &cfg_thread_t::send_result, &thread,
                     [&polls](int, QList<QString>, QList<QWidget *>, int) { ++polls; }, Qt::DirectConnection);
    thread.add_request(183, {}, poll_queries, {}, true, 0, false, {});
    QElapsedTimer t;
    t.start();
    thread.start();
    while (t.elapsed() < ms)
        QThread::msleep(10);
    thread.stop_and_wait();
    return polls * 1000.0 / static_cast<double>(t.elapsed());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (qEnvironmentVariableIsEmpty("WATTLEX_SIM"))
        qputenv("WATTLEX_SIM", WATTLEX_SIM_DEFAULT);
    sim_process sim;
    if (!sim.start()) {
        out << "cannot start the simulated load: " << sim.error_string() << "\n";
        return 1;
    }
    if (!connect_sim()) {
        out << "cannot connect to the simulated load\n";
        return 1;
    }
    const int pause = cfg_if_scpi_t::default_write_pause_ms;
    const double bound = 1000.0 / (poll_queries.size() * pause);
    const double paced = measure(pause, 3000);
    const double unpaced = measure(0, 2000);
    out << "measurement poll (" << poll_queries.size() << " queries) through cfg_thread_t, LAN link:\n";
    out << QString("  with %1 ms after each write: %2 polls/s (bound set by the pauses: %3 polls/s)\n")
               .arg(pause)
               .arg(paced, 0, 'f', 2)
               .arg(bound, 0, 'f', 2);
    out << QString("  without pauses:              %1 polls/s (%2 ms per exchange)\n")
               .arg(unpaced, 0, 'f', 1)
               .arg(unpaced > 0 ? 1000.0 / (unpaced * poll_queries.size()) : 0.0, 0, 'f', 3);
    close_visa_session();
    return 0;
}
