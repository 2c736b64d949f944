// Finds USB-TMC instruments through sysfs, as the Linux usbtmc driver
// registers them (class usbmisc, nodes /dev/usbtmcN). The sysfs and /dev
// roots come from WATTLEX_SYSFS_ROOT and WATTLEX_DEV_ROOT when set, so the
// mapping can be exercised against a fake tree.
#ifndef WATTLEX_USBTMC_FINDER_T_H
#define WATTLEX_USBTMC_FINDER_T_H

#include <cstdint>
#include <string>
#include <vector>

class usbtmc_finder_t {
public:
    struct device_t {
        std::string node;     // e.g. /dev/usbtmc0
        std::string resource; // USB0::0xVVVV::0xPPPP::SERIAL::INSTR
        uint16_t vendor = 0;
        uint16_t product = 0;
        std::string serial;
    };

    // Every usbtmc device present, ordered by node number.
    static std::vector<device_t> list();
    // Node of the device with these ids and serial (case-insensitive);
    // empty when none matches.
    static std::string find_node(uint16_t vendor, uint16_t product, const std::string &serial);

    // VISA find expression: '?' one character, '*' any run, "[...]" a set;
    // case-insensitive.
    static bool match(const std::string &expr, const std::string &name);
};

#endif
