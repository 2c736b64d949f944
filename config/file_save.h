// Saving files so that a failed or interrupted save never costs the user the
// file already on disk. Every file the program writes in one piece goes
// through write_whole (settings, list and program files, the XML
// configuration, converted wave files).
#ifndef FILE_SAVE_H
#define FILE_SAVE_H

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;
class QIODevice;
class QObject;

namespace file_save {

// Writes `bytes` to `path` whole or not at all: into a new file in the same
// folder that takes the old one's place only once it is complete and on
// disk. A write that fails (full disk, no permission) or a program killed
// part way leaves the old file as it was. False with the reason in *error.
bool write_whole(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// The same for content written in pieces by `write` into the device it is
// given; a false from `write` fails the save.
bool write_whole(const QString& path, const std::function<bool(QIODevice*)>& write, QString* error = nullptr);

// Hands what `file` buffers to the system now and puts the file's data on
// disk on a worker thread, so that a slow disk never stops the window;
// `file` may be closed at once. `done` runs later on `context`'s thread with
// an empty reason, or the reason the data may not be on disk; not at all
// once `context` is gone.
void sync_in_background(QFileDevice* file, QObject* context, std::function<void(const QString& reason)> done);

} // namespace file_save

#endif
