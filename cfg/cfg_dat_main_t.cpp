#include "cfg_dat_main_t.h"

#include <cstdio>

namespace {
// Separator characters by kind, in the order they are looked for.
const struct {
    char c;
    int kind;
} dat_separators[] = {
    {',', cfg_dat_main_t::SEPARATOR_COMMA},
    {'\t', cfg_dat_main_t::SEPARATOR_TAB},
    {' ', cfg_dat_main_t::SEPARATOR_BLANK},
};

char separator_of(int kind)
{
    for (const auto &s : dat_separators) {
        if (s.kind == kind)
            return s.c;
    }
    return 0;
}
} // namespace

cfg_dat_main_t::cfg_dat_main_t() = default;

cfg_dat_main_t::~cfg_dat_main_t() = default;

int cfg_dat_main_t::get_separator_kind() const
{
    return m_separator_kind;
}

std::size_t cfg_dat_main_t::find_line_end(const std::string &text)
{
    const std::size_t crlf = text.find("\r\n");
    if (crlf != std::string::npos)
        return crlf;
    return text.find('\n');
}

bool cfg_dat_main_t::is_number_char(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e';
}

int cfg_dat_main_t::check_format_vaild(const std::string &text, int &column, std::size_t &position)
{
    const std::size_t line_end = find_line_end(text);
    if (line_end == std::string::npos)
        return -1;
    int kind = SEPARATOR_NONE;
    std::size_t field_end = line_end;
    for (const auto &s : dat_separators) {
        const std::size_t at = text.find(s.c);
        if (at < line_end) {
            kind = s.kind;
            field_end = at;
            break;
        }
    }
    for (std::size_t i = 0; i < field_end; ++i) {
        if (!is_number_char(text[i])) {
            std::printf("check_format_vaild fail:c_num=%d,ypos=%d\n", int(static_cast<unsigned char>(text[i])),
                        int(i));
            std::fflush(stdout);
            return -1;
        }
    }
    m_separator_kind = kind;
    column = 1;
    position = 0;
    return 1;
}

bool cfg_dat_main_t::header_may_follow(const std::string &text) const
{
    return find_line_end(text) == std::string::npos;
}

int cfg_dat_main_t::locate_data(const std::string &text, int &column, std::size_t &position)
{
    return check_format_vaild(text, column, position);
}

int cfg_dat_main_t::get_first_xpos_ypos(const std::string &text, int &column, std::size_t &position)
{
    return locate_data(text, column, position);
}

std::int64_t cfg_dat_main_t::read_value(const std::string &text, int column, std::size_t &position, float &value)
{
    return read_value_by_separator(text, column, separator_of(m_separator_kind), position, value);
}
