// Exchange times with the simulated load through three clients: our VISA
// layer, pyvisa-py and liblxi (a generic LXI client library, used here only
// as a yardstick), against the same load in the same run.
//
// A cross-CPU wake-up costs far more than the exchange itself (tens of
// microseconds against a few on one CPU), so where the client runs decides
// the figures. The load is pinned to one CPU and every client runs twice:
// on that CPU ("shared") and on another ("split"). Every client is warmed
// up first; then each round runs every client in both places, in an order
// drawn anew each round, so that neither a slow patch of the shared machine
// nor the idle CPUs that the pyvisa-py start-up leaves fall on one client
// more than on another. Each exchange is timed on its own; the median and
// the 99th percentile of all rounds are printed per place, for single
// queries ("*IDN?") and for write + query pairs ("CURR 2.5", then "CURR?"),
// with each other client's median over ours.
//
// Run as root: bench_visa_query [exchanges per run] [rounds] [seed]
// It re-runs itself inside a private network namespace (unshare -n, with
// loopback up), so the load can take port 111 and nothing leaves the host.
#include "visa.h"

#ifdef WATTLEX_HAVE_LIBLXI
#include <lxi.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sched.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
const char *ns_marker = "WATTLEX_BENCH_NETNS";
const char *address = "127.0.0.1";
const int timeout_ms = 2000;

enum workload_t { QUERY, PAIR, n_workloads };
const char *const workload_names[n_workloads] = {"query", "pair"};

// Microseconds of each exchange, per workload.
struct times_t {
    std::vector<double> us[n_workloads];
};

double now_us()
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Binds the calling thread, and the processes and threads it starts from
// now on, to one CPU.
bool pin_to(int cpu)
{
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    return sched_setaffinity(0, sizeof set, &set) == 0;
}

// The CPUs this process may run on.
std::vector<int> allowed_cpus()
{
    std::vector<int> cpus;
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        for (int c = 0; c < CPU_SETSIZE; ++c)
            if (CPU_ISSET(c, &set))
                cpus.push_back(c);
    }
    return cpus;
}

// Starts the load on `cpu`; returns its pid, or -1.
pid_t start_sim(const char *path, int cpu)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (!pin_to(cpu))
            _exit(126);
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

// Times n exchanges of each workload on an open wire, one by one; false on
// a failure.
bool time_workloads(wire_t &w, int n, times_t &t)
{
    for (int i = 0; i < n; ++i) {
        const double t0 = now_us();
        if (!w.write("*IDN?") || !w.read())
            return false;
        t.us[QUERY].push_back(now_us() - t0);
    }
    for (int i = 0; i < n; ++i) {
        const double t0 = now_us();
        if (!w.write("CURR 2.5") || !w.write("CURR?") || !w.read())
            return false;
        t.us[PAIR].push_back(now_us() - t0);
    }
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

bool ours(int n, times_t &t)
{
    visa_wire_t w;
    return w.open() && time_workloads(w, n, t);
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

bool liblxi(int n, times_t &t)
{
    lxi_wire_t w;
    return w.open() && time_workloads(w, n, t);
}
#endif

// The subprocess inherits the CPU of the calling thread; it prints the
// microseconds of each query, then of each pair.
bool pyvisa(int n, times_t &t)
{
    const std::string cmd = std::string(WATTLEX_PYTHON_PATH) +
                            " -c \"import pyvisa,time\n"
                            "c=time.perf_counter\n"
                            "r=pyvisa.ResourceManager('@py').open_resource('TCPIP0::" + address + "::INSTR')\n"
                            "r.timeout=" + std::to_string(timeout_ms) + "\n"
                            "n=" + std::to_string(n) + "\n"
                            "q=[]\n"
                            "for i in range(n): t=c(); r.query('*IDN?'); q.append(c()-t)\n"
                            "p=[]\n"
                            "for i in range(n): t=c(); r.write('CURR 2.5'); r.query('CURR?'); p.append(c()-t)\n"
                            "print(' '.join('%.2f' % (x*1e6) for x in q+p))\n"
                            "r.close()\"";
    FILE *p = popen(cmd.c_str(), "r");
    if (!p)
        return false;
    bool ok = true;
    for (int w = 0; w < n_workloads && ok; ++w) {
        for (int i = 0; i < n && ok; ++i) {
            double us = 0;
            ok = std::fscanf(p, "%lf", &us) == 1;
            t.us[w].push_back(us);
        }
    }
    return pclose(p) == 0 && ok;
}

enum place_t { SHARED, SPLIT, n_places };
const char *const place_names[n_places] = {"shared", "split"};

struct client_t {
    const char *name;
    bool (*run)(int n, times_t &t);
    times_t times[n_places];
};

// q-th quantile by nearest rank (0.5: the median).
double quantile(std::vector<double> v, double q)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t rank = size_t(std::ceil(q * double(v.size())));
    return v[rank > 0 ? rank - 1 : 0];
}

void print_table(const std::vector<client_t> &clients, int place, int load_cpu, int client_cpu)
{
    std::printf("\n%s: the load on CPU %d, the clients on CPU %d; microseconds per exchange\n", place_names[place],
                load_cpu, client_cpu);
    std::printf("  %-20s %10s %10s %10s %10s\n", "client", "query p50", "query p99", "pair p50", "pair p99");
    for (const client_t &c : clients) {
        const times_t &t = c.times[place];
        std::printf("  %-20s %10.1f %10.1f %10.1f %10.1f\n", c.name, quantile(t.us[QUERY], 0.5),
                    quantile(t.us[QUERY], 0.99), quantile(t.us[PAIR], 0.5), quantile(t.us[PAIR], 0.99));
    }
    const times_t &ours_t = clients[0].times[place];
    for (size_t k = 1; k < clients.size(); ++k) {
        const times_t &t = clients[k].times[place];
        const std::string label = std::string(clients[k].name) + " / ours";
        std::printf("  %-20s %10.2f %10s %10.2f\n", label.c_str(),
                    quantile(t.us[QUERY], 0.5) / quantile(ours_t.us[QUERY], 0.5), "",
                    quantile(t.us[PAIR], 0.5) / quantile(ours_t.us[PAIR], 0.5));
    }
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
    const unsigned seed = argc > 3 ? unsigned(std::strtoul(argv[3], nullptr, 10)) : std::random_device()();
    const char *sim = std::getenv("WATTLEX_SIM") ? std::getenv("WATTLEX_SIM") : WATTLEX_SIM_PATH;

    // The load on the first CPU this process may use, "split" clients on the next.
    const std::vector<int> cpus = allowed_cpus();
    if (cpus.size() < 2) {
        std::fprintf(stderr, "two CPUs are needed (one for the load and a shared client, one for a split client)\n");
        return 1;
    }
    const int cpu_of[n_places] = {cpus[0], cpus[1]};
    const pid_t pid = start_sim(sim, cpu_of[SHARED]);
    if (pid < 0)
        return 1;

    std::vector<client_t> clients = {{"wattlex VISA layer", ours, {}}, {"pyvisa-py", pyvisa, {}}};
#ifdef WATTLEX_HAVE_LIBLXI
    clients.push_back({"liblxi", liblxi, {}});
#else
    std::printf("liblxi: not built in (install liblxi-dev)\n");
#endif
    // One run: a client in a place.
    struct run_t {
        size_t client;
        int place;
    };
    std::vector<run_t> runs;
    for (size_t k = 0; k < clients.size(); ++k)
        for (int place = 0; place < n_places; ++place)
            runs.push_back({k, place});

    bool ok = true;
    for (const run_t &r : runs) { // warm-up: caches, page faults, the load's first replies
        times_t discarded;
        ok = ok && pin_to(cpu_of[r.place]) && clients[r.client].run(n / 4 + 1, discarded);
    }
    std::mt19937 order(seed);
    for (int round = 0; round < rounds && ok; ++round) {
        std::shuffle(runs.begin(), runs.end(), order);
        for (const run_t &r : runs) {
            client_t &c = clients[r.client];
            if (!pin_to(cpu_of[r.place]) || !c.run(n, c.times[r.place])) {
                std::fprintf(stderr, "%s (%s) failed in round %d\n", c.name, place_names[r.place], round + 1);
                ok = false;
                break;
            }
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!ok)
        return 1;

    std::printf("%d rounds of %d exchanges per client and place (after a warm-up), in an order drawn each round "
                "(seed %u)\n",
                rounds, n, seed);
    for (int place = 0; place < n_places; ++place)
        print_table(clients, place, cpu_of[SHARED], cpu_of[place]);
    return 0;
}
