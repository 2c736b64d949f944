// A simulated load instrument on a manual clock, with helpers that check
// the reply rules: a set gives no reply, a query exactly one.
#ifndef WATTLEX_SIM_RIG_H
#define WATTLEX_SIM_RIG_H

#include "sim_instrument.h"

#include <memory>
#include <string>
#include <vector>

class sim_rig {
public:
    explicit sim_rig(const std::string &idn = std::string(), bool noise = false);

    // Runs a query and returns its reply ("" and a failed check when none).
    std::string q(const std::string &msg);
    // Reply without its line feed.
    std::string v(const std::string &msg);
    double num(const std::string &msg);
    // Sends a set; true when it produced no reply and no error.
    bool w(const std::string &msg);
    // Sends a message expected to fail: no reply, and returns the error
    // number popped from the queue.
    int refused(const std::string &msg);
    // Raw execute.
    bool exec(const std::string &msg, std::string *reply);
    void advance(double seconds) { now += seconds; }

    double now = 1000; // real seconds of the manual clock
    std::vector<std::string> log;
    std::unique_ptr<sim_instrument> inst;
};

#endif
