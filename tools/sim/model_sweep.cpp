#include "model_sweep.h"

#include <cmath>
#include <limits>

bool model_sweep::start(const model_state::test_block &b, double now)
{
    start_ = b.start;
    step_ = b.step;
    delay_ = b.delay;
    j_ = 0;
    if (b.start > b.end + 1e-9)
        count_ = 0;
    else if (b.step <= 0)
        count_ = 1;
    else
        count_ = static_cast<long long>(std::floor((b.end - b.start + 1e-9) / b.step)) + 1;
    active_ = count_ > 0;
    hold_end_ = now + delay_;
    return active_;
}

double model_sweep::value() const
{
    return start_ + double(j_) * step_;
}

double model_sweep::next_event() const
{
    return active_ ? hold_end_ : std::numeric_limits<double>::infinity();
}

bool model_sweep::on_time(double now)
{
    if (!active_ || hold_end_ > now)
        return active_;
    ++j_;
    if (j_ >= count_) {
        active_ = false;
        return false;
    }
    hold_end_ += delay_;
    return true;
}
