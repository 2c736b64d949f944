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

#include <mutex>

class visa_abort_t;

class device_scan_t : public QThread
{
    Q_OBJECT

public:
    explicit device_scan_t(QObject* parent = nullptr);
    // Stops the scan and waits for it.
    ~device_scan_t() override;

    // Starts a run that identifies `resources` (resource (UTF-8) -> what
    // the last scan found). Not while a run is in progress.
    void start_scan(const QMap<QByteArray, bool>& resources);
    // Results of the last run (read once finished() has been delivered). An
    // address whose identification was cut short keeps what it had.
    QList<QString> scanned() const;
    QMap<QByteArray, bool> lan_resources() const;

    // Ends the run: the identification in progress is cut short, no other
    // one starts. Also before the run has begun.
    void stop();

protected:
    void run() override;

private:
    mutable std::mutex m_lock;
    QList<QString> m_scanned;
    QMap<QByteArray, bool> m_lan;
    bool m_stop = false;
    // The identification in progress, which stop() cuts short.
    visa_abort_t* m_cut = nullptr;
};

#endif
