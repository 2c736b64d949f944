#include "resample_wave.h"

#include <algorithm>
#include <exception>

#if defined(__SSE2__) && !defined(WATTLEX_NO_SIMD)
#define WATTLEX_SIMD_SSE2 1
#include <emmintrin.h>
#endif

namespace {

const int k_block = 32;

// Smallest, largest and sum of in[b .. b + k_block).
void reduce_block(double const *in, int b, double &low, double &high, double &sum)
{
#if defined(WATTLEX_SIMD_SSE2)
    // two lanes in two registers: independent chains instead of one per sample
    __m128d l0 = _mm_loadu_pd(in + b);
    __m128d l1 = _mm_loadu_pd(in + b + 2);
    __m128d h0 = l0;
    __m128d h1 = l1;
    __m128d s0 = l0;
    __m128d s1 = l1;
    for (int i = b + 4; i < b + k_block; i += 4) {
        const __m128d v0 = _mm_loadu_pd(in + i);
        const __m128d v1 = _mm_loadu_pd(in + i + 2);
        l0 = _mm_min_pd(l0, v0);
        l1 = _mm_min_pd(l1, v1);
        h0 = _mm_max_pd(h0, v0);
        h1 = _mm_max_pd(h1, v1);
        s0 = _mm_add_pd(s0, v0);
        s1 = _mm_add_pd(s1, v1);
    }
    const __m128d l = _mm_min_pd(l0, l1);
    const __m128d h = _mm_max_pd(h0, h1);
    const __m128d t = _mm_add_pd(s0, s1);
    low = std::min(_mm_cvtsd_f64(l), _mm_cvtsd_f64(_mm_unpackhi_pd(l, l)));
    high = std::max(_mm_cvtsd_f64(h), _mm_cvtsd_f64(_mm_unpackhi_pd(h, h)));
    sum = _mm_cvtsd_f64(t) + _mm_cvtsd_f64(_mm_unpackhi_pd(t, t));
#else
    double l[4] = {in[b], in[b + 1], in[b + 2], in[b + 3]};
    double h[4] = {l[0], l[1], l[2], l[3]};
    double t[4] = {l[0], l[1], l[2], l[3]};
    for (int i = b + 4; i < b + k_block; i += 4) {
        for (int j = 0; j < 4; ++j) {
            const double v = in[i + j];
            l[j] = v < l[j] ? v : l[j];
            h[j] = v > h[j] ? v : h[j];
            t[j] += v;
        }
    }
    low = std::min(std::min(l[0], l[1]), std::min(l[2], l[3]));
    high = std::max(std::max(h[0], h[1]), std::max(h[2], h[3]));
    sum = (t[0] + t[1]) + (t[2] + t[3]);
#endif
}

// Position of the first sample equal to `value` in in[from .. to), or `from`
// (a NaN matches nothing).
int find_first(double const *in, int from, int to, double value)
{
    for (int i = from; i < to; ++i)
        if (in[i] == value)
            return i;
    return from;
}

// Finds the first smallest and first largest sample of in[begin .. end) and
// adds the run's samples to `sum`. Whole blocks are reduced at once; only
// the first block holding an extreme is searched for its position.
void scan_run(double const *in, int begin, int end, int &lo, int &hi, double &sum)
{
    double low = in[begin];
    double high = low;
    int low_block = begin;
    int high_block = begin;
    double total = 0.0;

    int b = begin;
    for (; b + k_block <= end; b += k_block) {
        double bl, bh, bs;
        reduce_block(in, b, bl, bh, bs);
        total += bs;
        if (bl < low) {
            low = bl;
            low_block = b;
        }
        if (bh > high) {
            high = bh;
            high_block = b;
        }
    }
    lo = find_first(in, low_block, std::min(end, low_block + k_block), low);
    hi = find_first(in, high_block, std::min(end, high_block + k_block), high);
    // the samples after the last whole block
    for (int i = b; i < end; ++i) {
        const double v = in[i];
        total += v;
        if (v < in[lo])
            lo = i;
        if (v > in[hi])
            hi = i;
    }
    sum += total;
}

} // namespace

int resample_wave(std::vector<float> const &in, std::vector<float> &out, int target)
{
    if (target < 1 || in.empty())
        return 1;

    const int n = int(in.size());
    const int step = n / target;
    const float frac = float(double(n) / double(target) - double(step));

    try {
        int index = 0;
        float acc = 0.0f;
        for (int i = 0; i < target; ++i) {
            // the single-precision accumulator can carry the index one past
            // the end when n is much smaller than target
            out.push_back(in[size_t(std::min(index, n - 1))]);
            index += step;
            acc += frac;
            if (acc >= 1.0f) {
                ++index;
                acc -= 1.0f;
            }
        }
    } catch (std::exception const &) {
        out.clear();
        out.shrink_to_fit();
        return -2;
    }
    return 1;
}

int resample_wave_peaks(double const *in, int count, double x_start, double x_step, int buckets,
                        QVector<double> &x_out, QVector<double> &y_out, resample_stats_t *stats)
{
    resample_stats_t seen;
    if (count < 1 || buckets < 1 || !in) {
        if (stats)
            *stats = seen;
        return 1;
    }

    double minimum = in[0];
    double maximum = in[0];
    double sum = 0.0;

    try {
        if (count <= 4 * qint64(buckets)) {
            x_out.reserve(x_out.size() + count);
            y_out.reserve(y_out.size() + count);
            for (int i = 0; i < count; ++i) {
                const double v = in[i];
                minimum = std::min(minimum, v);
                maximum = std::max(maximum, v);
                sum += v;
                x_out.append(x_start + i * x_step);
                y_out.append(v);
            }
        } else {
            x_out.reserve(x_out.size() + 4 * buckets);
            y_out.reserve(y_out.size() + 4 * buckets);
            int begin = 0;
            for (int b = 0; b < buckets; ++b) {
                // 64-bit so that count x buckets cannot overflow
                const int end = int(qint64(b + 1) * count / buckets);
                int lo = begin;
                int hi = begin;
                scan_run(in, begin, end, lo, hi, sum);
                minimum = std::min(minimum, in[lo]);
                maximum = std::max(maximum, in[hi]);

                // first and last keep the joins to the neighbouring runs true
                int keep[4] = {begin, std::min(lo, hi), std::max(lo, hi), end - 1};
                int previous = -1;
                for (int i : keep) {
                    if (i == previous)
                        continue;
                    x_out.append(x_start + i * x_step);
                    y_out.append(in[i]);
                    previous = i;
                }
                begin = end;
            }
        }
    } catch (std::exception const &) {
        x_out.clear();
        x_out.squeeze();
        y_out.clear();
        y_out.squeeze();
        if (stats)
            *stats = resample_stats_t();
        return -2;
    }

    if (stats) {
        seen.count = count;
        seen.minimum = minimum;
        seen.maximum = maximum;
        seen.mean = sum / count;
        *stats = seen;
    }
    return 1;
}
