// List and program files: the load's own list or program block, moved
// between the load and the disk unchanged once its size and check byte
// have been tested. Both pages share one road; a table holds what differs.
#include "mainwindow.h"

#include "block_check.h"
#include "cfg_thread_t.h"
#include "file_dialog.h"
#include "file_save.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

struct block_road
{
    int size;
    int export_op;
    int import_op;
    int readback_op;
    int settle_ms; // the load's time to take an import in before it is read back
    const char* export_query;
    const char* import_header;
    const char* filter;
    const char* wait_title;
    const char* wait_text;
};

const block_road roads[2] = {
    {1232, 80, 81, 13, 2500, "LIST:EXPORT?", "LIST:IMPORT ", "list(*.list)", "List Dialog",
     QT_TRANSLATE_NOOP("MainWindow", "Please waiting for the list recalling")},
    {1927, 64, 65, 14, 4000, "PROG:EXPORT?", "PROGram:IMPORT ", "prog(*.prog)", "Prog Dialog",
     QT_TRANSLATE_NOOP("MainWindow", "Please waiting for the Prog recalling")},
};

} // namespace

void MainWindow::deal_list_storage_button()
{
    export_block(block_list);
}

void MainWindow::deal_list_recall_button()
{
    import_block(block_list);
}

void MainWindow::deal_storage_button()
{
    export_block(block_program);
}

void MainWindow::deal_recall_button()
{
    import_block(block_program);
}

void MainWindow::write_list_file(const QByteArray& block)
{
    save_block(block_list, block);
}

void MainWindow::write_prog_file(const QByteArray& block)
{
    save_block(block_program, block);
}

void MainWindow::request_list_init(const QByteArray& answer)
{
    after_import(block_list, answer);
}

void MainWindow::request_prog_init(const QByteArray& answer)
{
    after_import(block_program, answer);
}

void MainWindow::export_block(int kind)
{
    if (!connected)
        return;
    const block_road& road = roads[kind];
    // One export at a time: the block of the earlier one is still awaited.
    if (!block_export_path[kind].isEmpty())
        return;
    const QString name = wattlex_save_file_name(this, tr("save file"), QDir::currentPath(),
                                                QString::fromLatin1(road.filter));
    // A cancelled dialog asks the load for nothing.
    if (name.isEmpty())
        return;
    block_export_path[kind] = name;
    const QByteArray query(road.export_query);
    cfg_thread->add_request(road.export_op, {QString()}, {QString::fromLatin1(query)}, QList<QWidget*>(), false, 0,
                            true, query);
}

void MainWindow::save_block(int kind, const QByteArray& bytes)
{
    const block_road& road = roads[kind];
    const QString path = block_export_path[kind];
    block_export_path[kind].clear();
    start_threads();
    if (path.isEmpty()) {
        qDebug() << "older window: no save waits for the block of" << road.export_op;
        return;
    }
    // The block is the reply's first bytes; the rest of the read buffer is
    // not the load's. Only a whole block with its check byte is written.
    const QByteArray block = bytes.left(road.size);
    if (!block_check::valid(block, road.size)) {
        qDebug() << "older window: export block of" << bytes.size() << "bytes refused";
        show_warning(tr("The load sent no valid block; no file was written."));
        return;
    }
    // Written in full or not at all: an old file of that name survives.
    QString error;
    if (!file_save::write_whole(path, block, &error)) {
        qDebug() << "older window:" << path << error;
        show_warning(tr("The file could not be written: ") + QDir::toNativeSeparators(path) + QStringLiteral("\n") +
                     error);
    }
}

void MainWindow::import_block(int kind)
{
    if (!connected)
        return;
    const block_road& road = roads[kind];
    const QString name = wattlex_open_file_name(this, tr("open file"), QDir::currentPath(),
                                                QString::fromLatin1(road.filter));
    if (name.isEmpty())
        return;
    // The size first, so that a large file (or a folder) is not read at all.
    QByteArray block;
    QFile file(name);
    if (QFileInfo(name).isFile() && file.size() == road.size && file.open(QIODevice::ReadOnly))
        block = file.read(road.size);
    file.close();
    if (!block_check::valid(block, road.size)) {
        start_threads();
        show_warning(tr("It's not the corrent file"));
        return;
    }
    const QByteArray header(road.import_header);
    block_import_waiting[kind] = true;
    cfg_thread->add_request(road.import_op, {QString::fromLatin1(header)}, {QString()}, QList<QWidget*>(), false, 0,
                            true, header + block);
    // Modal until the read-back after the import has arrived.
    show_wait_box(QString::fromLatin1(road.wait_title), tr(road.wait_text));
}

void MainWindow::after_import(int kind, const QByteArray&)
{
    const block_road& road = roads[kind];
    if (!block_import_waiting[kind]) {
        qDebug() << "older window: no import waits for the answer of" << road.import_op;
        return;
    }
    // The answer is no verdict (a load need not say "0" for a refusal): the
    // read-back shows what the load took. The wait box stays up while the
    // load takes the block in; the window keeps painting and nothing else
    // goes to the load in between.
    QTimer::singleShot(road.settle_ms, Qt::PreciseTimer, this, [this, kind] { read_back_after_import(kind); });
}

void MainWindow::read_back_after_import(int kind)
{
    if (!block_import_waiting[kind])
        return;
    block_import_waiting[kind] = false;
    if (!connected || !cfg_thread || !cfg_thread->isRunning()) {
        close_wait_box();
        return;
    }
    fill_cmd_list(roads[kind].readback_op);
    post(roads[kind].readback_op, false, 0);
}

// A block of an ended session is neither written nor followed up, and a
// save still waiting for one must not hold back the next session's saves.
void MainWindow::drop_block_exchanges()
{
    for (int kind = 0; kind < 2; ++kind) {
        block_export_path[kind].clear();
        block_import_waiting[kind] = false;
    }
}
