// The device scan of the window's device tree, off the window's thread: the
// VISA resources that identify as a load, and which of the manual LAN
// addresses answer. Identifying an unreachable address costs its connect
// time-out, so several of them would freeze the window for seconds.
#ifndef DEVICE_SCAN_T_H
#define DEVICE_SCAN_T_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QThread>

#include <atomic>
#include <mutex>

class device_scan_t : public QThread
{
    Q_OBJECT

public:
    explicit device_scan_t(QObject* parent = nullptr);
    // Stops the scan between two addresses and waits for it.
    ~device_scan_t() override;

    // Sets what the next run identifies (resource (UTF-8) -> answered).
    void set_lan_resources(const QMap<QByteArray, bool>& resources);
    // Results of the last run (read once finished() has been delivered).
    QList<QString> scanned() const;
    QMap<QByteArray, bool> lan_resources() const;

    // Ends the run before the next address.
    void stop();

protected:
    void run() override;

private:
    mutable std::mutex m_lock;
    QList<QString> m_scanned;
    QMap<QByteArray, bool> m_lan;
    std::atomic<bool> m_stop{false};
};

#endif
