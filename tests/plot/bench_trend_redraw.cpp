// The trend of the long windows as the main window draws it: 4 series of
// 250000 samples ("24hour") redrawn in the window's own plot, thinned to its
// pixel columns, 25 new sets between two redraws as the window takes them. Beside it, on plots of the same size and style, the same
// window drawn two other ways: every sample handed to Qwt (a plain redraw),
// and a per-column min/max envelope (two points per pixel column, the least
// a drawing that keeps every peak can hand to Qwt). Also what one
// measurement set costs once the series are full.
//
// Times are the GUI thread's CPU time, so that other work on the machine
// does not count; wall-clock medians are printed beside them.
#include "mymainwindow.h"
#include "mymainwindow_trend_state.h"

#include "ui_mymainwindow.h"

#include "ui_preview_plot_t.h"
#include "ui_trend_scale_t.h"
#include "ui_trend_window_t.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_point_data.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>

namespace {

const int k_series = 4;

struct times_t
{
    double cpu_ms;
    double wall_ms;
};

// Runs `work` and returns its CPU time on this thread and its wall time.
template <class F> times_t measure(F&& work)
{
    timespec c0{}, c1{};
    QElapsedTimer wall;
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &c0);
    wall.start();
    work();
    const double wall_ms = wall.nsecsElapsed() / 1e6;
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &c1);
    return {(c1.tv_sec - c0.tv_sec) * 1e3 + (c1.tv_nsec - c0.tv_nsec) / 1e6, wall_ms};
}

// Paints the plot's canvas now, as a redraw reaches the screen (the axes
// do not change between these redraws).
void paint(QwtPlot* plot)
{
    plot->replot();
    plot->canvas()->repaint();
}

// A plot set up as the window sets up its trend plot, of the window's size.
struct side_plot_t
{
    ui_preview_plot_t plot{nullptr, true};
    QwtPlotCurve* curves[k_series];

    explicit side_plot_t(const QSize& size)
    {
        plot.resize(size);
        plot.canvas()->setContentsMargins(10, 0, 10, 0);
        plot.setCanvasBackground(QBrush(Qt::black));
        plot.setAxisScale(QwtPlot::xBottom, 0, 10000, 1000);
        plot.setAxisScale(QwtPlot::yLeft, -11, 111, 10);
        const QColor colours[k_series] = {Qt::green, QColor(255, 127, 0, 255), Qt::cyan, Qt::yellow};
        for (int i = 0; i < k_series; ++i) {
            curves[i] = new QwtPlotCurve(QString());
            curves[i]->setStyle(QwtPlotCurve::Lines);
            curves[i]->setCurveAttribute(QwtPlotCurve::Fitted, false);
            curves[i]->setPen(colours[i]);
            curves[i]->attach(&plot);
        }
        plot.show();
    }

    int pixels() const { return int(plot.canvas()->contentsRect().width() * plot.devicePixelRatioF()); }
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

// Every sample of the window handed to Qwt.
void redraw_plain(side_plot_t& p, const ui_trend_window_t& w, const trend_series_t* series, int* points)
{
    *points = 0;
    for (int i = 0; i < k_series; ++i) {
        const int start = w.window_start(series[i].size());
        const QVector<double> y = series[i].last_samples(series[i].size() - start);
        const resample_stats_t stats = ui_trend_scale_t::statistics(y);
        QVector<double> x(y.size()), scaled;
        for (int j = 0; j < y.size(); ++j)
            x[j] = j * w.x_step();
        ui_trend_scale_t::to_percent(y, ui_trend_scale_t::auto_upper(stats.maximum),
                                     ui_trend_scale_t::auto_lower(stats.minimum), scaled);
        *points += x.size();
        p.curves[i]->setData(new QwtPointArrayData(x, scaled));
    }
    paint(&p.plot);
}

// The smallest and the largest sample of each pixel column, in that order.
void redraw_envelope(side_plot_t& p, const ui_trend_window_t& w, const trend_series_t* series, int* points)
{
    *points = 0;
    const int columns = p.pixels();
    for (int i = 0; i < k_series; ++i) {
        const int start = w.window_start(series[i].size());
        const double* in = series[i].constData() + start;
        const int count = series[i].size() - start;
        QVector<double> x, y;
        x.reserve(2 * columns);
        y.reserve(2 * columns);
        double low_all = in[0];
        double high_all = in[0];
        int begin = 0;
        for (int c = 0; c < columns; ++c) {
            const int end = int(qint64(c + 1) * count / columns);
            if (end <= begin)
                continue;
            const auto range = std::minmax_element(in + begin, in + end);
            const double at = (begin + end) * 0.5 * w.x_step();
            x << at << at;
            y << *range.first << *range.second;
            low_all = std::min(low_all, *range.first);
            high_all = std::max(high_all, *range.second);
            begin = end;
        }
        QVector<double> scaled;
        ui_trend_scale_t::to_percent(y, ui_trend_scale_t::auto_upper(high_all), ui_trend_scale_t::auto_lower(low_all),
                                     scaled);
        *points += x.size();
        p.curves[i]->setData(new QwtPointArrayData(x, scaled));
    }
    paint(&p.plot);
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window reads and writes its configuration: a home of its own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QApplication app(argc, argv);

    MyMainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "bench_trend_redraw: the window did not show\n");
        return 1;
    }
    MyMainWindow::trend_state_t& t = *window.trend;
    const QSize plot_size = t.plot->size();

    const int n = window.trend_series_limit;
    const QVector<double> source[k_series] = {
        make_series(n, 2.0, 1.0, 1),   // current
        make_series(n, 12.0, 0.5, 2),  // voltage
        make_series(n, 6.0, 2.0, 3),   // resistance
        make_series(n, 24.0, 10.0, 4), // power
    };

    // The sets collected paused (no redraw per set), then once more to run
    // the full series for a second time round.
    QTest::mouseClick(window.ui->pushButton_Pause_Wave, Qt::LeftButton);
    for (int i = 0; i < n; ++i)
        window.display_data(source[0][i], source[1][i], source[2][i], source[3][i], 0, 1);
    const times_t fill = measure([&] {
        for (int i = 0; i < n; ++i)
            window.display_data(source[0][i], source[1][i], source[2][i], source[3][i], 0, 1);
    });
    // The series alone: a full ring against dropping the oldest by copying.
    trend_series_t ring[k_series] = {trend_series_t(n), trend_series_t(n), trend_series_t(n), trend_series_t(n)};
    QVector<double> copied[k_series];
    for (int q = 0; q < k_series; ++q) {
        for (int i = 0; i <= n; ++i) // one past full: the ring's one-time second copy is made
            ring[q].append(source[q][i % n]);
        copied[q] = source[q];
    }
    const int sets = 2000;
    const times_t ring_time = measure([&] {
        for (int i = 0; i < sets; ++i)
            for (int q = 0; q < k_series; ++q)
                ring[q].append(source[q][i]);
    });
    const times_t copy_time = measure([&] {
        for (int i = 0; i < sets; ++i)
            for (int q = 0; q < k_series; ++q) {
                copied[q].removeFirst();
                copied[q].append(source[q][i]);
            }
    });

    window.ui->comboBox_wave_time->setCurrentIndex(6); // "24hour", drawn once
    const ui_trend_window_t& w = t.window;
    side_plot_t plain_plot(plot_size);
    side_plot_t envelope_plot(plot_size);
    QCoreApplication::processEvents();

    int window_points = 0;
    int plain_points = 0;
    int envelope_points = 0;
    const auto redraw_window = [&] {
        window.deal_trend_data();
        paint(t.plot);
        window_points = 0;
        for (int q = 0; q < k_series; ++q)
            window_points += t.shown_x[q].size();
    };
    // The first redraw of the window scans every run; later ones only the
    // sets taken since, k of them in a window of k sets per time point.
    int next = 0;
    const auto take_sets = [&](int count) {
        for (int i = 0; i < count; ++i, ++next)
            window.display_data(source[0][next % n], source[1][next % n], source[2][next % n],
                                source[3][next % n], 0, 1);
    };
    for (ui_trend_window_t::thin_cache_t& c : t.thin_cache)
        c = ui_trend_window_t::thin_cache_t();
    const times_t first_redraw = measure(redraw_window);
    redraw_plain(plain_plot, w, t.raw, &plain_points);
    redraw_envelope(envelope_plot, w, t.raw, &envelope_points);

    QVector<double> window_cpu, window_wall, plain_cpu, plain_wall, envelope_cpu, envelope_wall;
    for (int r = 0; r < 5; ++r) {
        const times_t p = measure([&] { redraw_plain(plain_plot, w, t.raw, &plain_points); });
        plain_cpu << p.cpu_ms;
        plain_wall << p.wall_ms;
        for (int i = 0; i < 4; ++i) {
            take_sets(w.decimation());
            const times_t a = measure(redraw_window);
            window_cpu << a.cpu_ms;
            window_wall << a.wall_ms;
            const times_t e = measure([&] { redraw_envelope(envelope_plot, w, t.raw, &envelope_points); });
            envelope_cpu << e.cpu_ms;
            envelope_wall << e.wall_ms;
        }
    }
    const double ours = median(window_cpu);
    const double plain = median(plain_cpu);
    const double envelope = median(envelope_cpu);

    std::printf("trend redraw, window \"%s\", %d series x %d samples, the window's plot %dx%d (%d pixel columns)\n",
                w.name(), k_series, n, plot_size.width(), plot_size.height(), plain_plot.pixels());
    std::printf("                          CPU ms    wall ms   points to Qwt\n");
    std::printf("  plain Qwt redraw:    %9.2f  %9.2f   %d\n", plain, median(plain_wall), plain_points);
    std::printf("  min/max envelope:    %9.2f  %9.2f   %d\n", envelope, median(envelope_wall), envelope_points);
    std::printf("  the window's redraw: %9.2f  %9.2f   %d   (%d new sets since the last)\n", ours,
                median(window_wall), window_points, w.decimation());
    std::printf("  its first redraw:    %9.2f  %9.2f         (every run scanned)\n", first_redraw.cpu_ms,
                first_redraw.wall_ms);
    std::printf("  speed-up over the plain redraw:  %5.1fx  (goal: at least 50x)\n", plain / ours);
    std::printf("  against the envelope:            %5.2fx  (goal: at most 1.5x)\n", ours / envelope);
    std::printf("one measurement set with the series full:\n");
    std::printf("  the window's display_data (paused): %7.3f us CPU\n", fill.cpu_ms * 1000.0 / n);
    std::printf("  4 series, ring buffer:              %7.3f us CPU\n", ring_time.cpu_ms * 1000.0 / sets);
    std::printf("  4 series, oldest dropped by a copy: %7.3f us CPU\n", copy_time.cpu_ms * 1000.0 / sets);
    return 0;
}
