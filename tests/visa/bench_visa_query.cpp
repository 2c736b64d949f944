// Queries per second against the simulated load: through our VISA layer
// and through pyvisa-py, against the same load in the same run.
//
// Run as root: bench_visa_query [queries]
// It re-runs itself inside a private network namespace (unshare -n, with
// loopback up), so the load can take port 111 and nothing leaves the host.
#include "visa.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const char *ns_marker = "WATTLEX_BENCH_NETNS";

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
        execl(path, path, "--address", "127.0.0.1", "--portmap-port", "111", static_cast<char *>(nullptr));
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

double ours(int queries)
{
    ViSession rm, vi;
    if (viOpenDefaultRM(&rm) != VI_SUCCESS ||
        viOpen(rm, "TCPIP0::127.0.0.1::INSTR", VI_NULL, VI_NULL, &vi) != VI_SUCCESS) {
        std::fprintf(stderr, "our VISA layer cannot open the load\n");
        return 0;
    }
    ViByte buf[256];
    ViUInt32 n;
    const double t0 = now_s();
    for (int i = 0; i < queries; ++i) {
        if (viWrite(vi, reinterpret_cast<ViConstBuf>("*IDN?"), 5, &n) != VI_SUCCESS ||
            viRead(vi, buf, sizeof buf, &n) != VI_SUCCESS) {
            std::fprintf(stderr, "query %d failed\n", i);
            return 0;
        }
    }
    const double dt = now_s() - t0;
    viClose(vi);
    viClose(rm);
    return queries / dt;
}

double pyvisa(const char *python, int queries)
{
    const std::string cmd = std::string(python) +
                            " -c \"import pyvisa,time\n"
                            "r=pyvisa.ResourceManager('@py').open_resource('TCPIP0::127.0.0.1::INSTR')\n"
                            "n=" + std::to_string(queries) + "\n"
                            "t=time.monotonic()\n"
                            "for i in range(n): r.query('*IDN?')\n"
                            "print(n/(time.monotonic()-t))\n"
                            "r.close()\"";
    FILE *p = popen(cmd.c_str(), "r");
    if (!p)
        return 0;
    double qps = 0;
    if (std::fscanf(p, "%lf", &qps) != 1)
        qps = 0;
    pclose(p);
    return qps;
}
} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv(ns_marker)) {
        setenv(ns_marker, "1", 1);
        execlp("unshare", "unshare", "-n", "--", "sh", "-c", "ip link set lo up && exec \"$0\" \"$@\"",
               argv[0], argc > 1 ? argv[1] : static_cast<char *>(nullptr), static_cast<char *>(nullptr));
        std::perror("unshare (needs root)");
        return 1;
    }
    const int queries = argc > 1 ? std::atoi(argv[1]) : 2000;
    const char *sim = std::getenv("WATTLEX_SIM") ? std::getenv("WATTLEX_SIM") : WATTLEX_SIM_PATH;
    const pid_t pid = start_sim(sim);
    if (pid < 0)
        return 1;
    const double a = ours(queries);
    const double b = pyvisa(WATTLEX_PYTHON_PATH, queries);
    std::printf("queries of \"*IDN?\" per second (%d each)\n", queries);
    std::printf("  wattlex VISA layer: %10.0f\n", a);
    std::printf("  pyvisa-py:          %10.0f\n", b);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return a > 0 && b > 0 ? 0 : 1;
}
