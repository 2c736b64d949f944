// The connect-and-identify thread: opens a resource on the shared session
// and checks that a load of ours answers there.
#ifndef WATTLEX_GET_CONFIGURE_VALUE_H
#define WATTLEX_GET_CONFIGURE_VALUE_H

#include "cfg_if_scpi_t.h"

#include "visa/visa_abort_t.h"

#include <QThread>

#include <atomic>
#include <cstdint>
#include <string>

class Get_configure_value : public QThread
{
    Q_OBJECT
public:
    // The only request code that does anything: open and identify.
    static const int code_connect = 19;

    // I/O time-out of the opened session by link kind.
    static const unsigned usb_timeout_ms = 200;
    static const unsigned tcp_timeout_ms = 5000;

    explicit Get_configure_value(QObject *parent = nullptr);
    ~Get_configure_value() override;

    // Written by the caller before each start (UTF-8 resource text).
    std::string resource;
    // 19 = connect and identify; run() sets it back to 0 when it ends a
    // connect. Other codes end run() at once and stay as they are.
    std::atomic<int> request_code{0};
    // Set by run(), cleared by stop(); run() gives up between steps once
    // it is cleared.
    std::atomic<std::uint8_t> running{0};
    // Program step the older window's trigger reply keeps here.
    std::atomic<int> step{0};
    // Number of the identification, written by the caller before each start
    // and handed back with its result, so that the result of one the caller
    // has since replaced or dropped is known as such.
    std::atomic<int> attempt{0};

    // Tests only: run() begins this much later, as a thread started late on
    // a busy machine does.
    static std::atomic<int> start_delay_ms;

    // Before each start that abort() may cut short: an earlier abort() is
    // forgotten. Not while the thread runs.
    void clear_abort();

public slots:
    void stop();
    // Stops the identification for good, also one started but not yet
    // running, and cuts short the open or exchange it waits in (a host that
    // takes TCP but never answers, a load that answers nothing): it then
    // closes its session itself, without a word to the load. Returns at
    // once and never talks to the load; a result already posted is not
    // taken back. Safe from any thread.
    void abort();

signals:
    void send_connect_no_exist(int attempt);
    void send_connect_fail(int attempt);
    void send_connect_exist();
    void send_connect_success(int attempt);

protected:
    void run() override;

private:
    enum class outcome { no_exist, fail, success, stopped };
    outcome connect_and_identify();
    bool read_identity(ViSession s, std::string *reply);
    bool stopping() const { return !running || aborted; }

    cfg_if_scpi_t scpi;
    // Set by abort(), cleared only by clear_abort().
    std::atomic<bool> aborted{false};
    // The identification's VISA calls answer to it until the load has been
    // told it is remote-controlled.
    visa_abort_t cut;
};

#endif
