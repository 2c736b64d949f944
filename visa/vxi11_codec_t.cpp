#include "vxi11_codec_t.h"

#include "xdr_reader_t.h"
#include "xdr_writer_t.h"

namespace {
const size_t max_device_name = 256;
}

std::string vxi11_codec_t::encode(const mapping_t &m)
{
    xdr_writer_t w;
    w.put_u32(m.prog);
    w.put_u32(m.vers);
    w.put_u32(m.prot);
    w.put_u32(m.port);
    return w.take();
}

std::string vxi11_codec_t::encode(const create_link_parms_t &p)
{
    xdr_writer_t w;
    w.put_i32(p.client_id);
    w.put_bool(p.lock_device);
    w.put_u32(p.lock_timeout);
    w.put_string(p.device);
    return w.take();
}

std::string vxi11_codec_t::encode(const create_link_resp_t &r)
{
    xdr_writer_t w;
    w.put_i32(r.error);
    w.put_i32(r.lid);
    w.put_u32(r.abort_port);
    w.put_u32(r.max_recv_size);
    return w.take();
}

std::string vxi11_codec_t::encode(const write_parms_t &p)
{
    xdr_writer_t w;
    w.put_i32(p.lid);
    w.put_u32(p.io_timeout);
    w.put_u32(p.lock_timeout);
    w.put_i32(p.flags);
    w.put_string(p.data);
    return w.take();
}

std::string vxi11_codec_t::encode(const write_resp_t &r)
{
    xdr_writer_t w;
    w.put_i32(r.error);
    w.put_u32(r.size);
    return w.take();
}

std::string vxi11_codec_t::encode(const read_parms_t &p)
{
    xdr_writer_t w;
    w.put_i32(p.lid);
    w.put_u32(p.request_size);
    w.put_u32(p.io_timeout);
    w.put_u32(p.lock_timeout);
    w.put_i32(p.flags);
    w.put_u32(p.term_char);
    return w.take();
}

std::string vxi11_codec_t::encode(const read_resp_t &r)
{
    xdr_writer_t w;
    w.put_i32(r.error);
    w.put_i32(r.reason);
    w.put_string(r.data);
    return w.take();
}

std::string vxi11_codec_t::encode(const generic_parms_t &p)
{
    xdr_writer_t w;
    w.put_i32(p.lid);
    w.put_i32(p.flags);
    w.put_u32(p.lock_timeout);
    w.put_u32(p.io_timeout);
    return w.take();
}

std::string vxi11_codec_t::encode_lid(int32_t lid)
{
    xdr_writer_t w;
    w.put_i32(lid);
    return w.take();
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

bool vxi11_codec_t::decode(const char *data, size_t len, mapping_t &m)
{
    xdr_reader_t r(data, len);
    return r.get_u32(m.prog) && r.get_u32(m.vers) && r.get_u32(m.prot) && r.get_u32(m.port);
}

bool vxi11_codec_t::decode(const char *data, size_t len, create_link_parms_t &p)
{
    xdr_reader_t r(data, len);
    uint32_t lock;
    // lockDevice is a bool; be lenient about non-canonical values from clients
    return r.get_i32(p.client_id) && r.get_u32(lock) && (p.lock_device = lock != 0, true) &&
           r.get_u32(p.lock_timeout) && r.get_opaque(p.device, max_device_name);
}

bool vxi11_codec_t::decode(const char *data, size_t len, create_link_resp_t &resp)
{
    xdr_reader_t r(data, len);
    return r.get_i32(resp.error) && r.get_i32(resp.lid) && r.get_u32(resp.abort_port) &&
           r.get_u32(resp.max_recv_size);
}

bool vxi11_codec_t::decode(const char *data, size_t len, write_parms_t &p)
{
    xdr_reader_t r(data, len);
    return r.get_i32(p.lid) && r.get_u32(p.io_timeout) && r.get_u32(p.lock_timeout) &&
           r.get_i32(p.flags) && r.get_opaque(p.data, max_data);
}

bool vxi11_codec_t::decode(const char *data, size_t len, write_resp_t &resp)
{
    xdr_reader_t r(data, len);
    return r.get_i32(resp.error) && r.get_u32(resp.size);
}

bool vxi11_codec_t::decode(const char *data, size_t len, read_parms_t &p)
{
    xdr_reader_t r(data, len);
    return r.get_i32(p.lid) && r.get_u32(p.request_size) && r.get_u32(p.io_timeout) &&
           r.get_u32(p.lock_timeout) && r.get_i32(p.flags) && r.get_u32(p.term_char);
}

bool vxi11_codec_t::decode(const char *data, size_t len, read_resp_t &resp)
{
    xdr_reader_t r(data, len);
    return r.get_i32(resp.error) && r.get_i32(resp.reason) && r.get_opaque(resp.data, max_data);
}

bool vxi11_codec_t::decode(const char *data, size_t len, generic_parms_t &p)
{
    xdr_reader_t r(data, len);
    return r.get_i32(p.lid) && r.get_i32(p.flags) && r.get_u32(p.lock_timeout) &&
           r.get_u32(p.io_timeout);
}

bool vxi11_codec_t::decode_lid(const char *data, size_t len, int32_t &lid)
{
    xdr_reader_t r(data, len);
    return r.get_i32(lid);
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
