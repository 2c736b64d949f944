// The simulated load's embedded portmapper (program 100000 version 2): it
// knows one mapping, the core channel on TCP.
#ifndef WATTLEX_SIM_PORTMAPPER_T_H
#define WATTLEX_SIM_PORTMAPPER_T_H

#include <cstdint>
#include <string>

#include "rpc_message_t.h"

class sim_portmapper_t {
public:
    explicit sim_portmapper_t(uint16_t core_port) : core_port_(core_port) {}

    // Reply to a portmapper call whose header is already decoded.
    std::string handle(const rpc_message_t::call_t &call, const char *args, size_t len) const;

private:
    uint16_t core_port_;
};

#endif
