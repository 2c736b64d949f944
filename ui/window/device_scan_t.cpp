#include "device_scan_t.h"

#include "cfg/thread_order.h"
#include "cfg_if_scpi_t.h"
#include "device/drv_device_t.h"
#include "device/visa_session.h"
#include "visa/visa_abort_t.h"

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

void device_scan_t::start_scan(const QMap<QByteArray, bool>& resources)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_lan = resources;
        m_stop = false;
    }
    start();
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
    std::lock_guard<std::mutex> lock(m_lock);
    m_stop = true;
    if (m_cut)
        m_cut->abort();
}

void device_scan_t::run()
{
    thread_order::end_of_run end(this);
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
    for (auto it = lan.begin(); it != lan.end(); ++it) {
        // Cut short by stop(), or by a connection that opens meanwhile.
        visa_abort_t cut;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_stop)
                break;
            m_cut = &cut;
        }
        const bool accepted = device.identify_unless_in_use(it.key().toStdString(), &cut);
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_cut = nullptr;
        }
        if (accepted || !cut.aborted())
            it.value() = accepted;
    }

    std::lock_guard<std::mutex> lock(m_lock);
    m_scanned = scanned;
    m_lan = lan;
}
