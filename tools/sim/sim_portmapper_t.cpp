#include "sim_portmapper_t.h"

#include "vxi11_codec_t.h"
#include "xdr_writer_t.h"

namespace {
enum proc_t : uint32_t { pm_null = 0, pm_set = 1, pm_unset = 2, pm_getport = 3, pm_dump = 4 };
const uint32_t ipproto_udp = 17;
} // namespace

sim_portmapper_t::sim_portmapper_t(uint16_t core_port, uint16_t tcp_port, uint16_t udp_port)
    : maps_{{vxi11_codec_t::portmap_prog, vxi11_codec_t::portmap_vers, vxi11_codec_t::ipproto_tcp, tcp_port},
            {vxi11_codec_t::portmap_prog, vxi11_codec_t::portmap_vers, ipproto_udp, udp_port},
            {vxi11_codec_t::core_prog, vxi11_codec_t::core_vers, vxi11_codec_t::ipproto_tcp, core_port}}
{
}

uint32_t sim_portmapper_t::port_of(uint32_t prog, uint32_t vers, uint32_t prot) const
{
    for (const vxi11_codec_t::mapping_t &m : maps_)
        if (m.prog == prog && m.vers == vers && m.prot == prot)
            return m.port;
    return 0;
}

std::string sim_portmapper_t::handle(const rpc_message_t::call_t &call, const char *args,
                                     size_t len) const
{
    if (call.vers != vxi11_codec_t::portmap_vers)
        return rpc_message_t::build_prog_mismatch(call.xid, 2, 2);
    xdr_writer_t out;
    vxi11_codec_t::mapping_t m;
    switch (call.proc) {
    case pm_null:
        break;
    case pm_set:
    case pm_unset:
        if (!vxi11_codec_t::decode(args, len, m))
            return rpc_message_t::build_accept_error(call.xid, rpc_message_t::GARBAGE_ARGS);
        out.put_bool(false); // the mappings are fixed
        break;
    case pm_getport:
        if (!vxi11_codec_t::decode(args, len, m))
            return rpc_message_t::build_accept_error(call.xid, rpc_message_t::GARBAGE_ARGS);
        out.put_u32(port_of(m.prog, m.vers, m.prot));
        break;
    case pm_dump:
        for (const vxi11_codec_t::mapping_t &e : maps_) {
            out.put_bool(true);
            out.put_raw(vxi11_codec_t::encode(e));
        }
        out.put_bool(false);
        break;
    default:
        return rpc_message_t::build_accept_error(call.xid, rpc_message_t::PROC_UNAVAIL);
    }
    return rpc_message_t::build_success(call.xid, out.data());
}
