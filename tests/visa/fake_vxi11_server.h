// A misbehaving VXI-11 load for client tests, in this process on 127.0.0.1:
// one port serves both the portmapper look-up and the core channel, one
// connection at a time. What the simulated load never does lives here:
// taking only part of a device_write, and answering a device_read with a
// stream of stale replies (another call's transaction id).
#ifndef WATTLEX_FAKE_VXI11_SERVER_H
#define WATTLEX_FAKE_VXI11_SERVER_H

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class fake_vxi11_server {
public:
    struct behaviour_t {
        uint32_t write_accept = 0xFFFFFFFFu; // most bytes device_write takes per call
        int stale_ms = 0;                    // device_read: stale replies for this long, then a timeout error
        std::string reply = "ok\n";          // answer of device_read otherwise
    };

    explicit fake_vxi11_server(const behaviour_t &b);
    ~fake_vxi11_server();

    uint16_t port() const { return port_; }
    // Messages completed by END, in order.
    std::vector<std::string> messages();
    // device_write calls seen.
    int write_calls() const { return write_calls_.load(); }

private:
    void run();
    void serve(int fd);
    std::string answer(uint32_t proc, const char *args, size_t len, int fd, uint32_t xid);

    behaviour_t b_;
    int listen_fd_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> write_calls_{0};
    std::thread thread_;
    std::mutex mutex_;
    std::string input_;
    std::vector<std::string> messages_;
};

#endif
