// XDR decoder over a byte range it does not own. Every getter checks the
// remaining length, so truncated or hostile input fails instead of reading
// past the end; after the first failure ok() stays false.
#ifndef WATTLEX_XDR_READER_T_H
#define WATTLEX_XDR_READER_T_H

#include <cstddef>
#include <cstdint>
#include <string>

class xdr_reader_t {
public:
    xdr_reader_t(const char *data, size_t len) : p_(data), end_(data + len) {}
    explicit xdr_reader_t(const std::string &s) : xdr_reader_t(s.data(), s.size()) {}

    bool get_u32(uint32_t &v);
    bool get_i32(int32_t &v);
    bool get_bool(bool &v);
    // Opaque<> with at most max_len bytes; padding must be present.
    bool get_opaque(std::string &out, size_t max_len);
    bool skip_opaque(size_t max_len);

    size_t remaining() const { return static_cast<size_t>(end_ - p_); }
    const char *position() const { return p_; }
    bool ok() const { return ok_; }

private:
    bool fail() { ok_ = false; return false; }
    // Steps over an opaque<> of at most max_len bytes and its padding; its
    // bytes are at `data`.
    bool take_opaque(size_t max_len, const char *&data, size_t &len);

    const char *p_;
    const char *end_;
    bool ok_ = true;
};

#endif
