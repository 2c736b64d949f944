// libFuzzer target: the client's decoding of RPC replies and VXI-11
// results must reject any malformed input without reading out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "rpc_message_t.h"
#include "vxi11_codec_t.h"
#include "xdr_reader_t.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *p = reinterpret_cast<const char *>(data);
    xdr_reader_t r(p, size);
    uint32_t xid = 0;
    const uint32_t expected = size >= 4 ? (uint32_t(data[0]) << 24 | uint32_t(data[1]) << 16 |
                                           uint32_t(data[2]) << 8 | uint32_t(data[3]))
                                        : 0;
    if (rpc_message_t::parse_reply(r, expected, &xid) != rpc_message_t::REPLY_OK)
        return 0;
    const char *res = r.position();
    const size_t len = r.remaining();
    vxi11_codec_t::read_resp_t rd;
    if (vxi11_codec_t::decode(res, len, rd) && rd.data.size() > len)
        __builtin_trap();
    vxi11_codec_t::create_link_resp_t cl;
    vxi11_codec_t::decode(res, len, cl);
    vxi11_codec_t::write_resp_t wr;
    vxi11_codec_t::decode(res, len, wr);
    int32_t error;
    vxi11_codec_t::decode_error(res, len, error);
    uint32_t port;
    vxi11_codec_t::decode_u32(res, len, port);
    return 0;
}
