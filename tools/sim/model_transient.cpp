#include "model_transient.h"

#include "model_state.h"

#include <cmath>
#include <limits>

namespace {
// Phases are judged a little after t so that a boundary computed from the
// same formula counts as the start of the new phase.
const double edge = 1e-9;
} // namespace

void model_transient::restart(double now)
{
    t0_ = now;
    pulse_end_ = -1;
    toggle_b_ = false;
}

void model_transient::trigger(int mode, double bwid, double now)
{
    if (mode == tran_pulse)
        pulse_end_ = now + bwid;
    else if (mode == tran_toggle)
        toggle_b_ = !toggle_b_;
}

bool model_transient::at_b(int mode, double awid, double bwid, double t) const
{
    switch (mode) {
    case tran_pulse:
        return t + edge < pulse_end_;
    case tran_toggle:
        return toggle_b_;
    default: {
        const double period = awid + bwid;
        if (period <= 0)
            return false;
        const double r = std::fmod(t - t0_ + edge, period);
        return r >= awid;
    }
    }
}

double model_transient::next_change(int mode, double awid, double bwid, double t) const
{
    const double inf = std::numeric_limits<double>::infinity();
    switch (mode) {
    case tran_pulse:
        return t + edge < pulse_end_ ? pulse_end_ : inf;
    case tran_toggle:
        return inf;
    default: {
        const double period = awid + bwid;
        if (period <= 0)
            return inf;
        const double n = std::floor((t - t0_ + edge) / period);
        const double b_start = t0_ + n * period + awid;
        if (b_start > t + edge)
            return b_start;
        return t0_ + (n + 1) * period;
    }
    }
}
