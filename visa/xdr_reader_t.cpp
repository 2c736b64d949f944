#include "xdr_reader_t.h"

bool xdr_reader_t::get_u32(uint32_t &v)
{
    if (!ok_ || remaining() < 4)
        return fail();
    const auto *b = reinterpret_cast<const unsigned char *>(p_);
    v = (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | uint32_t(b[3]);
    p_ += 4;
    return true;
}

bool xdr_reader_t::get_i32(int32_t &v)
{
    uint32_t u;
    if (!get_u32(u))
        return false;
    v = static_cast<int32_t>(u);
    return true;
}

bool xdr_reader_t::get_bool(bool &v)
{
    uint32_t u;
    if (!get_u32(u))
        return false;
    if (u > 1)
        return fail();
    v = u != 0;
    return true;
}

bool xdr_reader_t::take_opaque(size_t max_len, const char *&data, size_t &len)
{
    uint32_t n;
    if (!get_u32(n))
        return false;
    const size_t padded = (size_t(n) + 3) & ~size_t(3);
    if (n > max_len || padded > remaining())
        return fail();
    data = p_;
    len = n;
    p_ += padded;
    return true;
}

bool xdr_reader_t::get_opaque(std::string &out, size_t max_len)
{
    const char *data;
    size_t len;
    if (!take_opaque(max_len, data, len))
        return false;
    out.assign(data, len);
    return true;
}

bool xdr_reader_t::skip_opaque(size_t max_len)
{
    const char *data;
    size_t len;
    return take_opaque(max_len, data, len);
}
