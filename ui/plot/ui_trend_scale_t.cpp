#include "ui_trend_scale_t.h"

#include <cmath>

resample_stats_t ui_trend_scale_t::statistics(QVector<double> const &values)
{
    resample_stats_t s;
    if (values.isEmpty())
        return s;
    s.count = values.size();
    s.minimum = values.first();
    s.maximum = values.first();
    double sum = 0.0;
    for (double v : values) {
        if (s.maximum <= v)
            s.maximum = v;
        if (v <= s.minimum)
            s.minimum = v;
        sum += v;
    }
    s.mean = sum / s.count;
    return s;
}

double ui_trend_scale_t::auto_upper(double maximum)
{
    return std::ceil(maximum * 10) / 10;
}

double ui_trend_scale_t::auto_lower(double minimum)
{
    if (minimum == 0.0)
        return 0.0;
    return std::ceil(minimum * 10 - 1) / 10;
}

double ui_trend_scale_t::to_percent(double value, double upper, double lower)
{
    const double range = upper - lower;
    if (range != 0.0)
        return (value - lower) * 100 / range;
    if (value > lower)
        return 200.0;
    if (value < lower)
        return -100.0;
    return 50.0;
}

void ui_trend_scale_t::to_percent(QVector<double> const &values, double upper, double lower,
                                  QVector<double> &out)
{
    out.clear();
    out.reserve(values.size());
    for (double v : values)
        out.append(to_percent(v, upper, lower));
}
