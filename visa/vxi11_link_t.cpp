#include "vxi11_link_t.h"

#include "rpc_message_t.h"
#include "visa_abort_t.h"
#include "visa_resource_t.h"
#include "vxi11_codec_t.h"
#include "xdr_reader_t.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Added to the instrument's io_timeout for the socket wait, so the load's
// own timeout answer arrives before ours.
const unsigned long margin_ms = 250;
const unsigned long max_connect_ms = 2000;
const size_t max_reply = vxi11_codec_t::max_data + 4096;
// Upper bound of one write fragment whatever the device offers.
const uint32_t max_fragment = 1u << 20;
// Threads beyond this share the first link.
const size_t max_links = 16;

rpc_stream_t::clock::time_point socket_deadline(ViUInt32 io_timeout_ms)
{
    if (io_timeout_ms == VI_TMO_INFINITE)
        return rpc_stream_t::no_deadline();
    return rpc_stream_t::deadline_in(static_cast<unsigned long>(io_timeout_ms) + margin_ms);
}

bool resolve(const std::string &host, uint16_t port, sockaddr_in &addr)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (::inet_pton(AF_INET, host.c_str(), &addr.sin_addr) == 1)
        return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *res = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &res) != 0 || !res)
        return false;
    addr.sin_addr = reinterpret_cast<sockaddr_in *>(res->ai_addr)->sin_addr;
    ::freeaddrinfo(res);
    return true;
}

ViStatus device_error_status(int32_t error)
{
    switch (error) {
    case vxi11_codec_t::err_none:
        return VI_SUCCESS;
    case vxi11_codec_t::err_io_timeout:
        return VI_ERROR_TMO;
    case vxi11_codec_t::err_invalid_link:
        return VI_ERROR_CONN_LOST;
    default:
        return VI_ERROR_IO;
    }
}

// A connect the calling thread's abort token can cut short (a host that
// drops SYN packets keeps it waiting for its whole time-out).
ViStatus connect_watched(const sockaddr_in &addr, unsigned long timeout_ms, int *fd_out)
{
    *fd_out = -1;
    const int fd = rpc_stream_t::tcp_socket();
    if (fd < 0)
        return VI_ERROR_RSRC_NFOUND;
    rpc_stream_t::result_t r = rpc_stream_t::CLOSED;
    bool cut = false;
    {
        visa_abort_t::watch w(fd);
        if (!w.cut())
            r = rpc_stream_t::connect_socket(fd, addr, static_cast<int>(timeout_ms));
        cut = w.cut();
    }
    if (cut || r != rpc_stream_t::OK) {
        ::close(fd);
        if (cut)
            return VI_ERROR_ABORT;
        return r == rpc_stream_t::TIMEOUT ? VI_ERROR_TMO : VI_ERROR_RSRC_NFOUND;
    }
    *fd_out = fd;
    return VI_SUCCESS;
}

unsigned long elapsed_ms(rpc_stream_t::clock::time_point since)
{
    return static_cast<unsigned long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          rpc_stream_t::clock::now() - since)
                                          .count());
}

// Session time left for the next call of a multi-call exchange.
ViUInt32 remaining(ViUInt32 timeout_ms, rpc_stream_t::clock::time_point start)
{
    if (timeout_ms == VI_TMO_INFINITE)
        return VI_TMO_INFINITE;
    const unsigned long used = elapsed_ms(start);
    return used >= timeout_ms ? 0 : static_cast<ViUInt32>(timeout_ms - used);
}
} // namespace

vxi11_link_t::vxi11_link_t()
{
    std::random_device rd;
    xid_ = rd();
}

vxi11_link_t::~vxi11_link_t()
{
    close_socket();
}

uint16_t vxi11_link_t::portmap_port()
{
    const char *env = std::getenv("WATTLEX_PORTMAP_PORT");
    if (env && *env) {
        char *end = nullptr;
        const long v = std::strtol(env, &end, 10);
        if (end && *end == '\0' && v > 0 && v < 65536)
            return static_cast<uint16_t>(v);
    }
    return 111;
}

void vxi11_link_t::close_socket()
{
    const int fd = fd_.exchange(-1);
    if (fd >= 0)
        ::close(fd);
    in_.clear();
}

void vxi11_link_t::abort_io()
{
    const int fd = fd_.load();
    if (fd >= 0)
        ::shutdown(fd, SHUT_RDWR);
}

ViStatus vxi11_link_t::transport_status(rpc_stream_t::result_t r, bool out_of_step)
{
    if (out_of_step || (r != rpc_stream_t::OK && r != rpc_stream_t::TIMEOUT))
        broken_ = true;
    switch (r) {
    case rpc_stream_t::OK:
        return VI_SUCCESS;
    case rpc_stream_t::TIMEOUT:
        return VI_ERROR_TMO;
    case rpc_stream_t::CLOSED:
        return VI_ERROR_CONN_LOST;
    default:
        return VI_ERROR_IO;
    }
}

ViStatus vxi11_link_t::call(uint32_t proc, const std::string &args, std::string &results,
                            ViUInt32 io_timeout_ms)
{
    const int fd = fd_.load();
    if (fd < 0 || broken_)
        return VI_ERROR_CONN_LOST;
    visa_abort_t::watch w(fd);
    if (w.cut())
        return VI_ERROR_ABORT; // nothing sent: still in step
    const auto deadline = socket_deadline(io_timeout_ms);
    const uint32_t xid = ++xid_;
    const std::string msg =
        rpc_message_t::build_call(xid, vxi11_codec_t::core_prog, vxi11_codec_t::core_vers, proc, args);
    rpc_stream_t::result_t r = rpc_stream_t::send_record(fd, msg, deadline);
    if (r != rpc_stream_t::OK) {
        const ViStatus st = transport_status(r, true); // part of the call may have gone out
        return w.cut() ? VI_ERROR_ABORT : st;
    }
    std::string reply;
    for (;;) {
        r = rpc_stream_t::recv_record(fd, in_, reply, deadline, max_reply);
        if (r != rpc_stream_t::OK) {
            // A part received stays buffered: still in step, unless the
            // socket was shut down under the wait.
            const ViStatus st = transport_status(r, false);
            return w.cut() ? VI_ERROR_ABORT : st;
        }
        xdr_reader_t rd(reply);
        switch (rpc_message_t::parse_reply(rd, xid)) {
        case rpc_message_t::REPLY_OK:
            results.assign(rd.position(), rd.remaining());
            return VI_SUCCESS;
        case rpc_message_t::REPLY_WRONG_XID:
            // late answer to a call that timed out earlier; a stream of them
            // does not outlast the deadline
            if (deadline != rpc_stream_t::no_deadline() && rpc_stream_t::clock::now() >= deadline)
                return transport_status(rpc_stream_t::TIMEOUT, false);
            continue;
        case rpc_message_t::REPLY_REJECTED:
            return VI_ERROR_IO;
        case rpc_message_t::REPLY_MALFORMED:
            broken_ = true;
            return VI_ERROR_IO;
        }
    }
}

ViStatus vxi11_link_t::open(const visa_resource_t &res, ViUInt32 timeout_ms)
{
    close_socket();
    broken_ = false;
    const auto start = rpc_stream_t::clock::now();
    const unsigned long connect_ms =
        timeout_ms < max_connect_ms ? static_cast<unsigned long>(timeout_ms) : max_connect_ms;

    sockaddr_in addr;
    if (!resolve(res.host, portmap_port(), addr))
        return VI_ERROR_RSRC_NFOUND;

    // Portmapper: where does the core channel listen?
    int pfd = -1;
    ViStatus st = connect_watched(addr, connect_ms, &pfd);
    if (st != VI_SUCCESS)
        return st;
    vxi11_codec_t::mapping_t m;
    m.prog = vxi11_codec_t::core_prog;
    m.vers = vxi11_codec_t::core_vers;
    m.prot = vxi11_codec_t::ipproto_tcp;
    const uint32_t pxid = ++xid_;
    const std::string call = rpc_message_t::build_call(pxid, vxi11_codec_t::portmap_prog,
                                                       vxi11_codec_t::portmap_vers,
                                                       vxi11_codec_t::pmap_getport, vxi11_codec_t::encode(m));
    const auto pdeadline = socket_deadline(remaining(timeout_ms, start));
    std::string reply;
    rpc_record_buffer_t pin;
    rpc_stream_t::result_t r = rpc_stream_t::CLOSED;
    bool cut = false;
    {
        visa_abort_t::watch w(pfd);
        if (!w.cut())
            r = rpc_stream_t::send_record(pfd, call, pdeadline);
        if (r == rpc_stream_t::OK)
            r = rpc_stream_t::recv_record(pfd, pin, reply, pdeadline, 4096);
        cut = w.cut();
    }
    ::close(pfd);
    if (cut)
        return VI_ERROR_ABORT;
    if (r != rpc_stream_t::OK)
        return r == rpc_stream_t::TIMEOUT ? VI_ERROR_TMO : VI_ERROR_RSRC_NFOUND;
    xdr_reader_t rd(reply);
    uint32_t port = 0;
    if (rpc_message_t::parse_reply(rd, pxid) != rpc_message_t::REPLY_OK || !rd.get_u32(port) ||
        port == 0 || port > 65535)
        return VI_ERROR_RSRC_NFOUND;

    // Core channel and link
    addr.sin_port = htons(static_cast<uint16_t>(port));
    const ViUInt32 left = remaining(timeout_ms, start);
    int fd = -1;
    st = connect_watched(addr, left < connect_ms ? left : connect_ms, &fd);
    if (st != VI_SUCCESS)
        return st;
    fd_.store(fd);

    device_ = res.device;
    int32_t lid = 0;
    st = create_link(device_, remaining(timeout_ms, start), &lid);
    if (st != VI_SUCCESS) {
        close_socket();
        return st;
    }
    lid_ = lid;
    lids_.clear();
    lids_[std::this_thread::get_id()] = lid;
    return VI_SUCCESS;
}

ViStatus vxi11_link_t::create_link(const std::string &device, ViUInt32 timeout_ms, int32_t *lid)
{
    vxi11_codec_t::create_link_parms_t p;
    p.client_id = static_cast<int32_t>(xid_ & 0x7FFFFFFF);
    p.lock_device = false;
    p.lock_timeout = 0;
    p.device = device;
    std::string results;
    ViStatus st = call(vxi11_codec_t::create_link, vxi11_codec_t::encode(p), results, timeout_ms);
    vxi11_codec_t::create_link_resp_t resp;
    if (st == VI_SUCCESS && !vxi11_codec_t::decode(results.data(), results.size(), resp))
        st = VI_ERROR_IO;
    if (st == VI_SUCCESS && resp.error != vxi11_codec_t::err_none)
        st = VI_ERROR_RSRC_NFOUND;
    if (st != VI_SUCCESS)
        return st;
    *lid = resp.lid;
    max_recv_ = resp.max_recv_size;
    return VI_SUCCESS;
}

ViStatus vxi11_link_t::caller_lid(ViUInt32 timeout_ms, int32_t *lid)
{
    const std::thread::id self = std::this_thread::get_id();
    const auto it = lids_.find(self);
    if (it != lids_.end()) {
        *lid = it->second;
        return VI_SUCCESS;
    }
    if (lids_.size() >= max_links) {
        *lid = lid_;
        return VI_SUCCESS;
    }
    int32_t fresh = 0;
    const ViStatus st = create_link(device_, timeout_ms, &fresh);
    if (st == VI_ERROR_RSRC_NFOUND) {
        // The device allows no further link: share the first one
        lids_[self] = lid_;
        *lid = lid_;
        return VI_SUCCESS;
    }
    if (st != VI_SUCCESS)
        return st;
    lids_[self] = fresh;
    *lid = fresh;
    return VI_SUCCESS;
}

ViStatus vxi11_link_t::write(const ViByte *buf, size_t len, ViUInt32 timeout_ms, size_t *written)
{
    *written = 0;
    const auto start = rpc_stream_t::clock::now();
    int32_t lid = 0;
    const ViStatus lst = caller_lid(timeout_ms, &lid);
    if (lst != VI_SUCCESS)
        return lst;
    // A device must take at least 1024 bytes per call; be careful with odd
    // answers (0) and cap very large offers.
    uint32_t chunk = max_recv_ < 1024 ? 1024 : max_recv_;
    if (chunk > max_fragment)
        chunk = max_fragment;
    size_t done = 0;
    do {
        const size_t n = len - done < chunk ? len - done : chunk;
        vxi11_codec_t::write_parms_t p;
        p.lid = lid;
        p.io_timeout = remaining(timeout_ms, start);
        p.lock_timeout = 0;
        p.flags = done + n == len ? vxi11_codec_t::flag_end : 0;
        p.data.assign(reinterpret_cast<const char *>(buf) + done, n);
        std::string results;
        const ViStatus st = call(vxi11_codec_t::device_write, vxi11_codec_t::encode(p), results,
                                 p.io_timeout);
        if (st != VI_SUCCESS)
            return st;
        vxi11_codec_t::write_resp_t resp;
        if (!vxi11_codec_t::decode(results.data(), results.size(), resp))
            return VI_ERROR_IO;
        if (resp.error != vxi11_codec_t::err_none)
            return device_error_status(resp.error);
        // A device may take part of a call (its buffer is full): send the
        // rest, END going with the last byte. Taking more than was sent is
        // a broken device; taking nothing ends at the time-out (at once
        // without one, rather than spin).
        if (resp.size > n)
            return VI_ERROR_IO;
        done += resp.size;
        *written = done;
        if (resp.size == 0 && timeout_ms == VI_TMO_INFINITE)
            return VI_ERROR_IO;
        if (done < len && timeout_ms != VI_TMO_INFINITE && elapsed_ms(start) >= timeout_ms)
            return VI_ERROR_TMO;
    } while (done < len);
    return VI_SUCCESS;
}

ViStatus vxi11_link_t::read(ViByte *buf, size_t cnt, ViUInt32 timeout_ms, size_t *got)
{
    *got = 0;
    if (cnt == 0)
        return VI_SUCCESS_MAX_CNT;
    const auto start = rpc_stream_t::clock::now();
    int32_t lid = 0;
    const ViStatus lst = caller_lid(timeout_ms, &lid);
    if (lst != VI_SUCCESS)
        return lst;
    size_t done = 0;
    for (;;) {
        vxi11_codec_t::read_parms_t p;
        p.lid = lid;
        const size_t want = cnt - done;
        p.request_size = want > 0x7FFFFFFF ? 0x7FFFFFFFu : static_cast<uint32_t>(want);
        p.io_timeout = remaining(timeout_ms, start);
        p.lock_timeout = 0;
        p.flags = 0;     // no termination character: blocks may hold 0x0A
        p.term_char = 0;
        std::string results;
        const ViStatus st = call(vxi11_codec_t::device_read, vxi11_codec_t::encode(p), results,
                                 p.io_timeout);
        if (st != VI_SUCCESS)
            return st;
        vxi11_codec_t::read_resp_t resp;
        if (!vxi11_codec_t::decode(results.data(), results.size(), resp))
            return VI_ERROR_IO;
        const size_t n = resp.data.size() < want ? resp.data.size() : want;
        std::memcpy(buf + done, resp.data.data(), n);
        done += n;
        *got = done;
        if (resp.data.size() > want)
            return VI_ERROR_IO; // more than asked for: the device broke the protocol
        if (resp.error != vxi11_codec_t::err_none)
            return device_error_status(resp.error);
        if (resp.reason & vxi11_codec_t::reason_end)
            return VI_SUCCESS;
        if (done == cnt)
            return VI_SUCCESS_MAX_CNT;
        if (timeout_ms != VI_TMO_INFINITE && elapsed_ms(start) >= timeout_ms)
            return VI_ERROR_TMO;
    }
}

ViStatus vxi11_link_t::clear(ViUInt32 timeout_ms)
{
    const auto start = rpc_stream_t::clock::now();
    int32_t lid = 0;
    const ViStatus lst = caller_lid(timeout_ms, &lid);
    if (lst != VI_SUCCESS)
        return lst;
    vxi11_codec_t::generic_parms_t p;
    p.lid = lid;
    p.flags = 0;
    p.lock_timeout = 0;
    p.io_timeout = remaining(timeout_ms, start);
    std::string results;
    const ViStatus st =
        call(vxi11_codec_t::device_clear, vxi11_codec_t::encode(p), results, p.io_timeout);
    if (st != VI_SUCCESS)
        return st;
    int32_t error;
    if (!vxi11_codec_t::decode_error(results.data(), results.size(), error))
        return VI_ERROR_IO;
    return device_error_status(error);
}

ViStatus vxi11_link_t::close(ViUInt32 timeout_ms)
{
    ViStatus st = VI_SUCCESS;
    const auto start = rpc_stream_t::clock::now();
    std::map<int32_t, bool> links{{lid_, true}};
    for (const auto &t : lids_)
        links[t.second] = true;
    for (const auto &l : links) {
        if (fd_.load() < 0 || broken_)
            break;
        std::string results;
        const ViStatus s = call(vxi11_codec_t::destroy_link, vxi11_codec_t::encode_lid(l.first),
                                results, remaining(timeout_ms, start));
        if (s != VI_SUCCESS)
            st = s;
        // A load that did not answer, or a close cut short: nothing is
        // waited for further.
        if (s == VI_ERROR_TMO || s == VI_ERROR_ABORT)
            break;
    }
    lids_.clear();
    close_socket();
    return st;
}
