#include "sim_config_t.h"

#include <arpa/inet.h>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace {
struct option_t {
    const char *name;
    const char *arg; // nullptr: a flag
    const char *help;
    std::function<bool(sim_config_t &, const std::string &)> set;
};

bool to_long(const std::string &s, long min, long max, long &out)
{
    if (s.empty())
        return false;
    char *end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (!end || *end != '\0' || v < min || v > max)
        return false;
    out = v;
    return true;
}

bool to_port(const std::string &s, uint16_t &out, long min)
{
    long v;
    if (!to_long(s, min, 65535, v))
        return false;
    out = static_cast<uint16_t>(v);
    return true;
}

const long max_count = 1000000000L;

const option_t options[] = {
    {"--address", "ADDR", "IPv4 address to listen on (default 127.0.0.1)",
     [](sim_config_t &c, const std::string &v) {
         in_addr a;
         c.address = v;
         return ::inet_pton(AF_INET, v.c_str(), &a) == 1;
     }},
    {"--portmap-port", "PORT", "portmapper port, TCP and UDP (default 111)",
     [](sim_config_t &c, const std::string &v) { return to_port(v, c.portmap_port, 1); }},
    {"--core-port", "PORT", "core channel port (default 0: any free port)",
     [](sim_config_t &c, const std::string &v) { return to_port(v, c.core_port, 0); }},
    {"--idn", "M,MODEL,SN,FW,HW", "identity fields of *IDN?",
     [](sim_config_t &c, const std::string &v) {
         size_t commas = 0;
         for (char ch : v) {
             if (ch == ',')
                 ++commas;
             if (ch == '\n' || ch == '\r')
                 return false;
         }
         c.idn = v;
         return commas == 4;
     }},
    {"--log", "FILE", "append one line per message received and reply sent",
     [](sim_config_t &c, const std::string &v) {
         c.log_path = v;
         return !v.empty();
     }},
    {"--max-read-wait", "MS", "longest wait of a read with no reply pending",
     [](sim_config_t &c, const std::string &v) { return to_long(v, 0, 86400000L, c.max_read_wait_ms); }},
    {"--time-scale", "X", "simulated seconds per real second (default 1)",
     [](sim_config_t &c, const std::string &v) {
         char *end = nullptr;
         const double d = std::strtod(v.c_str(), &end);
         c.time_scale = d;
         return !v.empty() && end && *end == '\0' && std::isfinite(d) && d > 0 && d <= 1e6;
     }},
    {"--noise", nullptr, "deterministic noise on the readings",
     [](sim_config_t &c, const std::string &) { return c.noise = true; }},
    {"--stop-after", "N", "fault: ignore every message after the Nth (reads time out)",
     [](sim_config_t &c, const std::string &v) { return to_long(v, 0, max_count, c.stop_after); }},
    {"--delay-ms", "N", "fault: every reply becomes readable N ms late",
     [](sim_config_t &c, const std::string &v) { return to_long(v, 0, 3600000L, c.delay_ms); }},
    {"--garbage", nullptr, "fault: answer garbage text to queries",
     [](sim_config_t &c, const std::string &) { return c.garbage = true; }},
    {"--oversize", nullptr, "fault: answer replies of more than 1 MiB",
     [](sim_config_t &c, const std::string &) { return c.oversize = true; }},
    {"--drop-after", "N", "fault: close the core connections at message N+1",
     [](sim_config_t &c, const std::string &v) { return to_long(v, 0, max_count, c.drop_after); }},
    {"--refuse-link", nullptr, "fault: create_link answers an error",
     [](sim_config_t &c, const std::string &) { return c.refuse_link = true; }},
    {"--fault-at", "TEXT", "faults begin at the first message starting with TEXT (counted from it)",
     [](sim_config_t &c, const std::string &v) {
         c.fault_at = v;
         return !v.empty();
     }},
    {"--fault-for", "N", "faults last N messages from their start, then the load answers again",
     [](sim_config_t &c, const std::string &v) { return to_long(v, 0, max_count, c.fault_for); }},
    {"--help", nullptr, "this text", [](sim_config_t &c, const std::string &) { return c.help = true; }},
};
} // namespace

bool sim_config_t::parse(int argc, char **argv, std::string *error)
{
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        std::string value;
        bool inline_value = false;
        const size_t eq = word.find('=');
        if (word.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            value = word.substr(eq + 1);
            word = word.substr(0, eq);
            inline_value = true;
        }
        const option_t *opt = nullptr;
        for (const option_t &o : options)
            if (word == o.name)
                opt = &o;
        if (!opt) {
            *error = "unknown option: " + word;
            return false;
        }
        if (opt->arg && !inline_value) {
            if (i + 1 >= argc) {
                *error = word + " needs a value";
                return false;
            }
            value = argv[++i];
        } else if (!opt->arg && inline_value) {
            *error = word + " takes no value";
            return false;
        }
        if (!opt->set(*this, value)) {
            *error = "bad value for " + word + ": " + value;
            return false;
        }
    }
    return true;
}

std::string sim_config_t::usage()
{
    std::string u = "usage: wattlex-sim [options]\n"
                    "A simulated electronic load on VXI-11. Prints \"ready <core port>\" once listening.\n";
    for (const option_t &o : options) {
        std::string left = std::string("  ") + o.name + (o.arg ? std::string(" ") + o.arg : "");
        if (left.size() < 28)
            left.append(28 - left.size(), ' ');
        u += left + o.help + "\n";
    }
    return u;
}
