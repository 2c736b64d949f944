// The VISA side of a device facade: a resource manager session, the state of
// the last resource search, and the raw open/write/read primitives every
// exchange of the instrument link is built from.
#ifndef WATTLEX_DRV_DEVICE_COMM_T_H
#define WATTLEX_DRV_DEVICE_COMM_T_H

#include "visa/visa.h"

#include <cstddef>
#include <mutex>
#include <string>

class drv_device_comm_t
{
public:
    // Opens a VISA default resource manager for this facade.
    drv_device_comm_t();
    // Makes no VISA call: the resource manager lives as long as the process.
    virtual ~drv_device_comm_t();

    drv_device_comm_t(const drv_device_comm_t &) = delete;
    drv_device_comm_t &operator=(const drv_device_comm_t &) = delete;

    ViSession resource_manager() const { return default_rm; }
    ViStatus last_status() const { return status; }

    // Opens a resource through this facade's resource manager and sets its
    // I/O timeout when timeout_ms is not 0.
    ViStatus open_session(const std::string &name, ViUInt32 timeout_ms, ViSession *vi);

    // Writes all bytes as one message.
    static ViStatus write_all(ViSession vi, const void *data, std::size_t size);
    static ViStatus write_text(ViSession vi, const std::string &text)
    {
        return write_all(vi, text.data(), text.size());
    }
    // Reads one message of at most max_bytes and appends what arrived to
    // *out, also on failure. Stops at the message end (VI_SUCCESS), at
    // max_bytes (VI_SUCCESS_MAX_CNT) or at an error (timeout, lost link).
    // Never stops at a line feed, so binary blocks arrive whole.
    static ViStatus read_message(ViSession vi, std::size_t max_bytes, std::string *out);

    static bool is_link_error(ViStatus st);

protected:
    struct share_tag {};
    // For facades that take over another facade's resource manager.
    explicit drv_device_comm_t(share_tag);
    void copy_state_from(const drv_device_comm_t &other);

    // Guards the fields below; a facade may be used from more than one thread.
    mutable std::mutex state_mutex;
    ViSession default_rm = VI_NULL;
    ViStatus status = VI_SUCCESS;
    ViUInt32 find_count = 0;
    ViFindList find_list = VI_NULL;
    ViChar find_desc[VI_FIND_BUFLEN] = {};
};

#endif
