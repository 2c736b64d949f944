#include "Get_configure_value.h"
#include "thread_order.h"

#include "device/sys_timing.h"
#include "device/visa_open_lock_t.h"
#include "device/visa_session.h"

#include <QList>
#include <QMetaType>
#include <QString>

namespace {
const char identify_command[] = "*IDN?\n";
const std::size_t identify_chunk = 100;
const int identify_reads = 4;
const unsigned long identify_read_pause_ms = 40;
const char family_word[] = "WLX";
const char machine_query[] = "MACHINETYPE?";
const char machine_word[] = "Tervane Device";
// Written once the load is known, in this order.
const char *const prepare_commands[] = {"TRIG:SOUR BUS", "INP 0"};
const char remote_on_command[] = "SYST:REMOT:STAT 1";
const char remote_off_command[] = "SYST:REMOT:STAT 0";
} // namespace

std::atomic<int> Get_configure_value::start_delay_ms{0};

Get_configure_value::Get_configure_value(QObject *parent)
    : QThread(parent)
{
    qRegisterMetaType<QList<QString>>("QList<QString>");
    qRegisterMetaType<QList<double>>("QList<double>");
    qRegisterMetaType<QList<QList<double>>>("QList<QList<double>>");
}

Get_configure_value::~Get_configure_value()
{
    abort();
    thread_order::wait(this);
}

void Get_configure_value::stop()
{
    running = 0;
}

void Get_configure_value::abort()
{
    // The flag first: a call the token no longer cuts is then seen by the
    // thread's next check.
    aborted = true;
    stop();
    cut.abort();
}

void Get_configure_value::clear_abort()
{
    aborted = false;
    cut.reset();
}

void Get_configure_value::run()
{
    thread_order::end_of_run end(this);
    sys_sleep_ms(static_cast<unsigned long>(start_delay_ms.load()));
    running = 1;
    if (request_code != code_connect) {
        running = 0;
        return;
    }
    const int mine = attempt;
    outcome result = connect_and_identify();
    // A failure after a stop is the stop's doing (an aborted exchange), not
    // the load's: nobody waits for it.
    if (result != outcome::success && stopping())
        result = outcome::stopped;
    thread_order::before_post();
    switch (result) {
    case outcome::no_exist:
        emit send_connect_no_exist(mine);
        break;
    case outcome::fail:
        emit send_connect_fail(mine);
        break;
    case outcome::success:
        emit send_connect_success(mine);
        break;
    case outcome::stopped:
        break;
    }
    request_code = 0;
    running = 0;
}

bool Get_configure_value::read_identity(ViSession s, std::string *reply)
{
    for (int i = 0; i < identify_reads; ++i) {
        const ViStatus st = drv_device_comm_t::read_message(s, identify_chunk, reply);
        if (st == VI_SUCCESS)
            return true;
        if (drv_device_comm_t::is_link_error(st))
            return false;
        if (st != VI_SUCCESS_MAX_CNT) // nothing yet: give the load a moment
            sys_sleep_ms(identify_read_pause_ms);
    }
    return !reply->empty();
}

Get_configure_value::outcome Get_configure_value::connect_and_identify()
{
    // Its calls answer to abort(): a load that does not answer holds up
    // neither the window nor the next connection.
    visa_abort_t::scope calls(&cut);
    if (stopping())
        return outcome::stopped; // before it began
    // No other exchange may run on the shared session while it changes hands.
    std::lock_guard<std::recursive_mutex> lock(visa_link_mutex());
    close_visa_session();
    scpi.set_resource(resource);

    unsigned timeout = 0;
    if (resource.find("USB") != std::string::npos)
        timeout = usb_timeout_ms;
    else if (resource.find("TCP") != std::string::npos)
        timeout = tcp_timeout_ms;

    ViSession s = VISA_NO_SESSION;
    {
        // Not while the device scan has this resource open.
        visa_open_lock_t open_lock;
        ViStatus st = scpi.device.open_session(resource, timeout, &s);
        // Tried once more after a passing failure (a refused connection, a
        // busy device); not after a time-out, which a second try would only
        // double, nor after a stop.
        if (st < VI_SUCCESS && st != VI_ERROR_TMO && !stopping())
            st = scpi.device.open_session(resource, timeout, &s);
        if (st < VI_SUCCESS)
            return stopping() ? outcome::stopped : outcome::no_exist;
        g_visa_session = s;
        set_visa_session_resource(resource);
    }

    // Closed on this thread: after an abort without destroy_link, which a
    // load that stopped answering would hold up.
    auto give_up = [](outcome o) {
        close_visa_session();
        return o;
    };
    if (stopping())
        return give_up(outcome::stopped);

    std::string idn;
    if (!scpi.scpi_write(s, identify_command) || !read_identity(s, &idn)
        || idn.find(family_word) == std::string::npos)
        return give_up(outcome::fail);
    thread_order::before_post();
    emit send_connect_exist();

    for (const char *cmd : prepare_commands) {
        if (stopping())
            return give_up(outcome::stopped);
        if (!scpi.scpi_write(s, cmd))
            return give_up(outcome::fail);
    }
    if (stopping())
        return give_up(outcome::stopped);
    const std::string machine = scpi.scpi_query(&g_visa_session, machine_query);
    if (machine.find(machine_word) == std::string::npos)
        return give_up(outcome::fail);
    // From here on an abort no longer cuts the exchanges short: a load that
    // took the remote state must be handed back on its session, here or by
    // whoever takes the result.
    if (!cut.release())
        return give_up(outcome::stopped);
    if (!scpi.scpi_write(s, remote_on_command))
        return give_up(outcome::fail);
    if (stopping()) {
        scpi.scpi_write(s, remote_off_command);
        return give_up(outcome::stopped);
    }
    return outcome::success;
}
