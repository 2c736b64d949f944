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

bool xdr_reader_t::get_opaque(std::string &out, size_t max_len)
{
    uint32_t len;
    if (!get_u32(len))
        return false;
    const size_t padded = (size_t(len) + 3) & ~size_t(3);
    if (len > max_len || padded > remaining())
        return fail();
    out.assign(p_, len);
    p_ += padded;
    return true;
}

bool xdr_reader_t::skip_opaque(size_t max_len)
{
    uint32_t len;
    if (!get_u32(len))
        return false;
    const size_t padded = (size_t(len) + 3) & ~size_t(3);
    if (len > max_len || padded > remaining())
        return fail();
    p_ += padded;
    return true;
}
