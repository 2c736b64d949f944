// ONC RPC version 2 message headers (calls and replies), AUTH_NULL only on
// the sending side; any credential flavour is accepted and skipped.
#ifndef WATTLEX_RPC_MESSAGE_T_H
#define WATTLEX_RPC_MESSAGE_T_H

#include <cstdint>
#include <string>

class xdr_reader_t;

class rpc_message_t {
public:
    enum accept_stat_t : uint32_t {
        SUCCESS = 0,
        PROG_UNAVAIL = 1,
        PROG_MISMATCH = 2,
        PROC_UNAVAIL = 3,
        GARBAGE_ARGS = 4,
        SYSTEM_ERR = 5
    };

    struct call_t {
        uint32_t xid = 0;
        uint32_t rpcvers = 0;
        uint32_t prog = 0;
        uint32_t vers = 0;
        uint32_t proc = 0;
    };

    // Outcome of decoding a reply.
    enum reply_status_t {
        REPLY_OK,          // accepted, SUCCESS; results follow
        REPLY_WRONG_XID,   // well formed, but answers another call
        REPLY_REJECTED,    // MSG_DENIED or accept_stat other than SUCCESS
        REPLY_MALFORMED
    };

    // Call message: header with AUTH_NULL credential and verifier, then args.
    static std::string build_call(uint32_t xid, uint32_t prog, uint32_t vers, uint32_t proc,
                                  const std::string &args);

    // Decodes a call header. On success the reader stands at the arguments.
    // Returns false when the message is not a well-formed call.
    static bool parse_call(xdr_reader_t &r, call_t &call);

    static std::string build_success(uint32_t xid, const std::string &results);
    static std::string build_accept_error(uint32_t xid, accept_stat_t stat);
    static std::string build_prog_mismatch(uint32_t xid, uint32_t low, uint32_t high);
    // MSG_DENIED / RPC_MISMATCH (2, 2) for an rpcvers other than 2.
    static std::string build_rpc_mismatch(uint32_t xid);

    // Decodes a reply header; on REPLY_OK the reader stands at the results.
    // *xid receives the reply's xid whenever it could be read.
    static reply_status_t parse_reply(xdr_reader_t &r, uint32_t expected_xid, uint32_t *xid = nullptr);
};

#endif
