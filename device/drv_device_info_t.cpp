#include "drv_device_info_t.h"

#include <QString>
#include <QStringList>

#include <regex>
#include <vector>

namespace {

struct family_pattern {
    const char *pattern;
    int family;
};

const family_pattern family_patterns[] = {
    {"WLX1[0-9]{3}X", drv_device_info_t::FAMILY_X},
    {"WLX1[0-9]{3}X-E", drv_device_info_t::FAMILY_E},
    {"WLX1[0-9]{3}X-C", drv_device_info_t::FAMILY_C},
};

const char *const maker_name = "Tervane";

} // namespace

int drv_device_info_t::model_family(const std::string &model)
{
    struct compiled {
        std::regex re;
        int family;
    };
    static const std::vector<compiled> table = [] {
        std::vector<compiled> t;
        for (const family_pattern &p : family_patterns)
            t.push_back({std::regex(p.pattern), p.family});
        return t;
    }();
    for (const compiled &c : table) {
        if (std::regex_match(model, c.re))
            return c.family;
    }
    return FAMILY_REJECTED;
}

bool drv_device_info_t::parse_idn(const std::string &reply)
{
    // Surrounding blanks and the line end are not part of any field.
    const QStringList parts = QString::fromStdString(reply).split(QLatin1Char(','));
    auto field = [&parts](int i) {
        return i < parts.size() ? parts.at(i).trimmed().toStdString() : std::string();
    };
    const std::string first = field(0);
    maker = (first.find('*') != std::string::npos || first.find(maker_name) != std::string::npos)
                ? std::string(maker_name)
                : first;
    model = field(1);
    serial = field(2);
    firmware = field(3);
    hardware = field(4);
    family = model_family(model);
    return accepted();
}
