#include "vxi11_codec_t.h"

#include "xdr_reader_t.h"
#include "xdr_writer_t.h"

namespace {

const size_t max_device_name = 256;
using codec = vxi11_codec_t;

// Each layout below is written once and walked by both directions: put_t
// writes the fields in order, get_t reads them back and fails on short,
// oversized or malformed input.
struct put_t {
    xdr_writer_t w;
    bool u32(uint32_t v) { w.put_u32(v); return true; }
    bool i32(int32_t v) { w.put_i32(v); return true; }
    bool flag(bool v) { w.put_bool(v); return true; }
    bool opaque(const std::string &s, size_t) { w.put_string(s); return true; }
};

struct get_t {
    xdr_reader_t r;
    bool u32(uint32_t &v) { return r.get_u32(v); }
    bool i32(int32_t &v) { return r.get_i32(v); }
    // lockDevice is a bool; be lenient about non-canonical values from clients
    bool flag(bool &v)
    {
        uint32_t u;
        if (!r.get_u32(u))
            return false;
        v = u != 0;
        return true;
    }
    bool opaque(std::string &s, size_t max_len) { return r.get_opaque(s, max_len); }
};

template <class io_t> bool fields(io_t &io, codec::mapping_t &m)
{
    return io.u32(m.prog) && io.u32(m.vers) && io.u32(m.prot) && io.u32(m.port);
}

template <class io_t> bool fields(io_t &io, codec::create_link_parms_t &p)
{
    return io.i32(p.client_id) && io.flag(p.lock_device) && io.u32(p.lock_timeout) &&
           io.opaque(p.device, max_device_name);
}

template <class io_t> bool fields(io_t &io, codec::create_link_resp_t &r)
{
    return io.i32(r.error) && io.i32(r.lid) && io.u32(r.abort_port) && io.u32(r.max_recv_size);
}

template <class io_t> bool fields(io_t &io, codec::write_parms_t &p)
{
    return io.i32(p.lid) && io.u32(p.io_timeout) && io.u32(p.lock_timeout) && io.i32(p.flags) &&
           io.opaque(p.data, codec::max_data);
}

template <class io_t> bool fields(io_t &io, codec::write_resp_t &r)
{
    return io.i32(r.error) && io.u32(r.size);
}

template <class io_t> bool fields(io_t &io, codec::read_parms_t &p)
{
    return io.i32(p.lid) && io.u32(p.request_size) && io.u32(p.io_timeout) && io.u32(p.lock_timeout) &&
           io.i32(p.flags) && io.u32(p.term_char);
}

template <class io_t> bool fields(io_t &io, codec::read_resp_t &r)
{
    return io.i32(r.error) && io.i32(r.reason) && io.opaque(r.data, codec::max_data);
}

template <class io_t> bool fields(io_t &io, codec::generic_parms_t &p)
{
    return io.i32(p.lid) && io.i32(p.flags) && io.u32(p.lock_timeout) && io.u32(p.io_timeout);
}

template <class T> std::string encoded(const T &v)
{
    put_t io;
    // put_t only reads the fields: the layout is shared with get_t, which fills them.
    fields(io, const_cast<T &>(v));
    return io.w.take();
}

template <class T> bool decoded(const char *data, size_t len, T &v)
{
    get_t io{xdr_reader_t(data, len)};
    return fields(io, v);
}

} // namespace

std::string vxi11_codec_t::encode(const mapping_t &m) { return encoded(m); }
std::string vxi11_codec_t::encode(const create_link_parms_t &p) { return encoded(p); }
std::string vxi11_codec_t::encode(const create_link_resp_t &r) { return encoded(r); }
std::string vxi11_codec_t::encode(const write_parms_t &p) { return encoded(p); }
std::string vxi11_codec_t::encode(const write_resp_t &r) { return encoded(r); }
std::string vxi11_codec_t::encode(const read_parms_t &p) { return encoded(p); }
std::string vxi11_codec_t::encode(const read_resp_t &r) { return encoded(r); }
std::string vxi11_codec_t::encode(const generic_parms_t &p) { return encoded(p); }

bool vxi11_codec_t::decode(const char *data, size_t len, mapping_t &m) { return decoded(data, len, m); }
bool vxi11_codec_t::decode(const char *data, size_t len, create_link_parms_t &p) { return decoded(data, len, p); }
bool vxi11_codec_t::decode(const char *data, size_t len, create_link_resp_t &r) { return decoded(data, len, r); }
bool vxi11_codec_t::decode(const char *data, size_t len, write_parms_t &p) { return decoded(data, len, p); }
bool vxi11_codec_t::decode(const char *data, size_t len, write_resp_t &r) { return decoded(data, len, r); }
bool vxi11_codec_t::decode(const char *data, size_t len, read_parms_t &p) { return decoded(data, len, p); }
bool vxi11_codec_t::decode(const char *data, size_t len, read_resp_t &r) { return decoded(data, len, r); }
bool vxi11_codec_t::decode(const char *data, size_t len, generic_parms_t &p) { return decoded(data, len, p); }

// Device_Link and Device_Error are both one int.
std::string vxi11_codec_t::encode_lid(int32_t lid)
{
    return encode_error(lid);
}

std::string vxi11_codec_t::encode_error(int32_t error)
{
    xdr_writer_t w;
    w.put_i32(error);
    return w.take();
}

std::string vxi11_codec_t::encode_u32(uint32_t v)
{
    xdr_writer_t w;
    w.put_u32(v);
    return w.take();
}

bool vxi11_codec_t::decode_lid(const char *data, size_t len, int32_t &lid)
{
    return decode_error(data, len, lid);
}

bool vxi11_codec_t::decode_error(const char *data, size_t len, int32_t &error)
{
    xdr_reader_t r(data, len);
    return r.get_i32(error);
}

bool vxi11_codec_t::decode_u32(const char *data, size_t len, uint32_t &v)
{
    xdr_reader_t r(data, len);
    return r.get_u32(v);
}
