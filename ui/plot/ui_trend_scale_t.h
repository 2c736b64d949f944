#ifndef UI_TREND_SCALE_T_H
#define UI_TREND_SCALE_T_H

#include "resample_wave.h"

#include <QVector>

// The trend draws all four quantities on one 0..100 axis: each value is
// placed as a percentage of its own quantity's [lower, upper] range.
class ui_trend_scale_t
{
public:
    // Minimum, maximum and mean of `values`; all 0 when empty.
    static resample_stats_t statistics(QVector<double> const &values);

    // Automatic range: the maximum rounded up to a tenth; the minimum one
    // tenth below its rounded-up tenth, except that 0 stays 0.
    static double auto_upper(double maximum);
    static double auto_lower(double minimum);

    // A zero range has no percentages: values above it go to 200 (off the
    // top), below it to -100, on it to 50.
    static double to_percent(double value, double upper, double lower);
    // Replaces `out` by the percentages of `values`.
    static void to_percent(QVector<double> const &values, double upper, double lower, QVector<double> &out);
};

#endif
