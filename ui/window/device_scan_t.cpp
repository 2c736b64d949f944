#include "device_scan_t.h"

#include "cfg/thread_order.h"
#include "cfg_if_scpi_t.h"
#include "device/drv_device_t.h"
#include "device/visa_session.h"

#include <map>
#include <string>
#include <vector>

device_scan_t::device_scan_t(QObject* parent)
    : QThread(parent)
{
}

device_scan_t::~device_scan_t()
{
    stop();
    thread_order::wait(this);
}

void device_scan_t::set_lan_resources(const QMap<QByteArray, bool>& resources)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_lan = resources;
}

QList<QString> device_scan_t::scanned() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_scanned;
}

QMap<QByteArray, bool> device_scan_t::lan_resources() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_lan;
}

void device_scan_t::stop()
{
    m_stop = true;
}

void device_scan_t::run()
{
    thread_order::end_of_run end(this);
    m_stop = false;
    QMap<QByteArray, bool> lan;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        lan = m_lan;
    }

    // Its own SCPI object and device facade: the scan opens its own sessions
    // and leaves the connected load's session alone.
    cfg_if_scpi_t scpi;
    ViSession unused = VISA_NO_SESSION;
    const QList<QString> scanned = scpi.get_device_list(&unused);

    drv_device_t device;
    for (auto it = lan.begin(); it != lan.end() && !m_stop; ++it) {
        // One address at a time, so that a stop is seen between two of them.
        if (device.identify_unless_in_use(it.key().toStdString()))
            it.value() = true;
    }

    std::lock_guard<std::mutex> lock(m_lock);
    m_scanned = scanned;
    m_lan = lan;
}
