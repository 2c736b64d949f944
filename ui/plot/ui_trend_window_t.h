#ifndef UI_TREND_WINDOW_T_H
#define UI_TREND_WINDOW_T_H

#include "resample_wave.h"

#include <QVector>

// The trend's time windows ("1min" .. "24hour") and the arithmetic that maps
// measurement sets to time points and raw samples to plotted points.
//
// A window shows point_count() time points. The short windows ("1min" to
// "1hour") take one time point per measurement set and plot the last
// point_count() samples as they are. The long windows ("5hour", "10hour",
// "24hour") take a time point every decimation() sets and plot the whole
// window, point_count() x decimation() samples, thinned to peaks for the
// canvas width (resample_wave_peaks).
class ui_trend_window_t
{
public:
    static constexpr int series_limit = 250000; // raw samples kept per quantity
    static constexpr int window_count = 7;      // combo box entries

    ui_trend_window_t(); // "1min"

    // index of the time-window combo box, 0..6; anything else leaves the
    // window unchanged and returns false
    bool set_index(int index);
    int index() const;

    int time_mode() const;      // 1..7, the axis labels of ui_xt_scale_draw_t
    int point_count() const;    // time points across the window (N)
    int decimation() const;     // measurement sets per time point (k)
    const char *name() const;   // "1min" .. "24hour", untranslated
    bool is_long() const;       // the thinned windows

    // Whether the measurement set numbered `counter` (0 = first since a
    // clear) gets a time point and a redraw: every set in the short windows,
    // every k-th set in the long ones.
    bool takes_point(int counter) const;
    // The time-axis value that set adds (counter / k, integer division).
    double axis_value(int counter) const;
    // Time-axis length right after switching to this window: min(N, counter / k).
    int axis_points_after_switch(int counter) const;
    // Bottom-axis scale: 0 .. point_count() in steps of axis_step().
    int axis_step() const;

    // Raw samples one redraw covers: N for the short windows, N x k for the long.
    int span() const;
    // First raw sample of the window in a series of `series_size` samples.
    int window_start(int series_size) const;
    // Time-axis distance between two raw samples (1 / k).
    double x_step() const;

    // Buckets for thinning `samples` window samples: one per canvas pixel
    // column the samples cover, at least 1, at most one per time point. A
    // canvas not laid out yet (canvas_pixels < 1) counts as N pixels.
    int bucket_count(int canvas_pixels, int samples) const;

    // The window of `series` thinned for a canvas `canvas_pixels` wide:
    // appends x (time-axis units, 0 at the window start) and y, and fills
    // `stats` over every sample of the window. Returns resample_wave_peaks'
    // result.
    int thin(QVector<double> const &series, int canvas_pixels, QVector<double> &x, QVector<double> &y,
             resample_stats_t *stats = nullptr) const;

private:
    int m_index = 0;
};

#endif
