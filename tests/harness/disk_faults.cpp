#include "disk_faults.h"

#include <QFileInfo>
#include <QMutex>

#include <atomic>
#include <csignal>
#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QMutex g_lock;
QList<disk_faults::sync_t> g_syncs;
std::atomic<bool> g_kill{false};

int watched_sync(int fd, const char* name)
{
    if (g_kill.load())
        std::raise(SIGKILL);
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    struct stat st {};
    const qint64 size = ::fstat(fd, &st) == 0 ? qint64(st.st_size) : -1;
    QString path = QFileInfo(QString::fromLocal8Bit(link)).symLinkTarget();
    if (path.endsWith(QLatin1String(" (deleted)")) || !QFileInfo(path).isFile())
        path.clear(); // an unnamed file (O_TMPFILE) or a folder
    {
        QMutexLocker lock(&g_lock);
        g_syncs.append({path, size});
    }
    using sync_fn = int (*)(int);
    const auto real = reinterpret_cast<sync_fn>(::dlsym(RTLD_NEXT, name));
    return real ? real(fd) : 0;
}

} // namespace

extern "C" int fsync(int fd)
{
    return watched_sync(fd, "fsync");
}

extern "C" int fdatasync(int fd)
{
    return watched_sync(fd, "fdatasync");
}

namespace disk_faults {

file_size_limit::file_size_limit(qint64 bytes)
{
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    m_soft = limit.rlim_cur;
    // Without this the process would be killed instead of the write failing.
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = rlim_t(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

file_size_limit::~file_size_limit()
{
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_soft);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_handler);
}

QList<sync_t> syncs()
{
    QMutexLocker lock(&g_lock);
    return g_syncs;
}

void clear_syncs()
{
    QMutexLocker lock(&g_lock);
    g_syncs.clear();
}

void kill_at_next_sync()
{
    g_kill = true;
}

} // namespace disk_faults
