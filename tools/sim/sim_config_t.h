// Command line of the simulated load.
#ifndef WATTLEX_SIM_CONFIG_T_H
#define WATTLEX_SIM_CONFIG_T_H

#include <cstdint>
#include <string>

class sim_config_t {
public:
    std::string address = "127.0.0.1";
    uint16_t portmap_port = 111;
    uint16_t core_port = 0;      // 0: any free port
    std::string idn;             // empty: the instrument's default identity
    std::string log_path;        // empty: no log
    long max_read_wait_ms = -1;  // cap of a device_read with nothing pending; -1: io_timeout
    double time_scale = 1.0;
    bool noise = false;
    // Fault modes for tests
    long stop_after = -1;        // messages after the Nth are ignored
    long delay_ms = 0;           // every reply becomes readable this much later
    bool garbage = false;        // replies replaced by garbage text
    bool oversize = false;       // replies blown up beyond any sane buffer
    long drop_after = -1;        // message N+1 closes the core connections
    bool refuse_link = false;    // create_link answers an error
    std::string fault_at;        // the faults above begin at the first message starting with this
    long fault_for = -1;         // the faults last this many messages from their start; -1: for good
    bool help = false;

    // Returns false with *error set on an unknown option or a bad value.
    bool parse(int argc, char **argv, std::string *error);
    static std::string usage();
};

#endif
