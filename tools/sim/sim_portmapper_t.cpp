#include "sim_portmapper_t.h"

#include "vxi11_codec_t.h"
#include "xdr_writer_t.h"

namespace {
enum proc_t : uint32_t { pm_null = 0, pm_set = 1, pm_unset = 2, pm_getport = 3, pm_dump = 4 };
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
        out.put_bool(false); // the one mapping is fixed
        break;
    case pm_getport:
        if (!vxi11_codec_t::decode(args, len, m))
            return rpc_message_t::build_accept_error(call.xid, rpc_message_t::GARBAGE_ARGS);
        out.put_u32(m.prog == vxi11_codec_t::core_prog && m.vers == vxi11_codec_t::core_vers &&
                            m.prot == vxi11_codec_t::ipproto_tcp
                        ? core_port_
                        : 0);
        break;
    case pm_dump: {
        vxi11_codec_t::mapping_t core;
        core.prog = vxi11_codec_t::core_prog;
        core.vers = vxi11_codec_t::core_vers;
        core.prot = vxi11_codec_t::ipproto_tcp;
        core.port = core_port_;
        out.put_bool(true);
        out.put_raw(vxi11_codec_t::encode(core));
        out.put_bool(false);
        break;
    }
    default:
        return rpc_message_t::build_accept_error(call.xid, rpc_message_t::PROC_UNAVAIL);
    }
    return rpc_message_t::build_success(call.xid, out.data());
}
