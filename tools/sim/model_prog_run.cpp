#include "model_prog_run.h"

#include <algorithm>
#include <limits>

void model_prog_run::set_idle()
{
    state_ = idle;
    step_ = 0;
}

void model_prog_run::arm()
{
    state_ = armed;
}

bool model_prog_run::trigger(const model_state::prog_cfg &cfg, double now)
{
    if (state_ == armed) {
        begin_ton(1, cfg, now); // the starting trigger releases step 1's pause
        return true;
    }
    if (state_ == paused) {
        begin_ton(step_, cfg, now);
        return true;
    }
    return false;
}

void model_prog_run::abort()
{
    if (active())
        state_ = aborted;
}

double model_prog_run::next_event() const
{
    if (state_ != running)
        return std::numeric_limits<double>::infinity();
    if (in_ton_)
        return measured_ ? ton_end_ : meas_at_;
    return toff_end_;
}

model_prog_run::due_t model_prog_run::due(double now) const
{
    if (state_ != running)
        return nothing;
    if (in_ton_) {
        if (!measured_)
            return meas_at_ <= now ? measure : nothing;
        return ton_end_ <= now ? ton_end : nothing;
    }
    return toff_end_ <= now ? toff_end : nothing;
}

void model_prog_run::finish_ton(bool fail_stop)
{
    if (fail_stop) {
        state_ = failed;
        in_ton_ = false;
        return;
    }
    in_ton_ = false;
    toff_end_ = ton_end_ + cur_.toff;
}

void model_prog_run::finish_toff(const model_state::prog_cfg &cfg)
{
    if (step_ >= cfg.steps) {
        state_ = completed;
        return;
    }
    begin_step(step_ + 1, cfg, toff_end_);
}

void model_prog_run::begin_step(int k, const model_state::prog_cfg &cfg, double t)
{
    if (k > 1 && cfg.step[k - 1].pause) {
        state_ = paused;
        step_ = k;
        in_ton_ = false;
        return;
    }
    begin_ton(k, cfg, t);
}

void model_prog_run::begin_ton(int k, const model_state::prog_cfg &cfg, double t)
{
    state_ = running;
    step_ = k;
    cur_ = cfg.step[k - 1];
    in_ton_ = true;
    measured_ = false;
    meas_at_ = t + std::min(cur_.tdly, cur_.ton);
    ton_end_ = t + cur_.ton;
}
