// libFuzzer target: the RPC record reader. The input is a byte stream cut
// into arrivals of fuzzer-chosen sizes; whatever the fragment headers say,
// every record taken is within the limit, made of the stream's own bytes,
// and the reader never takes more than arrived.
#include "fuzz_seed.h"
#include "rpc_record_buffer_t.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
std::string fragment(const std::string &body, bool last)
{
    const uint32_t mark = uint32_t(body.size()) | (last ? 0x80000000u : 0);
    std::string out;
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(char(mark >> s));
    return out + body;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    const std::string limit_and_cuts("\x80\x05", 2);
    fuzz_write_seeds(*argc, *argv,
                     {{"seed-one-record", limit_and_cuts + fragment("reply", true)},
                      {"seed-fragments", limit_and_cuts + fragment("ab", false) + fragment("", false) +
                                             fragment("cd", true) + fragment("next", true)},
                      {"seed-too-large", std::string("\x01\x07", 2) + fragment(std::string(40, 'x'), true)}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // First byte: the record limit; second: the seed of the arrival sizes
    const size_t max_size = size_t(data[0]) * 8;
    unsigned cut = data[1] | 1u;
    const char *p = reinterpret_cast<const char *>(data) + 2;
    size_t left = size - 2;

    rpc_record_buffer_t in;
    std::string msg;
    size_t arrived = 0, taken = 0;
    bool stuck = false;
    while (left && !stuck) {
        cut = cut * 1103515245u + 12345u;
        size_t n = 1 + (cut >> 16) % 97;
        if (n > left)
            n = left;
        in.append(p, n);
        p += n;
        left -= n;
        arrived += n;
        for (;;) {
            const rpc_record_buffer_t::take_t t = in.take(msg, max_size);
            if (t == rpc_record_buffer_t::TOO_LARGE) {
                stuck = true; // the caller drops the connection here
                break;
            }
            if (t == rpc_record_buffer_t::NEED_MORE)
                break;
            if (msg.size() > max_size)
                std::abort();
            taken += msg.size() + 4; // at least one header per record
            if (taken > arrived)
                std::abort();
        }
    }
    if (!stuck && !in.partial() && taken > arrived)
        std::abort();
    return 0;
}
