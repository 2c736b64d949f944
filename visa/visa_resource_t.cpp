#include "visa_resource_t.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace {
std::string upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> split(const std::string &s)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t pos = s.find("::", start);
        if (pos == std::string::npos) {
            parts.push_back(s.substr(start));
            return parts;
        }
        parts.push_back(s.substr(start, pos - start));
        start = pos + 2;
    }
}

// "USB", "USB0", "USB12" -> board; false for anything else
bool interface_board(const std::string &field, const char *prefix, unsigned &board)
{
    const std::string f = upper(field);
    const std::string p(prefix);
    if (f.compare(0, p.size(), p) != 0)
        return false;
    board = 0;
    if (f.size() - p.size() > 4)
        return false;
    for (size_t i = p.size(); i < f.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(f[i])))
            return false;
        board = board * 10 + static_cast<unsigned>(f[i] - '0');
    }
    return true;
}

bool parse_number(const std::string &s, unsigned long max, unsigned long &out)
{
    if (s.empty())
        return false;
    unsigned base = 10;
    size_t i = 0;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        i = 2;
    }
    unsigned long v = 0;
    for (; i < s.size(); ++i) {
        const int c = std::tolower(static_cast<unsigned char>(s[i]));
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else
            return false;
        v = v * base + d;
        if (v > max)
            return false;
    }
    out = v;
    return true;
}

bool valid_host(const std::string &h)
{
    if (h.empty())
        return false;
    for (char c : h) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (!(std::isalnum(u) || c == '.' || c == '-' || c == '_'))
            return false;
    }
    return true;
}
} // namespace

bool visa_resource_t::parse(const std::string &name, visa_resource_t &out)
{
    out = visa_resource_t();
    const std::vector<std::string> f = split(name);
    if (f.size() < 3 || upper(f.back()) != "INSTR")
        return false;
    visa_resource_t r;
    if (interface_board(f[0], "TCPIP", r.board)) {
        if (f.size() > 4 || !valid_host(f[1]))
            return false;
        r.kind = TCPIP;
        r.host = f[1];
        if (f.size() == 4) {
            if (f[2].empty())
                return false;
            r.device = f[2];
        }
    } else if (interface_board(f[0], "USB", r.board)) {
        if (f.size() != 5 && f.size() != 6)
            return false;
        unsigned long vendor, product;
        if (!parse_number(f[1], 0xFFFF, vendor) || !parse_number(f[2], 0xFFFF, product))
            return false;
        r.kind = USB;
        r.vendor = static_cast<uint16_t>(vendor);
        r.product = static_cast<uint16_t>(product);
        r.serial = f[3];
        if (f.size() == 6) {
            unsigned long intf;
            if (!parse_number(f[4], 255, intf))
                return false;
            r.usb_interface = static_cast<int>(intf);
        }
    } else {
        return false;
    }
    out = r;
    return true;
}

std::string visa_resource_t::usb_name(uint16_t vendor, uint16_t product, const std::string &serial)
{
    char head[32];
    std::snprintf(head, sizeof head, "USB0::0x%04X::0x%04X::", vendor, product);
    return head + serial + "::INSTR";
}
