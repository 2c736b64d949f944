// Operating point of the load on the simulated source: an ideal voltage
// behind a series resistance that trips above a current limit.
#ifndef WATTLEX_MODEL_SOURCE_H
#define WATTLEX_MODEL_SOURCE_H

struct model_demand {
    enum kind_t { none, cc, cv, cr, cp, led, shrt };
    kind_t kind = none;
    double x = 0;  // A, V, ohm or W; Vo for LED
    double io = 0; // LED operating current
    double rco = 0;
    int irange = 5;
    int vrange = 36;
};

struct model_point {
    double i = 0;
    double v = 0;
    bool trip = false; // the source tripped or collapsed: i and v are 0
};

class model_source {
public:
    // ilim 0 never trips. A CP demand the source cannot deliver collapses it.
    static model_point solve(const model_demand &d, double voc, double r, double ilim);
};

#endif
