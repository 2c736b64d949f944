#include "cfg_bin_main_t.h"

#include "cfg_wave_samples.h"
#include "file_save.h"

#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {
// A pending line longer than this (and than one chunk) cannot be a value line.
const std::size_t min_line_limit = 65536;

const char trace_open[] = "cfg_outfile2bin_wave_data_main_t::do_convert1";
const char trace_locate[] = "cfg_outfile2bin_wave_data_main_t::do_convert2";
const char not_supported[] = "Not support outside file!";

QString qt_path(const std::string &path)
{
    return QFile::decodeName(QByteArray(path.data(), int(path.size())));
}

void print_not_supported()
{
    std::cout << not_supported << std::endl;
}
} // namespace

cfg_bin_main_t::cfg_bin_main_t() = default;

cfg_bin_main_t::~cfg_bin_main_t() = default;

std::uint64_t *cfg_bin_main_t::get_points()
{
    return &m_points;
}

float *cfg_bin_main_t::get_frequency()
{
    return &m_frequency;
}

float *cfg_bin_main_t::get_amp()
{
    return &m_amp;
}

float *cfg_bin_main_t::get_offset()
{
    return &m_offset;
}

float *cfg_bin_main_t::get_phase()
{
    return &m_phase;
}

std::vector<float> *cfg_bin_main_t::get_wave_data()
{
    return &m_wave_data;
}

float *cfg_bin_main_t::get_max()
{
    return &m_max;
}

float *cfg_bin_main_t::get_min()
{
    return &m_min;
}

std::uint32_t cfg_bin_main_t::get_chunk_points() const
{
    return m_chunk_points;
}

void cfg_bin_main_t::set_read_size(std::size_t bytes)
{
    m_read_size = std::max<std::size_t>(bytes, 1);
}

std::size_t cfg_bin_main_t::read_size() const
{
    return m_read_size;
}

int cfg_bin_main_t::is_end() const
{
    return m_end;
}

void cfg_bin_main_t::set_end(int end)
{
    m_end = end ? 1 : 0;
}

std::int64_t cfg_bin_main_t::read_chunk(std::istream &in, std::size_t n, std::string &text, std::size_t &consumed)
{
    if (m_end)
        return -1;
    text.erase(0, std::min(consumed, text.size()));
    consumed = 0;
    const std::size_t old_size = text.size();
    std::size_t got = 0;
    if (n > 0 && in.good()) {
        text.resize(old_size + n);
        in.read(&text[old_size], std::streamsize(n));
        got = std::size_t(in.gcount());
        text.resize(old_size + got);
    }
    if (got < n)
        m_end = 1;
    return std::int64_t(got);
}

std::int64_t cfg_bin_main_t::read_value_by_separator(const std::string &text, int column, char separator,
                                                     std::size_t &position, float &value)
{
    // Position 0 means nothing of the text is consumed yet; otherwise it is
    // the line end of the last line consumed.
    const std::size_t start = position == 0 ? 0 : position + 1;
    if (start >= text.size())
        return -1;
    std::size_t line_end = text.find('\n', start);
    if (line_end == std::string::npos) {
        if (!m_end)
            return -1;
        line_end = text.size();
    }
    std::size_t field = start;
    if (separator != 0) {
        for (int i = 0; i < column; ++i) {
            // A line with too few fields must not borrow one from the next line.
            const std::size_t sep = text.find(separator, field);
            if (sep == std::string::npos || sep >= line_end)
                return WAVE_E_NO_VALUE;
            field = sep + 1;
        }
    }
    if (field >= line_end)
        return WAVE_E_NO_VALUE;
    float parsed = 0.0f;
    if (!parse_leading_float(text, field, line_end, parsed)) {
        qDebug() << "stof error!!";
        return WAVE_E_NO_VALUE;
    }
    value = parsed;
    position = line_end;
    return std::int64_t(line_end);
}

bool cfg_bin_main_t::header_may_follow(const std::string &) const
{
    return true;
}

int cfg_bin_main_t::finish_values(const std::vector<float> &values)
{
    if (values.size() < min_values) {
        qDebug() << "file E_TOO_SMALL !";
        return WAVE_E_TOO_SMALL;
    }
    return WAVE_DONE;
}

int cfg_bin_main_t::read_samples(const std::string &text, int column, std::size_t &position,
                                 std::vector<float> &values, float &max, float &min)
{
    for (;;) {
        float value = 0.0f;
        const std::int64_t r = read_value(text, column, position, value);
        if (r < 0) {
            if (r == -1 && !m_end)
                return WAVE_MORE_TEXT;
            // The data end at the end of the text or at the first line
            // without a value.
            return finish_values(values);
        }
        if (values.size() >= max_values) {
            qDebug() << "file E_TOO_BIG !";
            return WAVE_E_TOO_BIG;
        }
        try {
            values.push_back(value);
        } catch (const std::exception &) {
            qDebug() << "wave_data_buffer.push_back():exception";
            values.clear();
            values.shrink_to_fit();
            return WAVE_E_STORE;
        }
        if (values.size() == 1) {
            max = value;
            min = value;
        } else if (value > max) {
            max = value;
        } else if (value < min) {
            min = value;
        }
    }
}

int cfg_bin_main_t::scale_to_int16(const std::vector<float> &values, float max, float min,
                                   std::vector<std::int16_t> &out)
{
    return ::scale_to_int16(values, max, min, out);
}

int cfg_bin_main_t::read_bin_file(const std::string &path)
{
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(std::filesystem::path(path), ec);
    if (ec || bytes == 0) {
        qDebug() << "cfg_bin_main_t::read_bin_file: no data";
        return WAVE_E_END;
    }
    const std::uintmax_t count = bytes / 2; // a trailing odd byte is ignored
    if (count < bin_min_points || count > bin_max_points) {
        qDebug() << "cfg_bin_main_t::read_bin_file: bad size" << qulonglong(bytes);
        return WAVE_E_END;
    }
    std::vector<float> values;
    std::string raw;
    try {
        raw.resize(std::size_t(count) * 2);
        values.reserve(std::size_t(count));
    } catch (const std::exception &) {
        qDebug() << "cfg_bin_main_t::read_bin_file: out of memory";
        return WAVE_E_END;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return WAVE_E_END;
    in.read(&raw[0], std::streamsize(raw.size()));
    if (std::size_t(in.gcount()) != raw.size()) {
        qDebug() << "cfg_bin_main_t::read_bin_file: short read";
        return WAVE_E_END;
    }
    float max = 0.0f;
    float min = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        const auto lo = static_cast<unsigned char>(raw[2 * i]);
        const auto hi = static_cast<unsigned char>(raw[2 * i + 1]);
        const auto sample = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
        const float value = float(sample * 3.0 / 32768);
        values.push_back(value);
        if (i == 0) {
            max = value;
            min = value;
        } else if (value > max) {
            max = value;
        } else if (value < min) {
            min = value;
        }
    }
    m_wave_data.swap(values);
    m_points = count;
    m_max = max;
    m_min = min;
    m_frequency = 1000.0f;
    m_phase = 0.0f;
    m_amp = max - min;
    m_offset = (max - min) * 0.5f + min;
    return WAVE_DONE;
}

int cfg_bin_main_t::read_text_file(const std::string &path, bool header_params, std::vector<float> &values,
                                   float &max, float &min, float header[4])
{
    m_end = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        qDebug() << trace_open;
        return WAVE_E_END;
    }
    std::string text;
    std::size_t consumed = 0;
    std::int64_t got = read_chunk(in, m_read_size, text, consumed);
    if (got <= 0) {
        qDebug() << trace_open;
        return WAVE_E_END;
    }
    const std::size_t line_limit = std::max(m_read_size, min_line_limit);
    int column = 0;
    std::size_t position = 0;
    // The header (or the first line) may reach past the first chunk: try
    // quietly while more text could complete it, then decide once.
    for (;;) {
        if (m_end || text.size() > line_limit || !header_may_follow(text)) {
            if (get_first_xpos_ypos(text, column, position) < 0) {
                qDebug() << trace_locate;
                return WAVE_E_NO_DATA;
            }
            break;
        }
        if (locate_data(text, column, position) >= 0)
            break;
        read_chunk(in, m_read_size, text, consumed);
    }
    if (header_params)
        parse_header_params(text, header[0], header[1], header[2], header[3]);
    values.clear();
    max = 0.0f;
    min = 0.0f;
    for (;;) {
        const int r = read_samples(text, column, position, values, max, min);
        if (r != WAVE_MORE_TEXT)
            return r;
        // The line end at `position` belongs to the consumed line.
        consumed = position == 0 ? 0 : std::min(position + 1, text.size());
        if (text.size() - consumed > line_limit)
            return finish_values(values);
        got = read_chunk(in, m_read_size, text, consumed);
        position = 0;
        if (got < 0)
            return finish_values(values);
    }
}

int cfg_bin_main_t::do_convert(const std::string &in_path, const std::string &out_dir, std::string &out_path)
{
    const std::string base = get_outfile_file_name(in_path);
    if (base.empty())
        return WAVE_E_UNSUPPORTED; // would write a hidden "<dir>/.bin"
    std::vector<float> values;
    float max = 0.0f;
    float min = 0.0f;
    float header[4] = {};
    const int r = read_text_file(in_path, false, values, max, min, header);
    if (r < 0)
        return r;

    std::vector<std::int16_t> samples;
    try {
        scale_to_int16(values, max, min, samples);
    } catch (const std::exception &) {
        qDebug() << "cfg_bin_main_t::do_convert: out of memory";
        return WAVE_E_STORE;
    }
    QByteArray bytes;
    bytes.resize(int(samples.size() * 2));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto u = static_cast<std::uint16_t>(samples[i]);
        bytes[int(2 * i)] = char(u & 0xff);
        bytes[int(2 * i + 1)] = char(u >> 8);
    }
    const std::string path = out_dir + "/" + base + ".bin";
    QString error;
    if (!file_save::write_whole(qt_path(path), bytes, &error)) {
        qDebug() << "cfg_bin_main_t::do_convert: cannot write" << qt_path(path) << error;
        return WAVE_E_WRITE;
    }
    out_path = path;
    return WAVE_DONE;
}

int cfg_bin_main_t::convert_file(const std::string &in_path, const std::string &out_dir)
{
    std::string out_path;
    return do_convert(in_path, out_dir, out_path);
}

int cfg_bin_main_t::convert_by_type(const std::string &in_path, const std::string &out_dir, std::string &out_path)
{
    const int type = file_type_from_ext(in_path);
    if (type == WAVE_FILE_CSV || type == WAVE_FILE_DAT)
        return do_convert(in_path, out_dir, out_path);
    print_not_supported();
    return WAVE_E_UNSUPPORTED;
}

int cfg_bin_main_t::parse_header_params(const std::string &text, float &frequency, float &amp, float &offset,
                                        float &phase)
{
    const struct {
        const char *key;
        float fallback;
        float *field;
    } keys[] = {
        {"frequency", 1000.0f, &frequency},
        {"amp", 2.0f, &amp},
        {"offset", 0.0f, &offset},
        {"phase", 0.0f, &phase},
    };
    float found[4] = {};
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t at = text.find(keys[k].key);
        if (at == std::string::npos) {
            found[k] = keys[k].fallback;
            continue;
        }
        // One separator character follows the key.
        const std::size_t start = at + std::char_traits<char>::length(keys[k].key) + 1;
        std::size_t end = text.find('\n', std::min(start, text.size()));
        if (end == std::string::npos)
            end = text.size();
        // The words also occur inside others ("Sample"): a value that does
        // not read as a number is taken as absent.
        if (start >= end || !parse_leading_float(text, start, end, found[k])) {
            qDebug() << "parse_header_params: no value for" << keys[k].key;
            found[k] = keys[k].fallback;
        }
    }
    for (std::size_t k = 0; k < 4; ++k)
        *keys[k].field = found[k];
    return 0;
}

int cfg_bin_main_t::load_csv(const std::string &path)
{
    return load_text_values(path, true);
}

int cfg_bin_main_t::load_text(const std::string &path)
{
    return load_text_values(path, false);
}

int cfg_bin_main_t::load_text_values(const std::string &path, bool header_params)
{
    std::vector<float> values;
    float max = 0.0f;
    float min = 0.0f;
    float header[4] = {};
    const int r = read_text_file(path, header_params, values, max, min, header);
    if (r < 0)
        return r;
    m_points = values.size();
    m_wave_data.swap(values);
    m_max = max;
    m_min = min;
    if (header_params) {
        m_frequency = header[0];
        m_amp = header[1];
        m_offset = header[2];
        m_phase = header[3];
    } else {
        // Without a header the wave is described by its own extremes.
        m_frequency = 1000.0f;
        m_phase = 0.0f;
        m_amp = max - min;
        m_offset = (max - min) * 0.5f + min;
    }
    return WAVE_DONE;
}

int cfg_bin_main_t::load_by_type(const std::string &path)
{
    switch (file_type_from_ext(path)) {
    case WAVE_FILE_CSV:
        return load_csv(path);
    case WAVE_FILE_DAT:
        return load_text(path);
    case WAVE_FILE_BIN:
        return read_bin_file(path);
    default:
        print_not_supported();
        return WAVE_E_UNSUPPORTED;
    }
}

int cfg_bin_main_t::export_text(const std::string &path, const std::vector<float> &values)
{
    const int type = file_type_from_ext(path);
    if (path.empty() || type == WAVE_FILE_DAT || type == WAVE_FILE_BIN)
        return -1;
    const auto write = [this, &values](QIODevice *file) {
        std::string text;
        text += "data length," + std::to_string(m_points) + "\n";
        const struct {
            const char *name;
            float value;
        } params[] = {{"frequency,", m_frequency}, {"amp,", m_amp}, {"offset,", m_offset}, {"phase,", m_phase}};
        for (const auto &p : params)
            text += p.name + format_fixed6(p.value) + "\n";
        text += "\n\n\n\n\n\n\n";
        text += "xpos,value\n";
        // Written in pieces so that a long wave needs no second copy in memory.
        const std::size_t piece = 1 << 16;
        for (std::size_t i = 0; i < values.size(); ++i) {
            text += std::to_string(i + 1);
            text += ',';
            text += format_fixed6(values[i]);
            text += '\n';
            if (text.size() >= piece) {
                if (file->write(text.data(), qint64(text.size())) != qint64(text.size()))
                    return false;
                text.clear();
            }
        }
        return text.empty() || file->write(text.data(), qint64(text.size())) == qint64(text.size());
    };
    QString error;
    if (!file_save::write_whole(qt_path(path), write, &error)) {
        qDebug() << "cfg_bin_main_t::export_text: cannot write" << qt_path(path) << error;
        return -1;
    }
    return 0;
}

int cfg_bin_main_t::export_by_type(const std::string &path, const std::vector<float> &values)
{
    if (file_type_from_ext(path) == WAVE_FILE_CSV)
        return export_text(path, values);
    // Only the text export exists; no other type may look written.
    print_not_supported();
    return WAVE_E_UNSUPPORTED;
}
