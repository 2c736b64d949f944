// Text helpers of the simulated load: trimming, number parsing and the
// reply number format. Independent of the C locale, because the server may
// run inside an application that switched LC_NUMERIC.
#ifndef WATTLEX_MODEL_TEXT_H
#define WATTLEX_MODEL_TEXT_H

#include <string>

class model_text {
public:
    // Strips leading and trailing blanks, tabs, CR and LF.
    static std::string trim(const std::string &s);
    // Strips blanks and tabs only (parameter fields).
    static std::string trim_blanks(const std::string &s);
    static std::string upper(const std::string &s);
    // Like C "%.6g": 2.5, 0.001, 2e-05, 1e+06.
    static std::string format_number(double v);
    static std::string format_int(long long v);
    // Decimal or exponent notation with an optional sign; nothing else.
    static bool parse_number(const std::string &s, double *v);
    // A number whose value is a whole number (12, 12.0, 1.2e1).
    static bool parse_integer(const std::string &s, long long *v);
    // Printable form of a message for the log, cut to max_len bytes.
    static std::string printable(const std::string &s, std::size_t max_len = 160);
};

#endif
