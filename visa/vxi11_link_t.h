// Client side of a VXI-11 session: portmapper look-up, core channel
// connection and the device_* calls. Not thread-safe by itself: the session
// that owns it serialises calls; only abort_io() may be called concurrently.
//
// Each calling thread gets a link of its own on the shared connection, so
// that a query written by one thread is never answered to another thread's
// read: the device keeps one pending reply per link.
#ifndef WATTLEX_VXI11_LINK_T_H
#define WATTLEX_VXI11_LINK_T_H

#include "visa.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <thread>

#include "rpc_stream_t.h"

class visa_resource_t;

class vxi11_link_t {
public:
    vxi11_link_t();
    ~vxi11_link_t();
    vxi11_link_t(const vxi11_link_t &) = delete;
    vxi11_link_t &operator=(const vxi11_link_t &) = delete;

    // Portmapper port: WATTLEX_PORTMAP_PORT when set and valid, else 111.
    static uint16_t portmap_port();

    ViStatus open(const visa_resource_t &res, ViUInt32 timeout_ms);
    // One message; END on the last fragment.
    ViStatus write(const ViByte *buf, size_t len, ViUInt32 timeout_ms, size_t *written);
    // Until END (VI_SUCCESS) or cnt bytes (VI_SUCCESS_MAX_CNT).
    ViStatus read(ViByte *buf, size_t cnt, ViUInt32 timeout_ms, size_t *got);
    ViStatus clear(ViUInt32 timeout_ms);
    // destroy_link (when the stream is usable), then closes the socket.
    ViStatus close(ViUInt32 timeout_ms);
    // Wakes a call blocked on the socket in another thread; it fails.
    void abort_io();

    uint32_t max_recv_size() const { return max_recv_; }
    // Links created so far (the first one and one per further thread).
    size_t link_count() const { return lids_.size(); }

private:
    // The calling thread's link, created on first use; falls back to the
    // first link when the device refuses more links.
    ViStatus caller_lid(ViUInt32 timeout_ms, int32_t *lid);
    ViStatus create_link(const std::string &device, ViUInt32 timeout_ms, int32_t *lid);
    ViStatus call(uint32_t proc, const std::string &args, std::string &results,
                  ViUInt32 io_timeout_ms);
    ViStatus transport_status(rpc_stream_t::result_t r, bool out_of_step);
    void close_socket();

    std::atomic<int> fd_{-1};
    rpc_record_buffer_t in_; // received beyond the last reply taken
    uint32_t xid_;
    int32_t lid_ = 0; // first link, made by open()
    std::string device_;
    std::map<std::thread::id, int32_t> lids_;
    uint32_t max_recv_ = 1024;
    bool broken_ = false; // stream out of step or closed: no further calls
};

#endif
