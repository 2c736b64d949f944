#include "cfg_wave_units.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <map>
#include <mutex>
#include <random>

const double wave_decimal_table[6] = {1.0, 1e3, 1e6, 1e9, 1e12, 1e15};
const double wave_squared_table[6] = {1.0, 1e6, 1e12, 1e18, 1e24, 1e30};

int convert_unit(const wave_value_t &in, wave_value_t &out, int target, const double *table, int table_len)
{
    const int d = in.unit - target;
    const int k = std::abs(d);
    if (k >= table_len) {
        std::cout << "amplify_index = " << k << std::endl;
        std::cout << "size = " << table_len << ",data.data = " << in.value << ",data.unit = " << in.unit
                  << std::endl;
        std::cout << "unit error" << std::endl;
        return -1;
    }
    double value = in.value;
    if (d > 0)
        value = value * table[k];
    else if (d < 0)
        value = value / table[k];
    out.value = value;
    out.unit = target;
    return 0;
}

int scale_by_unit_prefix(const wave_value_t &in, wave_value_t &out, int target)
{
    return convert_unit(in, out, target, wave_decimal_table, 6);
}

int scale_by_squared_prefix(const wave_value_t &in, wave_value_t &out, int target)
{
    return convert_unit(in, out, target, wave_squared_table, 6);
}

int to_base_unit(wave_value_t &value)
{
    return scale_by_unit_prefix(value, value, WAVE_UNIT_BASE);
}

int convert_value_unit(int source_unit, double &value, int target)
{
    wave_value_t v;
    v.value = value;
    v.unit = source_unit;
    const int r = scale_by_unit_prefix(v, v, target);
    if (r == 0)
        value = v.value;
    return r;
}

namespace {
const std::map<double, int> &auto_unit_table()
{
    static const std::map<double, int> table = {
        {1e-12, WAVE_UNIT_PICO}, {1e-9, WAVE_UNIT_NANO}, {1e-6, WAVE_UNIT_MICRO},
        {1e-3, WAVE_UNIT_MILLI}, {1.0, WAVE_UNIT_BASE},  {1e3, WAVE_UNIT_KILO},
        {1e6, WAVE_UNIT_MEGA},   {1e9, WAVE_UNIT_GIGA},  {1e12, WAVE_UNIT_TERA},
    };
    return table;
}
} // namespace

int auto_unit(wave_value_t &value)
{
    wave_value_t base = value;
    if (to_base_unit(base) != 0)
        return -1;
    const double magnitude = std::fabs(base.value);
    int unit = WAVE_UNIT_BASE;
    if (magnitude == 0.0 || std::isnan(magnitude)) {
        unit = WAVE_UNIT_BASE;
    } else {
        const auto &table = auto_unit_table();
        auto it = table.lower_bound(magnitude); // first threshold >= magnitude
        if (it == table.begin())
            unit = WAVE_UNIT_PICO;
        else
            unit = std::prev(it)->second;
    }
    if (scale_by_unit_prefix(base, base, unit) != 0)
        return -1;
    value = base;
    return 0;
}

double reciprocal(double x)
{
    return 1.0 / x;
}

double inverse(double x)
{
    return 1.0 / x;
}

double scaled_reciprocal(double a, double b)
{
    return (a / 100.0) * (1.0 / b);
}

double divide_by(double x, int n)
{
    return x / n;
}

namespace {
std::mutex random_mutex;

std::mt19937 &random_engine()
{
    static std::mt19937 engine;
    return engine;
}
} // namespace

double random_scaled(double n)
{
    std::lock_guard<std::mutex> lock(random_mutex);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    return unit(random_engine()) * n;
}

void seed_random()
{
    std::lock_guard<std::mutex> lock(random_mutex);
    random_engine().seed(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
}

double wrap_phase_360(double angle)
{
    if (angle == -360.0 || angle == 360.0)
        return angle;
    // fmod keeps the sign of the angle, like the integer remainder would,
    // and needs no conversion to an integer (none exists for NaN or 1e300).
    return std::fmod(angle, 360.0);
}

double positive_phase(double angle)
{
    return angle < 0.0 ? angle + 360.0 : angle;
}
