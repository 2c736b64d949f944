// libFuzzer target: the window's reply side, fed the way the command thread
// feeds it. Each input is one reply list (or byte block) for an operation
// code, with the window in a state the input picks: connected or not, on one
// of its pages, with a list or program export waiting. Replies come from
// the load, so any text must be taken without a crash, a hang or an
// out-of-range read. Boxes the handlers open are closed at once.
//
// Input: byte 0 operation code (mod 187), byte 1 sub-code, byte 2 state
// flags, byte 3 the page; the rest is the reply list, entries separated by
// 0x1F (or, with flag 0x80, one byte block for operations 64, 65, 80, 81).
#include "mymainwindow.h"

#include "app_paths.h"
#include "cfg_thread_t.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

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
        // A box a handler opens would wait for a user: close it at once.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    rig_t& r = rig();
    MyMainWindow* w = r.window;
    const int op = data[0] % 187;
    const int subcode = data[1];
    const uint8_t flags = data[2];
    const QByteArray body(reinterpret_cast<const char*>(data) + 4, int(size - 4));

    w->is_connected = flags & 0x01;
    w->list_export_waiting = flags & 0x02;
    w->list_export_path = w->list_export_waiting ? QDir(r.dir.path()).filePath("x.list") : QString();
    w->prog_export_path = (flags & 0x04) ? QDir(r.dir.path()).filePath("x.prog") : QString();
    w->list_recall_waiting = flags & 0x08;
    w->time_test_flag = flags & 0x10;
    static const int func_codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 13, 14, 20, 24, 25};
    w->func_code = func_codes[(flags >> 5) % (sizeof func_codes / sizeof func_codes[0])];
    w->mode_page = data[3] % 6;

    if (flags & 0x80) {
        static const int byte_ops[] = {64, 65, 80, 81};
        w->deal_cfg_thread_bytedata(byte_ops[data[0] % 4], body);
    } else {
        QList<QString> replies;
        if (!body.isEmpty()) {
            for (const QByteArray& part : body.split('\x1f'))
                replies << QString::fromLatin1(part);
        }
        // Program step edits carry their step's marker; the others nothing.
        QList<QWidget*> widgets;
        if (data[1] & 0x80)
            widgets = w->prog_step_widgets(data[1] % 50);
        w->deal_cfg_thread(op, replies, widgets, subcode);
    }
    QCoreApplication::processEvents();
    // What the handlers posted would pile up: no thread serves it here.
    w->cfg_thread->close_session();
    return 0;
}
