// The simulated load's instrument: command parser and state model.
// The VXI-11 server owns one instance and calls it under one lock, so a
// reply always belongs to the message that produced it.
#ifndef WATTLEX_SIM_INSTRUMENT_H
#define WATTLEX_SIM_INSTRUMENT_H

#include <functional>
#include <memory>
#include <string>

struct sim_options {
    std::string idn = "Tervane,WLX1300X,SN000001,V1.00,V1.00";
    double time_scale = 1.0;       // simulated seconds per real second
    bool noise = false;            // deterministic noise on the readings
    // Where refusals and errors are reported (the server's exchange log).
    std::function<void(const std::string &)> log;
    // Real seconds from any fixed origin; empty: the steady clock. Tests
    // set a manual clock to step the simulation deterministically.
    std::function<double()> clock;
};

class sim_instrument {
public:
    explicit sim_instrument(const sim_options &opt = sim_options());
    ~sim_instrument();
    sim_instrument(const sim_instrument &) = delete;
    sim_instrument &operator=(const sim_instrument &) = delete;

    // One complete message as received (raw bytes, END seen). Returns true
    // and sets *reply when the message produces a reply (text replies end
    // with "\n"; binary exports are raw).
    bool execute(const std::string &message, std::string *reply);

    // device_trigger: same effect as "*TRG".
    void trigger();
    // device_remote / device_local
    void set_remote(bool remote);
    bool error_queue_empty() const;

private:
    struct impl;
    std::unique_ptr<impl> d;
};

#endif
