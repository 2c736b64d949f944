#include "model_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool is_trim_char(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string model_text::trim(const std::string &s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && is_trim_char(s[b]))
        ++b;
    while (e > b && is_trim_char(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string model_text::trim_blanks(const std::string &s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && is_blank(s[b]))
        ++b;
    while (e > b && is_blank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string model_text::upper(const std::string &s)
{
    std::string r(s);
    for (char &c : r)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return r;
}

std::string model_text::format_number(double v)
{
    if (!std::isfinite(v))
        v = 0;
    if (v == 0)
        v = 0; // no "-0"
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

std::string model_text::format_int(long long v)
{
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

bool model_text::parse_number(const std::string &s, double *v)
{
    // Check the shape first: from_chars alone would also take "inf"/"nan".
    std::size_t i = 0, n = s.size();
    bool neg = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < n && is_digit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && is_digit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t ed = 0;
        while (i < n && is_digit(s[i])) {
            ++i;
            ++ed;
        }
        if (ed == 0)
            return false;
    }
    if (i != n)
        return false;
    // from_chars takes no '+' and no leading '.' is fine for it.
    double d = 0;
    auto r = std::from_chars(s.data() + start, s.data() + n, d, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // A negative exponent underflows to 0; anything else is too large.
        const std::size_t epos = s.find_first_of("eE", start);
        if (epos == std::string::npos || s[epos + 1] != '-')
            return false;
        d = 0;
    } else if (r.ec != std::errc() || r.ptr != s.data() + n) {
        return false;
    }
    if (!std::isfinite(d))
        return false;
    *v = neg ? -d : d;
    return true;
}

bool model_text::parse_integer(const std::string &s, long long *v)
{
    double d = 0;
    if (!parse_number(s, &d))
        return false;
    if (std::fabs(d) > 9.0e15 || std::floor(d) != d)
        return false;
    *v = static_cast<long long>(d);
    return true;
}

std::string model_text::printable(const std::string &s, std::size_t max_len)
{
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (r.size() >= max_len) {
            r += "...";
            break;
        }
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\n') {
            r += "\\n";
        } else if (c == '\r') {
            r += "\\r";
        } else if (c == '\t') {
            r += "\\t";
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            r += buf;
        } else {
            r += char(c);
        }
    }
    return r;
}
