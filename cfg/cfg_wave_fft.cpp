#include "cfg_wave_fft.h"

#include <cmath>
#include <utility>

namespace {
const double two_pi = 6.283185307179586;

// log2 of n when n is a power of two, else -1.
int exact_log2(int n)
{
    if (n < 1 || (n & (n - 1)) != 0)
        return -1;
    int stages = 0;
    while ((1 << stages) < n)
        ++stages;
    return stages;
}

void bit_reverse(double *re, double *im, int n, int stages)
{
    for (int i = 0; i < n; ++i) {
        int r = 0;
        for (int b = 0; b < stages; ++b)
            r |= ((i >> b) & 1) << (stages - 1 - b);
        if (r > i) {
            std::swap(re[i], re[r]);
            std::swap(im[i], im[r]);
        }
    }
}
} // namespace

int fft(double *re, double *im, double *mag, int n, int direction)
{
    const int stages = exact_log2(n);
    if (stages < 0 || !re || !im || !mag)
        return -1;
    bit_reverse(re, im, n, stages);
    for (int span = 2; span <= n; span <<= 1) {
        const int half = span / 2;
        for (int j = 0; j < half; ++j) {
            const double angle = -two_pi * direction * j / span;
            const double wr = std::cos(angle);
            const double wi = std::sin(angle);
            for (int k = j; k < n; k += span) {
                const int m = k + half;
                const double tr = wr * re[m] - wi * im[m];
                const double ti = wr * im[m] + wi * re[m];
                re[m] = re[k] - tr;
                im[m] = im[k] - ti;
                re[k] += tr;
                im[k] += ti;
            }
        }
    }
    if (direction == -1) {
        for (int i = 0; i < n; ++i) {
            re[i] /= n;
            im[i] /= n;
        }
    }
    for (int i = 0; i < n; ++i)
        mag[i] = std::sqrt(re[i] * re[i] + im[i] * im[i]);
    return 0;
}

int fft_checked(double *re, double *im, double *mag, int n, int direction)
{
    if (direction != 1 && direction != -1)
        return -1;
    return fft(re, im, mag, n, direction);
}

void fft_shift(double *values, int n)
{
    if (!values || n < 2)
        return;
    const int half = n / 2;
    for (int i = 0; i < half; ++i)
        std::swap(values[i], values[i + half]);
}

int fft_db(double *re, double *im, double *mag, int n)
{
    if (fft(re, im, mag, n, 1) < 0)
        return -1;
    fft_shift(mag, n);

    double peak = 0.0;
    for (int i = 0; i < n; ++i) {
        if (mag[i] > peak)
            peak = mag[i];
    }
    if (!(peak > 0.0) || !std::isfinite(peak)) {
        // Nothing to scale against: a silent input has a silent spectrum.
        for (int i = 0; i < n; ++i)
            mag[i] = 0.0;
        return n;
    }

    // log10(0) would be -inf and turn every value into NaN: zero bins are
    // marked and end as the lowest value, 0.
    double lowest = 0.0;
    for (int i = 0; i < n; ++i) {
        if (mag[i] > 0.0) {
            mag[i] = 20.0 * std::log10(mag[i] / peak);
            if (mag[i] < lowest)
                lowest = mag[i];
        } else {
            mag[i] = std::nan("");
        }
    }
    // The peak is at 0 dB, so after moving the lowest to 0 it stands at -lowest.
    const double top = 0.0 - lowest;
    for (int i = 0; i < n; ++i) {
        if (std::isnan(mag[i]))
            mag[i] = 0.0;
        else if (top > 0.0)
            mag[i] = (mag[i] - lowest) / top * 32767.0;
        else
            mag[i] = 32767.0; // a flat spectrum: every bin is the peak
    }
    return n;
}
