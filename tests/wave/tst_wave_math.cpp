// Signal mathematics: FFT and dB spectrum, unit prefixes, phase, random
// values, decimation, resampling, stretching and the vector helpers.
#include "cfg_wave_fft.h"
#include "cfg_wave_samples.h"
#include "cfg_wave_units.h"

#include <QtTest>

#include <cmath>
#include <vector>

namespace {
const double pi = 3.14159265358979323846;

bool near(double a, double b, double tolerance = 1e-9)
{
    return std::fabs(a - b) <= tolerance;
}

const std::vector<float> ramp{10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
} // namespace

class tst_wave_math : public QObject
{
    Q_OBJECT

private slots:
    void fft_round_trip();
    void fft_known_spectrum();
    void fft_refuses_bad_lengths_and_directions();
    void fft_shift_halves();
    void fft_db_spectrum();
    void unit_conversion();
    void automatic_unit_data();
    void automatic_unit();
    void phase_wrapping();
    void random_values_scale_by_the_real_range();
    void decimation_bucket_layouts();
    void decimation_peak_choice();
    void decimation_with_markers();
    void resample_int16();
    void interpolation();
    void rotate_reverse_negate();
    void int16_scaling();
    void vector_helpers();
};

void tst_wave_math::fft_round_trip()
{
    const int n = 64;
    std::vector<double> re(n), im(n), mag(n);
    for (int i = 0; i < n; ++i) {
        re[std::size_t(i)] = std::sin(0.37 * i) + 0.25 * std::cos(2.1 * i * i);
        im[std::size_t(i)] = 0.5 - (i % 7) * 0.125;
    }
    const std::vector<double> re0 = re, im0 = im;
    QCOMPARE(fft(re.data(), im.data(), mag.data(), n, 1), 0);
    QVERIFY(re != re0);
    QCOMPARE(fft_checked(re.data(), im.data(), mag.data(), n, -1), 0);
    for (int i = 0; i < n; ++i) {
        QVERIFY(near(re[std::size_t(i)], re0[std::size_t(i)], 1e-12));
        QVERIFY(near(im[std::size_t(i)], im0[std::size_t(i)], 1e-12));
        QVERIFY(near(mag[std::size_t(i)], std::hypot(re0[std::size_t(i)], im0[std::size_t(i)]), 1e-12));
    }
}

void tst_wave_math::fft_known_spectrum()
{
    // 0.5 + cos(2 pi k / 8) + sin(2 pi 2k / 8): X0 = 4, X1 = X7 = 4, X2 = -4i, X6 = 4i.
    const int n = 8;
    std::vector<double> re(n), im(n, 0.0), mag(n);
    for (int k = 0; k < n; ++k)
        re[std::size_t(k)] = 0.5 + std::cos(2 * pi * k / n) + std::sin(2 * pi * 2 * k / n);
    QCOMPARE(fft(re.data(), im.data(), mag.data(), n, 1), 0);
    const double want_re[n] = {4, 4, 0, 0, 0, 0, 0, 4};
    const double want_im[n] = {0, 0, -4, 0, 0, 0, 4, 0};
    for (int k = 0; k < n; ++k) {
        QVERIFY2(near(re[std::size_t(k)], want_re[k], 1e-12), qPrintable(QString::number(k)));
        QVERIFY2(near(im[std::size_t(k)], want_im[k], 1e-12), qPrintable(QString::number(k)));
        QVERIFY(near(mag[std::size_t(k)], std::hypot(want_re[k], want_im[k]), 1e-12));
    }
    // A single point is its own transform.
    double r1 = 2.5, i1 = -1.0, m1 = 0.0;
    QCOMPARE(fft(&r1, &i1, &m1, 1, 1), 0);
    QCOMPARE(r1, 2.5);
    QVERIFY(near(m1, std::hypot(2.5, 1.0)));
}

void tst_wave_math::fft_refuses_bad_lengths_and_directions()
{
    std::vector<double> re{1, 2, 3, 4, 5, 6}, im(6, 0.0), mag(6, -1.0);
    const std::vector<double> re0 = re;
    for (int n : {6, 3, 0, -4}) {
        QCOMPARE(fft(re.data(), im.data(), mag.data(), n, 1), -1);
        QCOMPARE(fft_db(re.data(), im.data(), mag.data(), n), -1);
    }
    QCOMPARE(re, re0);
    QCOMPARE(mag, std::vector<double>(6, -1.0));
    QCOMPARE(fft_checked(re.data(), im.data(), mag.data(), 4, 2), -1);
    QCOMPARE(fft_checked(re.data(), im.data(), mag.data(), 4, 0), -1);
    QCOMPARE(re, re0);
}

void tst_wave_math::fft_shift_halves()
{
    std::vector<double> v{1, 2, 3, 4};
    fft_shift(v.data(), 4);
    QCOMPARE(v, (std::vector<double>{3, 4, 1, 2}));
    v = {1, 2, 3, 4, 5};
    fft_shift(v.data(), 5);
    QCOMPARE(v, (std::vector<double>{3, 4, 1, 2, 5}));
    v = {7};
    fft_shift(v.data(), 1);
    QCOMPARE(v, std::vector<double>{7});
}

void tst_wave_math::fft_db_spectrum()
{
    // x = 3, 1, 0, 0: magnitudes 4, sqrt 10, 2, sqrt 10; shifted 2, sqrt 10, 4, sqrt 10.
    std::vector<double> re{3, 1, 0, 0}, im(4, 0.0), mag(4);
    QCOMPARE(fft_db(re.data(), im.data(), mag.data(), 4), 4);
    const double side = 32767.0 * std::log10(std::sqrt(10.0) / 2.0) / std::log10(2.0);
    QVERIFY(near(mag[0], 0.0));
    QVERIFY(near(mag[1], side, 1e-6));
    QVERIFY(near(mag[2], 32767.0, 1e-9));
    QVERIFY(near(mag[3], side, 1e-6));

    // An exactly zero bin (1, 1 -> 2, 0) is the lowest value, not NaN.
    re = {1, 1};
    im = {0, 0};
    mag.assign(2, -1.0);
    QCOMPARE(fft_db(re.data(), im.data(), mag.data(), 2), 2);
    QCOMPARE(mag, (std::vector<double>{0.0, 32767.0}));

    // A flat spectrum (an impulse): every bin is the peak.
    re = {1, 0, 0, 0};
    im.assign(4, 0.0);
    mag.assign(4, -1.0);
    QCOMPARE(fft_db(re.data(), im.data(), mag.data(), 4), 4);
    QCOMPARE(mag, std::vector<double>(4, 32767.0));

    // Silence: zeros, not 0/0.
    re.assign(8, 0.0);
    im.assign(8, 0.0);
    mag.assign(8, -1.0);
    QCOMPARE(fft_db(re.data(), im.data(), mag.data(), 8), 8);
    QCOMPARE(mag, std::vector<double>(8, 0.0));
}

void tst_wave_math::unit_conversion()
{
    wave_value_t in;
    in.value = 1500.0;
    in.unit = WAVE_UNIT_BASE;
    wave_value_t out;
    QCOMPARE(scale_by_unit_prefix(in, out, WAVE_UNIT_KILO), 0);
    QCOMPARE(out.value, 1.5);
    QCOMPARE(out.unit, int(WAVE_UNIT_KILO));
    QCOMPARE(scale_by_unit_prefix(in, out, WAVE_UNIT_MILLI), 0);
    QCOMPARE(out.value, 1500000.0);
    QCOMPARE(out.unit, int(WAVE_UNIT_MILLI));

    // A difference of six steps is outside the table: refused, out untouched.
    out.value = -7.0;
    out.unit = 3;
    QCOMPARE(scale_by_unit_prefix(in, out, 20), -1);
    QCOMPARE(out.value, -7.0);
    QCOMPARE(out.unit, 3);
    QCOMPARE(scale_by_unit_prefix(in, out, 19), 0);
    QVERIFY(near(out.value, 1.5e-12, 1e-24));

    // Squared prefixes: 1 square kilo-unit is 1e6 square units.
    in.value = 1.0;
    in.unit = WAVE_UNIT_KILO;
    QCOMPARE(scale_by_squared_prefix(in, out, WAVE_UNIT_BASE), 0);
    QCOMPARE(out.value, 1e6);

    wave_value_t v;
    v.value = 2.5;
    v.unit = WAVE_UNIT_MEGA;
    QCOMPARE(to_base_unit(v), 0);
    QCOMPARE(v.value, 2.5e6);
    QCOMPARE(v.unit, int(WAVE_UNIT_BASE));

    double bare = 3.0;
    QCOMPARE(convert_value_unit(WAVE_UNIT_MILLI, bare, WAVE_UNIT_MICRO), 0);
    QCOMPARE(bare, 3000.0);
    QCOMPARE(convert_value_unit(WAVE_UNIT_PICO, bare, 17), -1);
    QCOMPARE(bare, 3000.0);
}

void tst_wave_math::automatic_unit_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("want");
    QTest::addColumn<int>("want_unit");
    QTest::newRow("2500") << 2500.0 << 14 << 2.5 << 15;
    QTest::newRow("exactly 1000") << 1000.0 << 14 << 1000.0 << 14;
    QTest::newRow("1e-15") << 1e-15 << 14 << 1e-3 << 10;
    QTest::newRow("negative by magnitude") << -2500.0 << 14 << -2.5 << 15;
    QTest::newRow("zero") << 0.0 << 13 << 0.0 << 14;
    QTest::newRow("giga, no step skipped") << 2e9 << 14 << 2.0 << 17;
    QTest::newRow("tera") << 5e12 << 14 << 5.0 << 18;
    QTest::newRow("from milli") << 1.5 << 13 << 1.5 << 13;
    QTest::newRow("from kilo") << 0.0025 << 15 << 2.5 << 14;
    QTest::newRow("micro") << -4.7e-5 << 14 << -47.0 << 12;
}

void tst_wave_math::automatic_unit()
{
    QFETCH(double, value);
    QFETCH(int, unit);
    QFETCH(double, want);
    QFETCH(int, want_unit);
    wave_value_t v;
    v.value = value;
    v.unit = unit;
    QCOMPARE(auto_unit(v), 0);
    QCOMPARE(v.unit, want_unit);
    QVERIFY2(near(v.value, want, std::fabs(want) * 1e-12), qPrintable(QString::number(v.value, 'g', 17)));
}

void tst_wave_math::phase_wrapping()
{
    QVERIFY(near(wrap_phase_360(725.5), 5.5));
    QVERIFY(near(wrap_phase_360(-725.5), -5.5));
    QCOMPARE(wrap_phase_360(360.0), 360.0);
    QCOMPARE(wrap_phase_360(-360.0), -360.0);
    QCOMPARE(wrap_phase_360(720.0), 0.0);
    QVERIFY(near(wrap_phase_360(0.25), 0.25));
    // No integer conversion: huge and NaN angles are fine.
    const double huge = wrap_phase_360(1e300);
    QVERIFY(huge > -360.0 && huge < 360.0);
    QVERIFY(std::isnan(wrap_phase_360(std::nan(""))));
    QCOMPARE(positive_phase(-90.0), 270.0);
    QCOMPARE(positive_phase(45.0), 45.0);
}

void tst_wave_math::random_values_scale_by_the_real_range()
{
    seed_random();
    double sum = 0.0;
    const int draws = 4000;
    for (int i = 0; i < draws; ++i) {
        const double r = random_scaled(10.0);
        QVERIFY(r >= 0.0 && r < 10.0);
        sum += r;
    }
    QVERIFY(sum / draws > 4.5 && sum / draws < 5.5);
}

void tst_wave_math::decimation_bucket_layouts()
{
    using sizes = std::vector<std::size_t>;
    QCOMPARE(decimation_buckets(10, 4), (sizes{3, 2, 2, 3}));
    QCOMPARE(decimation_buckets(9, 4), (sizes{2, 2, 2, 3}));
    QCOMPARE(decimation_buckets(11, 4), (sizes{3, 2, 3, 3}));
    QCOMPARE(decimation_buckets(8, 4), (sizes{2, 2, 2, 2}));
    QCOMPARE(decimation_buckets(5, 5), sizes(5, 1));
    QCOMPARE(decimation_buckets(5, 6), sizes{});
    QCOMPARE(decimation_buckets(5, 0), sizes{});
}

void tst_wave_math::decimation_peak_choice()
{
    // Buckets [0..2] [3..4] [5..6] [7..9].
    const std::vector<float> in{0, 0, 5, 0, 0, 1, 1, 0, 0, 9};
    const std::vector<float> want{5, 0, 1, 9};
    float out[4] = {-1, -1, -1, -1};
    QCOMPARE(decimate_keep_peaks(in.data(), 10, out, 4), out);
    QCOMPARE(std::vector<float>(out, out + 4), want);
    QCOMPARE(decimate_keep_peaks_checked(in.data(), 10, out, 4), static_cast<const float *>(out));
    // Nothing to thin: the input itself comes back.
    QCOMPARE(decimate_keep_peaks_checked(in.data(), 10, out, 10), in.data());
    // No outputs asked for: nothing written, no division by zero.
    float untouched = -1;
    decimate_keep_peaks(in.data(), 10, &untouched, 0);
    QCOMPARE(untouched, -1.0f);

    // The vector form appends.
    std::vector<float> v{42};
    QCOMPARE(decimate_keep_peaks(in, v, 4), 1);
    QCOMPARE(v, (std::vector<float>{42, 5, 0, 1, 9}));
    v.clear();
    QCOMPARE(decimate_keep_peaks_checked(in, v, 20), 1);
    QCOMPARE(v, in);

    // A first bucket whose steepest step starts at 0 gives sample 0.
    v.clear();
    decimate_keep_peaks(std::vector<float>{0, 7, 7, 7, 7, 7}, v, 2);
    QCOMPARE(v, (std::vector<float>{0, 7}));

    // In and out may be the same vector.
    std::vector<float> same = in;
    decimate_keep_peaks(same, same, 4);
    QCOMPARE(same.size(), std::size_t(14));
    QCOMPARE(std::vector<float>(same.begin() + 10, same.end()), want);
}

void tst_wave_math::decimation_with_markers()
{
    // Peaks of the ramp: 10, 14, 16, 18.
    std::vector<float> out;
    QCOMPARE(decimate_keep_markers(ramp, out, std::nan(""), 100.0, 4), 1);
    QCOMPARE(out, (std::vector<float>{10, 14, 16, 18}));
    out.clear();
    decimate_keep_markers(ramp, out, std::nan(""), 5.0, 4);
    QCOMPARE(out, (std::vector<float>{10, 14, 15, 18}));
    out.clear();
    decimate_keep_markers(ramp, out, 5.2, 1.7, 4);
    QCOMPARE(out, (std::vector<float>{11, 14, 15, 18}));
    // Both in one bucket: both kept, the next bucket dropped.
    out.clear();
    decimate_keep_markers(ramp, out, 2.0, 0.0, 4);
    QCOMPARE(out, (std::vector<float>{10, 12, 16, 18}));
    // Both in the last bucket: the bucket before them is dropped.
    out.clear();
    decimate_keep_markers(ramp, out, 9.0, 7.0, 4);
    QCOMPARE(out, (std::vector<float>{10, 14, 17, 19}));
    // Enough room: a copy, appended.
    out = {1};
    decimate_keep_markers(ramp, out, 1.0, 2.0, 10);
    QCOMPARE(out.size(), std::size_t(11));
    QCOMPARE(std::vector<float>(out.begin() + 1, out.end()), ramp);
}

void tst_wave_math::resample_int16()
{
    std::vector<std::int16_t> in{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<std::int16_t> out{99};
    QCOMPARE(resample_wave_int16(in, out, 4), 1);
    QCOMPARE(out, (std::vector<std::int16_t>{0, 2, 5, 7}));
    QCOMPARE(resample_wave_int16(in, out, 10), 1);
    QCOMPARE(out, in);
    QCOMPARE(resample_wave_int16({0, 1, 2}, out, 6), 1);
    QCOMPARE(out, (std::vector<std::int16_t>{0, 0, 1, 1, 2, 2}));
    QCOMPARE(resample_wave_int16(in, out, 0), 1);
    QVERIFY(out.empty());
    QCOMPARE(resample_wave_int16({}, out, 5), 1);
    QVERIFY(out.empty());
    // Many repeats stay inside the input.
    QCOMPARE(resample_wave_int16({0, 1, 2}, out, 100001), 1);
    QCOMPARE(out.size(), std::size_t(100001));
    QCOMPARE(out.front(), std::int16_t(0));
    QVERIFY(out.back() == 2);
}

void tst_wave_math::interpolation()
{
    std::vector<std::int16_t> out16;
    QCOMPARE(interpolate_wave(std::vector<std::int16_t>{0, 100}, out16, 4), 0);
    QCOMPARE(out16, (std::vector<std::int16_t>{0, 50, 100, 50}));
    // Whole steps plus the truncated accumulated fraction.
    QCOMPARE(interpolate_wave(std::vector<std::int16_t>{0, 100}, out16, 6), 0);
    QCOMPARE(out16, (std::vector<std::int16_t>{0, 33, 66, 100, 67, 34}));
    // The full 16-bit swing does not overflow.
    QCOMPARE(interpolate_wave(std::vector<std::int16_t>{-32768, 32767}, out16, 8), 0);
    QCOMPARE(out16, (std::vector<std::int16_t>{-32768, -16385, -1, 16383, 32767, 16384, 0, -16384}));

    std::vector<float> out;
    QCOMPARE(interpolate_wave(std::vector<float>{0, 4, 8, 12}, out, 10), 0);
    const std::vector<float> want{0, 1.6f, 4, 5.6f, 7.2f, 8, 9.6f, 12, 7.2f, 2.4f};
    QCOMPARE(out.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        QVERIFY2(near(out[i], want[i], 1e-5), qPrintable(QString::number(i)));

    // Fewer or no points asked for: the input as it is, no division by zero.
    QCOMPARE(interpolate_wave(std::vector<std::int16_t>{5, 6, 7}, out16, 0), 0);
    QCOMPARE(out16, (std::vector<std::int16_t>{5, 6, 7}));
    QCOMPARE(interpolate_wave(std::vector<float>{5, 6, 7}, out, 2), 0);
    QCOMPARE(out, (std::vector<float>{5, 6, 7}));
    QCOMPARE(interpolate_wave(std::vector<float>{}, out, 8), 0);
    QVERIFY(out.empty());
}

void tst_wave_math::rotate_reverse_negate()
{
    std::vector<std::int16_t> out16{9};
    const std::vector<std::int16_t> in16{1, 2, 3, 4, 5};
    QCOMPARE(rotate_wave(in16, out16, 2), 1);
    QCOMPARE(out16, (std::vector<std::int16_t>{3, 4, 5, 1, 2}));
    QCOMPARE(rotate_wave(in16, out16, 5), 1);
    QCOMPARE(out16, in16);
    out16 = {9};
    QCOMPARE(rotate_wave(in16, out16, 6), 0);
    QCOMPARE(rotate_wave(in16, out16, -1), 0);
    QCOMPARE(out16, std::vector<std::int16_t>{9});
    QCOMPARE(reverse_wave(in16, out16), 1);
    QCOMPARE(out16, (std::vector<std::int16_t>{5, 4, 3, 2, 1}));

    std::vector<float> f{1.5f, -2, 0};
    QCOMPARE(rotate_wave(f, f, 1), 1);
    QCOMPARE(f, (std::vector<float>{-2, 0, 1.5f}));
    QCOMPARE(reverse_wave(f, f), 1);
    QCOMPARE(f, (std::vector<float>{1.5f, 0, -2}));
    QCOMPARE(negate_wave(f, f), 1);
    QCOMPARE(f, (std::vector<float>{-1.5f, -0.0f, 2}));
}

void tst_wave_math::int16_scaling()
{
    std::vector<std::int16_t> out{7};
    QCOMPARE(scale_to_int16({1.0f, -0.5f, 0.25f}, 1.0f, -0.5f, out), 1);
    QCOMPARE(out, (std::vector<std::int16_t>{32767, -16383, 8191}));
    QCOMPARE(scale_to_int16({0, 0, 0}, 0, 0, out), 1);
    QCOMPARE(out, (std::vector<std::int16_t>{0, 0, 0}));
    // NaN has no integer: 0. Values beyond the bounds given are clamped.
    QCOMPARE(scale_to_int16({std::nanf(""), 3.0f, -3.0f}, 1.0f, -1.0f, out), 1);
    QCOMPARE(out, (std::vector<std::int16_t>{0, 32767, -32768}));
}

void tst_wave_math::vector_helpers()
{
    QCOMPARE(min_max_of({}), (std::pair<double, double>(0, 0)));
    QCOMPARE(min_max_of({3, -1, 2}), (std::pair<double, double>(-1, 3)));
    QCOMPARE(min_max_of({std::nanf(""), 2, 5}), (std::pair<double, double>(2, 5)));
    QCOMPARE(min_max_of({4}), (std::pair<double, double>(4, 4)));

    QVERIFY(equal_vectors({1, 2}, {1, 2}));
    QVERIFY(!equal_vectors({1, 2}, {1, 2, 3}));
    QVERIFY(!equal_vectors({1, 2}, {1, 2.5f}));
    QVERIFY(!equal_vectors({std::nanf("")}, {std::nanf("")}));

    std::string text = "xabyabz";
    erase_all("ab", text);
    QCOMPARE(text, std::string("xyz"));
    text = "aaaa";
    erase_all("aa", text);
    QCOMPARE(text, std::string());
    text = "keep";
    erase_all("", text);
    QCOMPARE(text, std::string("keep"));

    QCOMPARE(abs_step(2.5f, -1.0f), 3.5f);
}

QTEST_GUILESS_MAIN(tst_wave_math)
#include "tst_wave_math.moc"
