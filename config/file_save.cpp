#include "file_save.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

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

bool sync(QFileDevice* file, QString* error)
{
    if (!file->flush()) {
        if (error)
            *error = file->errorString();
        return false;
    }
#ifdef Q_OS_UNIX
    if (::fsync(file->handle()) != 0) {
        if (error)
            *error = qt_error_string(errno);
        return false;
    }
#endif
    return true;
}

} // namespace file_save
