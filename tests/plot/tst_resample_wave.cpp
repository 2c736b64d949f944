// The two resamplers: the evenly spread pick and the peak-preserving thinning.
#include "resample_wave.h"

#include <QtTest>

#include <cstdlib>
#include <new>
#include <random>

// Allocation failure on demand: the next operator new throws once armed.
// Per thread: armed on the test's thread, another thread's allocation (such
// as QtTest's watchdog) must neither take the failure nor race for the flag.
static thread_local bool g_fail_next_new = false;

void *operator new(std::size_t size)
{
    if (g_fail_next_new) {
        g_fail_next_new = false;
        throw std::bad_alloc();
    }
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

Q_DECLARE_METATYPE(std::vector<float>)

namespace {

// in[i] = i, so picked values are picked indices
std::vector<float> ramp(int n)
{
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[size_t(i)] = float(i);
    return v;
}

std::vector<float> floats(std::initializer_list<int> indices)
{
    std::vector<float> v;
    for (int i : indices)
        v.push_back(float(i));
    return v;
}

// position of the point at x, or -1 (x values are computed, compare loosely)
int index_of_x(QVector<double> const &xs, double x)
{
    for (int i = 0; i < xs.size(); ++i)
        if (qAbs(xs[i] - x) < 1e-9)
            return i;
    return -1;
}

QVector<double> ramp_d(int n)
{
    QVector<double> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = i;
    return v;
}

} // namespace

class tst_resample_wave : public QObject
{
    Q_OBJECT

private slots:
    void picks_evenly_spread_samples_data();
    void picks_evenly_spread_samples();
    void pick_appends_and_ignores_bad_target();
    void pick_never_reads_past_the_input();
    void pick_reports_allocation_failure();

    void peaks_bucket_layout_data();
    void peaks_bucket_layout();
    void peaks_survive_thinning();
    void peaks_keep_time_order_and_positions();
    void peaks_edge_cases();
    void peaks_match_plain_search();
};

void tst_resample_wave::picks_evenly_spread_samples_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("target");
    QTest::addColumn<std::vector<float>>("expected");

    QTest::newRow("10 to 4: step 2, frac 0.5") << 10 << 4 << floats({0, 2, 5, 7});
    QTest::newRow("3 to 6: repeats") << 3 << 6 << floats({0, 0, 1, 1, 2, 2});
    QTest::newRow("exact multiple 20 to 5") << 20 << 5 << floats({0, 4, 8, 12, 16});
    QTest::newRow("10000 to 10000: unchanged") << 10000 << 10000 << ramp(10000);
    QTest::newRow("7 to 1") << 7 << 1 << floats({0});
}

void tst_resample_wave::picks_evenly_spread_samples()
{
    QFETCH(int, n);
    QFETCH(int, target);
    QFETCH(std::vector<float>, expected);

    std::vector<float> out;
    QCOMPARE(resample_wave(ramp(n), out, target), 1);
    QCOMPARE(out, expected);
}

void tst_resample_wave::pick_appends_and_ignores_bad_target()
{
    std::vector<float> out{42.0f};
    QCOMPARE(resample_wave(ramp(10), out, 0), 1);
    QCOMPARE(resample_wave(ramp(10), out, -3), 1);
    QCOMPARE(out, floats({42}));

    // appended, not replaced
    QCOMPARE(resample_wave(ramp(10), out, 4), 1);
    QCOMPARE(out, floats({42, 0, 2, 5, 7}));

    // nothing to pick from: nothing appended
    QCOMPARE(resample_wave(std::vector<float>(), out, 5), 1);
    QCOMPARE(out.size(), size_t(5));
}

void tst_resample_wave::pick_never_reads_past_the_input()
{
    // The single-precision accumulator drifts over many steps; every pick
    // must still be an input sample, in order, and the count exact.
    const int cases[][2] = {{3, 100000}, {9999, 10000}, {7, 9973}, {250000, 9999}};
    for (const auto &c : cases) {
        const int n = c[0];
        const int target = c[1];
        std::vector<float> out;
        QCOMPARE(resample_wave(ramp(n), out, target), 1);
        QCOMPARE(int(out.size()), target);
        QCOMPARE(out.front(), 0.0f);
        for (size_t i = 0; i < out.size(); ++i) {
            QVERIFY2(out[i] >= 0.0f && out[i] <= float(n - 1), qPrintable(QString::number(i)));
            if (i > 0)
                QVERIFY(out[i] >= out[i - 1]);
        }
        // the last pick is close to the end, not stuck early
        QVERIFY(out.back() >= float(n - 1) - float(n) / float(target) - 1.0f);
    }
}

void tst_resample_wave::pick_reports_allocation_failure()
{
    const std::vector<float> in = ramp(100);
    std::vector<float> out{1.0f, 2.0f};
    out.shrink_to_fit();
    g_fail_next_new = true; // the first growth of out fails
    const int result = resample_wave(in, out, 50);
    g_fail_next_new = false;
    QCOMPARE(result, -2);
    QVERIFY(out.empty());
    QCOMPARE(out.capacity(), size_t(0));

    // usable again afterwards
    QCOMPARE(resample_wave(ramp(10), out, 4), 1);
    QCOMPARE(out, floats({0, 2, 5, 7}));
}

void tst_resample_wave::peaks_bucket_layout_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("buckets");
    QTest::addColumn<QVector<double>>("expected_x");

    // On a rising ramp each bucket gives its first (= min) and last (= max) sample.
    QTest::newRow("20 in 3: runs 6, 7, 7") << 20 << 3 << QVector<double>{0, 5, 6, 12, 13, 19};
    QTest::newRow("15 in 2: runs 7, 8") << 15 << 2 << QVector<double>{0, 6, 7, 14};
    QTest::newRow("exact multiple 40 in 4") << 40 << 4 << QVector<double>{0, 9, 10, 19, 20, 29, 30, 39};
    QTest::newRow("one bucket") << 50 << 1 << QVector<double>{0, 49};
}

void tst_resample_wave::peaks_bucket_layout()
{
    QFETCH(int, n);
    QFETCH(int, buckets);
    QFETCH(QVector<double>, expected_x);

    const QVector<double> in = ramp_d(n);
    QVector<double> x, y;
    QCOMPARE(resample_wave_peaks(in.constData(), n, 0.0, 1.0, buckets, x, y), 1);
    QCOMPARE(x, expected_x);
    QCOMPARE(y, expected_x); // y = index on a ramp

    // the layout stays even for a large exact multiple
    const QVector<double> big = ramp_d(250000);
    x.clear();
    y.clear();
    QCOMPARE(resample_wave_peaks(big.constData(), big.size(), 0.0, 1.0, 1000, x, y), 1);
    QCOMPARE(x.size(), 2000);
    for (int b = 0; b < 1000; ++b) {
        QCOMPARE(x[2 * b], double(b * 250));
        QCOMPARE(x[2 * b + 1], double(b * 250 + 249));
    }
}

void tst_resample_wave::peaks_survive_thinning()
{
    // Noise around 1.0 with one-sample spikes: every spike must be drawn.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(0.95, 1.05);
    QVector<double> in(250000);
    for (double &v : in)
        v = noise(rng);
    const QList<int> ups{17, 99999, 123457, 249999};
    const QList<int> downs{0, 50001, 200003};
    for (int i : ups)
        in[i] = 30.0;
    for (int i : downs)
        in[i] = -2.0;

    QVector<double> x, y;
    resample_stats_t stats;
    QCOMPARE(resample_wave_peaks(in.constData(), in.size(), 0.0, 1.0 / 25, 400, x, y, &stats), 1);
    QVERIFY(x.size() <= 802);
    QCOMPARE(x.size(), y.size());

    for (int i : ups + downs) {
        const int at = index_of_x(x, i / 25.0);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("sample %1 lost").arg(i)));
        QCOMPARE(y[at], in[i]);
    }
    QCOMPARE(stats.maximum, 30.0);
    QCOMPARE(stats.minimum, -2.0);
    QCOMPARE(*std::max_element(y.begin(), y.end()), 30.0);
    QCOMPARE(*std::min_element(y.begin(), y.end()), -2.0);
}

void tst_resample_wave::peaks_keep_time_order_and_positions()
{
    // Runs of 5; inside a run the largest may come before the smallest.
    const QVector<double> in{5, 9, 1, 4, 6, /**/ 4, 4, 8, 0, 4, /**/ 3, 7, 7, 2, 2};
    QVector<double> x{-1}, y{-1}; // appended after what is there
    QCOMPARE(resample_wave_peaks(in.constData(), in.size(), 100.0, 0.5, 3, x, y), 1);
    // first of all, max, min | max, min | first max, first min, last of all
    QCOMPARE(x, (QVector<double>{-1, 100, 100.5, 101, 103.5, 104, 105.5, 106.5, 107}));
    QCOMPARE(y, (QVector<double>{-1, 5, 9, 1, 8, 0, 7, 2, 2}));
}

void tst_resample_wave::peaks_edge_cases()
{
    const QVector<double> in = ramp_d(10);
    QVector<double> x{1}, y{2};
    resample_stats_t stats;
    stats.count = 99;

    QCOMPARE(resample_wave_peaks(in.constData(), 0, 0.0, 1.0, 4, x, y, &stats), 1);
    QCOMPARE(stats.count, 0);
    QCOMPARE(stats.maximum, 0.0);
    QCOMPARE(resample_wave_peaks(in.constData(), 10, 0.0, 1.0, 0, x, y, &stats), 1);
    QCOMPARE(resample_wave_peaks(in.constData(), 10, 0.0, 1.0, -5, x, y), 1);
    QCOMPARE(resample_wave_peaks(nullptr, 10, 0.0, 1.0, 4, x, y), 1);
    QCOMPARE(x, QVector<double>{1});
    QCOMPARE(y, QVector<double>{2});
}

void tst_resample_wave::peaks_match_plain_search()
{
    // Random lengths, bucket counts and values with many ties, against a
    // sample-by-sample search for each run's min and max (and the input's
    // first and last).
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        const int n = std::uniform_int_distribution<int>(1, 4000)(rng);
        const int buckets = std::uniform_int_distribution<int>(1, 200)(rng);
        const int levels = std::uniform_int_distribution<int>(1, 50)(rng);
        QVector<double> in(n);
        for (double &v : in)
            v = std::uniform_int_distribution<int>(0, levels)(rng) * 0.25 - 3.0;

        QVector<double> want_x, want_y;
        double sum = 0.0;
        for (double v : in)
            sum += v;
        if (n <= 4 * buckets) {
            for (int i = 0; i < n; ++i) {
                want_x << 0.5 * i;
                want_y << in[i];
            }
        } else {
            for (int b = 0; b < buckets; ++b) {
                const int begin = int(qint64(b) * n / buckets);
                const int end = int(qint64(b + 1) * n / buckets);
                int lo = begin, hi = begin;
                for (int i = begin; i < end; ++i) {
                    if (in[i] < in[lo])
                        lo = i;
                    if (in[i] > in[hi])
                        hi = i;
                }
                QList<int> keep{qMin(lo, hi), qMax(lo, hi)};
                if (b == 0)
                    keep.prepend(begin);
                if (b == buckets - 1)
                    keep.append(end - 1);
                for (int k = 0; k < keep.size(); ++k) {
                    if (k > 0 && keep[k] == keep[k - 1])
                        continue;
                    want_x << 0.5 * keep[k];
                    want_y << in[keep[k]];
                }
            }
        }

        QVector<double> x, y;
        resample_stats_t stats;
        QCOMPARE(resample_wave_peaks(in.constData(), n, 0.0, 0.5, buckets, x, y, &stats), 1);
        const QByteArray where = QStringLiteral("n %1 buckets %2").arg(n).arg(buckets).toLatin1();
        QVERIFY2(x == want_x, where.constData());
        QVERIFY2(y == want_y, where.constData());
        QCOMPARE(stats.count, n);
        QCOMPARE(stats.minimum, *std::min_element(in.begin(), in.end()));
        QCOMPARE(stats.maximum, *std::max_element(in.begin(), in.end()));
        QVERIFY(qAbs(stats.mean - sum / n) < 1e-9);
    }
}

QTEST_APPLESS_MAIN(tst_resample_wave)
#include "tst_resample_wave.moc"
