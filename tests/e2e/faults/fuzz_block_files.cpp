// libFuzzer target: the ".list" and ".prog" file checks. The input is a file
// a user picks for an import (and a block the load sends for an export);
// the window takes it only when its size and check byte are right, and never
// crashes or hangs on anything else. Boxes it opens are closed at once.
//
// Byte 0 picks the check: bit 0 list or program, bit 1 import or export,
// bit 2 repairs size and check byte (so that accepted blocks are reached).
#include "mymainwindow.h"

#include "app_paths.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const int list_block_size = 1232;
const int prog_block_size = 1927;

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

struct rig_t
{
    int argc = 1;
    char name[16] = "fuzz";
    char* argv[2] = {name, nullptr};
    QApplication* app = nullptr;
    MyMainWindow* window = nullptr;
    QTemporaryDir dir;
    QTimer closer;

    rig_t()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quiet);
        app = new QApplication(argc, argv);
        QStandardPaths::setTestModeEnabled(true);
        if (!app_paths::init())
            std::abort();
        window = new MyMainWindow;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [this] {
            if (window->wait_prompt)
                window->close_wait_prompt();
            else if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                d->done(0);
        });
        closer.start();
    }
};

rig_t& rig()
{
    static rig_t r;
    return r;
}

// Size and check byte as the load makes them: byte 0 is the NOT of the XOR
// of every byte after it.
QByteArray repaired(QByteArray block, int size)
{
    block = block.left(size);
    block.append(QByteArray(size - block.size(), '\0'));
    unsigned char x = 0;
    for (int i = 1; i < block.size(); ++i)
        x ^= static_cast<unsigned char>(block.at(i));
    block[0] = static_cast<char>(~x);
    return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    rig_t& r = rig();
    MyMainWindow* w = r.window;
    const bool list = data[0] & 1;
    const bool import = data[0] & 2;
    QByteArray block(reinterpret_cast<const char*>(data) + 1, int(size - 1));
    if (data[0] & 4)
        block = repaired(block, list ? list_block_size : prog_block_size);

    w->is_connected = true;
    const QString path = QDir(r.dir.path()).filePath(list ? "f.list" : "f.prog");
    if (import) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(block) != block.size())
            std::abort();
        f.close();
        file_dialog_stub files;
        files.answer(path);
        if (list)
            w->on_pushButton_Inport_List_clicked();
        else
            w->on_pushButton_Import_Prog_clicked();
    } else {
        QFile::remove(path);
        if (list) {
            w->list_export_waiting = true;
            w->list_export_path = path;
            w->deal_list_storage_operating_button(block);
        } else {
            w->prog_export_path = path;
            w->deal_prog_storage_operating_button(block);
        }
        // A block is written only when it is whole and checks out, and as it came.
        QFile f(path);
        if (f.exists()) {
            if (!f.open(QIODevice::ReadOnly) || f.readAll() != block.left(list ? list_block_size : prog_block_size))
                std::abort();
            if (block.size() < (list ? list_block_size : prog_block_size))
                std::abort();
        }
    }
    QCoreApplication::processEvents();
    w->cfg_thread->close_session();
    return 0;
}
