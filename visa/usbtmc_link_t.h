// One USB-TMC instrument through the Linux usbtmc driver: write() sends one
// message with EOM, read() returns one transfer, the timeout is the
// driver's (ioctl), viClear is the driver's clear.
#ifndef WATTLEX_USBTMC_LINK_T_H
#define WATTLEX_USBTMC_LINK_T_H

#include "visa.h"

#include <cstddef>
#include <string>

class usbtmc_link_t {
public:
    usbtmc_link_t() = default;
    ~usbtmc_link_t();
    usbtmc_link_t(const usbtmc_link_t &) = delete;
    usbtmc_link_t &operator=(const usbtmc_link_t &) = delete;

    ViStatus open(const std::string &node, ViUInt32 timeout_ms);
    ViStatus set_timeout(ViUInt32 timeout_ms);
    ViStatus write(const ViByte *buf, size_t len, size_t *written);
    ViStatus read(ViByte *buf, size_t cnt, size_t *got);
    ViStatus clear();
    void close();

private:
    int fd_ = -1;
};

#endif
