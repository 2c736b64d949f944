// Soak benchmark (not a test): the live window polls the simulated load for
// a long time (10 minutes by default) with the input on, the trend and a
// record running. Prints the resident memory at the start, every minute and
// at the end, the polls, the record's rows and the trend's samples, and
// whether the memory stayed flat once the trend's series were full.
//
//   bench_soak [--minutes N] [--write-pause MS]
//
// Runs as any user: without WATTLEX_PORTMAP_PORT it takes a free port for
// the load's portmapper. WATTLEX_SIM names the simulated load (default: the
// one of this build).
#include "fault_rig.h"

#include "mymainwindow.h"
#include "mymainwindow_trend_state.h"
#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "cfg_if_scpi_t.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

double resident_mib()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return -1;
    long pages = 0;
    long resident = 0;
    const int got = std::fscanf(f, "%ld %ld", &pages, &resident);
    std::fclose(f);
    if (got != 2)
        return -1;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

bool take_free_port()
{
    if (qEnvironmentVariableIsSet("WATTLEX_PORTMAP_PORT"))
        return true;
    // A port the system hands out now is free for the load's portmapper.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
                    && ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0;
    ::close(fd);
    if (ok)
        qputenv("WATTLEX_PORTMAP_PORT", QByteArray::number(ntohs(a.sin_port)));
    return ok;
}

void quiet_messages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type >= QtCriticalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    if (!qEnvironmentVariableIsSet("WATTLEX_SIM"))
        qputenv("WATTLEX_SIM", WATTLEX_SIM_DEFAULT);
    QApplication app(argc, argv);
    qInstallMessageHandler(quiet_messages);

    double minutes = 10;
    int write_pause_ms = cfg_if_scpi_t::default_write_pause_ms;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--minutes"))
            minutes = args[i + 1].toDouble();
        else if (args[i] == QLatin1String("--write-pause"))
            write_pause_ms = args[i + 1].toInt();
    }
    if (minutes <= 0 || write_pause_ms < 0 || !take_free_port()) {
        std::fprintf(stderr, "usage: bench_soak [--minutes N] [--write-pause MS]\n");
        return 2;
    }

    QTemporaryDir dir;
    fault_rig rig;
    rig.cw().set_write_pause_ms(write_pause_ms);
    if (!dir.isValid() || !rig.start()) {
        std::fprintf(stderr, "bench_soak: %s\n", qPrintable(rig.error()));
        return 1;
    }
    MyMainWindow* w = rig.w();
    QTest::mouseClick(w->load_switch, Qt::LeftButton);
    const QString path = dir.filePath(QStringLiteral("soak.csv"));
    if (!QTest::qWaitFor([&] { return w->load_switch->getSelectedItem(); }, 5000) || !rig.start_record(path)) {
        std::fprintf(stderr, "bench_soak: %s\n", qPrintable(rig.error()));
        return 1;
    }

    const qint64 total_ms = qint64(minutes * 60000.0);
    const int polls_at_start = rig.cw().poll_replies();
    const double start_mib = resident_mib();
    std::printf("soak: %.1f min, write pause %d ms, portmapper port %s\n", minutes, write_pause_ms,
                qgetenv("WATTLEX_PORTMAP_PORT").constData());
    std::printf("%8s %10s %10s %10s %12s\n", "minute", "RSS MiB", "polls", "rows", "trend sets");
    std::printf("%8.1f %10.1f %10d %10d %12d\n", 0.0, start_mib, 0, 0, int(w->trend->raw[0].size()));
    std::fflush(stdout);

    QElapsedTimer clock;
    clock.start();
    // The first minute warms caches up (fonts, plot); memory is judged from
    // its end on.
    const qint64 warm_ms = qMin<qint64>(60000, total_ms / 4);
    double warm_mib = -1;
    int warm_samples = 0;
    qint64 next_print = 60000;
    while (clock.elapsed() < total_ms && w->is_connected && w->recording) {
        QTest::qWait(200);
        if (warm_mib < 0 && clock.elapsed() >= warm_ms) {
            warm_mib = resident_mib();
            warm_samples = w->trend->raw[0].size();
        }
        if (clock.elapsed() >= next_print || clock.elapsed() >= total_ms) {
            next_print += 60000;
            std::printf("%8.1f %10.1f %10d %10d %12d\n", clock.elapsed() / 60000.0, resident_mib(),
                        rig.cw().poll_replies() - polls_at_start, rig.sets_since_record(),
                        int(w->trend->raw[0].size()));
            std::fflush(stdout);
        }
    }
    const double end_mib = resident_mib();
    const int polls = rig.cw().poll_replies() - polls_at_start;
    const bool still_running = w->is_connected && w->recording;
    bool ok = false;
    const int rows = fault_rig::rows_of(path, &ok).size();

    std::printf("start RSS %.1f MiB, end RSS %.1f MiB (%+.1f MiB)\n", start_mib, end_mib, end_mib - start_mib);
    std::printf("polls %d (%.1f per second), record rows %d (file %s, %lld bytes)\n", polls,
                polls * 1000.0 / qMax<qint64>(1, clock.elapsed()), rows, ok ? "well formed" : "MALFORMED",
                static_cast<long long>(QFileInfo(path).size()));
    if (!still_running)
        std::printf("the connection or the record ended early\n");
    if (warm_mib >= 0) {
        // The trend's series grow by their samples (4 quantities, kept raw,
        // shown and scaled) until they hold the most they keep; any growth
        // beyond that is a leak.
        const int added = int(w->trend->raw[0].size()) - warm_samples;
        const double series_mib = double(qMax(0, added)) * 4 * 8 * 3 / (1024.0 * 1024.0);
        const double beyond = end_mib - warm_mib - series_mib;
        std::printf("after warm-up (%.1f min, %.1f MiB): %+.1f MiB, of which the trend's %d new samples "
                    "about %.1f MiB; beyond them %+.1f MiB -> %s\n",
                    warm_ms / 60000.0, warm_mib, end_mib - warm_mib, added, series_mib, beyond,
                    beyond < 2.0 ? "flat" : "GROWING");
    }
    std::printf("rows %s polls\n", rows == rig.sets_since_record() ? "match" : "DO NOT MATCH");
    return still_running && ok ? 0 : 1;
}
