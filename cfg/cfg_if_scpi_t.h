// The SCPI object: text commands and queries, binary blocks and the device
// scan over VISA, with the read rules of the link kind (USB or LAN).
#ifndef WATTLEX_CFG_IF_SCPI_T_H
#define WATTLEX_CFG_IF_SCPI_T_H

#include "device/drv_device_t.h"
#include "visa/visa.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <string>

class cfg_if_scpi_t : public QObject
{
    Q_OBJECT
public:
    enum { LINK_USB = 0, LINK_TCP = 1 };

    // Pause after every write, in milliseconds.
    static const int default_write_pause_ms = 25;
    // Largest binary block read back (the longest export is 1927 bytes).
    static const int binary_read_max = 2000;

    explicit cfg_if_scpi_t(QObject *parent = nullptr);
    ~cfg_if_scpi_t() override;

    std::string resource;      // VISA resource text
    int link_kind = LINK_USB;  // selects the read rules
    drv_device_t device;       // facade for scans

    // Takes a resource text: one containing "USB" selects the USB read
    // rules, one containing "TCP" the LAN rules; any other text leaves the
    // link kind as it was.
    void set_resource(const std::string &text);

    // Writes the command, then pauses. 1 on success, 0 on failure.
    int scpi_write(ViSession session, const std::string &command);

    // Writes write_text first when it is not empty, then the query, and
    // returns the reply with its line end. Returns "" when the session is
    // closed or the load does not answer; the session is then closed and set
    // to VISA_NO_SESSION. A length of 0 (or beyond the text) sends the whole
    // text, a shorter one only its first bytes.
    std::string scpi_query(ViSession *session, const std::string &query, int query_len = 0,
                           const std::string &write_text = std::string(), int write_len = 0);
    std::string scpi_query(std::atomic<ViSession> *session, const std::string &query, int query_len = 0,
                           const std::string &write_text = std::string(), int write_len = 0);

    // Scans every VISA resource and returns, in scan order, those that
    // identify as an accepted load. The scan opens its own sessions and
    // leaves the given one alone.
    QList<QString> get_device_list(ViSession *session);
    QList<QString> get_device_list(std::atomic<ViSession> *session);

    // --- exchanges of the worker threads on a shared session ---

    // Writes one command; on failure the session is closed and false returned.
    bool write_or_close(std::atomic<ViSession> *session, const std::string &command);

    // Serves a write list and its parallel query list: an empty query entry
    // only writes its command; otherwise the command (when not empty) is
    // written and the query's reply appended to *replies. Returns false when
    // a write fails or a query gets no reply (the session is then closed).
    bool exchange_lists(std::atomic<ViSession> *session, const QList<QString> &write,
                        const QList<QString> &query, QList<QString> *replies);

    // Writes a raw block unchanged (when not empty) and reads one block of at
    // most binary_read_max bytes, up to its message end. A block that does not
    // come is not a lost link: whatever arrived is returned. *link_ok turns
    // false only when the link itself failed (the session is then closed).
    QByteArray exchange_binary(std::atomic<ViSession> *session, const QByteArray &raw, bool *link_ok);

    // Pause after each write (all objects); tests may shorten it.
    static void set_write_pause_ms(int ms);
    static int write_pause_ms();

private:
    bool write_locked(ViSession s, const std::string &text);
    bool read_reply_locked(ViSession s, const std::string &query, std::string *reply);
    bool query_locked(ViSession s, const std::string &query, const std::string &write_text,
                      std::string *reply);
    QList<QString> scan_devices();
};

#endif
