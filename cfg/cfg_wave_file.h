// Wave-file helpers shared by the readers: file types, result codes, output
// names and number text that does not depend on the process locale.
#ifndef WATTLEX_CFG_WAVE_FILE_H
#define WATTLEX_CFG_WAVE_FILE_H

#include <cstddef>
#include <string>

// File types by extension.
enum cfg_wave_file_type_t {
    WAVE_FILE_CSV = 0,
    WAVE_FILE_DAT = 1,
    WAVE_FILE_BIN = 2,
    WAVE_FILE_OTHER = 3
};

// Result codes of the readers and converters.
enum cfg_wave_result_t {
    WAVE_DONE = 1,
    WAVE_MORE_TEXT = 0,      // read_samples: the text ends inside the data
    WAVE_E_END = -1,         // end of data, empty input, format check failed, bad ".bin" size
    WAVE_E_NO_VALUE = -2,    // read_value: the line holds no value
    WAVE_E_STORE = -9,       // storing the values failed
    WAVE_E_TOO_BIG = -10,    // too many values
    WAVE_E_TOO_SMALL = -11,  // fewer than 8 values
    WAVE_E_UNSUPPORTED = -12, // unsupported file type or name
    WAVE_E_NO_DATA = -13,    // no data column found
    WAVE_E_WRITE = -14       // the output file could not be written
};

// Type by the last four characters: ".csv"/".CSV" 0, ".dat"/".DAT" 1,
// ".bin"/".BIN" 2; anything else, and names shorter than four characters, 3.
int file_type_from_ext(const std::string &name);

// The base name: the part after the last "/", up to its first "."; empty
// (with a trace) when no "." is left.
std::string get_outfile_file_name(const std::string &name);

// Reads the leading number of text[begin, end) as std::stof would (leading
// white space, an optional sign, a decimal number), but always with "." as
// the decimal point. Infinities, NaN and values out of the float range are
// refused. Returns true on success.
bool parse_leading_float(const std::string &text, std::size_t begin, std::size_t end, float &value);

// "%f" of the value (six decimals) with "." as the decimal point.
std::string format_fixed6(double value);

#endif
