#include "model_state.h"

#include <algorithm>
#include <cmath>

namespace {

double tolerance(double bound) { return 1e-9 + 1e-6 * std::fabs(bound); }

} // namespace

bool model_limits::contains(double v) const
{
    return v >= lo - tolerance(lo) && v <= hi + tolerance(hi);
}

double model_limits::clamp(double v) const
{
    return std::min(hi, std::max(lo, v));
}

model_state::model_state(double pmax_) : pmax(pmax_)
{
    reset();
}

model_limits model_state::level_limits(int f, int irange, int vrange) const
{
    switch (f) {
    case func_curr:
        return {0, double(irange)};
    case func_volt:
    case func_led:
        return {0, double(vrange)};
    case func_res:
        return {0.03, 10000};
    default:
        return {0, pmax};
    }
}

model_limits model_state::slew_limits(int irange)
{
    return {0.001, irange == 30 ? 2.5 : 0.5};
}

void model_state::reset()
{
    input = 0;
    shrt = 0;
    mode = mode_basic;
    alarms = 0;
    func_static = func_curr;
    func_tran = func_curr;

    for (int f = 0; f < 5; ++f) {
        st_irange[f] = 5;
        st_vrange[f] = 36;
    }
    cc_level = 3;
    cc_slew_pos = cc_slew_neg = 0.5;
    cv_level = 4.8;
    cr_level = 10;
    cp_level = 10;
    led_io = 1;
    led_vo = 3;
    led_rco = 0.2;

    const double alev[4] = {1, 4.8, 10, 5};
    const double blev[4] = {2, 4.9, 20, 10};
    for (int b = 0; b < 4; ++b)
        tran[b] = tran_block{tran_continuous, 5, 36, alev[b], blev[b], 0.5, 0.5};
    tran_slew_pos = tran_slew_neg = 0.5;

    test[0] = test_block{5, 36, 1, 0.5, 0, 5, 1, 5, 0.5, 0};
    test[1] = test_block{5, 36, 1, 2, 0, 30, 10, 30, 0.5, 0};

    batt_mode = func_curr;
    batt_irange = 30;
    batt_vrange = 150;
    batt_level = 1;
    batt_vstop_on = batt_cstop_on = batt_tstop_on = 0;
    batt_vstop = batt_cstop = batt_tstop = 0;
    batt_addcap = batt_run_cap = batt_run_time = batt_result_v = 0;

    ext_mode = ext_int;
    ext_irange = 5;
    ext_vrange = 36;
    ext_inp = 0;

    util_sense = util_sof = util_latch = 0;
    util_aver = 6;
    util_von = 0;
    util_trig = trig_manual;
    util_imon = util_vmon = 0;
    util_cprot_on = 0;
    util_cprot_lev = 30;
    util_cprot_del = 3;
    util_pprot_on = 0;
    util_pprot_lev = pmax;
    util_pprot_del = 3;

    ttest_on = 0;
    ttest_vlow = 0;
    ttest_vhigh = 10;
    ttest_rise = ttest_fall = 0;

    list.mode = func_curr;
    list.irange = 5;
    list.vrange = 36;
    list.count = 1;
    list.steps = 5;
    for (int s = 0; s < list_steps_max; ++s) {
        list.lev[s] = 1;
        list.wid[s] = 1;
        list.slew[s] = 0.5;
    }

    prog.steps = 5;
    for (int k = 0; k < prog_steps_max; ++k) {
        prog.step[k] = prog_step{func_curr, 30, 150, 0, 0, 1, 1, 1, 1, 10, 1, 1, 0.2};
        prog_result[k] = 0;
    }
}

void model_state::clamp_all()
{
    cc_level = level_limits(func_curr, st_irange[func_curr], st_vrange[func_curr]).clamp(cc_level);
    cc_slew_pos = slew_limits(st_irange[func_curr]).clamp(cc_slew_pos);
    cc_slew_neg = slew_limits(st_irange[func_curr]).clamp(cc_slew_neg);
    cv_level = level_limits(func_volt, st_irange[func_volt], st_vrange[func_volt]).clamp(cv_level);
    cr_level = level_limits(func_res, st_irange[func_res], st_vrange[func_res]).clamp(cr_level);
    cp_level = level_limits(func_pow, st_irange[func_pow], st_vrange[func_pow]).clamp(cp_level);
    led_io = level_limits(func_curr, st_irange[func_led], st_vrange[func_led]).clamp(led_io);
    led_vo = level_limits(func_led, st_irange[func_led], st_vrange[func_led]).clamp(led_vo);

    for (int b = 0; b < 4; ++b) {
        const model_limits l = level_limits(b, tran[b].irange, tran[b].vrange);
        tran[b].alev = l.clamp(tran[b].alev);
        tran[b].blev = l.clamp(tran[b].blev);
    }
    tran_slew_pos = slew_limits(tran[func_curr].irange).clamp(tran_slew_pos);
    tran_slew_neg = slew_limits(tran[func_curr].irange).clamp(tran_slew_neg);

    for (int b = 0; b < 2; ++b) {
        test_block &t = test[b];
        t.volt = model_limits{0, double(t.vrange)}.clamp(t.volt);
        const model_limits l = b == 0 ? model_limits{0, double(t.irange)} : model_limits{0, pmax};
        t.step = l.clamp(t.step);
        t.start = l.clamp(t.start);
        t.end = l.clamp(t.end);
        t.min = l.clamp(t.min);
        t.max = l.clamp(t.max);
    }

    batt_level = level_limits(batt_mode, batt_irange, batt_vrange).clamp(batt_level);
    batt_vstop = model_limits{0, double(batt_vrange)}.clamp(batt_vstop);

    const model_limits ll = level_limits(list.mode, list.irange, list.vrange);
    const model_limits ls = slew_limits(list.irange);
    for (int s = 0; s < list_steps_max; ++s) {
        list.lev[s] = ll.clamp(list.lev[s]);
        list.slew[s] = ls.clamp(list.slew[s]);
    }

    for (int k = 0; k < prog_steps_max; ++k) {
        prog_step &p = prog.step[k];
        p.lev = level_limits(p.mode, p.irange, p.vrange).clamp(p.lev);
        p.led_io = model_limits{0, double(p.irange)}.clamp(p.led_io);
    }
    util_pprot_lev = model_limits{0, pmax}.clamp(util_pprot_lev);
}
