// The binary list (1232 bytes) and program (1927 bytes) blocks: byte 0 is
// the NOT of the XOR of all other bytes, integers and float32 values are
// little-endian, reserved bytes are 0.
#ifndef WATTLEX_MODEL_BLOCK_CODEC_H
#define WATTLEX_MODEL_BLOCK_CODEC_H

#include "model_state.h"

#include <string>

class model_block_codec {
public:
    static constexpr std::size_t list_size = 1232;
    static constexpr std::size_t prog_size = 1927;

    static std::string encode_list(const model_state::list_cfg &l);
    static std::string encode_prog(const model_state::prog_cfg &p);
    // Checks size, check byte, tag and every field against its valid range
    // (levels judged with the block's own mode and ranges). On failure
    // *out is untouched and *why says what is wrong.
    static bool decode_list(const std::string &b, const model_state &st, model_state::list_cfg *out,
                            std::string *why);
    static bool decode_prog(const std::string &b, const model_state &st, model_state::prog_cfg *out,
                            std::string *why);
    static unsigned char check_byte(const std::string &b);
};

#endif
