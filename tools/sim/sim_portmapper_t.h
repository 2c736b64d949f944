// The simulated load's embedded portmapper (program 100000 version 2): it
// knows itself on TCP and UDP and the core channel on TCP, so standard
// tools (rpcinfo -p) can list and reach the load.
#ifndef WATTLEX_SIM_PORTMAPPER_T_H
#define WATTLEX_SIM_PORTMAPPER_T_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "rpc_message_t.h"
#include "vxi11_codec_t.h"

class sim_portmapper_t {
public:
    sim_portmapper_t(uint16_t core_port, uint16_t tcp_port, uint16_t udp_port);

    // Reply to a portmapper call whose header is already decoded.
    std::string handle(const rpc_message_t::call_t &call, const char *args, size_t len) const;

private:
    static const int n_maps = 3;
    uint32_t port_of(uint32_t prog, uint32_t vers, uint32_t prot) const;

    vxi11_codec_t::mapping_t maps_[n_maps];
};

#endif
