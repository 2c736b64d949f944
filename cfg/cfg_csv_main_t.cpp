#include "cfg_csv_main_t.h"

#include <cstdio>
#include <iostream>

namespace {
// Header lines of the instruments whose files we read, in the order tried.
const char *const csv_header_keys[] = {"Second,Volt", "xpos,value", "Time,Ampl"};
} // namespace

cfg_csv_main_t::cfg_csv_main_t() = default;

cfg_csv_main_t::~cfg_csv_main_t() = default;

int cfg_csv_main_t::find_csv_data_pos_in_key_words_form(const std::string &text, int &column,
                                                         std::size_t &position)
{
    for (const char *key : csv_header_keys) {
        const std::size_t key_start = text.find(key);
        if (key_start == std::string::npos)
            continue;
        const std::size_t line_end = text.find('\n', key_start);
        if (line_end == std::string::npos)
            return -1; // the header line is not complete
        const std::size_t prev = key_start == 0 ? std::string::npos : text.rfind('\n', key_start - 1);
        std::size_t at = prev == std::string::npos ? 0 : prev + 1;
        int count = 0;
        // Commas up to and including the key's own give the value column.
        do {
            const std::size_t comma = text.find(',', at);
            if (comma == std::string::npos)
                break;
            at = comma + 1;
            ++count;
        } while (at <= key_start && at < line_end);
        column = count;
        position = line_end;
        std::printf("csv: %s:xpos=%d,ypos=%d\n", "find_csv_data_pos_in_key_words_form", column, int(position));
        std::fflush(stdout);
        return 1;
    }
    return -1;
}

int cfg_csv_main_t::locate_data(const std::string &text, int &column, std::size_t &position)
{
    return find_csv_data_pos_in_key_words_form(text, column, position);
}

int cfg_csv_main_t::get_first_xpos_ypos(const std::string &text, int &column, std::size_t &position)
{
    int found_column = 0;
    if (locate_data(text, found_column, position) < 0) {
        std::cout << "get_first_xpos_ypos::err header::" << std::endl;
        return -1;
    }
    column = found_column;
    return 1;
}

std::int64_t cfg_csv_main_t::read_value(const std::string &text, int column, std::size_t &position, float &value)
{
    return read_value_by_separator(text, column, ',', position, value);
}
