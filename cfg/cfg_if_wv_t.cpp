#include "cfg_if_wv_t.h"

#include "device/drv_device_t.h"

cfg_if_wv_t::cfg_if_wv_t()
{
    reset_default();
}

cfg_if_wv_t::~cfg_if_wv_t() = default;

void cfg_if_wv_t::reset_default()
{
    m_amp = 2.0;
    m_offset = 0.0;
    m_high_level = 1.0;
    m_low_level = -1.0;
    m_frequency = 1000.0;
    m_period = 0.001;
    m_int_param = 1;
    m_phase = 0.0;
    m_points = 16384;
    m_sample_rate = 16.384;
    m_max_points = 15728640;
    m_min_points = 2;
}

int cfg_if_wv_t::set_amp(const double *value)
{
    m_amp = *value;
    return 0;
}

double *cfg_if_wv_t::get_amp()
{
    return &m_amp;
}

int cfg_if_wv_t::set_offset(const double *value)
{
    m_offset = *value;
    return 0;
}

double *cfg_if_wv_t::get_offset()
{
    return &m_offset;
}

int cfg_if_wv_t::set_high_level(const double *value)
{
    m_high_level = *value;
    return 0;
}

double *cfg_if_wv_t::get_high_level()
{
    return &m_high_level;
}

int cfg_if_wv_t::set_low_level(const double *value)
{
    m_low_level = *value;
    return 0;
}

double *cfg_if_wv_t::get_low_level()
{
    return &m_low_level;
}

int cfg_if_wv_t::set_amp_offset_by_level(double high, double low)
{
    const double amplitude = high - low;
    const double offset = (high + low) * 0.5;
    set_amp(&amplitude);
    return set_offset(&offset);
}

int cfg_if_wv_t::set_level_by_amp_offset(double amplitude, double offset)
{
    const double high = (amplitude + 2 * offset) * 0.5;
    const double low = (2 * offset - amplitude) * 0.5;
    set_high_level(&high);
    return set_low_level(&low);
}

int cfg_if_wv_t::set_frequency(const double *value)
{
    m_frequency = *value;
    return 0;
}

double *cfg_if_wv_t::get_frequency()
{
    return &m_frequency;
}

int cfg_if_wv_t::set_period(const double *value)
{
    m_period = *value;
    return 0;
}

double *cfg_if_wv_t::get_period()
{
    return &m_period;
}

int cfg_if_wv_t::set_int_param(const std::uint32_t *value)
{
    m_int_param = *value;
    return 0;
}

std::uint32_t *cfg_if_wv_t::get_int_param()
{
    return &m_int_param;
}

int cfg_if_wv_t::set_phase(const double *value)
{
    m_phase = *value;
    return 0;
}

double *cfg_if_wv_t::get_phase()
{
    return &m_phase;
}

int cfg_if_wv_t::set_points(const std::uint64_t *value)
{
    m_points = *value;
    return 0;
}

std::uint64_t *cfg_if_wv_t::get_points()
{
    return &m_points;
}

int cfg_if_wv_t::set_sample_rate(const double *value)
{
    m_sample_rate = *value;
    return 0;
}

double *cfg_if_wv_t::get_sample_rate()
{
    return &m_sample_rate;
}

int cfg_if_wv_t::set_wave_data(const std::vector<std::int16_t> &samples)
{
    m_wave_data = samples;
    return 0;
}

const double *cfg_if_wv_t::put_amp(const double *value)
{
    m_amp = *value;
    return value;
}

const double *cfg_if_wv_t::put_offset(const double *value)
{
    m_offset = *value;
    return value;
}

const double *cfg_if_wv_t::put_high_level(const double *value)
{
    m_high_level = *value;
    return value;
}

const double *cfg_if_wv_t::put_low_level(const double *value)
{
    m_low_level = *value;
    return value;
}

const double *cfg_if_wv_t::put_frequency(const double *value)
{
    m_frequency = *value;
    return value;
}

const double *cfg_if_wv_t::put_period(const double *value)
{
    m_period = *value;
    return value;
}

std::uint32_t cfg_if_wv_t::put_int_param(std::uint32_t value)
{
    m_int_param = value;
    return value;
}

const double *cfg_if_wv_t::put_phase(const double *value)
{
    m_phase = *value;
    return value;
}

std::uint64_t cfg_if_wv_t::put_points(std::uint64_t value)
{
    m_points = value;
    return value;
}

const double *cfg_if_wv_t::put_sample_rate(const double *value)
{
    m_sample_rate = *value;
    return value;
}

const double *cfg_if_wv_t::get_amp() const
{
    return &m_amp;
}

const double *cfg_if_wv_t::get_offset() const
{
    return &m_offset;
}

const double *cfg_if_wv_t::get_high_level() const
{
    return &m_high_level;
}

const double *cfg_if_wv_t::get_low_level() const
{
    return &m_low_level;
}

const double *cfg_if_wv_t::get_frequency() const
{
    return &m_frequency;
}

const double *cfg_if_wv_t::get_period() const
{
    return &m_period;
}

const std::uint32_t *cfg_if_wv_t::get_int_param() const
{
    return &m_int_param;
}

const double *cfg_if_wv_t::get_phase() const
{
    return &m_phase;
}

const std::uint64_t *cfg_if_wv_t::get_points() const
{
    return &m_points;
}

const double *cfg_if_wv_t::get_sample_rate() const
{
    return &m_sample_rate;
}

std::uint64_t cfg_if_wv_t::get_max_points() const
{
    return m_max_points;
}

std::uint64_t cfg_if_wv_t::get_min_points() const
{
    return m_min_points;
}

std::vector<std::int16_t> *cfg_if_wv_t::get_wave_data()
{
    return &m_wave_data;
}

void cfg_if_wv_t::clear_wave_data()
{
    std::vector<std::int16_t>().swap(m_wave_data);
}

std::list<std::string> cfg_if_wv_t::get_visa_resource_list()
{
    std::vector<std::string> names;
    {
        drv_device_t device;
        if (device.find_resources(names) != drv_device_t::FIND_DONE)
            names.clear();
    }
    return std::list<std::string>(names.begin(), names.end());
}

void cfg_if_wv_t::get_visa_resource_list(std::list<std::string> &names)
{
    names = get_visa_resource_list();
}
