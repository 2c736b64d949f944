#include "rpc_record_buffer_t.h"

#include <cstdint>
#include <cstring>

namespace {
uint32_t mark_at(const std::string &b, size_t at)
{
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
           (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}
} // namespace

rpc_record_buffer_t::take_t rpc_record_buffer_t::take(std::string &msg, size_t max_size)
{
    // Walk the fragments without copying until the last one is complete
    size_t at = pos_;
    size_t total = 0;
    for (;;) {
        if (used_ - at < 4)
            return NEED_MORE;
        const uint32_t mark = mark_at(buf_, at);
        const size_t len = mark & 0x7FFFFFFFu;
        if (len > max_size || total > max_size - len)
            return TOO_LARGE;
        total += len;
        if (used_ - at - 4 < len)
            return NEED_MORE;
        at += 4 + len;
        if (mark & 0x80000000u)
            break;
    }
    msg.resize(total);
    size_t out = 0;
    for (size_t p = pos_; p < at;) {
        const size_t len = mark_at(buf_, p) & 0x7FFFFFFFu;
        if (len)
            std::memcpy(&msg[out], &buf_[p + 4], len);
        out += len;
        p += 4 + len;
    }
    pos_ = at;
    if (pos_ == used_)
        pos_ = used_ = 0;
    return RECORD;
}

char *rpc_record_buffer_t::space(size_t n)
{
    if (pos_ > 0 && pos_ >= used_ / 2) {
        // Drop what was taken before growing
        std::memmove(&buf_[0], &buf_[pos_], used_ - pos_);
        used_ -= pos_;
        pos_ = 0;
    }
    if (buf_.size() < used_ + n)
        buf_.resize(used_ + n);
    return &buf_[used_];
}

void rpc_record_buffer_t::commit(size_t n)
{
    used_ += n;
}

void rpc_record_buffer_t::append(const char *data, size_t n)
{
    if (n)
        std::memcpy(space(n), data, n);
    commit(n);
}

void rpc_record_buffer_t::clear()
{
    pos_ = used_ = 0;
    socket_wait_ms = -1;
}
