#include "cfg_if_scpi_t.h"

#include "device/sys_timing.h"
#include "device/visa_session.h"

#include <QDebug>

#include <mutex>
#include <set>
#include <vector>

namespace {

// How a query's reply is awaited on each kind of link.
struct read_rule {
    int reads;               // reads of the reply before giving up
    unsigned long pause_ms;  // pause after an empty read
    bool resend_each;        // re-send the query after each empty read
    unsigned long last_try_pause_ms; // >0: re-send once more, wait, read once
};

// USB-TMC answers slowly after some commands: poll a few times, then ask again.
const read_rule usb_rule = {6, 30, false, 300};
// A VXI-11 read waits for the reply itself; an empty one means it was lost.
const read_rule tcp_rule = {4, 0, true, 0};

const std::size_t text_reply_max = 64 * 1024;

std::atomic<int> g_write_pause_ms{cfg_if_scpi_t::default_write_pause_ms};

std::string clip(const std::string &text, int len)
{
    if (len > 0 && static_cast<std::size_t>(len) < text.size())
        return text.substr(0, static_cast<std::size_t>(len));
    return text;
}

} // namespace

cfg_if_scpi_t::cfg_if_scpi_t(QObject *parent) : QObject(parent) {}

cfg_if_scpi_t::~cfg_if_scpi_t() = default;

void cfg_if_scpi_t::set_write_pause_ms(int ms)
{
    g_write_pause_ms = ms < 0 ? 0 : ms;
}

int cfg_if_scpi_t::write_pause_ms()
{
    return g_write_pause_ms;
}

void cfg_if_scpi_t::set_resource(const std::string &text)
{
    resource = text;
    if (text.find("USB") != std::string::npos)
        link_kind = LINK_USB;
    else if (text.find("TCP") != std::string::npos)
        link_kind = LINK_TCP;
}

bool cfg_if_scpi_t::write_locked(ViSession s, const std::string &text)
{
    if (s == VISA_NO_SESSION)
        return false;
    const ViStatus st = drv_device_comm_t::write_text(s, text);
    sys_sleep_ms(static_cast<unsigned long>(write_pause_ms()));
    return st >= VI_SUCCESS;
}

bool cfg_if_scpi_t::read_reply_locked(ViSession s, const std::string &query, std::string *reply)
{
    const read_rule &rule = link_kind == LINK_TCP ? tcp_rule : usb_rule;
    auto read_once = [&](bool *lost) {
        std::string r;
        const ViStatus st = drv_device_comm_t::read_message(s, text_reply_max, &r);
        *lost = drv_device_comm_t::is_link_error(st);
        if (st >= VI_SUCCESS && !r.empty()) {
            *reply = r;
            return true;
        }
        return false; // nothing, or only part of a reply before a time-out
    };
    bool lost = false;
    for (int i = 0; i < rule.reads; ++i) {
        if (read_once(&lost))
            return true;
        if (lost)
            return false;
        if (i + 1 < rule.reads) {
            if (rule.resend_each && !write_locked(s, query))
                return false;
            sys_sleep_ms(rule.pause_ms);
        }
    }
    if (rule.last_try_pause_ms > 0) {
        if (!write_locked(s, query))
            return false;
        sys_sleep_ms(rule.last_try_pause_ms);
        return read_once(&lost);
    }
    return false;
}

bool cfg_if_scpi_t::query_locked(ViSession s, const std::string &query, const std::string &write_text,
                                 std::string *reply)
{
    if (s == VISA_NO_SESSION)
        return false;
    if (!write_text.empty() && !write_locked(s, write_text))
        return false;
    if (!write_locked(s, query))
        return false;
    return read_reply_locked(s, query, reply);
}

int cfg_if_scpi_t::scpi_write(ViSession session, const std::string &command)
{
    std::lock_guard<std::recursive_mutex> lock(visa_link_mutex());
    return write_locked(session, command) ? 1 : 0;
}

std::string cfg_if_scpi_t::scpi_query(ViSession *session, const std::string &query, int query_len,
                                      const std::string &write_text, int write_len)
{
    std::lock_guard<std::recursive_mutex> lock(visa_link_mutex());
    const ViSession s = *session;
    std::string reply;
    if (query_locked(s, clip(query, query_len), clip(write_text, write_len), &reply))
        return reply;
    if (s != VISA_NO_SESSION) {
        viClose(s);
        *session = VISA_NO_SESSION;
    }
    return std::string();
}

std::string cfg_if_scpi_t::scpi_query(std::atomic<ViSession> *session, const std::string &query,
                                      int query_len, const std::string &write_text, int write_len)
{
    std::lock_guard<std::recursive_mutex> lock(visa_link_mutex());
    ViSession s = session->load();
    std::string reply;
    if (query_locked(s, clip(query, query_len), clip(write_text, write_len), &reply))
        return reply;
    if (s != VISA_NO_SESSION && session->compare_exchange_strong(s, VISA_NO_SESSION))
        viClose(s);
    return std::string();
}

bool cfg_if_scpi_t::write_or_close(std::atomic<ViSession> *session, const std::string &command)
{
    std::lock_guard<std::recursive_mutex> lock(visa_link_mutex());
    ViSession s = session->load();
    if (write_locked(s, command))
        return true;
    if (s != VISA_NO_SESSION && session->compare_exchange_strong(s, VISA_NO_SESSION))
        viClose(s);
    return false;
}

bool cfg_if_scpi_t::exchange_lists(std::atomic<ViSession> *session, const QList<QString> &write,
                                   const QList<QString> &query, QList<QString> *replies)
{
    // A write without a query entry is still sent: nothing posted is dropped.
    const int n = qMax(write.size(), query.size());
    for (int i = 0; i < n; ++i) {
        const QString w = i < write.size() ? write.at(i) : QString();
        const QString q = i < query.size() ? query.at(i) : QString();
        if (q.isEmpty()) {
            if (!w.isEmpty() && !write_or_close(session, w.toStdString()))
                return false;
            continue;
        }
        const std::string reply = scpi_query(session, q.toStdString(), 0, w.toStdString(), 0);
        if (reply.empty())
            return false;
        replies->append(QString::fromStdString(reply));
    }
    return true;
}

QByteArray cfg_if_scpi_t::exchange_binary(std::atomic<ViSession> *session, const QByteArray &raw,
                                          bool *link_ok)
{
    std::lock_guard<std::recursive_mutex> lock(visa_link_mutex());
    ViSession s = session->load();
    *link_ok = true;
    std::string block;
    ViStatus st = VI_ERROR_INV_OBJECT;
    if (s != VISA_NO_SESSION) {
        st = VI_SUCCESS;
        if (!raw.isEmpty()) {
            st = drv_device_comm_t::write_all(s, raw.constData(), static_cast<std::size_t>(raw.size()));
            sys_sleep_ms(static_cast<unsigned long>(write_pause_ms()));
        }
        if (st >= VI_SUCCESS)
            st = drv_device_comm_t::read_message(s, binary_read_max, &block);
    }
    if (st < VI_SUCCESS && drv_device_comm_t::is_link_error(st)) {
        *link_ok = false;
        if (s != VISA_NO_SESSION && session->compare_exchange_strong(s, VISA_NO_SESSION))
            viClose(s);
    }
    return QByteArray(block.data(), static_cast<int>(block.size()));
}

QList<QString> cfg_if_scpi_t::scan_devices()
{
    std::vector<std::string> names;
    QList<QString> accepted;
    if (device.find_resources(names) != drv_device_t::FIND_DONE)
        return accepted;
    // One at a time, each beside the connected load's own session.
    std::set<std::string> seen;
    for (const std::string &n : names) {
        if (seen.insert(n).second && device.identify_unless_in_use(n))
            accepted.append(QString::fromStdString(n)); // each resource once
    }
    return accepted;
}

QList<QString> cfg_if_scpi_t::get_device_list(ViSession *session)
{
    Q_UNUSED(session)
    return scan_devices();
}

QList<QString> cfg_if_scpi_t::get_device_list(std::atomic<ViSession> *session)
{
    Q_UNUSED(session)
    return scan_devices();
}
