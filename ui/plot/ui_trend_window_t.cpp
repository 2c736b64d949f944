#include "ui_trend_window_t.h"

#include <algorithm>

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

int ui_trend_window_t::thin(QVector<double> const &series, int canvas_pixels, QVector<double> &x,
                            QVector<double> &y, resample_stats_t *stats) const
{
    const int start = window_start(series.size());
    const int samples = series.size() - start;
    return resample_wave_peaks(series.constData() + start, samples, 0.0, x_step(),
                               bucket_count(canvas_pixels, samples), x, y, stats);
}
