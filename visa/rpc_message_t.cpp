#include "rpc_message_t.h"

#include "xdr_reader_t.h"
#include "xdr_writer_t.h"

namespace {
const uint32_t msg_call = 0;
const uint32_t msg_reply = 1;
const uint32_t msg_accepted = 0;
const uint32_t msg_denied = 1;
const uint32_t rpc_mismatch = 0;
const size_t max_auth_body = 400;

void put_reply_head(xdr_writer_t &w, uint32_t xid)
{
    w.put_u32(xid);
    w.put_u32(msg_reply);
    w.put_u32(msg_accepted);
    w.put_u32(0); // verifier AUTH_NULL
    w.put_u32(0);
}
} // namespace

std::string rpc_message_t::build_call(uint32_t xid, uint32_t prog, uint32_t vers, uint32_t proc,
                                      const std::string &args)
{
    xdr_writer_t w;
    w.put_u32(xid);
    w.put_u32(msg_call);
    w.put_u32(2);
    w.put_u32(prog);
    w.put_u32(vers);
    w.put_u32(proc);
    w.put_u32(0); // credential AUTH_NULL
    w.put_u32(0);
    w.put_u32(0); // verifier AUTH_NULL
    w.put_u32(0);
    w.put_raw(args);
    return w.take();
}

bool rpc_message_t::parse_call(xdr_reader_t &r, call_t &call)
{
    uint32_t type, flavor;
    if (!r.get_u32(call.xid) || !r.get_u32(type) || type != msg_call)
        return false;
    if (!r.get_u32(call.rpcvers))
        return false;
    if (call.rpcvers != 2)
        return true; // caller answers RPC_MISMATCH; the rest may differ
    return r.get_u32(call.prog) && r.get_u32(call.vers) && r.get_u32(call.proc) &&
           r.get_u32(flavor) && r.skip_opaque(max_auth_body) &&
           r.get_u32(flavor) && r.skip_opaque(max_auth_body);
}

std::string rpc_message_t::build_success(uint32_t xid, const std::string &results)
{
    xdr_writer_t w;
    put_reply_head(w, xid);
    w.put_u32(SUCCESS);
    w.put_raw(results);
    return w.take();
}

std::string rpc_message_t::build_accept_error(uint32_t xid, accept_stat_t stat)
{
    xdr_writer_t w;
    put_reply_head(w, xid);
    w.put_u32(stat);
    return w.take();
}

std::string rpc_message_t::build_prog_mismatch(uint32_t xid, uint32_t low, uint32_t high)
{
    xdr_writer_t w;
    put_reply_head(w, xid);
    w.put_u32(PROG_MISMATCH);
    w.put_u32(low);
    w.put_u32(high);
    return w.take();
}

std::string rpc_message_t::build_rpc_mismatch(uint32_t xid)
{
    xdr_writer_t w;
    w.put_u32(xid);
    w.put_u32(msg_reply);
    w.put_u32(msg_denied);
    w.put_u32(rpc_mismatch);
    w.put_u32(2);
    w.put_u32(2);
    return w.take();
}

rpc_message_t::reply_status_t rpc_message_t::parse_reply(xdr_reader_t &r, uint32_t expected_xid,
                                                         uint32_t *xid_out)
{
    uint32_t xid, type, stat, flavor, accept;
    if (!r.get_u32(xid))
        return REPLY_MALFORMED;
    if (xid_out)
        *xid_out = xid;
    if (!r.get_u32(type) || type != msg_reply || !r.get_u32(stat))
        return REPLY_MALFORMED;
    if (xid != expected_xid)
        return REPLY_WRONG_XID;
    if (stat == msg_denied)
        return REPLY_REJECTED;
    if (stat != msg_accepted)
        return REPLY_MALFORMED;
    if (!r.get_u32(flavor) || !r.skip_opaque(max_auth_body) || !r.get_u32(accept))
        return REPLY_MALFORMED;
    return accept == SUCCESS ? REPLY_OK : REPLY_REJECTED;
}
