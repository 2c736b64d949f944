// The wave-parameter record: defaults, level and amplitude conversions
// through the overridable setters, samples and the VISA resource list.
#include "cfg_if_wv_t.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A record of one kind of wave; it logs what reaches its setters.
class square_wave_t : public cfg_if_wv_t
{
public:
    QStringList calls;

    int build_wave_data() override
    {
        std::vector<std::int16_t> samples;
        for (std::uint64_t i = 0; i < *get_points(); ++i)
            samples.push_back(i < *get_points() / 2 ? 32767 : -32767);
        return set_wave_data(samples);
    }
    int set_amp(const double *value) override
    {
        calls << QString("amp %1").arg(*value);
        return cfg_if_wv_t::set_amp(value) + 10;
    }
    int set_offset(const double *value) override
    {
        calls << QString("offset %1").arg(*value);
        return cfg_if_wv_t::set_offset(value) + 20;
    }
    int set_high_level(const double *value) override
    {
        calls << QString("high %1").arg(*value);
        return cfg_if_wv_t::set_high_level(value) + 30;
    }
    int set_low_level(const double *value) override
    {
        calls << QString("low %1").arg(*value);
        return cfg_if_wv_t::set_low_level(value) + 40;
    }
};

void write_text(const QString &path, const QByteArray &text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
}
} // namespace

class tst_wave_record : public QObject
{
    Q_OBJECT

private slots:
    void defaults_and_reset();
    void levels_and_amplitude();
    void setters_and_getters();
    void samples();
    void visa_resource_list();
};

void tst_wave_record::defaults_and_reset()
{
    square_wave_t w;
    QCOMPARE(*w.get_amp(), 2.0);
    QCOMPARE(*w.get_offset(), 0.0);
    QCOMPARE(*w.get_high_level(), 1.0);
    QCOMPARE(*w.get_low_level(), -1.0);
    QCOMPARE(*w.get_frequency(), 1000.0);
    QCOMPARE(*w.get_period(), 0.001);
    QCOMPARE(*w.get_int_param(), std::uint32_t(1));
    QCOMPARE(*w.get_phase(), 0.0);
    QCOMPARE(*w.get_points(), std::uint64_t(16384));
    QCOMPARE(*w.get_sample_rate(), 16.384);
    QCOMPARE(w.get_max_points(), std::uint64_t(15728640));
    QCOMPARE(w.get_min_points(), std::uint64_t(2));
    QVERIFY(w.get_wave_data()->empty());

    const double f = 50.0, p = 0.5;
    w.set_frequency(&f);
    w.set_phase(&p);
    w.put_points(8);
    QCOMPARE(w.build_wave_data(), 0);
    w.reset_default();
    QCOMPARE(*w.get_frequency(), 1000.0);
    QCOMPARE(*w.get_phase(), 0.0);
    QCOMPARE(*w.get_points(), std::uint64_t(16384));
    // The samples stay.
    QCOMPARE(*w.get_wave_data(), (std::vector<std::int16_t>{32767, 32767, 32767, 32767, -32767, -32767, -32767, -32767}));
}

void tst_wave_record::levels_and_amplitude()
{
    square_wave_t w;
    QCOMPARE(w.set_amp_offset_by_level(1.0, -1.0), 20);
    QCOMPARE(*w.get_amp(), 2.0);
    QCOMPARE(*w.get_offset(), 0.0);
    QCOMPARE(w.calls, (QStringList{"amp 2", "offset 0"}));

    w.calls.clear();
    QCOMPARE(w.set_amp_offset_by_level(5.0, 5.0), 20);
    QCOMPARE(*w.get_amp(), 0.0);
    QCOMPARE(*w.get_offset(), 5.0);
    // The levels themselves are not touched.
    QCOMPARE(*w.get_high_level(), 1.0);
    QCOMPARE(*w.get_low_level(), -1.0);

    w.calls.clear();
    QCOMPARE(w.set_level_by_amp_offset(2.0, 0.0), 40);
    QCOMPARE(*w.get_high_level(), 1.0);
    QCOMPARE(*w.get_low_level(), -1.0);
    QCOMPARE(w.set_level_by_amp_offset(3.0, 0.5), 40);
    QCOMPARE(*w.get_high_level(), 2.0);
    QCOMPARE(*w.get_low_level(), -1.0);
    QCOMPARE(w.calls, (QStringList{"high 1", "low -1", "high 2", "low -1"}));
    QCOMPARE(*w.get_amp(), 0.0);
    QCOMPARE(*w.get_offset(), 5.0);
}

void tst_wave_record::setters_and_getters()
{
    square_wave_t w;
    const double period = 0.02, rate = 1e6;
    const std::uint32_t param = 7;
    const std::uint64_t points = 4096;
    QCOMPARE(w.set_period(&period), 0);
    QCOMPARE(w.set_sample_rate(&rate), 0);
    QCOMPARE(w.set_int_param(&param), 0);
    QCOMPARE(w.set_points(&points), 0);
    const cfg_if_wv_t &c = w;
    QCOMPARE(*c.get_period(), 0.02);
    QCOMPARE(*c.get_sample_rate(), 1e6);
    QCOMPARE(*c.get_int_param(), param);
    QCOMPARE(*c.get_points(), points);
    // Getters give the field itself.
    *w.get_period() = 0.5;
    QCOMPARE(*c.get_period(), 0.5);
    QCOMPARE(c.get_period(), static_cast<const double *>(w.get_period()));

    // The non-virtual setters return what they were given.
    const double amp = 4.5, freq = 60.0;
    QCOMPARE(w.put_amp(&amp), &amp);
    QCOMPARE(w.put_frequency(&freq), &freq);
    QCOMPARE(w.put_int_param(99u), std::uint32_t(99));
    QCOMPARE(w.put_points(123u), std::uint64_t(123));
    QCOMPARE(*c.get_amp(), 4.5);
    QCOMPARE(*c.get_frequency(), 60.0);
    QCOMPARE(*c.get_int_param(), std::uint32_t(99));
    QCOMPARE(*c.get_points(), std::uint64_t(123));
    QVERIFY(w.calls.isEmpty()); // put_amp does not go through the slot
}

void tst_wave_record::samples()
{
    square_wave_t w;
    const std::vector<std::int16_t> s(1000, 5);
    QCOMPARE(w.set_wave_data(s), 0);
    QCOMPARE(*w.get_wave_data(), s);
    w.clear_wave_data();
    QVERIFY(w.get_wave_data()->empty());
    QCOMPARE(w.get_wave_data()->capacity(), std::size_t(0));
}

void tst_wave_record::visa_resource_list()
{
    // A stand-in sysfs with two USB-TMC instruments.
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const struct {
        const char *node;
        const char *vendor;
        const char *product;
        const char *serial;
    } devices[] = {{"usbtmc1", "5ab5", "0e11", "WX3A2"}, {"usbtmc0", "6957", "1755", "MY123"}};
    for (const auto &d : devices) {
        const QString dir = root.filePath(QString("class/usbmisc/") + d.node);
        QVERIFY(QDir().mkpath(dir + "/device"));
        write_text(dir + "/idVendor", QByteArray(d.vendor) + "\n");
        write_text(dir + "/idProduct", QByteArray(d.product) + "\n");
        write_text(dir + "/serial", QByteArray(d.serial) + "\n");
    }
    qputenv("WATTLEX_SYSFS_ROOT", QFile::encodeName(root.path()));
    const std::list<std::string> want{"USB0::0x6957::0x1755::MY123::INSTR", "USB0::0x5AB5::0x0E11::WX3A2::INSTR"};
    QCOMPARE(cfg_if_wv_t::get_visa_resource_list(), want);
    std::list<std::string> names{"old"};
    cfg_if_wv_t::get_visa_resource_list(names);
    QCOMPARE(names, want);

    // Nothing found: an empty list.
    qputenv("WATTLEX_SYSFS_ROOT", QFile::encodeName(root.filePath("absent")));
    QVERIFY(cfg_if_wv_t::get_visa_resource_list().empty());
    cfg_if_wv_t::get_visa_resource_list(names);
    QVERIFY(names.empty());
    qunsetenv("WATTLEX_SYSFS_ROOT");
}

QTEST_GUILESS_MAIN(tst_wave_record)
#include "tst_wave_record.moc"
