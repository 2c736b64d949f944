// Sockets and threads of the simulated load: the portmapper on TCP and UDP,
// the core channel on TCP, one thread per TCP connection.
#ifndef WATTLEX_SIM_SERVER_T_H
#define WATTLEX_SIM_SERVER_T_H

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class sim_config_t;
class sim_core_channel_t;
class sim_instrument;
class sim_log_t;
class sim_portmapper_t;

class sim_server_t {
public:
    sim_server_t(const sim_config_t &cfg, sim_instrument &inst, sim_log_t &log);
    ~sim_server_t();
    sim_server_t(const sim_server_t &) = delete;
    sim_server_t &operator=(const sim_server_t &) = delete;

    // Binds and listens, then serves in background threads.
    bool start(std::string *error);
    uint16_t core_port() const { return core_port_; }
    // Closes every socket and waits for all threads.
    void stop();

private:
    enum channel_t { PORTMAP, CORE };

    void accept_loop(int listen_fd, channel_t ch);
    void udp_loop();
    void serve(int fd, channel_t ch, uint64_t id);
    std::string dispatch(const std::string &msg, channel_t ch, uint64_t conn, bool *drop);
    void drop_core_connections();

    const sim_config_t &cfg_;
    sim_log_t &log_;
    std::unique_ptr<sim_core_channel_t> core_;
    std::unique_ptr<sim_portmapper_t> portmap_;

    int pm_tcp_ = -1, pm_udp_ = -1, core_tcp_ = -1;
    int stop_pipe_[2] = {-1, -1};
    uint16_t core_port_ = 0;
    std::thread pm_accept_, core_accept_, udp_thread_;

    std::mutex conn_mutex_;
    std::condition_variable conn_cv_;
    struct conn_t {
        int fd;
        channel_t ch;
    };
    std::map<uint64_t, conn_t> conns_;
    uint64_t next_conn_ = 1;
    bool stopping_ = false;
    bool started_ = false;
};

#endif
