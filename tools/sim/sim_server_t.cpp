#include "sim_server_t.h"

#include "rpc_message_t.h"
#include "rpc_stream_t.h"
#include "sim_config_t.h"
#include "sim_core_channel_t.h"
#include "sim_log_t.h"
#include "sim_portmapper_t.h"
#include "vxi11_codec_t.h"
#include "xdr_reader_t.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A core call carries at most one message fragment of any size up to 1 MiB
// (some clients ignore maxRecvSize); leave room for the headers.
const size_t max_call = 2u * 1024 * 1024;

int make_socket(const std::string &address, uint16_t port, int type, std::string *error,
                const char *what)
{
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *error = std::string(what) + ": socket: " + std::strerror(errno);
        return -1;
    }
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a;
    std::memset(&a, 0, sizeof a);
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    ::inet_pton(AF_INET, address.c_str(), &a.sin_addr);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 ||
        (type == SOCK_STREAM && ::listen(fd, 64) != 0)) {
        *error = std::string(what) + ": cannot listen on " + address + ":" + std::to_string(port) +
                 ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

uint16_t bound_port(int fd)
{
    sockaddr_in a;
    socklen_t len = sizeof a;
    if (::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) != 0)
        return 0;
    return ntohs(a.sin_port);
}

// Waits for fd or the stop pipe; true when fd is ready.
bool wait_or_stop(int fd, int stop_fd)
{
    for (;;) {
        pollfd p[2] = {{fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
        const int n = ::poll(p, 2, -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || (p[1].revents & (POLLIN | POLLHUP)))
            return false;
        if (p[0].revents)
            return true;
    }
}
} // namespace

sim_server_t::sim_server_t(const sim_config_t &cfg, sim_instrument &inst, sim_log_t &log)
    : cfg_(cfg), log_(log), core_(new sim_core_channel_t(cfg, inst, log))
{
}

sim_server_t::~sim_server_t()
{
    stop();
}

bool sim_server_t::start(std::string *error)
{
    if (::pipe2(stop_pipe_, O_CLOEXEC) != 0) {
        *error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    core_tcp_ = make_socket(cfg_.address, cfg_.core_port, SOCK_STREAM, error, "core channel");
    if (core_tcp_ >= 0)
        pm_tcp_ = make_socket(cfg_.address, cfg_.portmap_port, SOCK_STREAM, error, "portmapper (TCP)");
    if (pm_tcp_ >= 0)
        pm_udp_ = make_socket(cfg_.address, cfg_.portmap_port, SOCK_DGRAM, error, "portmapper (UDP)");
    if (pm_udp_ < 0) {
        for (int fd : {core_tcp_, pm_tcp_})
            if (fd >= 0)
                ::close(fd);
        core_tcp_ = pm_tcp_ = -1;
        return false;
    }
    core_port_ = bound_port(core_tcp_);
    portmap_.reset(new sim_portmapper_t(core_port_, bound_port(pm_tcp_), bound_port(pm_udp_)));
    started_ = true;
    pm_accept_ = std::thread(&sim_server_t::accept_loop, this, pm_tcp_, PORTMAP);
    core_accept_ = std::thread(&sim_server_t::accept_loop, this, core_tcp_, CORE);
    udp_thread_ = std::thread(&sim_server_t::udp_loop, this);
    return true;
}

void sim_server_t::stop()
{
    if (!started_)
        return;
    started_ = false;
    ::close(stop_pipe_[1]); // wakes the accept and UDP loops
    stop_pipe_[1] = -1;
    pm_accept_.join();
    core_accept_.join();
    udp_thread_.join();
    core_->stop();
    std::unique_lock<std::mutex> lock(conn_mutex_);
    stopping_ = true;
    for (auto &c : conns_)
        ::shutdown(c.second.fd, SHUT_RDWR);
    conn_cv_.wait(lock, [this] { return conns_.empty(); });
    lock.unlock();
    for (int *fd : {&pm_tcp_, &pm_udp_, &core_tcp_, &stop_pipe_[0]}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void sim_server_t::accept_loop(int listen_fd, channel_t ch)
{
    while (wait_or_stop(listen_fd, stop_pipe_[0])) {
        const int fd = ::accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        std::lock_guard<std::mutex> lock(conn_mutex_);
        if (stopping_) {
            ::close(fd);
            continue;
        }
        const uint64_t id = next_conn_++;
        conns_[id] = conn_t{fd, ch};
        // Detached: stop() waits for conns_ to empty instead of joining
        std::thread(&sim_server_t::serve, this, fd, ch, id).detach();
    }
}

void sim_server_t::udp_loop()
{
    std::string buf(65536, '\0');
    while (wait_or_stop(pm_udp_, stop_pipe_[0])) {
        sockaddr_in from;
        socklen_t flen = sizeof from;
        const ssize_t n = ::recvfrom(pm_udp_, &buf[0], buf.size(), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr *>(&from), &flen);
        if (n <= 0)
            continue;
        bool drop = false;
        const std::string reply = dispatch(buf.substr(0, static_cast<size_t>(n)), PORTMAP, 0, &drop);
        if (!reply.empty())
            ::sendto(pm_udp_, reply.data(), reply.size(), MSG_DONTWAIT,
                     reinterpret_cast<sockaddr *>(&from), flen);
    }
}

void sim_server_t::serve(int fd, channel_t ch, uint64_t id)
{
    std::string msg;
    rpc_record_buffer_t in;
    for (;;) {
        if (rpc_stream_t::recv_record(fd, in, msg, rpc_stream_t::no_deadline(), max_call) !=
            rpc_stream_t::OK)
            break;
        bool drop = false;
        const std::string reply = dispatch(msg, ch, id, &drop);
        if (drop) {
            drop_core_connections();
            break;
        }
        if (!reply.empty() &&
            rpc_stream_t::send_record(fd, reply, rpc_stream_t::no_deadline()) != rpc_stream_t::OK)
            break;
    }
    if (ch == CORE)
        core_->connection_closed(id);
    std::lock_guard<std::mutex> lock(conn_mutex_);
    conns_.erase(id);
    ::close(fd);
    conn_cv_.notify_all();
}

std::string sim_server_t::dispatch(const std::string &msg, channel_t ch, uint64_t conn, bool *drop)
{
    *drop = false;
    xdr_reader_t r(msg);
    rpc_message_t::call_t call;
    if (!rpc_message_t::parse_call(r, call))
        return std::string(); // not a call: nothing sensible to answer
    if (call.rpcvers != 2)
        return rpc_message_t::build_rpc_mismatch(call.xid);
    if (ch == PORTMAP && call.prog == vxi11_codec_t::portmap_prog)
        return portmap_->handle(call, r.position(), r.remaining());
    if (ch == CORE && call.prog == vxi11_codec_t::core_prog)
        return core_->handle(conn, call, r.position(), r.remaining(), drop);
    return rpc_message_t::build_accept_error(call.xid, rpc_message_t::PROG_UNAVAIL);
}

void sim_server_t::drop_core_connections()
{
    std::lock_guard<std::mutex> lock(conn_mutex_);
    for (auto &c : conns_)
        if (c.second.ch == CORE)
            ::shutdown(c.second.fd, SHUT_RDWR);
}
