// State machine of a program run: each step sinks for Ton (measured Tdly
// into it), then idles for Toff; a step may pause the run until a trigger.
// The engine measures and judges; this class keeps the timing.
#ifndef WATTLEX_MODEL_PROG_RUN_H
#define WATTLEX_MODEL_PROG_RUN_H

#include "model_state.h"

class model_prog_run {
public:
    enum state_t { idle, armed, running, paused, completed, failed, aborted };
    enum due_t { nothing, measure, ton_end, toff_end };

    void set_idle();
    void arm();
    // ARMED: start at step 1 (the caller clears the results first);
    // PAUSED: go on with the paused step. False when the trigger does not apply.
    bool trigger(const model_state::prog_cfg &cfg, double now);
    void abort();

    double next_event() const;
    // What is due at now, in the order it must be handled.
    due_t due(double now) const;
    void set_measured() { measured_ = true; }
    // End of Ton: stop as failed, or go on with Toff.
    void finish_ton(bool fail_stop);
    // End of Toff: next step (read from cfg now) or completed.
    void finish_toff(const model_state::prog_cfg &cfg);

    state_t state() const { return state_; }
    int step() const { return step_; }
    bool active() const { return state_ == armed || state_ == running || state_ == paused; }
    // Sinking the step's demand (Ton of a running step).
    bool in_ton() const { return state_ == running && in_ton_; }
    const model_state::prog_step &current() const { return cur_; }

private:
    void begin_step(int k, const model_state::prog_cfg &cfg, double t);
    void begin_ton(int k, const model_state::prog_cfg &cfg, double t);

    state_t state_ = idle;
    int step_ = 0;
    bool in_ton_ = false;
    bool measured_ = false;
    double meas_at_ = 0;
    double ton_end_ = 0;
    double toff_end_ = 0;
    model_state::prog_step cur_{};
};

#endif
