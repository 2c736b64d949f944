// A parsed VISA resource name. Accepted forms (case-insensitive):
//   TCPIP[board]::host[::device]::INSTR          device defaults to inst0
//   USB[board]::vendor::product::serial[::interface]::INSTR
// Vendor and product are hexadecimal with 0x, or decimal.
#ifndef WATTLEX_VISA_RESOURCE_T_H
#define WATTLEX_VISA_RESOURCE_T_H

#include <cstdint>
#include <string>

class visa_resource_t {
public:
    enum kind_t { NONE, TCPIP, USB };

    static bool parse(const std::string &name, visa_resource_t &out);
    // USB resource name as viFindRsrc reports it.
    static std::string usb_name(uint16_t vendor, uint16_t product, const std::string &serial);

    kind_t kind = NONE;
    unsigned board = 0;
    std::string host;             // TCPIP
    std::string device = "inst0"; // TCPIP
    uint16_t vendor = 0;          // USB
    uint16_t product = 0;
    std::string serial;
    int usb_interface = -1;       // -1: not given
};

#endif
