// The load's error queue, read oldest first by "SYST:ERR?". Bounded: when
// full, the newest entry becomes a queue overflow.
#ifndef WATTLEX_MODEL_ERROR_QUEUE_H
#define WATTLEX_MODEL_ERROR_QUEUE_H

#include <deque>
#include <string>

class model_error_queue {
public:
    static constexpr int undefined_header = -113;
    static constexpr int parameter_not_allowed = -108;
    static constexpr int missing_parameter = -109;
    static constexpr int illegal_parameter = -224;
    static constexpr int out_of_range = -222;
    static constexpr int settings_conflict = -221;
    static constexpr int trigger_ignored = -211;
    static constexpr int queue_overflow = -350;

    static const char *text(int code);

    void push(int code);
    // "-113,\"Undefined header\"" or "0,\"No error\"".
    std::string pop();
    bool empty() const { return q_.empty(); }
    void clear() { q_.clear(); }

private:
    static constexpr std::size_t capacity = 32;
    std::deque<int> q_;
};

#endif
