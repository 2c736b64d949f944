#include "Get_configure_value.h"
#include "thread_order.h"

#include "device/sys_timing.h"
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

Get_configure_value::Get_configure_value(QObject *parent)
    : QThread(parent), open_session(VISA_NO_SESSION)
{
    qRegisterMetaType<QList<QString>>("QList<QString>");
    qRegisterMetaType<QList<double>>("QList<double>");
    qRegisterMetaType<QList<QList<double>>>("QList<QList<double>>");
}

Get_configure_value::~Get_configure_value()
{
    stop();
    thread_order::wait(this);
}

void Get_configure_value::stop()
{
    running = 0;
}

void Get_configure_value::abort()
{
    stop();
    // viClose wakes a read or write blocked on the session and waits only
    // for it to leave; the thread then finds its session gone and ends.
    const ViSession s = open_session.exchange(VISA_NO_SESSION);
    if (s != VISA_NO_SESSION)
        viClose(s);
}

void Get_configure_value::run()
{
    thread_order::end_of_run end(this);
    running = 1;
    if (request_code != code_connect) {
        running = 0;
        return;
    }
    const int mine = attempt;
    outcome result = connect_and_identify();
    // A failure after a stop is the stop's doing (an aborted exchange), not
    // the load's: nobody waits for it.
    if (result != outcome::success && !running)
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
        std::lock_guard<std::mutex> open_lock(visa_open_mutex());
        if (scpi.device.open_session(resource, timeout, &s) < VI_SUCCESS
            && scpi.device.open_session(resource, timeout, &s) < VI_SUCCESS)
            return outcome::no_exist;
        g_visa_session = s;
        set_visa_session_resource(resource);
    }
    // Published before running is read: an abort() either sees the session
    // or this thread sees the stop.
    open_session = s;

    auto give_up = [this](outcome o) {
        open_session = VISA_NO_SESSION;
        close_visa_session();
        return o;
    };
    if (!running)
        return give_up(outcome::stopped);

    std::string idn;
    if (!scpi.scpi_write(s, identify_command) || !read_identity(s, &idn)
        || idn.find(family_word) == std::string::npos)
        return give_up(outcome::fail);
    thread_order::before_post();
    emit send_connect_exist();

    for (const char *cmd : prepare_commands) {
        if (!running)
            return give_up(outcome::stopped);
        if (!scpi.scpi_write(s, cmd))
            return give_up(outcome::fail);
    }
    if (!running)
        return give_up(outcome::stopped);
    const std::string machine = scpi.scpi_query(&g_visa_session, machine_query);
    if (machine.find(machine_word) == std::string::npos)
        return give_up(outcome::fail);
    // From here on an abort no longer closes the session: a load that took
    // the remote state must be handed back on it, here or by whoever takes
    // the result.
    if (open_session.exchange(VISA_NO_SESSION) == VISA_NO_SESSION)
        return give_up(outcome::stopped); // already closed by an abort
    if (!scpi.scpi_write(s, remote_on_command))
        return give_up(outcome::fail);
    if (!running) {
        scpi.scpi_write(s, remote_off_command);
        return give_up(outcome::stopped);
    }
    return outcome::success;
}
