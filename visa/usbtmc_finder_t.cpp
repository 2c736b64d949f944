#include "usbtmc_finder_t.h"

#include "visa_resource_t.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <fstream>

namespace {
std::string env_or(const char *name, const char *fallback)
{
    const char *v = std::getenv(name);
    return (v && *v) ? std::string(v) : std::string(fallback);
}

bool read_line(const std::string &path, std::string &out)
{
    std::ifstream f(path);
    if (!f)
        return false;
    std::getline(f, out);
    while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back())))
        out.pop_back();
    return true;
}

bool read_hex16(const std::string &path, uint16_t &v)
{
    std::string s;
    if (!read_line(path, s) || s.empty() || s.size() > 4)
        return false;
    char *end = nullptr;
    const unsigned long n = std::strtoul(s.c_str(), &end, 16);
    if (!end || *end != '\0')
        return false;
    v = static_cast<uint16_t>(n);
    return true;
}

bool iequal(const std::string &a, const std::string &b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Matches a "[...]" set at expr[i]; on success *next is past the ']'.
bool match_set(const std::string &e, size_t i, char c, bool *hit, size_t *next)
{
    size_t j = i + 1;
    bool negate = false;
    if (j < e.size() && e[j] == '^') {
        negate = true;
        ++j;
    }
    bool found = false;
    const size_t first = j;
    for (; j < e.size() && (e[j] != ']' || j == first); ++j) {
        if (j + 2 < e.size() && e[j + 1] == '-' && e[j + 2] != ']') {
            if (lower(c) >= lower(e[j]) && lower(c) <= lower(e[j + 2]))
                found = true;
            j += 2;
        } else if (lower(e[j]) == lower(c)) {
            found = true;
        }
    }
    if (j >= e.size())
        return false; // unterminated set
    *hit = found != negate;
    *next = j + 1;
    return true;
}

bool match_at(const std::string &e, size_t i, const std::string &s, size_t k)
{
    while (i < e.size()) {
        const char c = e[i];
        if (c == '*') {
            while (i < e.size() && e[i] == '*')
                ++i;
            if (i == e.size())
                return true;
            for (size_t t = k; t <= s.size(); ++t)
                if (match_at(e, i, s, t))
                    return true;
            return false;
        }
        if (k >= s.size())
            return false;
        if (c == '?') {
            ++i;
            ++k;
        } else if (c == '[') {
            bool hit = false;
            size_t next = 0;
            if (!match_set(e, i, s[k], &hit, &next) || !hit)
                return false;
            i = next;
            ++k;
        } else {
            if (lower(c) != lower(s[k]))
                return false;
            ++i;
            ++k;
        }
    }
    return k == s.size();
}
} // namespace

std::vector<usbtmc_finder_t::device_t> usbtmc_finder_t::list()
{
    const std::string sys = env_or("WATTLEX_SYSFS_ROOT", "/sys") + "/class/usbmisc";
    const std::string dev = env_or("WATTLEX_DEV_ROOT", "/dev");
    std::vector<std::pair<long, device_t>> found;
    DIR *d = ::opendir(sys.c_str());
    if (!d)
        return {};
    while (dirent *e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.compare(0, 6, "usbtmc") != 0 || name.size() == 6)
            continue;
        char *end = nullptr;
        const long num = std::strtol(name.c_str() + 6, &end, 10);
        if (!end || *end != '\0' || num < 0)
            continue;
        // device/ is the interface; its parent is the USB device with the ids
        const std::string usbdev = sys + "/" + name + "/device/..";
        device_t dv;
        if (!read_hex16(usbdev + "/idVendor", dv.vendor) ||
            !read_hex16(usbdev + "/idProduct", dv.product))
            continue;
        read_line(usbdev + "/serial", dv.serial); // absent on some devices
        dv.node = dev + "/" + name;
        dv.resource = visa_resource_t::usb_name(dv.vendor, dv.product, dv.serial);
        found.emplace_back(num, dv);
    }
    ::closedir(d);
    std::sort(found.begin(), found.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<device_t> out;
    for (auto &f : found)
        out.push_back(std::move(f.second));
    return out;
}

std::string usbtmc_finder_t::find_node(uint16_t vendor, uint16_t product, const std::string &serial)
{
    for (const device_t &d : list())
        if (d.vendor == vendor && d.product == product && iequal(d.serial, serial))
            return d.node;
    return std::string();
}

bool usbtmc_finder_t::match(const std::string &expr, const std::string &name)
{
    return match_at(expr, 0, name, 0);
}
