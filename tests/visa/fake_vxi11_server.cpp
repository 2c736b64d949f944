#include "fake_vxi11_server.h"

#include "rpc_message_t.h"
#include "rpc_stream_t.h"
#include "vxi11_codec_t.h"
#include "xdr_reader_t.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
using codec = vxi11_codec_t;
using clock_type = std::chrono::steady_clock;
}

fake_vxi11_server::fake_vxi11_server(const behaviour_t &b) : b_(b)
{
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(listen_fd_, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 && ::listen(listen_fd_, 4) == 0 &&
        ::getsockname(listen_fd_, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port_ = ntohs(a.sin_port);
    thread_ = std::thread(&fake_vxi11_server::run, this);
}

fake_vxi11_server::~fake_vxi11_server()
{
    stop_ = true;
    ::shutdown(listen_fd_, SHUT_RDWR);
    thread_.join();
    ::close(listen_fd_);
}

std::vector<std::string> fake_vxi11_server::messages()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

void fake_vxi11_server::run()
{
    while (!stop_) {
        if (rpc_stream_t::wait_readable(listen_fd_, rpc_stream_t::deadline_in(100)) != rpc_stream_t::OK)
            continue;
        const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        serve(fd);
        ::close(fd);
    }
}

void fake_vxi11_server::serve(int fd)
{
    rpc_record_buffer_t in;
    std::string msg;
    while (!stop_) {
        const rpc_stream_t::result_t r =
            rpc_stream_t::recv_record(fd, in, msg, rpc_stream_t::deadline_in(100), 1u << 20);
        if (r == rpc_stream_t::TIMEOUT)
            continue;
        if (r != rpc_stream_t::OK)
            return;
        xdr_reader_t rd(msg);
        rpc_message_t::call_t call;
        if (!rpc_message_t::parse_call(rd, call))
            return;
        const std::string reply = answer(call.proc, rd.position(), rd.remaining(), fd, call.xid);
        if (rpc_stream_t::send_record(fd, reply, rpc_stream_t::deadline_in(2000)) != rpc_stream_t::OK)
            return;
    }
}

std::string fake_vxi11_server::answer(uint32_t proc, const char *args, size_t len, int fd, uint32_t xid)
{
    std::string results;
    if (proc == codec::pmap_getport) { // only ever asked on the portmapper connection
        results = codec::encode_u32(port_);
    } else if (proc == codec::create_link) {
        codec::create_link_resp_t r;
        r.lid = 1;
        r.max_recv_size = 1024;
        results = codec::encode(r);
    } else if (proc == codec::device_write) {
        ++write_calls_;
        codec::write_parms_t p;
        codec::decode(args, len, p);
        codec::write_resp_t r;
        r.size = p.data.size() < b_.write_accept ? uint32_t(p.data.size()) : b_.write_accept;
        std::lock_guard<std::mutex> lock(mutex_);
        input_.append(p.data, 0, r.size);
        // END belongs to the last byte: it counts only when all was taken
        if ((p.flags & codec::flag_end) && r.size == p.data.size()) {
            messages_.push_back(input_);
            input_.clear();
        }
        results = codec::encode(r);
    } else if (proc == codec::device_read) {
        codec::read_resp_t r;
        if (b_.stale_ms > 0) {
            // Well-formed answers to a call long gone, as fast as they go
            codec::read_resp_t stale;
            stale.reason = codec::reason_end;
            stale.data = "stale\n";
            const std::string s = rpc_message_t::build_success(xid - 1000, codec::encode(stale));
            const auto until = clock_type::now() + std::chrono::milliseconds(b_.stale_ms);
            while (!stop_ && clock_type::now() < until)
                if (rpc_stream_t::send_record(fd, s, rpc_stream_t::deadline_in(100)) == rpc_stream_t::CLOSED)
                    break;
            r.error = codec::err_io_timeout;
        } else {
            r.reason = codec::reason_end;
            r.data = b_.reply;
        }
        results = codec::encode(r);
    } else {
        results = codec::encode_error(codec::err_none); // destroy_link, device_clear, ...
    }
    return rpc_message_t::build_success(xid, results);
}
