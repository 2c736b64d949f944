#include "xdr_writer_t.h"

void xdr_writer_t::put_u32(uint32_t v)
{
    const char b[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 8), static_cast<char>(v)};
    buf_.append(b, 4);
}

void xdr_writer_t::put_opaque(const void *data, size_t len)
{
    put_u32(static_cast<uint32_t>(len));
    if (len)
        buf_.append(static_cast<const char *>(data), len);
    const size_t pad = (4 - (len & 3)) & 3;
    buf_.append(pad, '\0');
}
