#include "file_save.h"

#include <QFileDevice>
#include <QTimer>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <memory>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The replacing rename lives in the folder: without this a power loss
// right after a save can bring the old file back.
void sync_folder(const QString& path)
{
#ifdef Q_OS_UNIX
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

} // namespace

namespace file_save {

bool write_whole(const QString& path, const QByteArray& bytes, QString* error)
{
    return write_whole(path, [&bytes](QIODevice* out) { return out->write(bytes) == bytes.size(); }, error);
}

bool write_whole(const QString& path, const std::function<bool(QIODevice*)>& write, QString* error)
{
    // QSaveFile writes beside the file (unnamed where the system allows, so
    // a killed program leaves nothing behind), syncs it and renames it over
    // the file on commit.
    QSaveFile out(path);
    QString reason;
    if (!out.open(QIODevice::WriteOnly)) {
        reason = out.errorString();
    } else if (!write(&out) || !out.flush()) {
        // Checked here: commit() renames a file whose buffered tail could
        // not be written (a full disk) as if it were complete.
        reason = out.errorString(); // before cancelWriting puts its own text there
        out.cancelWriting();
    } else if (!out.commit()) {
        reason = out.errorString();
    }
    if (!reason.isNull()) {
        if (error)
            *error = reason;
        return false;
    }
    sync_folder(path);
    return true;
}

void sync_in_background(QFileDevice* file, QObject* context, std::function<void(const QString& reason)> done)
{
    // A plain thread and a lock of ours: the thread sanitizer sees the
    // hand-over both ways, which it does not through Qt's thread pool.
    struct outcome_t
    {
        std::mutex lock;
        bool over = false;
        QString reason;
    };
    auto outcome = std::make_shared<outcome_t>();
    int fd = -1;
    if (!file->flush()) {
        outcome->reason = file->errorString();
    } else {
#ifdef Q_OS_UNIX
        // A handle of its own: the caller closes the file meanwhile.
        fd = ::dup(file->handle());
        if (fd < 0)
            outcome->reason = qt_error_string(errno);
#endif
    }
    std::thread([fd, outcome] {
        QString reason;
#ifdef Q_OS_UNIX
        if (fd >= 0) {
            if (::fsync(fd) != 0)
                reason = qt_error_string(errno);
            ::close(fd);
        }
#endif
        std::lock_guard<std::mutex> hold(outcome->lock);
        if (outcome->reason.isEmpty())
            outcome->reason = reason;
        outcome->over = true;
    }).detach();
    // Looked at from the caller's thread; gone with `context`.
    auto* look = new QTimer(context);
    QObject::connect(look, &QTimer::timeout, context, [look, outcome, done] {
        QString reason;
        {
            std::lock_guard<std::mutex> hold(outcome->lock);
            if (!outcome->over)
                return;
            reason = outcome->reason;
        }
        look->stop();
        look->deleteLater();
        done(reason);
    });
    look->start(20);
}

} // namespace file_save
