// Bytes of an RPC stream received but not yet taken: the record marking of
// TCP (4-byte fragment headers, last-fragment bit) is undone here, apart
// from the socket, so one receive can bring in a header, a body and the
// start of the next record without extra system calls.
#ifndef WATTLEX_RPC_RECORD_BUFFER_T_H
#define WATTLEX_RPC_RECORD_BUFFER_T_H

#include <cstddef>
#include <string>

class rpc_record_buffer_t {
public:
    enum take_t {
        RECORD,    // msg holds one whole record, its bytes are gone
        NEED_MORE, // no whole record yet; nothing taken
        TOO_LARGE  // the record being received exceeds max_size
    };

    // Takes the first whole record (all its fragments joined).
    take_t take(std::string &msg, size_t max_size);

    // Room for n more bytes at the end; commit() says how many arrived.
    char *space(size_t n);
    void commit(size_t n);
    void append(const char *data, size_t n);

    // Bytes of a record begun but not complete are waiting.
    bool partial() const { return pos_ < used_; }
    void clear();

    // The receive time-out last set on the connection's socket (ms, 0: none,
    // -1: not set by us), so it is set again only when it must change.
    long socket_wait_ms = -1;

private:
    std::string buf_;
    size_t pos_ = 0;  // first byte not yet taken
    size_t used_ = 0; // bytes of buf_ holding data (space() grows beyond)
};

#endif
