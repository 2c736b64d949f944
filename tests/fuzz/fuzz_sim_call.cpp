// libFuzzer target: the simulated load's answer to RPC calls. The input is
// a sequence of records (4-byte length, then the call message) sent to the
// portmapper and the core channel of a fresh load; every call either gets
// a well-formed reply to its own transaction or none at all.
#include "fuzz_seed.h"
#include "rpc_message_t.h"
#include "sim_config_t.h"
#include "sim_core_channel_t.h"
#include "sim_instrument.h"
#include "sim_log_t.h"
#include "sim_portmapper_t.h"
#include "vxi11_codec_t.h"
#include "xdr_reader_t.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
void check_reply(const std::string &reply, uint32_t xid)
{
    if (reply.empty())
        return;
    xdr_reader_t r(reply);
    uint32_t got = 0;
    if (rpc_message_t::parse_reply(r, xid, &got) == rpc_message_t::REPLY_MALFORMED || got != xid)
        std::abort();
}

// One input record: length, target (bit 0 of the third byte: portmapper)
std::string record(const std::string &call, bool to_portmapper)
{
    std::string out;
    out.push_back(char(call.size() >> 8));
    out.push_back(char(call.size()));
    out.push_back(to_portmapper ? 1 : 0);
    out.push_back(0);
    return out + call;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    using codec = vxi11_codec_t;
    const uint32_t core = codec::core_prog;
    codec::create_link_parms_t link;
    link.device = "inst0";
    codec::write_parms_t w;
    w.lid = 1;
    w.flags = codec::flag_end;
    w.data = "*IDN?";
    codec::read_parms_t rd;
    rd.lid = 1;
    rd.request_size = 100;
    codec::generic_parms_t g;
    g.lid = 1;
    codec::mapping_t m;
    m.prog = core;
    m.vers = 1;
    m.prot = 6;
    const std::string session =
        record(rpc_message_t::build_call(1, core, 1, codec::create_link, codec::encode(link)), false) +
        record(rpc_message_t::build_call(2, core, 1, codec::device_write, codec::encode(w)), false) +
        record(rpc_message_t::build_call(3, core, 1, codec::device_read, codec::encode(rd)), false) +
        record(rpc_message_t::build_call(4, core, 1, codec::device_readstb, codec::encode(g)), false) +
        record(rpc_message_t::build_call(5, core, 1, codec::device_clear, codec::encode(g)), false) +
        record(rpc_message_t::build_call(6, core, 1, codec::destroy_link, codec::encode_lid(1)), false);
    fuzz_write_seeds(*argc, *argv,
                     {{"seed-session", session},
                      {"seed-portmapper",
                       record(rpc_message_t::build_call(7, 100000, 2, codec::pmap_getport, codec::encode(m)), true) +
                           record(rpc_message_t::build_call(8, 100000, 2, 4, std::string()), true) +
                           record(rpc_message_t::build_call(9, 100000, 4, 3, codec::encode(m)), true)},
                      {"seed-null", record(rpc_message_t::build_call(10, core, 1, 0, std::string()), false)}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static sim_config_t cfg = [] {
        sim_config_t c;
        c.max_read_wait_ms = 0; // a read with nothing pending answers at once
        return c;
    }();
    static sim_log_t log;
    static sim_instrument inst;
    static const sim_portmapper_t portmap(1024, 111, 111);
    sim_core_channel_t core(cfg, inst, log);

    const char *p = reinterpret_cast<const char *>(data);
    size_t left = size;
    while (left >= 4) {
        size_t len = (size_t(uint8_t(p[0])) << 8 | uint8_t(p[1])) % 4096;
        const bool to_portmapper = p[2] & 1;
        p += 4;
        left -= 4;
        if (len > left)
            len = left;
        xdr_reader_t r(p, len);
        rpc_message_t::call_t call;
        if (rpc_message_t::parse_call(r, call)) {
            bool drop = false;
            const std::string reply = to_portmapper
                                          ? portmap.handle(call, r.position(), r.remaining())
                                          : core.handle(1, call, r.position(), r.remaining(), &drop);
            if (drop && !reply.empty())
                std::abort();
            check_reply(reply, call.xid);
        }
        p += len;
        left -= len;
    }
    core.connection_closed(1);
    return 0;
}
