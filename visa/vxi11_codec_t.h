// VXI-11 core channel: program numbers, procedure numbers, and the XDR form
// of the arguments and results the client and the simulated load exchange.
// Encoders and decoders for both directions live here so the two sides can
// never disagree on a layout.
#ifndef WATTLEX_VXI11_CODEC_T_H
#define WATTLEX_VXI11_CODEC_T_H

#include <cstdint>
#include <string>

class vxi11_codec_t {
public:
    static const uint32_t portmap_prog = 100000;
    static const uint32_t portmap_vers = 2;
    static const uint32_t pmap_getport = 3;
    static const uint32_t ipproto_tcp = 6;
    static const uint32_t core_prog = 0x0607AF;
    static const uint32_t core_vers = 1;

    enum proc_t : uint32_t {
        create_link = 10,
        device_write = 11,
        device_read = 12,
        device_readstb = 13,
        device_trigger = 14,
        device_clear = 15,
        device_remote = 16,
        device_local = 17,
        device_lock = 18,
        device_unlock = 19,
        device_enable_srq = 20,
        device_docmd = 22,
        destroy_link = 23,
        create_intr_chan = 25,
        destroy_intr_chan = 26
    };

    enum error_t : int32_t {
        err_none = 0,
        err_syntax = 1,
        err_not_accessible = 3,
        err_invalid_link = 4,
        err_parameter = 5,
        err_no_channel = 6,
        err_not_supported = 8,
        err_out_of_resources = 9,
        err_io_timeout = 15,
        err_io = 17
    };

    static const int32_t flag_waitlock = 0x01;
    static const int32_t flag_end = 0x08;
    static const int32_t flag_termchar = 0x80;
    static const int32_t reason_reqcnt = 0x01;
    static const int32_t reason_chr = 0x02;
    static const int32_t reason_end = 0x04;

    // Longest opaque the decoders accept (a whole message or reply block).
    static const size_t max_data = 16u * 1024 * 1024;

    struct mapping_t {
        uint32_t prog = 0, vers = 0, prot = 0, port = 0;
    };
    struct create_link_parms_t {
        int32_t client_id = 0;
        bool lock_device = false;
        uint32_t lock_timeout = 0;
        std::string device;
    };
    struct create_link_resp_t {
        int32_t error = 0;
        int32_t lid = 0;
        uint32_t abort_port = 0;
        uint32_t max_recv_size = 0;
    };
    struct write_parms_t {
        int32_t lid = 0;
        uint32_t io_timeout = 0;
        uint32_t lock_timeout = 0;
        int32_t flags = 0;
        std::string data;
    };
    struct write_resp_t {
        int32_t error = 0;
        uint32_t size = 0;
    };
    struct read_parms_t {
        int32_t lid = 0;
        uint32_t request_size = 0;
        uint32_t io_timeout = 0;
        uint32_t lock_timeout = 0;
        int32_t flags = 0;
        uint32_t term_char = 0;
    };
    struct read_resp_t {
        int32_t error = 0;
        int32_t reason = 0;
        std::string data;
    };
    // device_readstb, _trigger, _clear, _remote, _local
    struct generic_parms_t {
        int32_t lid = 0;
        int32_t flags = 0;
        uint32_t lock_timeout = 0;
        uint32_t io_timeout = 0;
    };

    static std::string encode(const mapping_t &m);
    static std::string encode(const create_link_parms_t &p);
    static std::string encode(const create_link_resp_t &r);
    static std::string encode(const write_parms_t &p);
    static std::string encode(const write_resp_t &r);
    static std::string encode(const read_parms_t &p);
    static std::string encode(const read_resp_t &r);
    static std::string encode(const generic_parms_t &p);
    static std::string encode_lid(int32_t lid);     // destroy_link, device_unlock
    static std::string encode_error(int32_t error); // Device_Error
    static std::string encode_u32(uint32_t v);

    // Decoders take the bytes after the RPC header and fail on short,
    // oversized or malformed input.
    static bool decode(const char *data, size_t len, mapping_t &m);
    static bool decode(const char *data, size_t len, create_link_parms_t &p);
    static bool decode(const char *data, size_t len, create_link_resp_t &r);
    static bool decode(const char *data, size_t len, write_parms_t &p);
    static bool decode(const char *data, size_t len, write_resp_t &r);
    static bool decode(const char *data, size_t len, read_parms_t &p);
    static bool decode(const char *data, size_t len, read_resp_t &r);
    static bool decode(const char *data, size_t len, generic_parms_t &p);
    static bool decode_lid(const char *data, size_t len, int32_t &lid);
    static bool decode_error(const char *data, size_t len, int32_t &error);
    static bool decode_u32(const char *data, size_t len, uint32_t &v);
};

#endif
