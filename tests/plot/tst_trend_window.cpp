// The trend's time windows and the arithmetic of its axis ranges.
#include "trend_series_t.h"
#include "ui_trend_scale_t.h"
#include "ui_trend_window_t.h"

#include <QtTest>

#include <cmath>
#include <random>

namespace {

// position of the point at x, or -1 (x values are computed, compare loosely)
int index_of_x(QVector<double> const &xs, double x)
{
    for (int i = 0; i < xs.size(); ++i)
        if (qAbs(xs[i] - x) < 1e-9)
            return i;
    return -1;
}

} // namespace

class tst_trend_window : public QObject
{
    Q_OBJECT

private slots:
    void window_table_data();
    void window_table();
    void bad_index_keeps_window();
    void time_points_per_set();
    void axis_after_switch();
    void window_covers_the_whole_long_span();
    void bucket_count_follows_the_canvas();
    void thin_draws_the_whole_day();
    void thin_slides_with_the_series();
    void thin_from_the_cache_matches_a_fresh_one();
    void series_ring_keeps_the_newest();

    void statistics();
    void automatic_range();
    void percent_scaling();
};

void tst_trend_window::window_table_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("k");

    QTest::newRow("0") << 0 << "1min" << 1 << 150 << 1;
    QTest::newRow("1") << 1 << "5min" << 2 << 900 << 1;
    QTest::newRow("2") << 2 << "20min" << 3 << 3600 << 1;
    QTest::newRow("3") << 3 << "1hour" << 4 << 10000 << 1;
    QTest::newRow("4") << 4 << "5hour" << 5 << 10000 << 5;
    QTest::newRow("5") << 5 << "10hour" << 6 << 10000 << 10;
    QTest::newRow("6") << 6 << "24hour" << 7 << 10000 << 25;
}

void tst_trend_window::window_table()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(int, points);
    QFETCH(int, k);

    ui_trend_window_t w;
    QVERIFY(w.set_index(index));
    QCOMPARE(w.index(), index);
    QCOMPARE(QString::fromLatin1(w.name()), name);
    QCOMPARE(w.time_mode(), mode);
    QCOMPARE(w.point_count(), points);
    QCOMPARE(w.decimation(), k);
    QCOMPARE(w.is_long(), k > 1);
    QCOMPARE(w.axis_step(), points / 10);
    // short windows plot their last N samples, long ones N x k
    QCOMPARE(w.span(), points * k);
    QVERIFY(w.span() <= ui_trend_window_t::series_limit);
}

void tst_trend_window::bad_index_keeps_window()
{
    ui_trend_window_t w;
    QCOMPARE(w.time_mode(), 1);
    QCOMPARE(w.point_count(), 150);
    QVERIFY(w.set_index(5));
    QVERIFY(!w.set_index(7));
    QVERIFY(!w.set_index(-1));
    QCOMPARE(w.index(), 5);
    QCOMPARE(w.time_mode(), 6);
}

void tst_trend_window::time_points_per_set()
{
    ui_trend_window_t w;
    QVERIFY(w.set_index(4)); // "5hour", k = 5
    QList<int> taking;
    for (int counter = 0; counter <= 6; ++counter)
        if (w.takes_point(counter))
            taking << counter;
    QCOMPARE(taking, (QList<int>{0, 5}));
    QCOMPARE(w.axis_value(0), 0.0);
    QCOMPARE(w.axis_value(5), 1.0);
    QCOMPARE(w.axis_value(1000), 200.0);

    QVERIFY(w.set_index(2)); // short windows: every set
    for (int counter = 0; counter < 30; ++counter) {
        QVERIFY(w.takes_point(counter));
        QCOMPARE(w.axis_value(counter), double(counter));
    }
}

void tst_trend_window::axis_after_switch()
{
    ui_trend_window_t w;
    QVERIFY(w.set_index(4));
    QCOMPARE(w.axis_points_after_switch(1000), 200);
    QCOMPARE(w.axis_points_after_switch(4), 0);
    QCOMPARE(w.axis_points_after_switch(0), 0);
    QCOMPARE(w.axis_points_after_switch(10000000), 10000);
    QVERIFY(w.set_index(0));
    QCOMPARE(w.axis_points_after_switch(1000), 150);
    QCOMPARE(w.axis_points_after_switch(99), 99);
}

void tst_trend_window::window_covers_the_whole_long_span()
{
    ui_trend_window_t w;
    // "24hour" spans the whole kept series, not its last 10000 samples
    QVERIFY(w.set_index(6));
    QCOMPARE(w.window_start(250000), 0);
    QCOMPARE(w.window_start(1000), 0);
    QVERIFY(w.set_index(5)); // "10hour": the last 100000
    QCOMPARE(w.window_start(250000), 150000);
    QVERIFY(w.set_index(4)); // "5hour": the last 50000
    QCOMPARE(w.window_start(250000), 200000);
    QCOMPARE(w.x_step(), 0.2);
    QVERIFY(w.set_index(3)); // "1hour" as before: the last 10000
    QCOMPARE(w.window_start(250000), 240000);
    QCOMPARE(w.window_start(20), 0);
    QCOMPARE(w.x_step(), 1.0);
}

void tst_trend_window::bucket_count_follows_the_canvas()
{
    ui_trend_window_t w;
    QVERIFY(w.set_index(6));
    QCOMPARE(w.bucket_count(403, 250000), 403);      // a full window: one per pixel column
    QCOMPARE(w.bucket_count(403, 1000000), 403);     // never more than the span
    QCOMPARE(w.bucket_count(400, 125000), 200);      // half the window: half the columns
    QCOMPARE(w.bucket_count(400, 1000), 2);          // rounded up
    QCOMPARE(w.bucket_count(400, 1), 1);
    QCOMPARE(w.bucket_count(400, 0), 1);
    QCOMPARE(w.bucket_count(0, 250000), 10000);      // not laid out: one per time point
    QCOMPARE(w.bucket_count(50000, 250000), 10000);  // no finer than the time axis
    QVERIFY(w.set_index(0));
    QCOMPARE(w.bucket_count(400, 150), 150);
}

void tst_trend_window::thin_draws_the_whole_day()
{
    // A full day of samples with a one-sample peak in the first hour: the
    // 24-hour window must show it, at its place on the axis.
    QVector<double> series(250000, 1.5);
    series[1234] = 9.0;
    series[240000] = 0.5;

    ui_trend_window_t w;
    QVERIFY(w.set_index(6));
    QVector<double> x, y;
    resample_stats_t stats;
    QCOMPARE(w.thin(series.constData(), series.size(), 400, x, y, &stats), 1);

    QVERIFY(x.size() <= 2 * 400 + 2);
    QCOMPARE(x.first(), 0.0);
    QVERIFY(x.last() < 10000.0 && x.last() > 9990.0);
    for (int i = 1; i < x.size(); ++i)
        QVERIFY(x[i] > x[i - 1]);
    const int peak = index_of_x(x, 1234 / 25.0);
    QVERIFY(peak >= 0);
    QCOMPARE(y[peak], 9.0);
    QVERIFY(y.contains(0.5));
    QCOMPARE(stats.count, 250000);
    QCOMPARE(stats.maximum, 9.0);
    QCOMPARE(stats.minimum, 0.5);
    QVERIFY(qAbs(stats.mean - (1.5 * 249998 + 9.0 + 0.5) / 250000) < 1e-12);
}

void tst_trend_window::thin_slides_with_the_series()
{
    // "5hour" over 60000 samples: the window is the last 50000, its first
    // sample at x 0 and the newest near x 10000.
    QVector<double> series(60000);
    for (int i = 0; i < series.size(); ++i)
        series[i] = i;

    ui_trend_window_t w;
    QVERIFY(w.set_index(4));
    QVector<double> x, y;
    resample_stats_t stats;
    QCOMPARE(w.thin(series.constData(), series.size(), 400, x, y, &stats), 1);
    QCOMPARE(y.first(), 10000.0);
    QCOMPARE(x.first(), 0.0);
    QCOMPARE(y.last(), 59999.0);
    QCOMPARE(x.last(), 49999 * 0.2);
    QCOMPARE(stats.count, 50000);
    QCOMPARE(stats.minimum, 10000.0);

    // a young series in a long window: fewer buckets, x by sample / k
    QVector<double> young(1001, 2.0);
    young[1000] = 3.0;
    x.clear();
    y.clear();
    QCOMPARE(w.thin(young.constData(), young.size(), 400, x, y), 1);
    QVERIFY(x.size() <= 4 * w.bucket_count(400, 1001));
    QCOMPARE(x.last(), 200.0);
    QCOMPARE(y.last(), 3.0);

    // empty series: nothing to draw
    x.clear();
    y.clear();
    QCOMPARE(w.thin(nullptr, 0, 400, x, y, &stats), 1);
    QVERIFY(x.isEmpty() && y.isEmpty());
    QCOMPARE(stats.count, 0);
}

// A series sliding through a long window, redrawn every few sets: the runs
// kept between redraws give what a thin from scratch gives, through a
// clear, a change of window and a change of canvas width.
void tst_trend_window::thin_from_the_cache_matches_a_fresh_one()
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> value(-5.0, 5.0);
    std::uniform_int_distribution<int> batch(1, 1000);
    trend_series_t series(60000);
    ui_trend_window_t w;
    QVERIFY(w.set_index(4)); // "5hour": 50000 samples
    ui_trend_window_t::thin_cache_t cache;
    int pixels = 400;
    for (int redraw = 0; redraw < 400; ++redraw) {
        if (redraw == 150)
            series.clear();
        if (redraw == 250)
            QVERIFY(w.set_index(5)); // "10hour": the series is shorter than the window
        if (redraw == 320)
            pixels = 333;
        for (int i = batch(rng); i > 0; --i)
            series.append(value(rng));
        QVector<double> x, y, fresh_x, fresh_y;
        resample_stats_t stats, fresh_stats;
        QCOMPARE(w.thin(series.constData(), series.size(), pixels, x, y, &stats, series.taken(), &cache), 1);
        QCOMPARE(w.thin(series.constData(), series.size(), pixels, fresh_x, fresh_y, &fresh_stats, series.taken()), 1);
        const QByteArray where = QByteArray::number(redraw);
        QVERIFY2(x == fresh_x && y == fresh_y, where.constData());
        QCOMPARE(stats.count, fresh_stats.count);
        QCOMPARE(stats.minimum, fresh_stats.minimum);
        QCOMPARE(stats.maximum, fresh_stats.maximum);
        QVERIFY(qAbs(stats.mean - fresh_stats.mean) < 1e-9);
        // every sample's extremes drawn, from the oldest to the newest
        QCOMPARE(y.first(), series.at(w.window_start(series.size())));
        QCOMPARE(y.last(), series.last());
        QCOMPARE(*std::min_element(y.begin(), y.end()), stats.minimum);
        QCOMPARE(*std::max_element(y.begin(), y.end()), stats.maximum);
        for (int i = 1; i < x.size(); ++i)
            QVERIFY(x[i] > x[i - 1]);
    }
}

void tst_trend_window::series_ring_keeps_the_newest()
{
    trend_series_t s(5);
    QVERIFY(s.isEmpty());
    for (int i = 1; i <= 13; ++i) {
        s.append(i);
        const int kept = qMin(i, 5);
        QCOMPARE(s.size(), kept);
        QCOMPARE(s.taken(), qint64(i));
        // in one piece, oldest first
        for (int j = 0; j < kept; ++j)
            QCOMPARE(s.constData()[j], double(i - kept + 1 + j));
    }
    QCOMPARE(s.last_samples(2), (QVector<double>{12, 13}));
    QCOMPARE(s.last_samples(9), (QVector<double>{9, 10, 11, 12, 13}));
    s.clear();
    QCOMPARE(s.size(), 0);
    QCOMPARE(s.taken(), qint64(13));
    s.append(7);
    QCOMPARE(s.first(), 7.0);
    QCOMPARE(s.last(), 7.0);
}

void tst_trend_window::statistics()
{
    resample_stats_t s = ui_trend_scale_t::statistics(QVector<double>());
    QCOMPARE(s.count, 0);
    QCOMPARE(s.minimum, 0.0);
    QCOMPARE(s.maximum, 0.0);
    QCOMPARE(s.mean, 0.0);

    s = ui_trend_scale_t::statistics(QVector<double>{2.5, -1.0, 7.25, 0.0});
    QCOMPARE(s.count, 4);
    QCOMPARE(s.minimum, -1.0);
    QCOMPARE(s.maximum, 7.25);
    QCOMPARE(s.mean, 2.1875);
}

void tst_trend_window::automatic_range()
{
    // all values equal: a 0.1 wide range around them, the curve inside
    QCOMPARE(ui_trend_scale_t::auto_upper(1.23), 1.3);
    QCOMPARE(ui_trend_scale_t::auto_lower(1.23), 1.2);
    // a minimum of exactly 0 stays 0, not -0.1
    QCOMPARE(ui_trend_scale_t::auto_lower(0.0), 0.0);
    QCOMPARE(ui_trend_scale_t::auto_upper(0.0), 0.0);
    QCOMPARE(ui_trend_scale_t::auto_lower(0.01), 0.0);
    QCOMPARE(ui_trend_scale_t::auto_lower(-0.25), -0.3);
    QCOMPARE(ui_trend_scale_t::auto_upper(4.96), 5.0);
    QCOMPARE(ui_trend_scale_t::auto_upper(-0.25), -0.2);
}

void tst_trend_window::percent_scaling()
{
    QCOMPARE(ui_trend_scale_t::to_percent(2.0, 4.0, 0.0), 50.0);
    QCOMPARE(ui_trend_scale_t::to_percent(1.0, 3.0, 1.0), 0.0);
    QCOMPARE(ui_trend_scale_t::to_percent(5.0, 3.0, 1.0), 200.0);
    // a zero range: above, below, on
    QCOMPARE(ui_trend_scale_t::to_percent(1.1, 1.0, 1.0), 200.0);
    QCOMPARE(ui_trend_scale_t::to_percent(0.9, 1.0, 1.0), -100.0);
    QCOMPARE(ui_trend_scale_t::to_percent(1.0, 1.0, 1.0), 50.0);

    QVector<double> out{99, 99, 99, 99, 99};
    ui_trend_scale_t::to_percent(QVector<double>{0.0, 0.5, 1.0}, 1.0, 0.0, out);
    QCOMPARE(out, (QVector<double>{0.0, 50.0, 100.0}));
    ui_trend_scale_t::to_percent(QVector<double>(), 1.0, 0.0, out);
    QVERIFY(out.isEmpty());
}

QTEST_APPLESS_MAIN(tst_trend_window)
#include "tst_trend_window.moc"
