#include "ui_trend_window_t.h"

#include <algorithm>
#include <exception>

namespace {

struct window_row_t
{
    const char *name;
    int time_mode;
    int point_count;
    int decimation;
};

const window_row_t k_windows[ui_trend_window_t::window_count] = {
    {"1min", 1, 150, 1},
    {"5min", 2, 900, 1},
    {"20min", 3, 3600, 1},
    {"1hour", 4, 10000, 1},
    {"5hour", 5, 10000, 5},
    {"10hour", 6, 10000, 10},
    {"24hour", 7, 10000, 25},
};

} // namespace

ui_trend_window_t::ui_trend_window_t() = default;

bool ui_trend_window_t::set_index(int index)
{
    if (index < 0 || index >= window_count)
        return false;
    m_index = index;
    return true;
}

int ui_trend_window_t::index() const
{
    return m_index;
}

int ui_trend_window_t::time_mode() const
{
    return k_windows[m_index].time_mode;
}

int ui_trend_window_t::point_count() const
{
    return k_windows[m_index].point_count;
}

int ui_trend_window_t::decimation() const
{
    return k_windows[m_index].decimation;
}

const char *ui_trend_window_t::name() const
{
    return k_windows[m_index].name;
}

bool ui_trend_window_t::is_long() const
{
    return decimation() > 1;
}

bool ui_trend_window_t::takes_point(int counter) const
{
    return counter % decimation() == 0;
}

double ui_trend_window_t::axis_value(int counter) const
{
    return double(counter / decimation());
}

int ui_trend_window_t::axis_points_after_switch(int counter) const
{
    return std::max(0, std::min(point_count(), counter / decimation()));
}

int ui_trend_window_t::axis_step() const
{
    return point_count() / 10;
}

int ui_trend_window_t::span() const
{
    return point_count() * decimation();
}

int ui_trend_window_t::window_start(int series_size) const
{
    return std::max(0, series_size - span());
}

double ui_trend_window_t::x_step() const
{
    return 1.0 / decimation();
}

int ui_trend_window_t::bucket_count(int canvas_pixels, int samples) const
{
    if (samples < 1)
        return 1;
    const qint64 pixels = canvas_pixels < 1 ? point_count() : std::min(canvas_pixels, point_count());
    // pixel columns covered by the samples, rounded up
    const qint64 covered = (pixels * std::min(samples, span()) + span() - 1) / span();
    return int(std::max<qint64>(1, covered));
}

int ui_trend_window_t::thin(double const *series, int size, int canvas_pixels, QVector<double> &x,
                            QVector<double> &y, resample_stats_t *stats, qint64 taken, thin_cache_t *cache) const
{
    const int start = window_start(size);
    const int samples = size - start;
    const int buckets = bucket_count(canvas_pixels, samples);
    if (samples <= 4 * buckets)
        return resample_wave_peaks(series + start, samples, 0.0, x_step(), buckets, x, y, stats);

    const qint64 pixels = canvas_pixels < 1 ? point_count() : std::min(canvas_pixels, point_count());
    const int run = int((span() + pixels - 1) / pixels);
    taken = std::max<qint64>(taken, size);
    const qint64 first = taken - samples; // number of the window's first sample
    // index in `series` of sample number n
    const auto at = [&](qint64 n) { return start + int(n - first); };

    thin_cache_t scratch;
    thin_cache_t &c = cache ? *cache : scratch;
    if (c.run_length != run || c.window_index != m_index || c.taken > taken) {
        c = thin_cache_t();
        c.run_length = run;
        c.window_index = m_index;
    }
    c.taken = taken;
    const qint64 first_run = (first + run - 1) / run; // the first run wholly in the window
    const qint64 end_run = taken / run;               // runs before it are complete
    while (!c.runs.empty() && c.runs.front().number < first_run)
        c.runs.pop_front();
    if (!c.runs.empty() && c.runs.front().number != first_run)
        c.runs.clear();

    resample_stats_t seen;
    seen.count = samples;
    seen.minimum = series[start];
    seen.maximum = series[start];
    double sum = 0.0;
    try {
        for (qint64 m = c.runs.empty() ? first_run : c.runs.back().number + 1; m < end_run; ++m) {
            const int begin = at(m * run);
            int lo = begin;
            int hi = begin;
            double run_sum = 0.0;
            resample_scan_run(series, begin, begin + run, lo, hi, run_sum);
            c.runs.push_back({m, m * run + (lo - begin), m * run + (hi - begin), series[lo], series[hi], run_sum});
        }

        qint64 previous = -1;
        const auto keep = [&](qint64 n) {
            if (n == previous)
                return;
            x.append((n - first) * x_step());
            y.append(series[at(n)]);
            previous = n;
        };
        const auto extremes = [&](qint64 lo, qint64 hi, double low, double high) {
            seen.minimum = std::min(seen.minimum, low);
            seen.maximum = std::max(seen.maximum, high);
            keep(std::min(lo, hi));
            keep(std::max(lo, hi));
        };
        // the samples outside complete runs, scanned at every redraw
        const auto part = [&](qint64 from, qint64 to) {
            if (from >= to)
                return;
            int lo = at(from);
            int hi = lo;
            resample_scan_run(series, at(from), at(to - 1) + 1, lo, hi, sum);
            extremes(from + (lo - at(from)), from + (hi - at(from)), series[lo], series[hi]);
        };

        x.reserve(x.size() + 2 * int(c.runs.size()) + 6);
        y.reserve(y.size() + 2 * int(c.runs.size()) + 6);
        keep(first);
        const qint64 head_end = std::min(first_run * run, taken);
        part(first, head_end);
        for (const thin_cache_t::run_t &r : c.runs) {
            sum += r.sum;
            extremes(r.lo, r.hi, r.low, r.high);
        }
        part(std::max(end_run * run, head_end), taken);
        keep(taken - 1);
    } catch (const std::exception &) {
        x.clear();
        x.squeeze();
        y.clear();
        y.squeeze();
        c = thin_cache_t();
        if (stats)
            *stats = resample_stats_t();
        return -2;
    }
    if (stats) {
        seen.mean = sum / samples;
        *stats = seen;
    }
    return 1;
}
