// Wave-file reader base: reads ".csv" and ".dat" text files in chunks,
// collects the value column, converts it to the raw 16-bit ".bin" form,
// loads any of the three forms and writes the text export.
//
// ".bin": 2 to 15728640 little-endian 16-bit signed samples, no header.
#ifndef WATTLEX_CFG_BIN_MAIN_T_H
#define WATTLEX_CFG_BIN_MAIN_T_H

#include "cfg_wave_file.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

class cfg_bin_main_t
{
public:
    enum : std::size_t {
        default_read_size = 10485760,   // bytes per chunk
        min_values = 8,                 // fewer values are refused
        max_values = 8388608,           // more values are refused
        bin_min_points = 2,
        bin_max_points = 15728640
    };

    cfg_bin_main_t();
    virtual ~cfg_bin_main_t();

    // Field access; every getter returns the field's address.
    virtual std::uint64_t *get_points();
    virtual float *get_frequency();
    virtual float *get_amp();
    virtual float *get_offset();
    virtual float *get_phase();
    virtual std::vector<float> *get_wave_data();
    virtual float *get_max();
    virtual float *get_min();

    // Finds where the data start: the value column (0-based field index) and
    // the position (index of the line end before the first data line, or 0
    // when the data start at the first character). 1, or -1 when not found.
    virtual int get_first_xpos_ypos(const std::string &text, int &column, std::size_t &position) = 0;
    virtual int locate_data(const std::string &text, int &column, std::size_t &position) = 0;

    // Reads the value of the line after `position` from field `column`.
    // Returns the new position (the line end) with the value, -1 when the
    // text ends before the line is complete (or is used up), -2 when the line
    // holds no value.
    virtual std::int64_t read_value(const std::string &text, int column, std::size_t &position, float &value) = 0;

    // Drops the first `consumed` characters of `text` (consumed becomes 0)
    // and appends up to n bytes of the stream. Returns the count, or -1 when
    // the end of the stream was already reached.
    std::int64_t read_chunk(std::istream &in, std::size_t n, std::string &text, std::size_t &consumed);
    int is_end() const;
    void set_end(int end);

    // Appends the values from `position` on to `values`, keeping max and min
    // (taken from the first value when `values` starts empty). Returns 1
    // when the data are complete, 0 when more text is needed, -9, -10 or -11.
    int read_samples(const std::string &text, int column, std::size_t &position, std::vector<float> &values,
                     float &max, float &min);

    // 16-bit samples scaled so that the larger of |max| and |min| maps to
    // 32767; all zeros when both are 0. Always 1.
    static int scale_to_int16(const std::vector<float> &values, float max, float min,
                              std::vector<std::int16_t> &out);

    // Loads a ".bin" into the fields (samples as sample * 3 / 32768). 1 or -1.
    int read_bin_file(const std::string &path);

    // Converts a text wave file to out_dir/<base name>.bin. 1 or a negative
    // result code; nothing is written on failure.
    int do_convert(const std::string &in_path, const std::string &out_dir, std::string &out_path);
    int convert_file(const std::string &in_path, const std::string &out_dir);
    int convert_by_type(const std::string &in_path, const std::string &out_dir, std::string &out_path);

    // Loads a ".csv" (with header parameters) or a ".dat" into the fields.
    int load_csv(const std::string &path);
    int load_text(const std::string &path);
    int load_by_type(const std::string &path);

    // Header parameters of a ".csv": "frequency", "amp", "offset", "phase",
    // each followed by one separator and its value; an absent key, or one
    // whose value does not read as a number, gives 1000, 2, 0, 0. Returns 0.
    static int parse_header_params(const std::string &text, float &frequency, float &amp, float &offset,
                                   float &phase);

    // Writes the text export of the fields with `values`. 0, or -1.
    int export_text(const std::string &path, const std::vector<float> &values);
    int export_by_type(const std::string &path, const std::vector<float> &values);

    std::uint32_t get_chunk_points() const;
    // Bytes read per chunk (at least 1).
    void set_read_size(std::size_t bytes);
    std::size_t read_size() const;

protected:
    // Whether more text could still let locate_data succeed.
    virtual bool header_may_follow(const std::string &text) const;

    // read_value for a separator character (0: the first field is the value).
    std::int64_t read_value_by_separator(const std::string &text, int column, char separator,
                                         std::size_t &position, float &value);

private:
    int read_text_file(const std::string &path, bool header_params, std::vector<float> &values, float &max,
                       float &min, float header[4]);
    int finish_values(const std::vector<float> &values);
    // load_csv (header_params) and load_text.
    int load_text_values(const std::string &path, bool header_params);

    std::uint8_t m_end = 0;
    std::uint32_t m_chunk_points = 16384;
    std::vector<float> m_wave_data;
    float m_max = 0.0f;
    float m_min = 0.0f;
    std::uint64_t m_points = 16384;
    float m_frequency = 1000.0f;
    float m_amp = 0.0f;
    float m_offset = 0.0f;
    float m_phase = 0.0f;
    std::size_t m_read_size = default_read_size;
};

#endif
