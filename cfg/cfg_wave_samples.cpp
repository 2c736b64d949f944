#include "cfg_wave_samples.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

std::vector<std::size_t> decimation_buckets(std::size_t n, std::size_t m)
{
    std::vector<std::size_t> sizes;
    if (m < 1 || m > n)
        return sizes;
    const std::size_t q = n / m;
    const std::size_t r = n % m;
    // The longer buckets are split between both ends.
    const struct {
        std::size_t count;
        std::size_t size;
    } runs[] = {{r / 2, q + 1}, {m - r, q}, {r - r / 2, q + 1}};
    sizes.reserve(m);
    for (const auto &run : runs)
        sizes.insert(sizes.end(), run.count, run.size);
    return sizes;
}

namespace {
// The sample beside the steepest step of the bucket [s, e].
float peak_choice(const float *in, std::size_t n, std::size_t s, std::size_t e)
{
    if (s == e)
        return in[s];
    std::size_t j = s;
    double best = 0.0;
    for (std::size_t i = s; i < e; ++i) {
        const double step = std::fabs(double(in[i + 1]) - double(in[i]));
        if (step > best) {
            best = step;
            j = i;
        }
    }
    if (j == 0)
        return in[0];
    if (j + 2 < n)
        return std::fabs(in[j] - in[j - 1]) > std::fabs(in[j + 2] - in[j + 1]) ? in[j] : in[j + 1];
    return in[j + 1];
}

// Calls f(value) for the bucket values of n inputs decimated to m (m <= n).
template <typename F>
void for_each_peak(const float *in, std::size_t n, std::size_t m, F f)
{
    std::size_t start = 0;
    for (std::size_t size : decimation_buckets(n, m)) {
        f(peak_choice(in, n, start, start + size - 1));
        start += size;
    }
}

template <typename T>
void release(std::vector<T> &v)
{
    std::vector<T>().swap(v);
}

// out may be the same vector as in.
void append_copy(const std::vector<float> &in, std::vector<float> &out)
{
    if (&in == &out) {
        const std::vector<float> copy(in);
        out.insert(out.end(), copy.begin(), copy.end());
    } else {
        out.insert(out.end(), in.begin(), in.end());
    }
}

std::int16_t clamp_int16(long long v)
{
    return std::int16_t(std::clamp<long long>(v, std::numeric_limits<std::int16_t>::min(),
                                              std::numeric_limits<std::int16_t>::max()));
}
} // namespace

float *decimate_keep_peaks(const float *in, int n, float *out, int m)
{
    if (!in || !out || n < 1 || m < 1)
        return out;
    if (m > n) {
        std::copy(in, in + n, out);
        return out;
    }
    float *dst = out;
    for_each_peak(in, std::size_t(n), std::size_t(m), [&dst](float v) { *dst++ = v; });
    return out;
}

const float *decimate_keep_peaks_checked(const float *in, int n, float *out, int m)
{
    if (n <= m)
        return in;
    return decimate_keep_peaks(in, n, out, m);
}

int decimate_keep_peaks(const std::vector<float> &in, std::vector<float> &out, int m)
{
    if (in.empty() || m < 1)
        return 1;
    if (std::size_t(m) > in.size()) {
        append_copy(in, out);
        return 1;
    }
    std::vector<float> values;
    values.reserve(std::size_t(m));
    for_each_peak(in.data(), in.size(), std::size_t(m), [&values](float v) { values.push_back(v); });
    out.insert(out.end(), values.begin(), values.end());
    return 1;
}

int decimate_keep_peaks_checked(const std::vector<float> &in, std::vector<float> &out, int m)
{
    if (m >= 0 && std::size_t(m) >= in.size()) {
        append_copy(in, out);
        return 1;
    }
    return decimate_keep_peaks(in, out, m);
}

int decimate_keep_markers(const std::vector<float> &in, std::vector<float> &out, double position1,
                          double position2, int m)
{
    if (m >= 0 && std::size_t(m) >= in.size()) {
        append_copy(in, out);
        return 1;
    }
    if (m < 1)
        return 1;
    const std::size_t n = in.size();
    // Positions outside the samples (or NaN) mark nothing.
    auto to_index = [n](double p, std::size_t &index) {
        if (!(p >= 0.0 && p < double(n)))
            return false;
        index = std::size_t(p);
        return true;
    };
    std::size_t marks[2];
    std::size_t mark_count = 0;
    std::size_t index = 0;
    if (to_index(position1, index))
        marks[mark_count++] = index;
    if (to_index(position2, index) && (mark_count == 0 || marks[0] != index))
        marks[mark_count++] = index;
    if (mark_count == 2 && marks[1] < marks[0])
        std::swap(marks[0], marks[1]);

    std::vector<float> values;
    values.reserve(std::size_t(m) + 1);
    std::size_t pair_at = 0; // index in values of the first of two marks in one bucket
    bool skip_next = false;
    bool pair_in_last = false;
    std::size_t start = 0;
    const std::vector<std::size_t> sizes = decimation_buckets(n, std::size_t(m));
    for (std::size_t b = 0; b < sizes.size(); ++b) {
        const std::size_t end = start + sizes[b] - 1;
        if (skip_next) {
            skip_next = false;
            start = end + 1;
            continue;
        }
        std::size_t held[2];
        std::size_t held_count = 0;
        for (std::size_t k = 0; k < mark_count; ++k) {
            if (marks[k] >= start && marks[k] <= end)
                held[held_count++] = marks[k];
        }
        if (held_count == 0) {
            values.push_back(peak_choice(in.data(), n, start, end));
        } else {
            if (held_count == 2) {
                pair_at = values.size();
                skip_next = true;
                pair_in_last = b + 1 == sizes.size();
            }
            for (std::size_t k = 0; k < held_count; ++k)
                values.push_back(in[held[k]]);
        }
        start = end + 1;
    }
    if (pair_in_last && values.size() > std::size_t(m)) {
        // No following bucket to drop: drop the one before the pair, or with
        // a single bucket the second mark.
        if (pair_at > 0)
            values.erase(values.begin() + std::ptrdiff_t(pair_at - 1));
        else
            values.pop_back();
    }
    out.insert(out.end(), values.begin(), values.end());
    return 1;
}

std::pair<double, double> min_max_of(const std::vector<float> &values)
{
    bool any = false;
    double lo = 0.0;
    double hi = 0.0;
    for (float v : values) {
        if (std::isnan(v))
            continue;
        if (!any) {
            lo = hi = v;
            any = true;
        } else if (v < lo) {
            lo = v;
        } else if (v > hi) {
            hi = v;
        }
    }
    return {lo, hi};
}

float abs_step(float a, float b)
{
    return std::fabs(b - a);
}

void erase_all(const std::string &pattern, std::string &text)
{
    if (pattern.empty())
        return;
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(pattern, from);
        if (at == std::string::npos)
            break;
        result.append(text, from, at - from);
        from = at + pattern.size();
    }
    result.append(text, from, std::string::npos);
    text.swap(result);
}

bool equal_vectors(const std::vector<float> &a, const std::vector<float> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i]))
            return false;
    }
    return true;
}

int scale_to_int16(const std::vector<float> &values, float max, float min, std::vector<std::int16_t> &out)
{
    out.clear();
    out.reserve(values.size());
    const float amax = std::fabs(max);
    const float amin = std::fabs(min);
    const float peak = amax > amin ? amax : amin;
    // All-zero bounds would divide by zero; they give all-zero samples.
    const float scale = peak > 0.0f && std::isfinite(peak) ? 32767.0f / peak : 0.0f;
    for (float v : values) {
        const float s = v * scale;
        std::int16_t sample = 0;
        if (std::isnan(s))
            sample = 0;
        else if (s >= 32767.0f)
            sample = 32767;
        else if (s <= -32768.0f)
            sample = -32768;
        else
            sample = std::int16_t(s);
        out.push_back(sample);
    }
    return 1;
}

int resample_wave_int16(const std::vector<std::int16_t> &in, std::vector<std::int16_t> &out, int target)
{
    if (target < 1 || in.empty()) {
        out.clear();
        return 1;
    }
    const std::size_t n = in.size();
    const std::size_t step = n / std::size_t(target);
    const double frac = double(n) / target - double(step);
    std::size_t index = 0;
    double acc = 0.0;
    std::vector<std::int16_t> values;
    try {
        values.reserve(std::size_t(target));
        for (int i = 0; i < target; ++i) {
            // A long run of repeats may carry the index to n; stay inside.
            values.push_back(in[std::min(index, n - 1)]);
            index += step;
            acc += frac;
            if (acc >= 1.0) {
                ++index;
                acc -= 1.0;
            }
        }
    } catch (const std::exception &) {
        release(out);
        return -2;
    }
    out.swap(values);
    return 1;
}

namespace {
template <typename T>
int rotate_impl(const std::vector<T> &in, std::vector<T> &out, int k)
{
    if (k < 0 || std::size_t(k) > in.size())
        return 0;
    std::vector<T> values;
    values.reserve(in.size());
    values.insert(values.end(), in.begin() + k, in.end());
    values.insert(values.end(), in.begin(), in.begin() + k);
    out.swap(values);
    return 1;
}

template <typename T>
int reverse_impl(const std::vector<T> &in, std::vector<T> &out)
{
    std::vector<T> values(in.rbegin(), in.rend());
    out.swap(values);
    return 1;
}

// count points on the line from a toward b (ratio points per input step).
void line_points(std::int16_t a, std::int16_t b, double ratio, int count, std::vector<std::int16_t> &out)
{
    const double step = (double(b) - double(a)) / ratio;
    // Whole steps are added exactly; the fraction is accumulated and truncated.
    const long long whole = static_cast<long long>(step);
    const double part = step - double(whole);
    double acc = 0.0;
    for (int k = 1; k <= count; ++k) {
        acc += part;
        out.push_back(clamp_int16(a + k * whole + static_cast<long long>(acc)));
    }
}

void line_points(float a, float b, double ratio, int count, std::vector<float> &out)
{
    const float step = float((double(b) - double(a)) / ratio);
    float v = a;
    for (int k = 1; k <= count; ++k) {
        v += step;
        out.push_back(v);
    }
}

template <typename T>
int interpolate_impl(const std::vector<T> &in, std::vector<T> &out, int m)
{
    if (in.empty()) {
        out.clear();
        return 0;
    }
    const std::size_t n = in.size();
    const double ratio = double(m) / double(n);
    std::vector<T> values;
    const int base = ratio >= 1.0 ? int(ratio) : 0;
    const double frac = ratio - base;
    double acc = 0.0;
    try {
        for (std::size_t i = 0; i < n; ++i) {
            acc += frac;
            int count = base - 1;
            if (acc >= 1.0) {
                count = base;
                acc -= 1.0;
            }
            const T next = i + 1 < n ? in[i + 1] : in[0];
            values.push_back(in[i]);
            // count > 0 only when ratio >= 1, so the step never divides by 0.
            if (count > 0)
                line_points(in[i], next, ratio, count, values);
        }
    } catch (const std::exception &) {
        release(out);
        return -2;
    }
    out.swap(values);
    return 0;
}
} // namespace

int rotate_wave(const std::vector<std::int16_t> &in, std::vector<std::int16_t> &out, int k)
{
    return rotate_impl(in, out, k);
}

int rotate_wave(const std::vector<float> &in, std::vector<float> &out, int k)
{
    return rotate_impl(in, out, k);
}

int reverse_wave(const std::vector<std::int16_t> &in, std::vector<std::int16_t> &out)
{
    return reverse_impl(in, out);
}

int reverse_wave(const std::vector<float> &in, std::vector<float> &out)
{
    return reverse_impl(in, out);
}

int negate_wave(const std::vector<float> &in, std::vector<float> &out)
{
    std::vector<float> values;
    values.reserve(in.size());
    for (float v : in)
        values.push_back(-v);
    out.swap(values);
    return 1;
}

int interpolate_wave(const std::vector<std::int16_t> &in, std::vector<std::int16_t> &out, int m)
{
    return interpolate_impl(in, out, m);
}

int interpolate_wave(const std::vector<float> &in, std::vector<float> &out, int m)
{
    return interpolate_impl(in, out, m);
}
