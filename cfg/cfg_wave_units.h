// Unit-prefix conversion of values, small arithmetic helpers, random values
// and phase wrapping.
#ifndef WATTLEX_CFG_WAVE_UNITS_H
#define WATTLEX_CFG_WAVE_UNITS_H

// Unit numbers step by a factor of 1000.
enum wave_unit_t {
    WAVE_UNIT_PICO = 10,
    WAVE_UNIT_NANO = 11,
    WAVE_UNIT_MICRO = 12,
    WAVE_UNIT_MILLI = 13,
    WAVE_UNIT_BASE = 14,
    WAVE_UNIT_KILO = 15,
    WAVE_UNIT_MEGA = 16,
    WAVE_UNIT_GIGA = 17,
    WAVE_UNIT_TERA = 18
};

struct wave_value_t
{
    double value = 0.0;
    int unit = WAVE_UNIT_BASE;
};

// Prefix tables indexed by the unit difference.
extern const double wave_decimal_table[6];
extern const double wave_squared_table[6];

// out = in expressed in the target unit by the table (factor table[k] for a
// unit difference k). 0, or -1 (with a trace, out unchanged) when the
// difference is not below table_len.
int convert_unit(const wave_value_t &in, wave_value_t &out, int target, const double *table, int table_len);
int scale_by_unit_prefix(const wave_value_t &in, wave_value_t &out, int target);
int scale_by_squared_prefix(const wave_value_t &in, wave_value_t &out, int target);
int to_base_unit(wave_value_t &value);
int convert_value_unit(int source_unit, double &value, int target);

// Brings the value to the base unit, then to the unit of the largest
// threshold (1e-12, 1e-9, ..., 1e12) strictly below its absolute value:
// 2500 is 2.5 kilo, 1000 stays 1000 base, 0 stays in the base unit and
// values below every threshold are in pico. 0, or -1 when the value's unit
// is out of the table.
int auto_unit(wave_value_t &value);

double reciprocal(double x);
double inverse(double x);
// (a / 100) x (1 / b)
double scaled_reciprocal(double a, double b);
double divide_by(double x, int n);

// A uniformly distributed value in [0, n); seed_random seeds from the clock.
double random_scaled(double n);
void seed_random();

// The angle reduced into (-360, 360) keeping its sign; -360 and 360 stay.
double wrap_phase_360(double angle);
// angle + 360 for negative angles.
double positive_phase(double angle);

#endif
