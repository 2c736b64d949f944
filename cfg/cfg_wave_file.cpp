#include "cfg_wave_file.h"

#include <QDebug>

#include <charconv>
#include <cmath>
#include <system_error>

int file_type_from_ext(const std::string &name)
{
    if (name.size() < 4)
        return WAVE_FILE_OTHER;
    const std::string ext = name.substr(name.size() - 4);
    // Only all-lower or all-upper extensions are recognised.
    static const struct {
        const char *lower;
        const char *upper;
        int type;
    } table[] = {
        {".csv", ".CSV", WAVE_FILE_CSV},
        {".dat", ".DAT", WAVE_FILE_DAT},
        {".bin", ".BIN", WAVE_FILE_BIN},
    };
    for (const auto &row : table) {
        if (ext == row.lower || ext == row.upper)
            return row.type;
    }
    return WAVE_FILE_OTHER;
}

std::string get_outfile_file_name(const std::string &name)
{
    std::string base = name;
    const std::size_t slash = base.rfind('/');
    if (slash != std::string::npos)
        base.erase(0, slash + 1);
    const std::size_t dot = base.find('.');
    if (dot == std::string::npos) {
        qDebug() << "get_outfile_file_name error!";
        return std::string();
    }
    base.erase(dot);
    return base;
}

namespace {
bool is_c_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
} // namespace

bool parse_leading_float(const std::string &text, std::size_t begin, std::size_t end, float &value)
{
    if (end > text.size())
        end = text.size();
    std::size_t i = begin;
    while (i < end && is_c_space(text[i]))
        ++i;
    // from_chars takes no '+'; std::stof does, once.
    if (i < end && text[i] == '+') {
        ++i;
        if (i < end && (text[i] == '-' || text[i] == '+'))
            return false;
    }
    if (i >= end)
        return false;
    float parsed = 0.0f;
    const char *first = text.data() + i;
    const auto res = std::from_chars(first, text.data() + end, parsed, std::chars_format::general);
    if (res.ec != std::errc() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::string format_fixed6(double value)
{
    // Large enough for every double in fixed notation with six decimals.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    if (res.ec != std::errc())
        return std::string();
    return std::string(buf, res.ptr);
}
