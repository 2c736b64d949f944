#include "sim_core_channel_t.h"

#include "sim_config_t.h"
#include "sim_instrument.h"
#include "sim_log_t.h"
#include "vxi11_codec_t.h"
#include "xdr_reader_t.h"
#include "xdr_writer_t.h"

#include <cctype>
#include <exception>

namespace {
using codec = vxi11_codec_t;

const uint32_t max_recv_size = 1024;
// Longest message a link buffers before END
const size_t max_message = 4u * 1024 * 1024;
const size_t oversize_filler = 1024u * 1024;

bool iequal(const std::string &a, const char *b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

std::string error_result(int32_t error)
{
    return codec::encode_error(error);
}
} // namespace

const sim_core_channel_t::proc_entry_t sim_core_channel_t::procs_[] = {
    {0, &sim_core_channel_t::null_proc}, // every ONC RPC program answers procedure 0
    {codec::create_link, &sim_core_channel_t::create_link},
    {codec::device_write, &sim_core_channel_t::device_write},
    {codec::device_read, &sim_core_channel_t::device_read},
    {codec::device_readstb, &sim_core_channel_t::device_readstb},
    {codec::device_trigger, &sim_core_channel_t::device_trigger},
    {codec::device_clear, &sim_core_channel_t::device_clear},
    {codec::device_remote, &sim_core_channel_t::device_remote},
    {codec::device_local, &sim_core_channel_t::device_local},
    {codec::device_lock, &sim_core_channel_t::device_lock},
    {codec::device_unlock, &sim_core_channel_t::device_unlock},
    {codec::device_enable_srq, &sim_core_channel_t::device_enable_srq},
    {codec::device_docmd, &sim_core_channel_t::device_docmd},
    {codec::destroy_link, &sim_core_channel_t::destroy_link},
    {codec::create_intr_chan, &sim_core_channel_t::create_intr_chan},
    {codec::destroy_intr_chan, &sim_core_channel_t::destroy_intr_chan},
};

sim_core_channel_t::sim_core_channel_t(const sim_config_t &cfg, sim_instrument &inst, sim_log_t &log)
    : cfg_(cfg), log_(log), inst_(inst)
{
}

std::string sim_core_channel_t::handle(uint64_t conn, const rpc_message_t::call_t &call,
                                       const char *args, size_t len, bool *drop)
{
    *drop = false;
    if (call.vers != codec::core_vers)
        return rpc_message_t::build_prog_mismatch(call.xid, codec::core_vers, codec::core_vers);
    for (const proc_entry_t &p : procs_) {
        if (p.proc != call.proc)
            continue;
        const outcome_t out = (this->*p.fn)(conn, args, len);
        if (out.drop) {
            *drop = true;
            return std::string();
        }
        if (out.garbage_args)
            return rpc_message_t::build_accept_error(call.xid, rpc_message_t::GARBAGE_ARGS);
        return rpc_message_t::build_success(call.xid, out.results);
    }
    return rpc_message_t::build_accept_error(call.xid, rpc_message_t::PROC_UNAVAIL);
}

void sim_core_channel_t::connection_closed(uint64_t conn)
{
    std::lock_guard<std::mutex> lock(links_mutex_);
    for (auto it = links_.begin(); it != links_.end();) {
        if (it->second.conn == conn) {
            log_.line("UNLINK", it->first, "connection closed");
            it = links_.erase(it);
        } else {
            ++it;
        }
    }
}

void sim_core_channel_t::stop()
{
    std::lock_guard<std::mutex> lock(links_mutex_);
    stopping_ = true;
    links_cv_.notify_all();
}

bool sim_core_channel_t::link_exists(int32_t lid)
{
    std::lock_guard<std::mutex> lock(links_mutex_);
    return links_.count(lid) != 0;
}

std::string sim_core_channel_t::fault_reply(const std::string &reply)
{
    if (cfg_.garbage) {
        // Printable junk of varying length, never a valid answer
        static const char junk[] = "#%&!?~@^*$GARBAGE+=<>{}|";
        std::string g;
        const size_t n = 5 + static_cast<size_t>(messages_ % 23);
        for (size_t i = 0; i < n; ++i)
            g += junk[(i * 7 + static_cast<size_t>(messages_)) % (sizeof junk - 1)];
        return g + "\n";
    }
    if (cfg_.oversize)
        return std::string(oversize_filler, 'Z') + reply;
    return reply;
}

bool sim_core_channel_t::run_message(int32_t lid, const std::string &msg)
{
    std::lock_guard<std::mutex> inst_lock(inst_mutex_);
    const long n = ++messages_;
    log_.line("RX", lid, msg);
    {
        // A new message discards any unread reply of this link
        std::lock_guard<std::mutex> lock(links_mutex_);
        const auto it = links_.find(lid);
        if (it != links_.end()) {
            it->second.pending = false;
            it->second.reply.clear();
        }
    }
    // Position of this message among those since the faults began (1 = the
    // first); 0 while they wait for --fault-at's message or after --fault-for.
    if (fault_start_ == 0 && msg.compare(0, cfg_.fault_at.size(), cfg_.fault_at) == 0) {
        fault_start_ = n;
        if (!cfg_.fault_at.empty())
            log_.line("FAULT", lid, "faults begin");
    }
    long k = fault_start_ > 0 ? n - fault_start_ + 1 : 0;
    if (cfg_.fault_for >= 0 && k > cfg_.fault_for)
        k = 0;
    if (k > 0 && cfg_.drop_after >= 0 && k > cfg_.drop_after) {
        log_.line("DROP", lid, "closing the connections");
        return false;
    }
    if (k > 0 && cfg_.stop_after >= 0 && k > cfg_.stop_after) {
        log_.line("IGN", lid, "not answering");
        return true;
    }
    std::string reply;
    bool has_reply = false;
    try {
        has_reply = inst_.execute(msg, &reply);
    } catch (const std::exception &e) {
        log_.line("SIM", lid, std::string("instrument failed: ") + e.what());
        has_reply = false;
    }
    if (!has_reply)
        return true;
    if (k > 0)
        reply = fault_reply(reply);
    std::lock_guard<std::mutex> lock(links_mutex_);
    const auto it = links_.find(lid);
    if (it != links_.end()) {
        it->second.pending = true;
        it->second.reply = std::move(reply);
        it->second.sent = 0;
        it->second.ready = clock::now() + std::chrono::milliseconds(k > 0 ? cfg_.delay_ms : 0);
    }
    return true;
}

sim_core_channel_t::outcome_t sim_core_channel_t::null_proc(uint64_t, const char *, size_t)
{
    return outcome_t();
}

sim_core_channel_t::outcome_t sim_core_channel_t::create_link(uint64_t conn, const char *args, size_t len)
{
    outcome_t out;
    codec::create_link_parms_t p;
    if (!codec::decode(args, len, p)) {
        out.garbage_args = true;
        return out;
    }
    codec::create_link_resp_t r;
    r.max_recv_size = max_recv_size;
    if (cfg_.refuse_link) {
        r.error = codec::err_out_of_resources;
        log_.line("REFUSE", -1, p.device);
    } else if (!iequal(p.device, "inst0")) {
        r.error = codec::err_not_accessible;
        log_.line("REFUSE", -1, p.device);
    } else {
        std::lock_guard<std::mutex> lock(links_mutex_);
        while (next_lid_ <= 0 || links_.count(next_lid_))
            next_lid_ = next_lid_ <= 0 ? 1 : next_lid_ + 1;
        r.lid = next_lid_++;
        links_[r.lid].conn = conn;
        log_.line("LINK", r.lid, p.device);
    }
    out.results = codec::encode(r);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_write(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    codec::write_parms_t p;
    if (!codec::decode(args, len, p)) {
        out.garbage_args = true;
        return out;
    }
    codec::write_resp_t r;
    std::string message;
    bool complete = false;
    {
        std::lock_guard<std::mutex> lock(links_mutex_);
        const auto it = links_.find(p.lid);
        if (it == links_.end()) {
            r.error = codec::err_invalid_link;
        } else if (it->second.input.size() + p.data.size() > max_message) {
            it->second.input.clear();
            r.error = codec::err_out_of_resources;
        } else {
            it->second.input += p.data;
            r.size = static_cast<uint32_t>(p.data.size());
            if (p.flags & codec::flag_end) {
                message.swap(it->second.input);
                complete = true;
            }
        }
    }
    if (complete && !run_message(p.lid, message)) {
        out.drop = true;
        return out;
    }
    out.results = codec::encode(r);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_read(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    codec::read_parms_t p;
    if (!codec::decode(args, len, p)) {
        out.garbage_args = true;
        return out;
    }
    codec::read_resp_t r;
    // A message without END yet is taken as complete when its reply is read
    std::string unterminated;
    {
        std::lock_guard<std::mutex> lock(links_mutex_);
        const auto it = links_.find(p.lid);
        if (it == links_.end()) {
            r.error = codec::err_invalid_link;
            out.results = codec::encode(r);
            return out;
        }
        unterminated.swap(it->second.input);
    }
    if (!unterminated.empty() && !run_message(p.lid, unterminated)) {
        out.drop = true;
        return out;
    }

    unsigned long wait_ms = p.io_timeout;
    if (cfg_.max_read_wait_ms >= 0 && static_cast<unsigned long>(cfg_.max_read_wait_ms) < wait_ms)
        wait_ms = static_cast<unsigned long>(cfg_.max_read_wait_ms);
    const clock::time_point deadline = clock::now() + std::chrono::milliseconds(wait_ms);

    std::unique_lock<std::mutex> lock(links_mutex_);
    for (;;) {
        const auto it = links_.find(p.lid);
        if (it == links_.end()) {
            r.error = codec::err_invalid_link;
            break;
        }
        link_t &l = it->second;
        const clock::time_point now = clock::now();
        if (l.pending && l.ready <= now) {
            size_t n = l.reply.size() - l.sent;
            if (n > p.request_size)
                n = p.request_size;
            int32_t reason = 0;
            if (p.flags & codec::flag_termchar) {
                const size_t pos = l.reply.find(static_cast<char>(p.term_char & 0xFF), l.sent);
                if (pos != std::string::npos && pos < l.sent + n) {
                    n = pos + 1 - l.sent;
                    reason |= codec::reason_chr;
                }
            }
            r.data = l.reply.substr(l.sent, n);
            l.sent += n;
            if (l.sent == l.reply.size()) {
                reason |= codec::reason_end;
                l.pending = false;
                l.reply.clear();
                l.sent = 0;
            } else if (!(reason & codec::reason_chr)) {
                reason |= codec::reason_reqcnt;
            }
            r.reason = reason;
            log_.line("TX", p.lid, r.data);
            break;
        }
        if (stopping_ || now >= deadline) {
            r.error = codec::err_io_timeout;
            log_.line("TMO", p.lid, "");
            break;
        }
        const clock::time_point until = (l.pending && l.ready < deadline) ? l.ready : deadline;
        links_cv_.wait_until(lock, until);
    }
    out.results = codec::encode(r);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_readstb(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    codec::generic_parms_t p;
    if (!codec::decode(args, len, p)) {
        out.garbage_args = true;
        return out;
    }
    xdr_writer_t w;
    std::lock_guard<std::mutex> inst_lock(inst_mutex_);
    bool pending = false;
    bool known = false;
    {
        std::lock_guard<std::mutex> lock(links_mutex_);
        const auto it = links_.find(p.lid);
        known = it != links_.end();
        pending = known && it->second.pending;
    }
    unsigned stb = pending ? 0x10 : 0;
    if (!inst_.error_queue_empty())
        stb |= 0x04;
    w.put_i32(known ? codec::err_none : codec::err_invalid_link);
    w.put_u32(known ? stb : 0);
    out.results = w.take();
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_trigger(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    codec::generic_parms_t p;
    if (!codec::decode(args, len, p)) {
        out.garbage_args = true;
        return out;
    }
    if (!link_exists(p.lid)) {
        out.results = error_result(codec::err_invalid_link);
        return out;
    }
    std::lock_guard<std::mutex> inst_lock(inst_mutex_);
    log_.line("TRIG", p.lid, "");
    inst_.trigger();
    out.results = error_result(codec::err_none);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_clear(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    codec::generic_parms_t p;
    if (!codec::decode(args, len, p)) {
        out.garbage_args = true;
        return out;
    }
    std::lock_guard<std::mutex> lock(links_mutex_);
    const auto it = links_.find(p.lid);
    if (it == links_.end()) {
        out.results = error_result(codec::err_invalid_link);
        return out;
    }
    it->second.input.clear();
    it->second.pending = false;
    it->second.reply.clear();
    it->second.sent = 0;
    log_.line("CLEAR", p.lid, "");
    out.results = error_result(codec::err_none);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::set_remote(const char *args, size_t len, bool remote)
{
    outcome_t out;
    codec::generic_parms_t p;
    if (!codec::decode(args, len, p)) {
        out.garbage_args = true;
        return out;
    }
    if (!link_exists(p.lid)) {
        out.results = error_result(codec::err_invalid_link);
        return out;
    }
    std::lock_guard<std::mutex> inst_lock(inst_mutex_);
    inst_.set_remote(remote);
    out.results = error_result(codec::err_none);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_remote(uint64_t, const char *args, size_t len)
{
    return set_remote(args, len, true);
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_local(uint64_t, const char *args, size_t len)
{
    return set_remote(args, len, false);
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_lock(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    xdr_reader_t r(args, len);
    int32_t lid, flags;
    uint32_t lock_timeout;
    if (!r.get_i32(lid) || !r.get_i32(flags) || !r.get_u32(lock_timeout)) {
        out.garbage_args = true;
        return out;
    }
    // Locks are granted and not enforced
    out.results = error_result(link_exists(lid) ? codec::err_none : codec::err_invalid_link);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_unlock(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    int32_t lid;
    if (!codec::decode_lid(args, len, lid)) {
        out.garbage_args = true;
        return out;
    }
    out.results = error_result(link_exists(lid) ? codec::err_none : codec::err_invalid_link);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_enable_srq(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    xdr_reader_t r(args, len);
    int32_t lid;
    bool enable;
    if (!r.get_i32(lid) || !r.get_bool(enable) || !r.skip_opaque(40)) {
        out.garbage_args = true;
        return out;
    }
    // No service requests are ever sent
    out.results = error_result(link_exists(lid) ? codec::err_none : codec::err_invalid_link);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::device_docmd(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    xdr_reader_t r(args, len);
    int32_t lid, flags, cmd, datasize;
    uint32_t io_timeout, lock_timeout;
    bool network_order;
    if (!r.get_i32(lid) || !r.get_i32(flags) || !r.get_u32(io_timeout) || !r.get_u32(lock_timeout) ||
        !r.get_i32(cmd) || !r.get_bool(network_order) || !r.get_i32(datasize) ||
        !r.skip_opaque(codec::max_data)) {
        out.garbage_args = true;
        return out;
    }
    xdr_writer_t w;
    w.put_i32(codec::err_not_supported);
    w.put_opaque(nullptr, 0);
    out.results = w.take();
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::destroy_link(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    int32_t lid;
    if (!codec::decode_lid(args, len, lid)) {
        out.garbage_args = true;
        return out;
    }
    std::lock_guard<std::mutex> lock(links_mutex_);
    const bool known = links_.erase(lid) != 0;
    if (known)
        log_.line("UNLINK", lid, "destroy_link");
    links_cv_.notify_all();
    out.results = error_result(known ? codec::err_none : codec::err_invalid_link);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::create_intr_chan(uint64_t, const char *args, size_t len)
{
    outcome_t out;
    xdr_reader_t r(args, len);
    uint32_t host, port, prog, vers;
    int32_t family;
    if (!r.get_u32(host) || !r.get_u32(port) || !r.get_u32(prog) || !r.get_u32(vers) ||
        !r.get_i32(family)) {
        out.garbage_args = true;
        return out;
    }
    out.results = error_result(codec::err_no_channel);
    return out;
}

sim_core_channel_t::outcome_t sim_core_channel_t::destroy_intr_chan(uint64_t, const char *, size_t)
{
    outcome_t out;
    out.results = error_result(codec::err_no_channel);
    return out;
}
