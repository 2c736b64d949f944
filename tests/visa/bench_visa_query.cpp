// Exchanges per second with the simulated load through three clients: our
// VISA layer, pyvisa-py and liblxi (a generic LXI client library, used here
// only as a yardstick), against the same load in the same run.
//
// Every client is warmed up first; then the clients take turns round by
// round, the order rotating each round, so a slow patch of the shared
// machine falls on all of them. The medians of the rounds are printed with
// our layer's ratio to each other client, for single queries ("*IDN?") and
// for write + query pairs ("CURR 2.5", then "CURR?").
//
// Run as root: bench_visa_query [exchanges per run] [rounds]
// It re-runs itself inside a private network namespace (unshare -n, with
// loopback up), so the load can take port 111 and nothing leaves the host.
#include "visa.h"

#ifdef WATTLEX_HAVE_LIBLXI
#include <lxi.h>
#endif

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
const char *ns_marker = "WATTLEX_BENCH_NETNS";
const char *address = "127.0.0.1";
const int timeout_ms = 2000;

enum workload_t { QUERY, PAIR, n_workloads };
const char *const workload_names[n_workloads] = {"queries/s", "pairs/s"};

double now_s()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Starts the load; returns its pid, or -1.
pid_t start_sim(const char *path)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(path, path, "--address", address, "--portmap-port", "111", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char buf[64] = {0};
    size_t n = 0;
    while (n + 1 < sizeof buf) {
        const ssize_t k = read(out[0], buf + n, 1);
        if (k <= 0 || buf[n] == '\n')
            break;
        ++n;
    }
    close(out[0]);
    if (std::strncmp(buf, "ready ", 6) != 0) {
        std::fprintf(stderr, "the simulated load did not start (%s)\n", path);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return -1;
    }
    return pid;
}

// An in-process client: write a text, read a reply.
struct wire_t {
    virtual ~wire_t() = default;
    virtual bool write(const char *text) = 0;
    virtual bool read() = 0;
};

// Times n exchanges of each workload on an open wire; false on a failure.
bool time_workloads(wire_t &w, int n, double rates[n_workloads])
{
    double t0 = now_s();
    for (int i = 0; i < n; ++i)
        if (!w.write("*IDN?") || !w.read())
            return false;
    rates[QUERY] = n / (now_s() - t0);
    t0 = now_s();
    for (int i = 0; i < n; ++i)
        if (!w.write("CURR 2.5") || !w.write("CURR?") || !w.read())
            return false;
    rates[PAIR] = n / (now_s() - t0);
    return true;
}

struct visa_wire_t : wire_t {
    ViSession rm = VI_NULL, vi = VI_NULL;
    ViByte buf[256];
    bool open()
    {
        const std::string name = std::string("TCPIP0::") + address + "::INSTR";
        return viOpenDefaultRM(&rm) == VI_SUCCESS &&
               viOpen(rm, name.c_str(), VI_NULL, VI_NULL, &vi) == VI_SUCCESS &&
               viSetAttribute(vi, VI_ATTR_TMO_VALUE, timeout_ms) == VI_SUCCESS;
    }
    ~visa_wire_t() override
    {
        if (vi != VI_NULL)
            viClose(vi);
        if (rm != VI_NULL)
            viClose(rm);
    }
    bool write(const char *text) override
    {
        ViUInt32 n;
        return viWrite(vi, reinterpret_cast<ViConstBuf>(text), ViUInt32(std::strlen(text)), &n) == VI_SUCCESS;
    }
    bool read() override
    {
        ViUInt32 n;
        return viRead(vi, buf, sizeof buf, &n) == VI_SUCCESS;
    }
};

bool ours(int n, double rates[n_workloads])
{
    visa_wire_t w;
    return w.open() && time_workloads(w, n, rates);
}

#ifdef WATTLEX_HAVE_LIBLXI
struct lxi_wire_t : wire_t {
    int dev = -1;
    char buf[256];
    bool open()
    {
        static const bool ready = lxi_init() == LXI_OK;
        if (ready)
            dev = lxi_connect(address, 0, "inst0", timeout_ms, VXI11);
        return dev >= 0;
    }
    ~lxi_wire_t() override
    {
        if (dev >= 0)
            lxi_disconnect(dev);
    }
    bool write(const char *text) override
    {
        return lxi_send(dev, text, int(std::strlen(text)), timeout_ms) >= 0;
    }
    bool read() override { return lxi_receive(dev, buf, sizeof buf, timeout_ms) > 0; }
};

bool liblxi(int n, double rates[n_workloads])
{
    lxi_wire_t w;
    return w.open() && time_workloads(w, n, rates);
}
#endif

bool pyvisa(int n, double rates[n_workloads])
{
    const std::string cmd = std::string(WATTLEX_PYTHON_PATH) +
                            " -c \"import pyvisa,time\n"
                            "r=pyvisa.ResourceManager('@py').open_resource('TCPIP0::" + address + "::INSTR')\n"
                            "r.timeout=" + std::to_string(timeout_ms) + "\n"
                            "n=" + std::to_string(n) + "\n"
                            "t=time.monotonic()\n"
                            "for i in range(n): r.query('*IDN?')\n"
                            "a=n/(time.monotonic()-t)\n"
                            "t=time.monotonic()\n"
                            "for i in range(n): r.write('CURR 2.5'); r.query('CURR?')\n"
                            "print(a, n/(time.monotonic()-t))\n"
                            "r.close()\"";
    FILE *p = popen(cmd.c_str(), "r");
    if (!p)
        return false;
    const bool ok = std::fscanf(p, "%lf %lf", &rates[QUERY], &rates[PAIR]) == 2;
    pclose(p);
    return ok;
}

struct client_t {
    const char *name;
    bool (*run)(int n, double rates[n_workloads]);
    std::vector<double> rates[n_workloads];
};

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}
} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv(ns_marker)) {
        setenv(ns_marker, "1", 1);
        std::vector<char *> args = {const_cast<char *>("unshare"), const_cast<char *>("-n"),
                                    const_cast<char *>("--"), const_cast<char *>("sh"), const_cast<char *>("-c"),
                                    const_cast<char *>("ip link set lo up && exec \"$0\" \"$@\"")};
        for (int i = 0; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        execvp("unshare", args.data());
        std::perror("unshare (needs root)");
        return 1;
    }
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    const char *sim = std::getenv("WATTLEX_SIM") ? std::getenv("WATTLEX_SIM") : WATTLEX_SIM_PATH;
    const pid_t pid = start_sim(sim);
    if (pid < 0)
        return 1;

    std::vector<client_t> clients = {{"wattlex VISA layer", ours, {}}, {"pyvisa-py", pyvisa, {}}};
#ifdef WATTLEX_HAVE_LIBLXI
    clients.push_back({"liblxi", liblxi, {}});
#else
    std::printf("liblxi: not built in (install liblxi-dev)\n");
#endif
    bool ok = true;
    double r[n_workloads];
    for (client_t &c : clients) // warm-up: caches, page faults, the load's first replies
        ok = c.run(n / 4 + 1, r) && ok;
    for (int round = 0; round < rounds && ok; ++round) {
        for (size_t k = 0; k < clients.size(); ++k) {
            client_t &c = clients[(k + size_t(round)) % clients.size()];
            if (!c.run(n, r)) {
                std::fprintf(stderr, "%s failed in round %d\n", c.name, round + 1);
                ok = false;
                break;
            }
            for (int w = 0; w < n_workloads; ++w)
                c.rates[w].push_back(r[w]);
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!ok)
        return 1;

    std::printf("medians of %d rounds of %d exchanges each (after a warm-up), clients interleaved\n", rounds, n);
    std::printf("  %-20s %12s %12s\n", "client", workload_names[QUERY], workload_names[PAIR]);
    for (const client_t &c : clients)
        std::printf("  %-20s %12.0f %12.0f\n", c.name, median(c.rates[QUERY]), median(c.rates[PAIR]));
    for (size_t k = 1; k < clients.size(); ++k)
        std::printf("  ours / %-13s %12.2f %12.2f\n", clients[k].name,
                    median(clients[0].rates[QUERY]) / median(clients[k].rates[QUERY]),
                    median(clients[0].rates[PAIR]) / median(clients[k].rates[PAIR]));
    return 0;
}
