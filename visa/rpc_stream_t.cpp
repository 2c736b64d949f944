#include "rpc_stream_t.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {
using clock_t_ = rpc_stream_t::clock;

// Milliseconds for poll(); -1 without deadline, chunks of at most 1 s so an
// interrupted wait re-checks the clock.
int poll_ms(clock_t_::time_point deadline)
{
    if (deadline == clock_t_::time_point::max())
        return -1;
    const auto now = clock_t_::now();
    if (now >= deadline)
        return 0;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
    return ms > 1000 ? 1000 : static_cast<int>(ms);
}

rpc_stream_t::result_t wait_for(int fd, short events, clock_t_::time_point deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int t = poll_ms(deadline);
        const int n = ::poll(&p, 1, t);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return rpc_stream_t::IO_ERROR;
        }
        if (n > 0) {
            if (p.revents & POLLNVAL)
                return rpc_stream_t::IO_ERROR;
            return rpc_stream_t::OK; // readable/writable, or HUP/ERR for the call to report
        }
        if (t == 0 || (deadline != clock_t_::time_point::max() && clock_t_::now() >= deadline))
            return rpc_stream_t::TIMEOUT;
    }
}

rpc_stream_t::result_t errno_result(int e)
{
    switch (e) {
    case ECONNRESET:
    case EPIPE:
    case ENOTCONN:
    case ESHUTDOWN:
        return rpc_stream_t::CLOSED;
    default:
        return rpc_stream_t::IO_ERROR;
    }
}
} // namespace

clock_t_::time_point rpc_stream_t::deadline_in(unsigned long ms)
{
    return clock::now() + std::chrono::milliseconds(ms);
}

rpc_stream_t::result_t rpc_stream_t::connect_tcp(const sockaddr_in &addr, int timeout_ms, int *fd_out)
{
    *fd_out = -1;
    const int fd = tcp_socket();
    if (fd < 0)
        return IO_ERROR;
    const result_t res = connect_socket(fd, addr, timeout_ms);
    if (res != OK) {
        ::close(fd);
        return res;
    }
    *fd_out = fd;
    return OK;
}

int rpc_stream_t::tcp_socket()
{
    return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

rpc_stream_t::result_t rpc_stream_t::connect_socket(int fd, const sockaddr_in &addr, int timeout_ms)
{
    result_t res = OK;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) != 0) {
        if (errno != EINPROGRESS) {
            res = (errno == ECONNREFUSED || errno == ENETUNREACH || errno == EHOSTUNREACH) ? REFUSED
                                                                                          : IO_ERROR;
        } else {
            res = wait_for(fd, POLLOUT, deadline_in(timeout_ms < 0 ? 0 : timeout_ms));
            if (res == OK) {
                int err = 0;
                socklen_t len = sizeof err;
                if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
                    err = errno;
                if (err != 0)
                    res = (err == ECONNREFUSED || err == ENETUNREACH || err == EHOSTUNREACH) ? REFUSED
                                                                                            : IO_ERROR;
            }
        }
    }
    if (res != OK)
        return res;
    const int flags = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return OK;
}

rpc_stream_t::result_t rpc_stream_t::send_all(int fd, const char *data, size_t len,
                                              clock::time_point deadline)
{
    size_t done = 0;
    while (done < len) {
        const ssize_t n = ::send(fd, data + done, len - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const result_t w = wait_for(fd, POLLOUT, deadline);
            if (w != OK)
                return w;
            continue;
        }
        return errno_result(errno);
    }
    return OK;
}

rpc_stream_t::result_t rpc_stream_t::send_record(int fd, const std::string &msg,
                                                 clock::time_point deadline)
{
    std::string out;
    out.reserve(msg.size() + 4);
    const uint32_t mark = 0x80000000u | static_cast<uint32_t>(msg.size());
    out.push_back(static_cast<char>(mark >> 24));
    out.push_back(static_cast<char>(mark >> 16));
    out.push_back(static_cast<char>(mark >> 8));
    out.push_back(static_cast<char>(mark));
    out += msg;
    return send_all(fd, out.data(), out.size(), deadline);
}

rpc_stream_t::result_t rpc_stream_t::recv_record(int fd, rpc_record_buffer_t &in, std::string &msg,
                                                 clock::time_point deadline, size_t max_size)
{
    // One blocking receive per arrival, bounded by the socket's receive
    // time-out, takes header, body and whatever follows at once; the time-out
    // is only set again when it is off by more than the slack, so an
    // exchange costs a send and a receive.
    const size_t chunk = 64 * 1024;
    const long slack_ms = 20;
    for (;;) {
        const rpc_record_buffer_t::take_t t = in.take(msg, max_size);
        if (t == rpc_record_buffer_t::RECORD)
            return OK;
        if (t == rpc_record_buffer_t::TOO_LARGE)
            return TOO_LARGE;
        // Past the deadline only what has already arrived is taken, once:
        // the deadline holds even while data keeps coming (a stream of
        // stale replies never lets the socket go quiet)
        const clock::time_point now = clock::now();
        const bool late = deadline != no_deadline() && now >= deadline;
        if (late) {
            const ssize_t n = ::recv(fd, in.space(chunk), chunk, MSG_DONTWAIT);
            in.commit(n > 0 ? static_cast<size_t>(n) : 0);
            if (n > 0 && in.take(msg, max_size) == rpc_record_buffer_t::RECORD)
                return OK;
            return TIMEOUT;
        }
        long want = 0; // no time-out
        if (deadline != no_deadline()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
            want = 1 + static_cast<long>(left);
        }
        const long have = in.socket_wait_ms;
        if (have < 0 || (want == 0) != (have == 0) || have > want + slack_ms || have + slack_ms < want) {
            timeval tv{want / 1000, static_cast<suseconds_t>((want % 1000) * 1000)};
            if (::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) != 0)
                return errno_result(errno);
            in.socket_wait_ms = want;
        }
        const ssize_t n = ::recv(fd, in.space(chunk), chunk, 0);
        if (n > 0) {
            in.commit(static_cast<size_t>(n));
            continue;
        }
        in.commit(0);
        if (n == 0)
            return CLOSED;
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            return errno_result(errno);
    }
}

rpc_stream_t::result_t rpc_stream_t::wait_readable(int fd, clock::time_point deadline)
{
    return wait_for(fd, POLLIN, deadline);
}
