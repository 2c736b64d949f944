// Picks the reader for a wave file by its name and converts the file to ".bin".
#ifndef WATTLEX_CFG_WAVE_CONV_T_H
#define WATTLEX_CFG_WAVE_CONV_T_H

#include "cfg_bin_main_t.h"

#include <memory>
#include <string>

class cfg_wave_conv_t
{
public:
    cfg_wave_conv_t();
    ~cfg_wave_conv_t();

    // ".dat" names get a cfg_dat_main_t, every other name a cfg_csv_main_t;
    // the file type is kept. Replaces (and frees) any earlier reader.
    cfg_bin_main_t *create_reader(const std::string &name);

    // Converts a ".csv" or ".dat" with the reader made for it; the first
    // argument is unused. 1, or a negative result code (-12 for other types).
    int convert(int unused, const std::string &in_path, const std::string &out_dir);

    cfg_bin_main_t *get_reader() const;
    int get_file_type() const;

private:
    std::unique_ptr<cfg_bin_main_t> m_reader;
    int m_file_type = WAVE_FILE_OTHER;
};

#endif
