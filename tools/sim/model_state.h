// Every stored setting of the simulated load with its default, plus the
// simulation parameters that the harness sets (kept across "*RST").
#ifndef WATTLEX_MODEL_STATE_H
#define WATTLEX_MODEL_STATE_H

enum model_func { func_curr = 0, func_volt, func_res, func_pow, func_led };
enum model_sys_mode { mode_basic = 0, mode_tran, mode_ocp, mode_opp, mode_battery, mode_list, mode_program };
enum model_tran_mode { tran_continuous = 0, tran_pulse, tran_toggle };
enum model_trig { trig_manual = 0, trig_external, trig_bus };
enum model_ext { ext_int = 0, ext_exti, ext_extv };

struct model_limits {
    double lo;
    double hi;
    // Tolerates the rounding of values that went through float32 blocks.
    bool contains(double v) const;
    double clamp(double v) const;
};

struct model_state {
    static constexpr int list_steps_max = 100;
    static constexpr int prog_steps_max = 50;

    struct list_cfg {
        int mode;   // model_func without LED
        int irange; // 5 or 30
        int vrange; // 36 or 150
        int count;  // 0 = endless
        int steps;
        double lev[list_steps_max];
        double wid[list_steps_max];
        double slew[list_steps_max];
    };
    struct prog_step {
        int mode;
        int irange;
        int vrange;
        int pause;
        int shrt;
        double ton;
        double toff;
        double tdly;
        double min;
        double max;
        double lev;
        double led_io;
        double led_rco;
    };
    struct prog_cfg {
        int steps;
        prog_step step[prog_steps_max];
    };
    struct tran_block {
        int mode;
        int irange;
        int vrange;
        double alev;
        double blev;
        double awid;
        double bwid;
    };
    // OCP (index 0, values in A) and OPP (index 1, values in W).
    struct test_block {
        int irange;
        int vrange;
        double volt;
        double step;
        double start;
        double end;
        double min;
        double max;
        double delay;
        double result;
    };
    struct sim_params {
        double voc = 5;
        double rint = 0.1;
        double ilim = 4;
        double tau = 0.001;
        double vfull = 4.2;
        double vempty = 3.0;
        double qnom = 2000;
        double q_used = 0;
        double ext_volt = 2;
        double time_scale = 1;
        int strict = 1;
        // 1: the list and program exports end in a line feed after the block
        int export_terminator = 0;
    };

    explicit model_state(double pmax);
    // Every setting back to its default; keeps remote, pmax and sim.
    void reset();
    // Pulls every stored value into the range its block allows now (after a
    // range or mode change).
    void clamp_all();

    // Valid range of a level in function f with the given ranges.
    model_limits level_limits(int f, int irange, int vrange) const;
    static model_limits slew_limits(int irange);

    double pmax;
    sim_params sim;

    int remote = 0;
    int input;
    int shrt;
    int mode;
    int alarms;
    int func_static;
    int func_tran;

    // Static blocks, indexed by model_func.
    int st_irange[5];
    int st_vrange[5];
    double cc_level, cc_slew_pos, cc_slew_neg;
    double cv_level;
    double cr_level;
    double cp_level;
    double led_io, led_vo, led_rco;

    tran_block tran[4]; // indexed by model_func (no LED)
    double tran_slew_pos, tran_slew_neg;

    test_block test[2];

    int batt_mode;
    int batt_irange, batt_vrange;
    double batt_level;
    int batt_vstop_on, batt_cstop_on, batt_tstop_on;
    double batt_vstop, batt_cstop, batt_tstop;
    double batt_addcap, batt_run_cap, batt_run_time, batt_result_v;

    int ext_mode;
    int ext_irange, ext_vrange;
    int ext_inp;

    int util_sense, util_sof, util_latch;
    int util_aver;
    double util_von;
    int util_trig;
    int util_imon, util_vmon;
    int util_cprot_on;
    double util_cprot_lev, util_cprot_del;
    int util_pprot_on;
    double util_pprot_lev, util_pprot_del;

    int ttest_on;
    double ttest_vlow, ttest_vhigh, ttest_rise, ttest_fall;

    list_cfg list;
    prog_cfg prog;
    double prog_result[prog_steps_max];
};

#endif
