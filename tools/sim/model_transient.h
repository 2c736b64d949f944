// Which level (A or B) a transient block applies at a given time:
// CONTINUOUS alternates A and B, PULSE shows B for one B width after a
// trigger, TOGGLE swaps on every trigger.
#ifndef WATTLEX_MODEL_TRANSIENT_H
#define WATTLEX_MODEL_TRANSIENT_H

class model_transient {
public:
    void restart(double now);
    void trigger(int mode, double bwid, double now);
    bool at_b(int mode, double awid, double bwid, double t) const;
    // Next time the level changes after t, or infinity.
    double next_change(int mode, double awid, double bwid, double t) const;

private:
    double t0_ = 0;
    double pulse_end_ = -1;
    bool toggle_b_ = false;
};

#endif
