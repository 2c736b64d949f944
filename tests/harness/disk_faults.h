// Disk faults for tests of saving files, in the test's own process:
//  - file_size_limit: while it lives, a write past the size fails (EFBIG),
//    as on a full disk;
//  - syncs are watched: which files were synced with what size, and a
//    process can be made to kill itself at its next sync, in the middle of
//    a save.
// Linking this file replaces fsync and fdatasync for the whole test program
// with watching versions that go on to the system's.
#ifndef DISK_FAULTS_H
#define DISK_FAULTS_H

#include <QList>
#include <QString>

namespace disk_faults {

class file_size_limit
{
public:
    explicit file_size_limit(qint64 bytes);
    ~file_size_limit();
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;

private:
    unsigned long long m_soft;
    void (*m_handler)(int);
};

struct sync_t
{
    QString path; // the file's path when it was synced ("" for a file with no name)
    qint64 size;  // its size then
};

// The syncs since the last clear_syncs(), oldest first.
QList<sync_t> syncs();
void clear_syncs();

// The process kills itself (SIGKILL) at its next sync; for a child process
// made with fork().
void kill_at_next_sync();

} // namespace disk_faults

#endif
