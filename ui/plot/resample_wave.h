#ifndef RESAMPLE_WAVE_H
#define RESAMPLE_WAVE_H

#include <QVector>
#include <vector>

// Thins `in` to exactly `target` values picked at evenly spread positions
// (no averaging) and appends them to `out`. Returns 1, also when target < 1
// or `in` is empty (nothing appended); -2 when growing `out` failed, in which
// case `out` is emptied and its storage released.
int resample_wave(std::vector<float> const &in, std::vector<float> &out, int target);

// What a peak-preserving resample saw: every input sample, not only the kept ones.
struct resample_stats_t
{
    int count = 0;        // samples looked at
    double minimum = 0.0; // 0 when count is 0
    double maximum = 0.0;
    double mean = 0.0;
};

// Thins in[0 .. count) for drawing without losing peaks: the samples are
// split into `buckets` runs of evenly spread length, and each run gives its
// first, smallest, largest and last sample, in the order they occur and
// each sample once. With one bucket per pixel column the drawn line covers
// the same pixels as the whole series. At most 4 x buckets points are
// appended to x_out/y_out; a series of at most 4 x buckets samples is
// appended whole. The x of sample i is x_start + i * x_step. Returns 1; -2
// when growing the outputs failed (both emptied). `stats`, when given,
// covers every sample.
int resample_wave_peaks(double const *in, int count, double x_start, double x_step, int buckets,
                        QVector<double> &x_out, QVector<double> &y_out, resample_stats_t *stats = nullptr);

#endif
