// One sampled waveform: levels, amplitude and offset, frequency, period,
// phase, point count, sample rate, the point-count bounds and the 16-bit
// samples. The record keeps no field consistent with another by itself;
// only the two conversions derive one pair from the other.
#ifndef WATTLEX_CFG_IF_WV_T_H
#define WATTLEX_CFG_IF_WV_T_H

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class cfg_if_wv_t
{
public:
    cfg_if_wv_t();
    virtual ~cfg_if_wv_t();

    // Setters take the new value by address and return 0; getters return
    // the field's address.
    virtual int set_amp(const double *value);
    virtual double *get_amp();
    virtual int set_offset(const double *value);
    virtual double *get_offset();
    virtual int set_high_level(const double *value);
    virtual double *get_high_level();
    virtual int set_low_level(const double *value);
    virtual double *get_low_level();
    // Amplitude and offset from the levels (stored through set_amp and
    // set_offset); returns set_offset's result.
    virtual int set_amp_offset_by_level(double high, double low);
    // Levels from amplitude and offset (stored through set_high_level and
    // set_low_level); returns set_low_level's result.
    virtual int set_level_by_amp_offset(double amplitude, double offset);
    virtual int set_frequency(const double *value);
    virtual double *get_frequency();
    virtual int set_period(const double *value);
    virtual double *get_period();
    virtual int set_int_param(const std::uint32_t *value);
    virtual std::uint32_t *get_int_param();
    virtual int set_phase(const double *value);
    virtual double *get_phase();
    virtual int set_points(const std::uint64_t *value);
    virtual std::uint64_t *get_points();
    virtual int set_sample_rate(const double *value);
    virtual double *get_sample_rate();
    // Fills the samples from the other fields; each kind of wave has its own.
    virtual int build_wave_data() = 0;
    // Copies the samples into the record; returns 0.
    virtual int set_wave_data(const std::vector<std::int16_t> &samples);

    // Every field but the samples back to its default.
    void reset_default();

    // Store like the virtual setters but return what was given.
    const double *put_amp(const double *value);
    const double *put_offset(const double *value);
    const double *put_high_level(const double *value);
    const double *put_low_level(const double *value);
    const double *put_frequency(const double *value);
    const double *put_period(const double *value);
    std::uint32_t put_int_param(std::uint32_t value);
    const double *put_phase(const double *value);
    std::uint64_t put_points(std::uint64_t value);
    const double *put_sample_rate(const double *value);

    const double *get_amp() const;
    const double *get_offset() const;
    const double *get_high_level() const;
    const double *get_low_level() const;
    const double *get_frequency() const;
    const double *get_period() const;
    const std::uint32_t *get_int_param() const;
    const double *get_phase() const;
    const std::uint64_t *get_points() const;
    const double *get_sample_rate() const;

    std::uint64_t get_max_points() const;
    std::uint64_t get_min_points() const;

    std::vector<std::int16_t> *get_wave_data();
    // Empties the samples and frees their storage.
    void clear_wave_data();

    // Every VISA resource name the instrument link finds, in the order
    // found; empty when the search fails.
    static std::list<std::string> get_visa_resource_list();
    static void get_visa_resource_list(std::list<std::string> &names);

private:
    double m_amp = 2.0;
    double m_offset = 0.0;
    double m_high_level = 1.0;
    double m_low_level = -1.0;
    double m_frequency = 1000.0;
    double m_period = 0.001;
    std::uint32_t m_int_param = 1;
    double m_phase = 0.0;
    std::uint64_t m_points = 16384;
    double m_sample_rate = 16.384;
    std::uint64_t m_max_points = 15728640;
    std::uint64_t m_min_points = 2;
    std::vector<std::int16_t> m_wave_data;
};

#endif
