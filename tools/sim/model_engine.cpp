#include "model_engine.h"

#include "model_text.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

model_demand::kind_t kind_of(int f)
{
    switch (f) {
    case func_curr:
        return model_demand::cc;
    case func_volt:
        return model_demand::cv;
    case func_res:
        return model_demand::cr;
    case func_pow:
        return model_demand::cp;
    default:
        return model_demand::led;
    }
}

// The value as the program reads it: printed with 6 significant digits.
double as_printed(double v)
{
    double r = v;
    model_text::parse_number(model_text::format_number(v), &r);
    return r;
}

} // namespace

model_engine::model_engine(double pmax, std::function<double()> clock, double time_scale)
    : st(pmax), clock_(std::move(clock))
{
    if (!clock_) {
        clock_ = [] {
            using namespace std::chrono;
            return duration<double>(steady_clock::now().time_since_epoch()).count();
        };
    }
    st.sim.time_scale = time_scale > 0 ? time_scale : 1;
    real_base_ = clock_();
}

double model_engine::clock_now() const
{
    return sim_base_ + (clock_() - real_base_) * st.sim.time_scale;
}

void model_engine::sync()
{
    const double t = clock_now();
    if (t > now_)
        advance_to(t);
}

void model_engine::set_time_scale(double scale)
{
    sync();
    real_base_ = clock_();
    sim_base_ = now_;
    st.sim.time_scale = scale;
}

// ---- source and operating point -------------------------------------------

double model_engine::battery_voc() const
{
    const model_state::sim_params &s = st.sim;
    const double used = s.qnom > 0 ? std::min(std::max(s.q_used, 0.0) / s.qnom, 1.0) : 1.0;
    return s.vfull - (s.vfull - s.vempty) * used;
}

double model_engine::source_voc() const
{
    return st.mode == mode_battery ? battery_voc() : st.sim.voc;
}

double model_engine::source_ilim() const
{
    return st.mode == mode_battery ? 0 : st.sim.ilim;
}

bool model_engine::gate_open(double voc) const
{
    const double von = st.util_von;
    if (von <= 0)
        return true;
    if (!von_reached_ && voc < von)
        return false;
    return st.util_latch || voc >= von;
}

model_demand model_engine::tran_demand(bool level_b) const
{
    const model_state::tran_block &b = st.tran[st.func_tran];
    model_demand d;
    d.irange = b.irange;
    d.vrange = b.vrange;
    if (st.shrt) {
        d.kind = model_demand::shrt;
        return d;
    }
    d.kind = kind_of(st.func_tran);
    d.x = level_b ? b.blev : b.alev;
    return d;
}

model_demand model_engine::demand_at(double t) const
{
    model_demand d;
    if (!st.input)
        return d;
    if (st.ext_mode == ext_exti || st.ext_mode == ext_extv) {
        d.irange = st.ext_irange;
        d.vrange = st.ext_vrange;
        if (st.ext_mode == ext_exti) {
            d.kind = model_demand::cc;
            d.x = st.sim.ext_volt * st.ext_irange / 10;
        } else {
            d.kind = model_demand::cv;
            d.x = st.sim.ext_volt * st.ext_vrange / 10;
        }
        return d;
    }
    switch (st.mode) {
    case mode_basic: {
        const int f = st.func_static;
        d.irange = st.st_irange[f];
        d.vrange = st.st_vrange[f];
        if (st.shrt) {
            d.kind = model_demand::shrt;
            break;
        }
        d.kind = kind_of(f);
        const double levels[5] = {st.cc_level, st.cv_level, st.cr_level, st.cp_level, st.led_vo};
        d.x = levels[f];
        d.io = st.led_io;
        d.rco = st.led_rco;
        break;
    }
    case mode_tran: {
        const model_state::tran_block &b = st.tran[st.func_tran];
        d = tran_demand(tran_.at_b(b.mode, b.awid, b.bwid, t));
        break;
    }
    case mode_ocp:
    case mode_opp:
        if (sweep_.active()) {
            const model_state::test_block &b = st.test[sweep_block_];
            d.kind = sweep_block_ == 0 ? model_demand::cc : model_demand::cp;
            d.x = sweep_.value();
            d.irange = b.irange;
            d.vrange = b.vrange;
        }
        break;
    case mode_battery:
        if (discharging_) {
            d.kind = kind_of(st.batt_mode);
            d.x = st.batt_level;
            d.irange = st.batt_irange;
            d.vrange = st.batt_vrange;
        }
        break;
    case mode_list:
        if (list_run_.sinking()) {
            const model_state::list_cfg &c = list_run_.cfg();
            d.kind = kind_of(c.mode);
            d.x = list_run_.level();
            d.irange = c.irange;
            d.vrange = c.vrange;
        }
        break;
    case mode_program:
        if (prog_run_.in_ton()) {
            const model_state::prog_step &s = prog_run_.current();
            d.irange = s.irange;
            d.vrange = s.vrange;
            d.kind = s.shrt ? model_demand::shrt : kind_of(s.mode);
            d.x = s.lev;
            d.io = s.led_io;
            d.rco = s.led_rco;
        }
        break;
    default:
        break;
    }
    return d;
}

int model_engine::active_vrange() const
{
    if (st.ext_mode != ext_int)
        return st.ext_vrange;
    switch (st.mode) {
    case mode_basic:
        return st.st_vrange[st.func_static];
    case mode_tran:
        return st.tran[st.func_tran].vrange;
    case mode_ocp:
        return st.test[0].vrange;
    case mode_opp:
        return st.test[1].vrange;
    case mode_battery:
        return st.batt_vrange;
    case mode_list:
        return list_run_.sinking() ? list_run_.cfg().vrange : st.list.vrange;
    default: {
        const int k = prog_run_.active() && prog_run_.step() > 0 ? prog_run_.step() : 1;
        return st.prog.step[k - 1].vrange;
    }
    }
}

model_point model_engine::point_for(const model_demand &d) const
{
    model_point p;
    const double voc = source_voc();
    if (!st.input) {
        p.v = voc;
        return p;
    }
    if (tripped_)
        return p;
    if (d.kind == model_demand::none || !gate_open(voc)) {
        p.v = voc;
        return p;
    }
    return model_source::solve(d, voc, st.sim.rint, source_ilim());
}

model_point model_engine::point_at(double t) const
{
    return point_for(demand_at(t));
}

bool model_engine::tran_continuous_on() const
{
    return st.input && !tripped_ && st.ext_mode == ext_int && st.mode == mode_tran
        && st.tran[st.func_tran].mode == tran_continuous;
}

// Whether the alternation of A and B must be followed phase by phase: only
// when one of the two levels trips, overloads or starts a protection timer
// that the other one would stop. Otherwise the readings follow the phase
// analytically and no event is needed.
bool model_engine::tran_phase_events() const
{
    if (!tran_continuous_on())
        return false;
    const model_state::tran_block &b = st.tran[st.func_tran];
    const model_point pa = point_for(tran_demand(false));
    const model_point pb = point_for(tran_demand(true));
    if (pa.trip || pb.trip || pa.v * pa.i > st.pmax || pb.v * pb.i > st.pmax)
        return true;
    if (st.util_cprot_on) {
        const bool ca = pa.i > st.util_cprot_lev, cb = pb.i > st.util_cprot_lev;
        if (ca != cb && (ca ? b.awid : b.bwid) >= st.util_cprot_del)
            return true;
    }
    if (st.util_pprot_on) {
        const bool ca = pa.v * pa.i > st.util_pprot_lev, cb = pb.v * pb.i > st.util_pprot_lev;
        if (ca != cb && (ca ? b.awid : b.bwid) >= st.util_pprot_del)
            return true;
    }
    return false;
}

double model_engine::measured_value(const model_state::prog_step &s, const model_point &p) const
{
    return (s.shrt || s.mode == func_volt) ? p.i : p.v;
}

// ---- time ----------------------------------------------------------------------

double model_engine::next_event_time() const
{
    double t = std::min({list_run_.next_event(), prog_run_.next_event(), sweep_.next_event()});
    if (st.input && st.ext_mode == ext_int && st.mode == mode_tran) {
        const model_state::tran_block &b = st.tran[st.func_tran];
        if (b.mode == tran_pulse || tran_phase_events())
            t = std::min(t, tran_.next_change(b.mode, b.awid, b.bwid, now_));
    }
    if (cprot_since_ >= 0)
        t = std::min(t, cprot_since_ + st.util_cprot_del);
    if (pprot_since_ >= 0)
        t = std::min(t, pprot_since_ + st.util_pprot_del);
    if (discharging_) {
        const model_point p = point_at(now_);
        if (st.batt_cstop_on && p.i > 0)
            t = std::min(t, now_ + std::max(0.0, st.batt_cstop - st.batt_run_cap) * 3.6 / p.i);
        if (st.batt_tstop_on)
            t = std::min(t, now_ + std::max(0.0, st.batt_tstop - st.batt_run_time));
    }
    return t;
}

void model_engine::integrate(double t0, double t1)
{
    if (!discharging_ || t1 <= t0)
        return;
    const model_point p = point_at(t0);
    const double dq = p.i * (t1 - t0) / 3.6; // mAh
    st.batt_run_cap += dq;
    st.batt_addcap += dq;
    st.sim.q_used += dq;
    st.batt_run_time += t1 - t0;
}

// End of the next integration step of a discharge. In CC the current is
// constant and the battery voltage linear in the charge drawn, so the step
// runs exactly to the next point where something changes (stop voltage,
// Von, the current limit, the empty battery); otherwise 10 ms steps.
double model_engine::battery_step_end(double limit) const
{
    const double fine = now_ + 0.01;
    const model_point p = point_at(now_);
    const double x = st.batt_level;
    if (p.i <= 0)
        return limit; // nothing drawn: nothing changes until an event
    if (st.batt_mode != func_curr || p.i != x)
        return std::min(limit, fine);
    const model_state::sim_params &s = st.sim;
    if (s.q_used >= s.qnom)
        return limit; // empty: the voltage no longer moves
    const double slope = (s.vfull - s.vempty) / s.qnom; // V per mAh
    if (slope < 0)
        return std::min(limit, fine);
    const double rate = x / 3.6; // mAh per s
    double t = now_ + (s.qnom - s.q_used) / rate;
    if (slope > 0) {
        const double voc = battery_voc();
        double thresholds[3] = {x * s.rint, -1, -1};
        if (st.batt_vstop_on)
            thresholds[1] = st.batt_vstop + x * s.rint;
        if (st.util_von > 0 && !st.util_latch)
            thresholds[2] = st.util_von;
        for (double th : thresholds) {
            if (th < 0 || th >= voc)
                continue;
            const double q_at = (s.vfull - th) / slope;
            t = std::min(t, now_ + (q_at - s.q_used) / rate);
        }
    }
    return std::min(limit, std::max(t, now_ + 1e-6));
}

void model_engine::advance_to(double t)
{
    // Settings that would need an absurd number of events (a sweep of
    // millions of steps at a high time scale) must not freeze the load:
    // after this many steps the simulated clock falls behind instead.
    long budget = 2000000;
    while (now_ < t) {
        settle();
        double seg_end = std::min(t, next_event_time());
        if (discharging_)
            seg_end = battery_step_end(seg_end);
        if (seg_end < now_)
            seg_end = now_;
        integrate(now_, seg_end);
        now_ = seg_end;
        process_events();
        if (--budget <= 0) {
            real_base_ = clock_();
            sim_base_ = now_;
            break;
        }
    }
    settle();
}

void model_engine::process_events()
{
    for (int guard = 0; guard < 1000000; ++guard) {
        bool acted = false;
        if (list_run_.state() == model_list_run::running && list_run_.next_event() <= now_) {
            list_run_.on_time(now_);
            if (list_run_.state() == model_list_run::ended)
                switch_off();
            acted = true;
        }
        switch (prog_run_.due(now_)) {
        case model_prog_run::measure:
            st.prog_result[prog_run_.step() - 1] = measured_value(prog_run_.current(), point_at(now_));
            prog_run_.set_measured();
            acted = true;
            break;
        case model_prog_run::ton_end: {
            const model_state::prog_step &s = prog_run_.current();
            const double v = as_printed(st.prog_result[prog_run_.step() - 1]);
            const bool fail = !(v >= s.min && v <= s.max);
            prog_run_.finish_ton(fail && st.util_sof);
            if (prog_run_.state() == model_prog_run::failed)
                switch_off();
            acted = true;
            break;
        }
        case model_prog_run::toff_end:
            prog_run_.finish_toff(st.prog);
            if (prog_run_.state() == model_prog_run::completed)
                switch_off();
            acted = true;
            break;
        default:
            break;
        }
        if (sweep_.active() && sweep_.next_event() <= now_) {
            if (!sweep_.on_time(now_)) {
                st.test[sweep_block_].result = 0;
                switch_off();
            }
            acted = true;
        }
        if (!acted)
            break;
        settle();
    }
}

// Instant consequences of the present state: source trip, OCP/OPP trip
// point, alarms, protection timers, battery stop conditions.
void model_engine::settle()
{
    if (!st.input)
        return;
    const double voc = source_voc();
    if (st.util_von > 0 && voc >= st.util_von)
        von_reached_ = true;
    if (voc > active_vrange() + 1e-9) {
        raise_alarm(alarm_over_voltage);
        return;
    }
    const model_point p = point_at(now_);
    if (p.trip)
        tripped_ = true;
    if (sweep_.active()) {
        model_state::test_block &b = st.test[sweep_block_];
        if (tripped_ || p.v < b.volt) {
            b.result = sweep_.value();
            sweep_.stop();
            switch_off();
            return;
        }
    }
    if (p.v * p.i > st.pmax * (1 + 1e-9)) {
        raise_alarm(alarm_over_power);
        return;
    }
    // A protection condition must hold at every level present until the
    // next event (both transient levels when they are not followed).
    // A delay that has run out fires even if the level changed at this very
    // moment: the condition held for the whole delay.
    if (st.util_cprot_on && cprot_since_ >= 0 && now_ >= cprot_since_ + st.util_cprot_del) {
        raise_alarm(alarm_over_current_prot);
        return;
    }
    if (st.util_pprot_on && pprot_since_ >= 0 && now_ >= pprot_since_ + st.util_pprot_del) {
        raise_alarm(alarm_over_power_prot);
        return;
    }
    bool over_i = st.util_cprot_on && p.i > st.util_cprot_lev;
    bool over_p = st.util_pprot_on && p.v * p.i > st.util_pprot_lev;
    if (tran_continuous_on() && !tran_phase_events()) {
        const model_point pa = point_for(tran_demand(false));
        const model_point pb = point_for(tran_demand(true));
        over_i = st.util_cprot_on && pa.i > st.util_cprot_lev && pb.i > st.util_cprot_lev;
        over_p = st.util_pprot_on && pa.v * pa.i > st.util_pprot_lev && pb.v * pb.i > st.util_pprot_lev;
    }
    if (over_i) {
        if (cprot_since_ < 0)
            cprot_since_ = now_;
        if (now_ >= cprot_since_ + st.util_cprot_del) {
            raise_alarm(alarm_over_current_prot);
            return;
        }
    } else {
        cprot_since_ = -1;
    }
    if (over_p) {
        if (pprot_since_ < 0)
            pprot_since_ = now_;
        if (now_ >= pprot_since_ + st.util_pprot_del) {
            raise_alarm(alarm_over_power_prot);
            return;
        }
    } else {
        pprot_since_ = -1;
    }
    if (discharging_) {
        const bool stop = (st.batt_vstop_on && p.v <= st.batt_vstop + 1e-9)
            || (st.batt_cstop_on && st.batt_run_cap >= st.batt_cstop - 1e-9)
            || (st.batt_tstop_on && st.batt_run_time >= st.batt_tstop - 1e-9);
        if (stop)
            switch_off();
    }
}

void model_engine::changed()
{
    settle();
    process_events();
    settle();
}

// ---- commands --------------------------------------------------------------------

void model_engine::switch_off()
{
    if (!st.input)
        return;
    const model_point p = point_at(now_);
    const double voc = source_voc();
    if (st.ttest_on) {
        const double l = std::max(st.ttest_vlow, p.v);
        const double h = st.ttest_vhigh;
        st.ttest_rise = (l < h && h < voc) ? st.sim.tau * std::log((voc - l) / (voc - h)) : 0;
    }
    if (discharging_) {
        st.batt_result_v = p.v;
        discharging_ = false;
    }
    if (sweep_.active()) {
        st.test[sweep_block_].result = 0;
        sweep_.stop();
    }
    list_run_.abort();
    prog_run_.abort();
    st.input = 0;
    tripped_ = false;
    cprot_since_ = pprot_since_ = -1;
}

void model_engine::set_input(bool on)
{
    if (!on) {
        switch_off();
        return;
    }
    if (st.input)
        return;
    st.alarms = 0;
    tripped_ = false;
    von_reached_ = false;
    cprot_since_ = pprot_since_ = -1;
    st.input = 1;
    if (st.ext_mode == ext_int) {
        switch (st.mode) {
        case mode_tran:
            tran_.restart(now_);
            break;
        case mode_ocp:
        case mode_opp:
            sweep_block_ = st.mode == mode_ocp ? 0 : 1;
            st.test[sweep_block_].result = 0;
            if (!sweep_.start(st.test[sweep_block_], now_)) {
                switch_off();
                return;
            }
            break;
        case mode_battery:
            discharging_ = true;
            st.batt_run_cap = 0;
            st.batt_run_time = 0;
            break;
        case mode_list:
            list_run_.arm();
            break;
        case mode_program:
            prog_run_.arm();
            break;
        default:
            break;
        }
    }
    if (st.ttest_on) {
        const model_point p = point_at(now_);
        const double voc = source_voc();
        const double h = std::min(st.ttest_vhigh, voc);
        const double l = st.ttest_vlow;
        st.ttest_fall = (p.v < l && l < h) ? st.sim.tau * std::log((h - p.v) / (l - p.v)) : 0;
    }
    changed();
}

int model_engine::trigger()
{
    if (st.util_trig != trig_bus)
        return -211;
    if (!st.input || st.ext_mode != ext_int)
        return 0;
    switch (st.mode) {
    case mode_tran: {
        const model_state::tran_block &b = st.tran[st.func_tran];
        tran_.trigger(b.mode, b.bwid, now_);
        break;
    }
    case mode_list:
        if (list_run_.trigger(st.list, now_) && list_run_.state() == model_list_run::ended)
            switch_off();
        break;
    case mode_program:
        if (prog_run_.state() == model_prog_run::armed)
            std::fill(std::begin(st.prog_result), std::end(st.prog_result), 0.0);
        prog_run_.trigger(st.prog, now_);
        break;
    default:
        break;
    }
    changed();
    return 0;
}

void model_engine::select_mode(int mode, int word)
{
    const bool run_active = list_run_.active() || prog_run_.active() || sweep_.active() || discharging_;
    if (st.input && (mode != st.mode || run_active))
        switch_off();
    st.mode = mode;
    if (mode == mode_basic) {
        st.func_static = word;
    } else if (mode == mode_tran) {
        st.func_tran = word;
        tran_.restart(now_);
    } else if (mode == mode_list) {
        list_run_.set_idle();
    } else if (mode == mode_program) {
        prog_run_.set_idle();
    }
    st.ext_mode = ext_int;
    st.shrt = 0;
    changed();
}

int model_engine::set_short(bool on)
{
    if (!((st.mode == mode_basic || st.mode == mode_tran) && st.ext_mode == ext_int))
        return -221;
    st.shrt = on ? 1 : 0;
    changed();
    return 0;
}

void model_engine::raise_alarm(int bits)
{
    st.alarms |= bits;
    switch_off();
}

void model_engine::halt_list()
{
    list_run_.halt();
}

bool model_engine::list_running() const
{
    return st.mode == mode_list && list_run_.state() == model_list_run::running;
}

void model_engine::reset()
{
    sweep_.stop();
    discharging_ = false;
    list_run_.set_idle();
    prog_run_.set_idle();
    tripped_ = false;
    von_reached_ = false;
    cprot_since_ = pprot_since_ = -1;
    tran_.restart(now_);
    st.reset();
}

// ---- readings --------------------------------------------------------------------

model_point model_engine::reading() const
{
    return point_at(now_);
}

model_point model_engine::measured()
{
    model_point p = point_at(now_);
    if (!noise_)
        return p;
    // xorshift32 from a fixed seed: the same sequence on every run.
    auto next = [this] {
        unsigned x = noise_state_;
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        noise_state_ = x;
        return (double(x) / 4294967295.0) * 2 - 1;
    };
    p.i *= 1 + 0.0005 * next();
    p.v *= 1 + 0.0005 * next();
    return p;
}

int model_engine::test_step() const
{
    if (st.mode == mode_list)
        return list_run_.step();
    if (st.mode == mode_program)
        return prog_run_.step();
    return 0;
}

int model_engine::test_stop() const
{
    if (st.mode == mode_list)
        return list_run_.state() == model_list_run::halted ? 1 : 0;
    if (st.mode == mode_program) {
        const model_prog_run::state_t s = prog_run_.state();
        return (s == model_prog_run::paused || s == model_prog_run::failed) ? 1 : 0;
    }
    return 0;
}

double model_engine::prog_test(int k) const
{
    if (st.mode == mode_ocp)
        return st.test[0].result;
    if (st.mode == mode_opp)
        return st.test[1].result;
    return st.prog_result[k - 1];
}
