// State machine of a list run: armed by the input, started by a trigger,
// stepping through the list captured at the trigger.
#ifndef WATTLEX_MODEL_LIST_RUN_H
#define WATTLEX_MODEL_LIST_RUN_H

#include "model_state.h"

class model_list_run {
public:
    enum state_t { idle, armed, running, halted, ended, aborted };

    void set_idle();
    void arm();
    // Starts an armed run with the list as it is now. Returns false when the
    // trigger does not apply. The run may end at once (no step with a width).
    bool trigger(const model_state::list_cfg &cfg, double now);
    void halt();
    // The input went off for another reason than the end of the run.
    void abort();
    // Time of the next step change, or infinity.
    double next_event() const;
    // Moves through every step change due at now.
    void on_time(double now);

    state_t state() const { return state_; }
    int step() const { return step_; }
    bool active() const { return state_ == armed || state_ == running || state_ == halted; }
    bool sinking() const { return state_ == running || state_ == halted; }
    const model_state::list_cfg &cfg() const { return cfg_; }
    double level() const { return step_ > 0 ? cfg_.lev[step_ - 1] : 0; }

private:
    // Enters the next step with a width after the present one, starting at
    // t; false when the run is over.
    bool enter_next(double t);

    state_t state_ = idle;
    int step_ = 0;
    int rep_ = 0;
    double step_end_ = 0;
    model_state::list_cfg cfg_{};
};

#endif
