// The simulated load's behaviour over time: input, trigger, function
// selection, runs (list, program, OCP/OPP sweep, battery discharge,
// transient waveform), protections and the readings. Time is simulated
// seconds; sync() brings the simulation up to the clock before a message.
#ifndef WATTLEX_MODEL_ENGINE_H
#define WATTLEX_MODEL_ENGINE_H

#include "model_list_run.h"
#include "model_prog_run.h"
#include "model_source.h"
#include "model_state.h"
#include "model_sweep.h"
#include "model_transient.h"

#include <functional>

class model_engine {
public:
    // clock: real seconds from any origin (monotonic).
    model_engine(double pmax, std::function<double()> clock, double time_scale);

    model_state st;

    void sync();
    double now() const { return now_; }
    void set_time_scale(double scale);

    void set_input(bool on);
    // "*TRG": -211 when the trigger source is not BUS, else 0.
    int trigger();
    void select_mode(int mode, int word);
    // -221 outside BASIC/TRAN or with external control.
    int set_short(bool on);
    void raise_alarm(int bits);
    void halt_list();
    bool list_running() const;
    void reset();
    // Re-evaluate after a setting changed (trips, alarms, stop conditions).
    void changed();

    model_point reading() const;
    // The reading as a measurement query reports it: with the deterministic
    // noise when that is on.
    model_point measured();
    void set_noise(bool on) { noise_ = on; }
    int test_step() const;
    int test_stop() const;
    double prog_test(int k) const;

    // The battery's open-circuit voltage now.
    double battery_voc() const;

private:
    static constexpr int alarm_over_power_prot = 0x0200;
    static constexpr int alarm_over_current_prot = 0x0400;
    static constexpr int alarm_over_voltage = 0x1000;
    static constexpr int alarm_over_power = 0x4000;

    double clock_now() const;
    void advance_to(double t);
    double battery_step_end(double limit) const;
    void settle();
    void process_events();
    void integrate(double t0, double t1);
    double next_event_time() const;
    void switch_off();

    double source_voc() const;
    double source_ilim() const;
    bool gate_open(double voc) const;
    model_demand demand_at(double t) const;
    model_demand tran_demand(bool level_b) const;
    int active_vrange() const;
    model_point point_for(const model_demand &d) const;
    model_point point_at(double t) const;
    bool tran_continuous_on() const;
    bool tran_phase_events() const;
    double measured_value(const model_state::prog_step &s, const model_point &p) const;

    std::function<double()> clock_;
    double real_base_ = 0;
    double sim_base_ = 0;
    double now_ = 0;

    bool tripped_ = false;
    bool von_reached_ = false;
    double cprot_since_ = -1;
    double pprot_since_ = -1;
    bool discharging_ = false;
    int sweep_block_ = 0;
    bool noise_ = false;
    unsigned noise_state_ = 0x2545F491u;

    model_list_run list_run_;
    model_prog_run prog_run_;
    model_sweep sweep_;
    model_transient tran_;
};

#endif
