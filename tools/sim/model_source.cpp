#include "model_source.h"

#include <algorithm>
#include <cmath>

model_point model_source::solve(const model_demand &d, double voc, double r, double ilim)
{
    model_point p;
    const double imax = d.irange;
    double i = 0;
    double v = voc;
    bool collapse = false;
    switch (d.kind) {
    case model_demand::none:
        p.v = voc;
        return p;
    case model_demand::cc:
        i = r > 0 ? std::min(d.x, voc / r) : d.x;
        i = std::max(0.0, i);
        v = voc - i * r;
        break;
    case model_demand::cv:
        if (d.x >= voc) {
            i = 0;
            v = voc;
        } else if (r <= 0) {
            i = imax;
            v = voc - i * r;
        } else {
            i = (voc - d.x) / r;
            v = d.x;
            if (i > imax) {
                i = imax;
                v = voc - i * r;
            }
        }
        break;
    case model_demand::cr:
        i = voc > 0 ? voc / (r + d.x) : 0;
        v = i * d.x;
        break;
    case model_demand::cp:
        if (d.x <= 0) {
            i = 0;
        } else if (r <= 0) {
            if (voc > 0)
                i = d.x / voc;
            else
                collapse = true;
        } else {
            const double disc = voc * voc - 4 * r * d.x;
            if (disc < 0 || voc <= 0)
                collapse = true;
            else
                i = (voc - std::sqrt(disc)) / (2 * r);
        }
        v = voc - i * r;
        break;
    case model_demand::led: {
        const double vd = d.x * (1 - d.rco);
        const double rd = d.io > 0 ? d.rco * d.x / d.io : 0;
        if (d.io <= 0 || voc <= vd || r + rd <= 0)
            i = 0;
        else
            i = (voc - vd) / (r + rd);
        v = voc - i * r;
        break;
    }
    case model_demand::shrt:
        i = r > 0 ? std::min(imax, voc / r) : imax;
        i = std::max(0.0, i);
        v = voc - i * r;
        break;
    }
    if (i > imax) {
        i = imax;
        v = voc - imax * r;
    }
    if (collapse || (ilim > 0 && i > ilim)) {
        p.trip = true;
        return p;
    }
    p.i = i;
    p.v = v;
    return p;
}
