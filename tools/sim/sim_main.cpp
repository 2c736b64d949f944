// wattlex-sim: a simulated electronic load on VXI-11, for tests and for
// trying Wattlex without a load.
#include "sim_config_t.h"
#include "sim_instrument.h"
#include "sim_log_t.h"
#include "sim_server_t.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char **argv)
{
    sim_config_t cfg;
    std::string error;
    if (!cfg.parse(argc, argv, &error)) {
        std::fprintf(stderr, "wattlex-sim: %s\n%s", error.c_str(), sim_config_t::usage().c_str());
        return 2;
    }
    if (cfg.help) {
        std::fputs(sim_config_t::usage().c_str(), stdout);
        return 0;
    }

    // Signals are taken by sigwait below; every thread inherits the mask.
    sigset_t sigs;
    sigemptyset(&sigs);
    sigaddset(&sigs, SIGINT);
    sigaddset(&sigs, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &sigs, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sim_log_t log;
    if (!cfg.log_path.empty() && !log.open(cfg.log_path)) {
        std::fprintf(stderr, "wattlex-sim: cannot open log file %s\n", cfg.log_path.c_str());
        return 1;
    }
    sim_options opt;
    if (!cfg.idn.empty())
        opt.idn = cfg.idn;
    opt.time_scale = cfg.time_scale;
    opt.noise = cfg.noise;
    opt.log = [&log](const std::string &text) { log.line("SIM", -1, text); };
    sim_instrument inst(opt);

    sim_server_t server(cfg, inst, log);
    if (!server.start(&error)) {
        std::fprintf(stderr, "wattlex-sim: %s\n", error.c_str());
        return 1;
    }
    log.line("START", -1, "core port " + std::to_string(server.core_port()));
    std::printf("ready %u\n", static_cast<unsigned>(server.core_port()));
    std::fflush(stdout);

    int sig = 0;
    sigwait(&sigs, &sig);
    server.stop();
    log.line("STOP", -1, sig == SIGINT ? "SIGINT" : "SIGTERM");
    return 0;
}
