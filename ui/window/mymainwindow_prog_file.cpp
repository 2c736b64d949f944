// Program panel: ".prog" files, the load's program block framed by its
// check byte, exported from and imported into the load.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "block_check.h"
#include "cfg_thread_t.h"
#include "file_dialog.h"
#include "file_save.h"
#include "prog_step_text.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace {
const QByteArray export_query = QByteArrayLiteral("PROG:EXPORT?");
const QByteArray import_header = QByteArrayLiteral("PROGram:IMPORT ");
// The load needs this long to take an imported program in.
const int import_settle_ms = 4000;
} // namespace

void MyMainWindow::on_pushButton_Export_Prog_clicked()
{
    if (!is_connected)
        return;
    const QString name =
        wattlex_save_file_name_of_kind(this, tr("save file"), QDir::currentPath(), tr("prog(*.prog)"));
    // A cancelled dialog asks the load for nothing; one export at a time.
    if (name.isEmpty() || !prog_export_path.isEmpty())
        return;
    prog_export_path = name;
    cfg_thread->add_request(64, {QString()}, {QString::fromLatin1(export_query)}, QList<QWidget*>(), false, 0, true,
                            export_query);
}

void MyMainWindow::deal_prog_storage_operating_button(QByteArray bytes)
{
    const QString path = prog_export_path;
    prog_export_path.clear();
    if (!path.isEmpty()) {
        // The file holds exactly the load's block; a block that is short or
        // fails its check byte is not written.
        const QByteArray block = bytes.left(prog_step_text::block_size);
        if (!block_check::valid(block, prog_step_text::block_size)) {
            show_warning(tr("The load's program could not be read correctly; no file was written."));
        } else {
            // Written in full or not at all: an old file of that name
            // survives a failed write.
            QString error;
            if (!file_save::write_whole(path, block, &error))
                show_warning(tr("The file could not be written: ") + QDir::toNativeSeparators(path) +
                             QStringLiteral("\n") + error);
        }
    }
    request_measure();
}

void MyMainWindow::on_pushButton_Import_Prog_clicked()
{
    if (!is_connected)
        return;
    const QString name = wattlex_open_file_name(this, tr("open file"), QDir::currentPath(), tr("prog(*.prog)"));
    if (name.isEmpty())
        return;
    const qint64 size_on_disk = QFileInfo(name).size();
    prog_file.setFileName(name);
    if (!prog_file.open(QIODevice::ReadOnly)) {
        qDebug() << "MyMainWindow::on_pushButton_Import_Prog_clicked:" << name << prog_file.errorString();
        show_warning(tr("The file could not be opened !"));
        return;
    }
    const QByteArray block = prog_file.read(prog_step_text::block_size);
    prog_file.close();
    if (size_on_disk != prog_step_text::block_size || !block_check::valid(block, prog_step_text::block_size)) {
        show_warning(msg_wrong_file);
        request_measure();
        return;
    }

    const QByteArray payload = import_header + block;
    cfg_thread->add_request(65, {QString::fromLatin1(payload.left(payload.indexOf('\0')))}, {QString()},
                            QList<QWidget*>(), false, 0, true, payload);
    // Closed by the program read-back's reply.
    show_wait_prompt(tr("Program"), tr("Please waiting for the program recalling"), wait_t::prog_recall);
}

void MyMainWindow::deal_prog_recall_operating_button(QByteArray)
{
    // The read-back follows once the load has taken the program in; the
    // window keeps painting meanwhile and nothing else is asked of the load.
    prog_recall_timer->start(import_settle_ms);
}

void MyMainWindow::read_back_prog()
{
    if (!is_connected)
        return;
    fill_cmd_list(14);
    cfg_thread->add_request(65, write_list, query_list, QList<QWidget*>(), false, 0, false, QByteArray());
}
