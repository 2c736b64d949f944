// Reader of ".dat" wave files: plain columns from the first line on, the
// separator taken from the first line, the value in the second column (the
// only one when the lines hold a single number).
#ifndef WATTLEX_CFG_DAT_MAIN_T_H
#define WATTLEX_CFG_DAT_MAIN_T_H

#include "cfg_bin_main_t.h"

class cfg_dat_main_t : public cfg_bin_main_t
{
public:
    enum separator_kind_t { SEPARATOR_NONE = 0, SEPARATOR_TAB = 1, SEPARATOR_BLANK = 2, SEPARATOR_COMMA = 3 };

    cfg_dat_main_t();
    ~cfg_dat_main_t() override;

    int get_first_xpos_ypos(const std::string &text, int &column, std::size_t &position) override;
    int locate_data(const std::string &text, int &column, std::size_t &position) override;
    std::int64_t read_value(const std::string &text, int column, std::size_t &position, float &value) override;

    // Takes the separator from the first line (comma, else tab, else blank,
    // else none) and checks that its first field is made of number
    // characters. Column 1, position 0; 1, or -1 when the check fails.
    int check_format_vaild(const std::string &text, int &column, std::size_t &position);

    int get_separator_kind() const;

    // Index of the first line end ("\r\n", else "\n"), npos when none.
    static std::size_t find_line_end(const std::string &text);
    // Digits, '+', '-', '.' and 'e'.
    static bool is_number_char(char c);

protected:
    // The first line decides; only an incomplete first line waits for more.
    bool header_may_follow(const std::string &text) const override;

private:
    int m_separator_kind = SEPARATOR_NONE;
};

#endif
