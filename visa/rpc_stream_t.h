// TCP transport of RPC messages: bounded connect, and record-marked send and
// receive where every wait ends at a deadline (poll, or the socket's receive
// time-out), so a silent, vanished or babbling peer yields a timeout instead
// of a hang. shutdown() of the socket from another thread wakes a waiting
// call (it then reports CLOSED).
#ifndef WATTLEX_RPC_STREAM_T_H
#define WATTLEX_RPC_STREAM_T_H

#include <chrono>
#include <cstddef>
#include <string>

#include "rpc_record_buffer_t.h"

struct sockaddr_in;

class rpc_stream_t {
public:
    using clock = std::chrono::steady_clock;

    enum result_t {
        OK,
        TIMEOUT,
        CLOSED,    // orderly close or reset by the peer, or shut down locally
        IO_ERROR,
        TOO_LARGE, // record larger than the caller's limit
        REFUSED    // connect: nothing listens there / unreachable
    };

    static clock::time_point no_deadline() { return clock::time_point::max(); }
    static clock::time_point deadline_in(unsigned long ms);

    // Non-blocking connect that waits at most timeout_ms. On OK *fd is a
    // connected socket (blocking mode, TCP_NODELAY set).
    static result_t connect_tcp(const sockaddr_in &addr, int timeout_ms, int *fd);
    // connect_tcp in two halves, for a caller that must know the socket
    // while it connects: a new non-blocking TCP socket (-1 on failure) ...
    static int tcp_socket();
    // ... and its connect; fd stays the caller's to close, whatever the result.
    static result_t connect_socket(int fd, const sockaddr_in &addr, int timeout_ms);

    static result_t send_all(int fd, const char *data, size_t len, clock::time_point deadline);

    // One RPC message as a single last fragment.
    static result_t send_record(int fd, const std::string &msg, clock::time_point deadline);
    // One RPC message, reassembled from all its fragments. Whatever arrived
    // beyond it, or of it before a time-out, stays in `in` for the next call
    // on the same connection, so a time-out leaves the stream in step.
    static result_t recv_record(int fd, rpc_record_buffer_t &in, std::string &msg,
                                clock::time_point deadline, size_t max_size);

    // Waits until fd is readable or the deadline passes; for callers that
    // also watch a second descriptor.
    static result_t wait_readable(int fd, clock::time_point deadline);
};

#endif
