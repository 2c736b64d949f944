// One VISA object: a resource manager, a find list, or an instrument
// session (LAN or USB). Calls hold `mutex` for one whole exchange; `closing`
// tells callers that queued up behind viClose to give up.
#ifndef WATTLEX_VISA_SESSION_T_H
#define WATTLEX_VISA_SESSION_T_H

#include "visa.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class usbtmc_link_t;
class vxi11_link_t;

class visa_session_t {
public:
    enum kind_t { RESOURCE_MANAGER, FIND_LIST, LAN, USB };

    static const ViUInt32 default_timeout_ms = 2000;

    explicit visa_session_t(kind_t k);
    ~visa_session_t();

    // Wakes a call of another thread that waits on the instrument (LAN).
    void abort_io();
    // Ends the link; the caller holds `mutex`.
    ViStatus close_link();

    const kind_t kind;
    std::mutex mutex;
    std::atomic<bool> closing{false};

    // Guarded by mutex
    ViUInt32 timeout_ms = default_timeout_ms;
    std::string resource;
    std::unique_ptr<vxi11_link_t> lan;
    std::unique_ptr<usbtmc_link_t> usb;
    std::vector<std::string> found; // find list: names not yet returned
    size_t next_found = 0;
};

#endif
