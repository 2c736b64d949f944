#include "sim_log_t.h"

sim_log_t::sim_log_t() : start_(std::chrono::steady_clock::now()) {}

sim_log_t::~sim_log_t()
{
    if (file_)
        std::fclose(file_);
}

bool sim_log_t::open(const std::string &path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_)
        std::fclose(file_);
    file_ = std::fopen(path.c_str(), "ae");
    return file_ != nullptr;
}

std::string sim_log_t::escape(const std::string &bytes)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                out += ch;
            } else {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            }
        }
    }
    return out;
}

void sim_log_t::line(const char *kind, int64_t lid, const std::string &payload)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!file_)
        return;
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - start_)
                             .count();
    const std::string text = escape(payload);
    if (lid < 0)
        std::fprintf(file_, "%lld %s - %s\n", ms, kind, text.c_str());
    else
        std::fprintf(file_, "%lld %s %lld %s\n", ms, kind, static_cast<long long>(lid), text.c_str());
    std::fflush(file_);
}
