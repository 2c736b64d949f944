// Wave-file readers: ".csv", ".dat" and ".bin" loading, conversion to
// ".bin", the text export, and locale independence.
#include "cfg_bin_main_t.h"
#include "cfg_csv_main_t.h"
#include "cfg_dat_main_t.h"
#include "cfg_wave_conv_t.h"
#include "cfg_wave_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace {
std::string sp(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

QByteArray join_lines(const QStringList &lines, const char *eol, bool final_eol = true)
{
    QByteArray out = lines.join(QString::fromLatin1(eol)).toUtf8();
    if (final_eol)
        out += eol;
    return out;
}

QByteArray le16(const std::vector<int> &samples)
{
    QByteArray out;
    for (int s : samples) {
        const auto u = static_cast<quint16>(static_cast<qint16>(s));
        out.append(char(u & 0xff));
        out.append(char(u >> 8));
    }
    return out;
}

std::vector<int> read_le16(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    std::vector<int> out;
    for (int i = 0; i + 1 < b.size(); i += 2)
        out.push_back(qint16(quint16(quint8(b[i])) | quint16(quint8(b[i + 1])) << 8));
    return out;
}

// A test value for line i: distinct, negative and positive, not integral.
float value_of(int i)
{
    return float(i % 37) * 0.25f - 3.5f;
}
} // namespace

class tst_wave_readers : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const
    {
        return m_dir.filePath(name);
    }

    std::string write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qFatal("cannot write test file");
        return sp(path(name));
    }

    // A ".csv" with an "xpos,value" header and count values.
    QByteArray csv_text(int count, const char *eol, bool final_eol = true)
    {
        QStringList lines{"xpos,value"};
        for (int i = 0; i < count; ++i)
            lines << QString("%1,%2").arg(i + 1).arg(double(value_of(i)), 0, 'f', 2);
        return join_lines(lines, eol, final_eol);
    }

    bool switch_to_decimal_comma();

private slots:
    void initTestCase();
    void file_types_data();
    void file_types();
    void base_names();
    void read_chunk_keeps_the_unconsumed_text();
    void csv_header_keys_data();
    void csv_header_keys();
    void csv_header_params();
    void csv_refusals();
    void dat_separators_data();
    void dat_separators();
    void dat_format_check();
    void chunked_reading_data();
    void chunked_reading();
    void too_small_and_too_big();
    void data_end_at_a_line_without_value();
    void bin_files();
    void bin_file_of_the_largest_size();
    void convert_to_bin();
    void convert_refusals();
    void wave_conv_picks_the_reader();
    void export_text();
    void export_refusals();
    void decimal_comma_locale();
};

void tst_wave_readers::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_wave_readers::file_types_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("csv") << "wave.csv" << 0;
    QTest::newRow("CSV") << "wave.CSV" << 0;
    QTest::newRow("Csv mixed") << "wave.Csv" << 3;
    QTest::newRow("dat") << "/a/b.dat" << 1;
    QTest::newRow("DAT") << "b.DAT" << 1;
    QTest::newRow("bin") << "b.bin" << 2;
    QTest::newRow("BIN") << "b.BIN" << 2;
    QTest::newRow("txt") << "b.txt" << 3;
    QTest::newRow("short") << "csv" << 3;
    QTest::newRow("one char") << "c" << 3;
    QTest::newRow("empty") << "" << 3;
    QTest::newRow("only ext") << ".csv" << 0;
}

void tst_wave_readers::file_types()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QCOMPARE(file_type_from_ext(name.toStdString()), type);
}

void tst_wave_readers::base_names()
{
    QCOMPARE(get_outfile_file_name("/data/run.1.csv"), std::string("run"));
    QCOMPARE(get_outfile_file_name("wave.csv"), std::string("wave"));
    QCOMPARE(get_outfile_file_name("/data/noext"), std::string());
    // Only the last path element counts.
    QCOMPARE(get_outfile_file_name("/data.d/noext"), std::string());
}

void tst_wave_readers::read_chunk_keeps_the_unconsumed_text()
{
    cfg_csv_main_t reader;
    std::istringstream in("abcdef");
    std::string text;
    std::size_t consumed = 0;
    QCOMPARE(reader.read_chunk(in, 4, text, consumed), std::int64_t(4));
    QCOMPARE(text, std::string("abcd"));
    QCOMPARE(reader.is_end(), 0);
    consumed = 2;
    QCOMPARE(reader.read_chunk(in, 4, text, consumed), std::int64_t(2));
    QCOMPARE(text, std::string("cdef"));
    QCOMPARE(consumed, std::size_t(0));
    QCOMPARE(reader.is_end(), 1);
    QCOMPARE(reader.read_chunk(in, 4, text, consumed), std::int64_t(-1));
    QCOMPARE(text, std::string("cdef"));
}

void tst_wave_readers::csv_header_keys_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("eol");
    QTest::newRow("Second,Volt") << "Second,Volt" << 1 << "\n";
    QTest::newRow("xpos,value CRLF") << "xpos,value" << 1 << "\r\n";
    QTest::newRow("Time,Ampl after fields") << "Model,X,Time,Ampl" << 3 << "\n";
    QTest::newRow("Time,Ampl after fields CRLF") << "Model,X,Time,Ampl" << 3 << "\r\n";
}

void tst_wave_readers::csv_header_keys()
{
    QFETCH(QString, header);
    QFETCH(int, column);
    QFETCH(QString, eol);
    // Instrument lines before the header; a further column after the value.
    QStringList lines{"Record Length,12", "Sample Interval,1e-06", header};
    const int count = 12;
    for (int i = 0; i < count; ++i) {
        QStringList fields;
        for (int c = 0; c < column; ++c)
            fields << QString::number(100 + c);
        fields << QString::number(double(value_of(i)), 'f', 2) << "7";
        lines << fields.join(',');
    }
    const std::string file = write("keys.csv", join_lines(lines, eol.toLatin1().constData()));

    cfg_csv_main_t reader;
    QCOMPARE(reader.load_csv(file), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(count));
    QCOMPARE(int(reader.get_wave_data()->size()), count);
    float lo = value_of(0), hi = value_of(0);
    for (int i = 0; i < count; ++i) {
        QCOMPARE((*reader.get_wave_data())[std::size_t(i)], value_of(i));
        lo = std::min(lo, value_of(i));
        hi = std::max(hi, value_of(i));
    }
    QCOMPARE(*reader.get_max(), hi);
    QCOMPARE(*reader.get_min(), lo);
    // No header parameters: the defaults.
    QCOMPARE(*reader.get_frequency(), 1000.0f);
    QCOMPARE(*reader.get_amp(), 2.0f);
    QCOMPARE(*reader.get_offset(), 0.0f);
    QCOMPARE(*reader.get_phase(), 0.0f);
}

void tst_wave_readers::csv_header_params()
{
    {
        // A key word inside another word, or without a number, counts as absent.
        QByteArray text = "Sample Interval,1e-06\nfrequency,abc\noffset,0.75\n" + csv_text(10, "\n");
        cfg_csv_main_t reader;
        QCOMPARE(reader.load_csv(write("odd_params.csv", text)), 1);
        QCOMPARE(*reader.get_amp(), 2.0f);
        QCOMPARE(*reader.get_frequency(), 1000.0f);
        QCOMPARE(*reader.get_offset(), 0.75f);
        QCOMPARE(*reader.get_points(), std::uint64_t(10));
    }
    QStringList lines{"frequency,50.5", "amp,3.25", "offset,-0.5", "phase,90", "xpos,value"};
    for (int i = 0; i < 9; ++i)
        lines << QString("%1,%2").arg(i + 1).arg(i);
    cfg_csv_main_t reader;
    QCOMPARE(reader.load_csv(write("params.csv", join_lines(lines, "\r\n"))), 1);
    QCOMPARE(*reader.get_frequency(), 50.5f);
    QCOMPARE(*reader.get_amp(), 3.25f);
    QCOMPARE(*reader.get_offset(), -0.5f);
    QCOMPARE(*reader.get_phase(), 90.0f);
    QCOMPARE(*reader.get_points(), std::uint64_t(9));
    QCOMPARE(*reader.get_max(), 8.0f);
    QCOMPARE(*reader.get_min(), 0.0f);
}

void tst_wave_readers::csv_refusals()
{
    cfg_csv_main_t reader;
    const std::vector<float> before{1.0f, 2.0f};
    *reader.get_wave_data() = before;


    // No header line of key words.
    QStringList plain;
    for (int i = 0; i < 10; ++i)
        plain << QString("%1,%2").arg(i).arg(i);
    QCOMPARE(reader.load_csv(write("nokey.csv", join_lines(plain, "\n"))), -13);
    // A header line without its line end.
    QCOMPARE(reader.load_csv(write("cut.csv", "a,b\nxpos,value")), -13);
    QCOMPARE(reader.load_csv(write("empty.csv", "")), -1);
    QCOMPARE(reader.load_csv(sp(path("missing.csv"))), -1);
    QCOMPARE(reader.load_csv(sp(m_dir.path())), -1);
    QCOMPARE(*reader.get_wave_data(), before);
}

void tst_wave_readers::dat_separators_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("eol");
    QTest::newRow("tab CRLF") << "\t" << 1 << "\r\n";
    QTest::newRow("blank") << " " << 2 << "\n";
    QTest::newRow("comma CRLF") << "," << 3 << "\r\n";
    QTest::newRow("single column") << "" << 0 << "\n";
}

void tst_wave_readers::dat_separators()
{
    QFETCH(QString, separator);
    QFETCH(int, kind);
    QFETCH(QString, eol);
    QStringList lines;
    std::vector<float> expected;
    for (int i = 0; i < 10; ++i) {
        const float v = i == 0 ? 2.25f : value_of(i);
        expected.push_back(v);
        const QString value = QString::number(double(v), 'f', 2);
        lines << (separator.isEmpty() ? value : QString("1.5") + separator + value);
    }
    cfg_dat_main_t reader;
    QCOMPARE(reader.load_text(write("sep.dat", join_lines(lines, eol.toLatin1().constData()))), 1);
    QCOMPARE(reader.get_separator_kind(), kind);
    QCOMPARE(*reader.get_wave_data(), expected);
    QCOMPARE(*reader.get_points(), std::uint64_t(10));
    const float hi = *std::max_element(expected.begin(), expected.end());
    const float lo = *std::min_element(expected.begin(), expected.end());
    QCOMPARE(*reader.get_max(), hi);
    QCOMPARE(*reader.get_min(), lo);
    QCOMPARE(*reader.get_amp(), hi - lo);
    QCOMPARE(*reader.get_offset(), (hi - lo) * 0.5f + lo);
    QCOMPARE(*reader.get_frequency(), 1000.0f);
    QCOMPARE(*reader.get_phase(), 0.0f);
}

void tst_wave_readers::dat_format_check()
{
    cfg_dat_main_t reader;
    QStringList tail;
    for (int i = 0; i < 10; ++i)
        tail << QString("1\t%1").arg(i);
    // 'E' is not a number character of the first field.
    QCOMPARE(reader.load_text(write("upper_e.dat", "1.5E3\t2\n" + join_lines(tail, "\n"))), -13);
    QCOMPARE(reader.load_text(write("word.dat", "time\tvalue\n" + join_lines(tail, "\n"))), -13);
    // No line end at all.
    QCOMPARE(reader.load_text(write("oneline.dat", "1.5\t2.5")), -13);
    // Lower-case exponent and signs are accepted.
    QCOMPARE(reader.load_text(write("lower_e.dat", "-1.5e3\t2\n" + join_lines(tail, "\n"))), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(11));
}

void tst_wave_readers::chunked_reading_data()
{
    QTest::addColumn<int>("read_size");
    QTest::addColumn<bool>("dat");
    QTest::addColumn<QString>("eol");
    QTest::addColumn<bool>("final_eol");
    for (int size : {1, 5, 13, 64, 4096}) {
        QTest::addRow("csv %d LF", size) << size << false << "\n" << true;
        QTest::addRow("csv %d CRLF no final", size) << size << false << "\r\n" << false;
        QTest::addRow("dat %d CRLF", size) << size << true << "\r\n" << true;
        QTest::addRow("dat %d LF no final", size) << size << true << "\n" << false;
    }
}

void tst_wave_readers::chunked_reading()
{
    QFETCH(int, read_size);
    QFETCH(bool, dat);
    QFETCH(QString, eol);
    QFETCH(bool, final_eol);
    const int count = 700;
    QByteArray text;
    std::vector<float> expected;
    if (dat) {
        QStringList lines;
        for (int i = 0; i < count; ++i) {
            lines << QString("%1\t%2").arg(i).arg(double(value_of(i)), 0, 'f', 2);
            expected.push_back(value_of(i));
        }
        text = join_lines(lines, eol.toLatin1().constData(), final_eol);
    } else {
        text = csv_text(count, eol.toLatin1().constData(), final_eol);
        for (int i = 0; i < count; ++i)
            expected.push_back(value_of(i));
    }
    // Chunk borders fall anywhere, also inside the header and the first line.
    std::unique_ptr<cfg_bin_main_t> reader;
    if (dat)
        reader = std::make_unique<cfg_dat_main_t>();
    else
        reader = std::make_unique<cfg_csv_main_t>();
    const std::string file = write(dat ? "chunk.dat" : "chunk.csv", text);
    reader->set_read_size(std::size_t(read_size));
    QCOMPARE(reader->load_by_type(file), 1);
    QCOMPARE(*reader->get_wave_data(), expected);
    QCOMPARE(*reader->get_points(), std::uint64_t(count));

    // The conversion reads the same values.
    std::string out_path;
    QCOMPARE(reader->do_convert(file, sp(m_dir.path()), out_path), 1);
    QCOMPARE(int(read_le16(QString::fromStdString(out_path)).size()), count);
}

void tst_wave_readers::too_small_and_too_big()
{
    cfg_csv_main_t reader;
    QCOMPARE(reader.load_csv(write("seven.csv", csv_text(7, "\n"))), -11);
    QCOMPARE(reader.load_csv(write("eight.csv", csv_text(8, "\n"))), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(8));
    // A refused file leaves what was loaded before.
    QCOMPARE(reader.load_csv(sp(path("seven.csv"))), -11);
    QCOMPARE(*reader.get_points(), std::uint64_t(8));
    QCOMPARE(reader.get_wave_data()->size(), std::size_t(8));

    // A file with one value more than the limit: refused, nothing written.
    {
        const int limit = int(cfg_bin_main_t::max_values);
        QByteArray big;
        big.reserve((limit + 1) * 2);
        for (int i = 0; i <= limit; ++i)
            big.append(i % 2 ? "1\n" : "2\n", 2);
        cfg_dat_main_t dat;
        std::string out_path;
        const std::string file = write("big.dat", big);
        QCOMPARE(dat.do_convert(file, sp(m_dir.path()), out_path), -10);
        QVERIFY(!QFile::exists(path("big.bin")));
        // At the limit it is read whole.
        big.chop(2);
        QCOMPARE(dat.load_text(write("big.dat", big)), 1);
        QCOMPARE(*dat.get_points(), std::uint64_t(limit));
        QCOMPARE(dat.get_wave_data()->back(), 1.0f);
        QFile::remove(path("big.dat"));
    }

    // The limit on the collector itself, with a prepared vector.
    const std::string text = "xpos,value\n1,0.5\n2,9.5\n";
    const std::size_t header_end = text.find('\n');
    std::vector<float> values(cfg_bin_main_t::max_values - 1, 1.0f);
    float max = 1.0f, min = 1.0f;
    std::size_t position = header_end;
    reader.set_end(1);
    // Room for exactly one more value: the second one is refused.
    QCOMPARE(reader.read_samples(text, 1, position, values, max, min), -10);
    QCOMPARE(values.size(), std::size_t(cfg_bin_main_t::max_values));
    QCOMPARE(values.back(), 0.5f);
    QCOMPARE(min, 0.5f);
    values.pop_back();
    position = text.find('\n', header_end + 1);
    QCOMPARE(reader.read_samples(text, 1, position, values, max, min), 1);
    QCOMPARE(values.size(), std::size_t(cfg_bin_main_t::max_values));
    QCOMPARE(max, 9.5f);
}

void tst_wave_readers::data_end_at_a_line_without_value()
{
    cfg_csv_main_t reader;
    // A trailer line ends the data; what follows it is not read.
    QByteArray text = csv_text(10, "\n") + "end of record\n11,99\n";
    QCOMPARE(reader.load_csv(write("trailer.csv", text)), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(10));
    QVERIFY(*reader.get_max() < 99.0f);

    // A line with too few fields does not take its value from the next line.
    QStringList lines{"idx,xpos,value"};
    for (int i = 0; i < 9; ++i)
        lines << QString("0,%1,%2").arg(i).arg(i);
    lines << "0,9" << "0,10,10" << "0,11,11";
    QCOMPARE(reader.load_csv(write("short.csv", join_lines(lines, "\n"))), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(9));
    QCOMPARE(*reader.get_max(), 8.0f);

    // Blank lines at the end are no values.
    QCOMPARE(reader.load_csv(write("blank.csv", csv_text(9, "\r\n") + "\r\n\r\n")), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(9));

    // A value out of the float range is no value either.
    QCOMPARE(reader.load_csv(write("huge.csv", csv_text(9, "\n") + "10,1e40\n11,1\n")), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(9));
}

void tst_wave_readers::bin_files()
{
    cfg_csv_main_t reader;
    // A trailing odd byte is ignored.
    QByteArray bytes = le16({32767, -32768, 0, 16384});
    bytes.append('\x7f');
    QCOMPARE(reader.read_bin_file(write("w.bin", bytes)), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(4));
    const std::vector<float> &v = *reader.get_wave_data();
    QCOMPARE(int(v.size()), 4);
    QCOMPARE(v[0], float(32767 * 3.0 / 32768));
    QVERIFY(std::fabs(v[0] - 2.99991f) < 1e-5f);
    QCOMPARE(v[1], -3.0f);
    QCOMPARE(v[2], 0.0f);
    QCOMPARE(v[3], 1.5f);
    QCOMPARE(*reader.get_max(), v[0]);
    QCOMPARE(*reader.get_min(), -3.0f);
    QCOMPARE(*reader.get_amp(), v[0] + 3.0f);
    QCOMPARE(*reader.get_offset(), (v[0] + 3.0f) * 0.5f - 3.0f);
    QCOMPARE(*reader.get_frequency(), 1000.0f);
    QCOMPARE(*reader.get_phase(), 0.0f);

    // All positive: max and min both come from the samples, not from 0.
    QCOMPARE(reader.read_bin_file(write("pos.bin", le16({16384, 8192, 24576}))), 1);
    QCOMPARE(*reader.get_min(), 0.75f);
    QCOMPARE(*reader.get_max(), 2.25f);
    QCOMPARE(*reader.get_amp(), 1.5f);

    // Too small files leave the loaded wave as it was.
    QCOMPARE(reader.read_bin_file(write("one.bin", le16({100}))), -1);
    QCOMPARE(reader.read_bin_file(write("three_bytes.bin", QByteArray("\x01\x02\x03", 3))), -1);
    QCOMPARE(reader.read_bin_file(write("zero.bin", QByteArray())), -1);
    QCOMPARE(reader.read_bin_file(sp(path("missing.bin"))), -1);
    QCOMPARE(reader.read_bin_file(sp(m_dir.path())), -1);
    QCOMPARE(*reader.get_points(), std::uint64_t(3));

    // Through the type dispatch.
    QCOMPARE(reader.load_by_type(sp(path("w.bin"))), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(4));
    QCOMPARE(reader.load_by_type(sp(path("w.txt"))), -12);
}

void tst_wave_readers::bin_file_of_the_largest_size()
{
    const int largest = int(cfg_bin_main_t::bin_max_points);
    QByteArray bytes(largest * 2, '\0');
    // Distinct first and last samples: a reader that stops early misses the last.
    bytes[0] = char(0x00);
    bytes[1] = char(0x80);
    bytes[bytes.size() - 2] = char(0xff);
    bytes[bytes.size() - 1] = char(0x7f);
    cfg_csv_main_t reader;
    QCOMPARE(reader.read_bin_file(write("largest.bin", bytes)), 1);
    QCOMPARE(*reader.get_points(), std::uint64_t(largest));
    QCOMPARE(int(reader.get_wave_data()->size()), largest);
    QCOMPARE(reader.get_wave_data()->front(), -3.0f);
    QCOMPARE(reader.get_wave_data()->back(), float(32767 * 3.0 / 32768));
    QCOMPARE(*reader.get_max(), float(32767 * 3.0 / 32768));

    bytes.append(le16({1}));
    QCOMPARE(reader.read_bin_file(write("larger.bin", bytes)), -1);
    QCOMPARE(*reader.get_points(), std::uint64_t(largest));
    QFile::remove(path("largest.bin"));
    QFile::remove(path("larger.bin"));
}

void tst_wave_readers::convert_to_bin()
{
    cfg_csv_main_t csv;
    const std::string out_dir = sp(m_dir.path());
    QStringList lines{"xpos,value", "1,1.0", "2,-0.5", "3,0.25", "4,0", "5,0", "6,0", "7,0", "8,-0.000001"};
    std::string out_path;
    QCOMPARE(csv.do_convert(write("run.1.csv", join_lines(lines, "\n")), out_dir, out_path), 1);
    QCOMPARE(QString::fromStdString(out_path), path("run.bin"));
    QCOMPARE(read_le16(path("run.bin")), (std::vector<int>{32767, -16383, 8191, 0, 0, 0, 0, 0}));

    // The larger magnitude decides the scale, here the negative one.
    lines = QStringList{"xpos,value", "1,-2", "2,1", "3,0.5", "4,0", "5,0", "6,0", "7,0", "8,-1"};
    QCOMPARE(csv.convert_by_type(write("neg.csv", join_lines(lines, "\n")), out_dir, out_path), 1);
    QCOMPARE(read_le16(path("neg.bin")), (std::vector<int>{-32767, 16383, 8191, 0, 0, 0, 0, -16383}));

    // All zero: zeros, not a division by zero.
    lines = QStringList{"xpos,value"};
    for (int i = 0; i < 8; ++i)
        lines << QString("%1,0").arg(i);
    QCOMPARE(csv.convert_file(write("zeros.csv", join_lines(lines, "\n")), out_dir), 1);
    QCOMPARE(read_le16(path("zeros.bin")), std::vector<int>(8, 0));

    // A ".dat" through its own reader.
    cfg_dat_main_t dat;
    lines = QStringList{};
    for (int i = 0; i < 8; ++i)
        lines << QString("%1 %2").arg(i).arg(i % 2 ? 4 : -4);
    QCOMPARE(dat.convert_by_type(write("d.dat", join_lines(lines, "\r\n")), out_dir, out_path), 1);
    QCOMPARE(read_le16(path("d.bin")), (std::vector<int>{-32767, 32767, -32767, 32767, -32767, 32767, -32767, 32767}));

    // The written ".bin" loads back to the scaled values.
    QCOMPARE(csv.load_by_type(sp(path("run.bin"))), 1);
    QCOMPARE((*csv.get_wave_data())[1], float(-16383 * 3.0 / 32768));
}

void tst_wave_readers::convert_refusals()
{
    cfg_csv_main_t csv;
    const std::string out_dir = sp(m_dir.path());
    std::string out_path = "unchanged";
    QCOMPARE(csv.do_convert(write("few.csv", csv_text(5, "\n")), out_dir, out_path), -11);
    QVERIFY(!QFile::exists(path("few.bin")));
    QCOMPARE(out_path, std::string("unchanged"));

    QCOMPARE(csv.convert_by_type(write("wt.txt", csv_text(10, "\n")), out_dir, out_path), -12);
    QVERIFY(!QFile::exists(path("wt.bin")));
    QCOMPARE(csv.convert_by_type(write("wt.bin", le16({1, 2, 3})), out_dir, out_path), -12);

    // A name without a full stop would give the hidden name ".bin".
    QCOMPARE(csv.do_convert(write("noext", csv_text(10, "\n")), out_dir, out_path), -12);
    QVERIFY(!QFile::exists(path(".bin")));

    // An output folder that does not exist.
    QCOMPARE(csv.do_convert(write("lost.csv", csv_text(10, "\n")), sp(path("no/such/dir")), out_path), -14);
    QCOMPARE(out_path, std::string("unchanged"));
    QCOMPARE(csv.do_convert(sp(path("absent.csv")), out_dir, out_path), -1);
    QVERIFY(!QFile::exists(path("absent.bin")));
}

void tst_wave_readers::wave_conv_picks_the_reader()
{
    cfg_wave_conv_t conv;
    const std::string out_dir = sp(m_dir.path());
    QCOMPARE(conv.convert(0, sp(path("x.csv")), out_dir), -12); // no reader yet

    QVERIFY(dynamic_cast<cfg_dat_main_t *>(conv.create_reader("a.dat")));
    QCOMPARE(conv.get_file_type(), 1);
    QStringList lines;
    for (int i = 0; i < 8; ++i)
        lines << QString("%1\t%2").arg(i).arg(i);
    QCOMPARE(conv.convert(42, write("conv.dat", join_lines(lines, "\n")), out_dir), 1);
    QCOMPARE(read_le16(path("conv.bin")).back(), 32767);

    QVERIFY(dynamic_cast<cfg_csv_main_t *>(conv.create_reader("a.CSV")));
    QCOMPARE(conv.get_file_type(), 0);
    QCOMPARE(conv.convert(0, write("conv2.csv", csv_text(9, "\n")), out_dir), 1);
    QVERIFY(QFile::exists(path("conv2.bin")));

    QVERIFY(dynamic_cast<cfg_csv_main_t *>(conv.create_reader("a.bin")));
    QCOMPARE(conv.get_file_type(), 2);
    QCOMPARE(conv.convert(0, sp(path("conv2.csv")), out_dir), -12);
    conv.create_reader("a.Dat");
    QCOMPARE(conv.get_file_type(), 3);
    QCOMPARE(conv.convert(0, sp(path("conv2.csv")), out_dir), -12);
}

void tst_wave_readers::export_text()
{
    cfg_csv_main_t reader;
    *reader.get_points() = 3;
    *reader.get_frequency() = 1000.0f;
    *reader.get_amp() = 2.5f;
    *reader.get_offset() = -0.125f;
    *reader.get_phase() = 0.0f;
    const std::vector<float> values{1.0f, -0.5f, 0.25f};
    QCOMPARE(reader.export_text(sp(path("export.csv")), values), 0);
    QFile f(path("export.csv"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("data length,3\n"
                                     "frequency,1000.000000\n"
                                     "amp,2.500000\n"
                                     "offset,-0.125000\n"
                                     "phase,0.000000\n"
                                     "\n\n\n\n\n\n\n"
                                     "xpos,value\n"
                                     "1,1.000000\n"
                                     "2,-0.500000\n"
                                     "3,0.250000\n"));

    // Round trip: the export loads back with its parameters and values.
    std::vector<float> wave;
    for (int i = 0; i < 5000; ++i)
        wave.push_back(value_of(i));
    *reader.get_points() = wave.size();
    *reader.get_frequency() = 250.0f;
    *reader.get_amp() = 9.25f;
    *reader.get_offset() = 1.5f;
    *reader.get_phase() = -45.0f;
    QCOMPARE(reader.export_by_type(sp(path("round.csv")), wave), 0);
    cfg_csv_main_t back;
    back.set_read_size(1000);
    QCOMPARE(back.load_by_type(sp(path("round.csv"))), 1);
    QCOMPARE(*back.get_wave_data(), wave);
    QCOMPARE(*back.get_points(), std::uint64_t(wave.size()));
    QCOMPARE(*back.get_frequency(), 250.0f);
    QCOMPARE(*back.get_amp(), 9.25f);
    QCOMPARE(*back.get_offset(), 1.5f);
    QCOMPARE(*back.get_phase(), -45.0f);
}

void tst_wave_readers::export_refusals()
{
    cfg_csv_main_t reader;
    const std::vector<float> values{1.0f, 2.0f};
    QCOMPARE(reader.export_text("", values), -1);
    QCOMPARE(reader.export_text(sp(path("e.dat")), values), -1);
    QCOMPARE(reader.export_text(sp(path("e.BIN")), values), -1);
    QCOMPARE(reader.export_text(sp(path("no/such/dir/e.csv")), values), -1);
    QVERIFY(!QFile::exists(path("e.dat")));
    QVERIFY(!QFile::exists(path("e.BIN")));
    // The other types have no export: refused, not reported as written.
    QCOMPARE(reader.export_by_type(sp(path("e.dat")), values), -12);
    QCOMPARE(reader.export_by_type(sp(path("e.bin")), values), -12);
    QCOMPARE(reader.export_by_type(sp(path("e.txt")), values), -12);
    QVERIFY(!QFile::exists(path("e.dat")));
    QVERIFY(!QFile::exists(path("e.bin")));
    QVERIFY(!QFile::exists(path("e.txt")));
}

bool tst_wave_readers::switch_to_decimal_comma()
{
    auto comma = [] {
        const lconv *lc = std::localeconv();
        return lc && lc->decimal_point && lc->decimal_point[0] == ',';
    };
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name) && comma())
            return true;
    }
    // Build the locale into our folder when the system has its sources.
    const QString localedef = QStandardPaths::findExecutable("localedef");
    if (!localedef.isEmpty() && QFileInfo::exists("/usr/share/i18n/locales/de_DE")) {
        const QString dir = path("locales");
        QDir().mkpath(dir);
        QProcess::execute(localedef, {"-i", "de_DE", "-f", "UTF-8", dir + "/de_DE.UTF-8"});
        qputenv("LOCPATH", QFile::encodeName(dir));
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && comma())
            return true;
        qunsetenv("LOCPATH");
    }
    return false;
}

void tst_wave_readers::decimal_comma_locale()
{
    cfg_csv_main_t reader;
    *reader.get_points() = 2;
    *reader.get_frequency() = 1500.5f;
    const std::vector<float> values{1.5f, -0.25f};
    QVERIFY(reader.export_text(sp(path("c_locale.csv")), values) == 0);
    QStringList lines{"frequency,1500.5", "xpos,value"};
    for (int i = 0; i < 9; ++i)
        lines << QString("%1,%2.5").arg(i).arg(i);
    const std::string in_csv = write("dot.csv", join_lines(lines, "\n"));
    QStringList dat_lines;
    for (int i = 0; i < 9; ++i)
        dat_lines << QString("%1.25\t-%2.75").arg(i).arg(i);
    const std::string in_dat = write("dot.dat", join_lines(dat_lines, "\n"));

    const bool c_level = switch_to_decimal_comma();
    if (!c_level) {
        qInfo("no decimal-comma C locale here; checking under the Qt default locale only");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    struct restore_t {
        ~restore_t()
        {
            std::setlocale(LC_NUMERIC, "C");
            qunsetenv("LOCPATH");
            QLocale::setDefault(QLocale::c());
        }
    } restore;

    QCOMPARE(reader.export_text(sp(path("comma_locale.csv")), values), 0);
    QFile a(path("c_locale.csv")), b(path("comma_locale.csv"));
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray written = b.readAll();
    QCOMPARE(written, a.readAll());
    QVERIFY(written.contains("frequency,1500.500000\n"));
    QVERIFY(written.contains("1,1.500000\n"));

    cfg_csv_main_t csv;
    QCOMPARE(csv.load_csv(in_csv), 1);
    QCOMPARE(*csv.get_frequency(), 1500.5f);
    QCOMPARE((*csv.get_wave_data())[3], 3.5f);
    cfg_dat_main_t dat;
    QCOMPARE(dat.load_text(in_dat), 1);
    QCOMPARE((*dat.get_wave_data())[2], -2.75f);
    std::string out_path;
    QCOMPARE(csv.do_convert(in_csv, sp(m_dir.path()), out_path), 1);
    QCOMPARE(read_le16(path("dot.bin"))[1], int(1.5f * (32767.0f / 8.5f)));
}

QTEST_GUILESS_MAIN(tst_wave_readers)
#include "tst_wave_readers.moc"
