#include "model_list_run.h"

#include <limits>

void model_list_run::set_idle()
{
    state_ = idle;
    step_ = 0;
}

void model_list_run::arm()
{
    state_ = armed;
}

bool model_list_run::trigger(const model_state::list_cfg &cfg, double now)
{
    if (state_ != armed)
        return false;
    cfg_ = cfg;
    state_ = running;
    step_ = 0;
    rep_ = 1;
    if (!enter_next(now))
        state_ = ended;
    return true;
}

void model_list_run::halt()
{
    if (state_ == running)
        state_ = halted;
}

void model_list_run::abort()
{
    if (active())
        state_ = aborted;
}

double model_list_run::next_event() const
{
    return state_ == running ? step_end_ : std::numeric_limits<double>::infinity();
}

void model_list_run::on_time(double now)
{
    while (state_ == running && step_end_ <= now) {
        if (!enter_next(step_end_))
            state_ = ended;
    }
}

bool model_list_run::enter_next(double t)
{
    const int steps = cfg_.steps;
    bool any = false;
    for (int s = 0; s < steps; ++s)
        any = any || cfg_.wid[s] > 0;
    if (!any)
        return false; // nothing to hold, not even an endless list
    int from = step_; // 1-based step just finished, 0 before the first
    for (;;) {
        for (int s = from + 1; s <= steps; ++s) {
            if (cfg_.wid[s - 1] > 0) {
                step_ = s;
                step_end_ = t + cfg_.wid[s - 1];
                return true;
            }
        }
        if (cfg_.count != 0 && rep_ >= cfg_.count)
            return false;
        ++rep_;
        from = 0;
    }
}
