// XDR encoder: 4-byte big-endian words, opaque data padded to 4 bytes.
#ifndef WATTLEX_XDR_WRITER_T_H
#define WATTLEX_XDR_WRITER_T_H

#include <cstddef>
#include <cstdint>
#include <string>

class xdr_writer_t {
public:
    void put_u32(uint32_t v);
    void put_i32(int32_t v) { put_u32(static_cast<uint32_t>(v)); }
    void put_bool(bool v) { put_u32(v ? 1u : 0u); }
    // Variable-length opaque<> / string<>: length word, bytes, zero padding.
    void put_opaque(const void *data, size_t len);
    void put_string(const std::string &s) { put_opaque(s.data(), s.size()); }
    // Bytes already in XDR form (e.g. encoded procedure arguments).
    void put_raw(const std::string &bytes) { buf_ += bytes; }

    const std::string &data() const { return buf_; }
    std::string take() { std::string out; out.swap(buf_); return out; }

private:
    std::string buf_;
};

#endif
