// Reader of ".csv" wave files: the value column is found by a header line
// of key words ("Second,Volt", "xpos,value" or "Time,Ampl").
#ifndef WATTLEX_CFG_CSV_MAIN_T_H
#define WATTLEX_CFG_CSV_MAIN_T_H

#include "cfg_bin_main_t.h"

class cfg_csv_main_t : public cfg_bin_main_t
{
public:
    cfg_csv_main_t();
    ~cfg_csv_main_t() override;

    int get_first_xpos_ypos(const std::string &text, int &column, std::size_t &position) override;
    int locate_data(const std::string &text, int &column, std::size_t &position) override;
    std::int64_t read_value(const std::string &text, int column, std::size_t &position, float &value) override;

    // The first header key found (in key order) gives the value column (its
    // second word's 0-based field index) and the header line's end. 1 or -1.
    int find_csv_data_pos_in_key_words_form(const std::string &text, int &column, std::size_t &position);
};

#endif
