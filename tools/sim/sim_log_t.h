// Exchange log of the simulated load, one line per event:
//   <ms since start> <KIND> <link id or -> <payload>
// The payload is escaped so that a line holds any bytes losslessly:
// "\\" for a backslash, "\n", "\r", "\t", and "\xHH" for every other byte
// outside printable ASCII. Lines are flushed at once so tests can read them.
#ifndef WATTLEX_SIM_LOG_T_H
#define WATTLEX_SIM_LOG_T_H

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

class sim_log_t {
public:
    sim_log_t();
    ~sim_log_t();
    sim_log_t(const sim_log_t &) = delete;
    sim_log_t &operator=(const sim_log_t &) = delete;

    bool open(const std::string &path); // appends
    // lid < 0 prints "-"
    void line(const char *kind, int64_t lid, const std::string &payload);
    static std::string escape(const std::string &bytes);

private:
    std::mutex mutex_;
    FILE *file_ = nullptr;
    std::chrono::steady_clock::time_point start_;
};

#endif
