#include "rpc_stream_t.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
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
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return IO_ERROR;
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
    if (res != OK) {
        ::close(fd);
        return res;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    *fd_out = fd;
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

rpc_stream_t::result_t rpc_stream_t::recv_exact(int fd, char *data, size_t len,
                                                clock::time_point deadline, size_t *got)
{
    size_t done = 0;
    result_t res = OK;
    while (done < len) {
        const ssize_t n = ::recv(fd, data + done, len - done, MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n == 0) {
            res = CLOSED;
            break;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            res = wait_for(fd, POLLIN, deadline);
            if (res != OK)
                break;
            continue;
        }
        res = errno_result(errno);
        break;
    }
    if (got)
        *got = done;
    return res;
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

rpc_stream_t::result_t rpc_stream_t::recv_record(int fd, std::string &msg, clock::time_point deadline,
                                                 size_t max_size, bool *started)
{
    msg.clear();
    if (started)
        *started = false;
    for (;;) {
        unsigned char head[4];
        size_t got = 0;
        result_t res = recv_exact(fd, reinterpret_cast<char *>(head), 4, deadline, &got);
        if (got && started)
            *started = true;
        if (res != OK)
            return res;
        const uint32_t mark = (uint32_t(head[0]) << 24) | (uint32_t(head[1]) << 16) |
                              (uint32_t(head[2]) << 8) | uint32_t(head[3]);
        const size_t len = mark & 0x7FFFFFFFu;
        if (len > max_size || msg.size() > max_size - len)
            return TOO_LARGE;
        const size_t old = msg.size();
        msg.resize(old + len);
        res = recv_exact(fd, &msg[old], len, deadline);
        if (res != OK)
            return res;
        if (mark & 0x80000000u)
            return OK;
    }
}

rpc_stream_t::result_t rpc_stream_t::wait_readable(int fd, clock::time_point deadline)
{
    return wait_for(fd, POLLIN, deadline);
}
