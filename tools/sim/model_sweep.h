// The stepped sweep of an OCP (current) or OPP (power) test: start,
// start + step, ... up to end, each value held for the block's delay.
#ifndef WATTLEX_MODEL_SWEEP_H
#define WATTLEX_MODEL_SWEEP_H

#include "model_state.h"

class model_sweep {
public:
    // False when the block gives no value at all (start above end).
    bool start(const model_state::test_block &b, double now);
    void stop() { active_ = false; }
    bool active() const { return active_; }
    double value() const;
    double next_event() const;
    // Holds elapsed up to now: moves on; false when the sweep is exhausted.
    bool on_time(double now);

private:
    bool active_ = false;
    long long j_ = 0;
    long long count_ = 0;
    double start_ = 0;
    double step_ = 0;
    double delay_ = 0;
    double hold_end_ = 0;
};

#endif
