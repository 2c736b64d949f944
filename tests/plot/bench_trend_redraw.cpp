// Trend redraw of the long windows: 4 series of 250000 samples ("24hour")
// drawn through the peak-preserving thinning, beside a plain Qwt redraw of
// every sample, in the same run. Prints milliseconds and the speed-up.
#include "ui_preview_plot_t.h"
#include "ui_trend_scale_t.h"
#include "ui_trend_window_t.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_point_data.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

const int k_series = 4;

struct trend_plot_t
{
    ui_preview_plot_t plot{nullptr, true};
    QwtPlotCurve *curves[k_series];

    trend_plot_t()
    {
        // as the main window sets up its trend plot
        plot.resize(423, 220);
        plot.canvas()->setContentsMargins(10, 0, 10, 0);
        plot.setCanvasBackground(QBrush(Qt::black));
        plot.setAxisScale(QwtPlot::xBottom, 0, 10000, 1000);
        plot.setAxisScale(QwtPlot::yLeft, -11, 111, 10);
        const QColor colours[k_series] = {Qt::green, QColor(255, 127, 0, 255), Qt::cyan, Qt::yellow};
        for (int i = 0; i < k_series; ++i) {
            curves[i] = new QwtPlotCurve(QString());
            curves[i]->setStyle(QwtPlotCurve::Lines);
            curves[i]->setCurveAttribute(QwtPlotCurve::Fitted, false);
            curves[i]->setPen(colours[i], 0.0);
            curves[i]->attach(&plot);
        }
        plot.show();
    }

    qint64 paint()
    {
        plot.replot();
        const QImage image = plot.grab().toImage();
        return image.cacheKey(); // keeps the grab from being optimised away
    }
};

QVector<double> make_series(int n, double base, double amplitude, unsigned seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, amplitude * 0.05);
    QVector<double> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = base + amplitude * std::sin(i * 2.0e-4) + noise(rng);
    for (int i = 997; i < n; i += 20011)
        v[i] = base + amplitude * 3; // short peaks the trend must keep
    return v;
}

// the redraw of the long windows: thin, statistics, automatic range, percent
double redraw_thinned(trend_plot_t &t, const ui_trend_window_t &w, const QVector<double> *series, int *points)
{
    QElapsedTimer timer;
    timer.start();
    const int pixels = int(t.plot.canvas()->contentsRect().width() * t.plot.devicePixelRatioF());
    *points = 0;
    for (int i = 0; i < k_series; ++i) {
        QVector<double> x, y, scaled;
        resample_stats_t stats;
        w.thin(series[i], pixels, x, y, &stats);
        ui_trend_scale_t::to_percent(y, ui_trend_scale_t::auto_upper(stats.maximum),
                                     ui_trend_scale_t::auto_lower(stats.minimum), scaled);
        *points += x.size();
        t.curves[i]->setData(new QwtPointArrayData(x, scaled));
    }
    t.paint();
    return timer.nsecsElapsed() / 1e6;
}

// the same window drawn with every sample
double redraw_plain(trend_plot_t &t, const ui_trend_window_t &w, const QVector<double> *series, int *points)
{
    QElapsedTimer timer;
    timer.start();
    *points = 0;
    for (int i = 0; i < k_series; ++i) {
        const int start = w.window_start(series[i].size());
        const QVector<double> y = series[i].mid(start);
        const resample_stats_t stats = ui_trend_scale_t::statistics(y);
        QVector<double> x(y.size()), scaled;
        for (int j = 0; j < y.size(); ++j)
            x[j] = j * w.x_step();
        ui_trend_scale_t::to_percent(y, ui_trend_scale_t::auto_upper(stats.maximum),
                                     ui_trend_scale_t::auto_lower(stats.minimum), scaled);
        *points += x.size();
        t.curves[i]->setData(new QwtPointArrayData(x, scaled));
    }
    t.paint();
    return timer.nsecsElapsed() / 1e6;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const int n = ui_trend_window_t::series_limit;
    const QVector<double> series[k_series] = {
        make_series(n, 2.0, 1.0, 1),     // current
        make_series(n, 12.0, 0.5, 2),    // voltage
        make_series(n, 6.0, 2.0, 3),     // resistance
        make_series(n, 24.0, 10.0, 4),   // power
    };
    ui_trend_window_t window;
    window.set_index(6); // "24hour"

    trend_plot_t thinned_plot;
    trend_plot_t plain_plot;
    QCoreApplication::processEvents();

    int thinned_points = 0;
    int plain_points = 0;
    redraw_thinned(thinned_plot, window, series, &thinned_points); // warm-up
    redraw_plain(plain_plot, window, series, &plain_points);

    QVector<double> thinned_ms, plain_ms;
    for (int r = 0; r < 5; ++r) {
        plain_ms << redraw_plain(plain_plot, window, series, &plain_points);
        for (int i = 0; i < 4; ++i)
            thinned_ms << redraw_thinned(thinned_plot, window, series, &thinned_points);
    }
    const double thinned = median(thinned_ms);
    const double plain = median(plain_ms);

    std::printf("trend redraw, window \"%s\", %d series x %d samples, plot 423x220\n", window.name(), k_series, n);
    std::printf("  plain Qwt redraw:   %9.2f ms  (%d points handed to Qwt)\n", plain, plain_points);
    std::printf("  thinned redraw:     %9.2f ms  (%d points handed to Qwt)\n", thinned, thinned_points);
    std::printf("  speed-up:           %9.1fx  (goal: at least 50x)\n", plain / thinned);
    return 0;
}
