// List panel: ".list" files. The file is the load's own list block, moved
// between the load and the disk unchanged after its size and check byte
// have been tested.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "block_check.h"
#include "cfg_thread_t.h"
#include "file_dialog.h"
#include "file_save.h"

#include <QDebug>
#include <QDir>
#include <QTimer>

namespace {

const int list_block_size = 1232;
// Time the load takes to take in an imported list before it is read back.
const int list_import_settle_ms = 2500;

} // namespace

void MyMainWindow::on_pushButton_Export_List_clicked()
{
    if (!is_connected)
        return;
    // One export at a time: the block of the earlier one is still awaited.
    if (list_export_waiting)
        return;
    const QString name =
        wattlex_save_file_name_of_kind(this, tr("save file"), QDir::currentPath(), tr("list(*.list)"));
    if (name.isEmpty())
        return;
    ensure_list_table(); // also arms the reset on a lost link
    list_export_path = name;
    list_export_waiting = true;
    const QByteArray request("LIST:EXPORT?");
    cfg_thread->add_request(80, {QString()}, {QString::fromLatin1(request)}, QList<QWidget*>(), false, 0, true,
                            request);
}

void MyMainWindow::deal_list_storage_operating_button(QByteArray bytes)
{
    const bool waiting = list_export_waiting;
    const QString path = list_export_path;
    list_export_waiting = false;
    list_export_path.clear();
    request_measure();
    if (!waiting) {
        qDebug() << "MyMainWindow::deal_list_storage_operating_button: no export waits for this block";
        return;
    }
    // The list is the reply's first bytes: a load that ends its reply with a
    // terminator still sends a whole list. The check byte tests what is kept.
    const QByteArray block = bytes.left(list_block_size);
    if (!block_check::valid(block, list_block_size)) {
        qDebug() << "MyMainWindow::deal_list_storage_operating_button: block of" << bytes.size() << "bytes refused";
        show_warning(tr("The load sent no valid list; no file was written."));
        return;
    }
    // Written in full or not at all: an old file of that name survives a failed write.
    QString error;
    if (!file_save::write_whole(path, block, &error)) {
        qDebug() << "MyMainWindow::deal_list_storage_operating_button:" << path << error;
        show_warning(tr("The file could not be written !"));
    }
}

void MyMainWindow::on_pushButton_Inport_List_clicked()
{
    if (!is_connected)
        return;
    const QString name =
        wattlex_open_file_name(this, tr("open file"), QDir::currentPath(), tr("list(*.list)"));
    if (name.isEmpty())
        return;
    list_file.setFileName(name);
    if (!list_file.open(QIODevice::ReadOnly)) {
        qDebug() << "MyMainWindow::on_pushButton_Inport_List_clicked:" << name << list_file.errorString();
        show_warning(tr("The file could not be opened !"));
        return;
    }
    // The size first, so that a large file is not read at all.
    QByteArray block;
    if (list_file.size() == list_block_size)
        block = list_file.read(list_block_size);
    list_file.close();
    if (!block_check::valid(block, list_block_size)) {
        request_measure();
        show_warning(msg_wrong_file);
        return;
    }
    ensure_list_table(); // also arms the reset on a lost link
    const QByteArray header("LIST:IMPORT ");
    list_recall_waiting = true;
    cfg_thread->add_request(81, {QString::fromLatin1(header)}, {QString()}, QList<QWidget*>(), false, 0, true,
                            header + block);
    // Modal until the list has been read back (or the link is lost).
    show_wait_prompt(tr("List"), tr("Please waiting for the list recalling"), wait_t::list_recall);
}

void MyMainWindow::deal_list_recall_operating_button(QByteArray)
{
    if (!list_recall_waiting) {
        qDebug() << "MyMainWindow::deal_list_recall_operating_button: no import waits";
        return;
    }
    // The load takes its time to store the list; the window keeps painting.
    // Precise: a coarse timer may end the pause early.
    QTimer::singleShot(list_import_settle_ms, Qt::PreciseTimer, this, &MyMainWindow::recall_list_after_import);
}

void MyMainWindow::recall_list_after_import()
{
    if (!list_recall_waiting)
        return;
    list_recall_waiting = false;
    if (!is_connected || !cfg_thread->isRunning()) {
        close_wait_prompt(wait_t::list_recall);
        return;
    }
    fill_cmd_list(13);
    cfg_thread->add_request(81, write_list, query_list, QList<QWidget*>(), false, 0, false, QByteArray());
}

void MyMainWindow::reset_list_exchanges()
{
    list_pending_edits.clear();
    list_export_waiting = false;
    list_export_path.clear();
    list_recall_waiting = false;
}
