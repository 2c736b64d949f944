// Settings files: saving the load's settings to a ".wlx" file and loading
// one back into the store and the load.
#include "mymainwindow.h"

#include "Get_data_thread.h"
#include "Send_data_thread.h"
#include "cfg_thread_t.h"
#include "file_dialog.h"
#include "file_save.h"
#include "input_guard_t.h"
#include "uiPara.h"

#include <QDir>
#include <QFile>
#include <QStatusBar>

namespace {

// The settings operation: read back every setting and the load's function.
const int read_back_op = 31;

// A settings text is some kilobytes; a file far larger is not one.
const qint64 max_settings_file_bytes = 1 << 20;

const char settings_filter[] = "wlx(*.wlx)";

// How long the status line tells, after a transfer, that a click made
// during it was not carried out.
const int refused_told_ms = 15000;

} // namespace

void MyMainWindow::init_settings_files()
{
    connect(send_data_thread, SIGNAL(send_error()), this, SLOT(deal_send_error()));
    connect(send_data_thread, SIGNAL(send_progress(int,int)), this, SLOT(deal_send_progress(int,int)));
    connect(cfg_thread, SIGNAL(post_refused()), this, SLOT(deal_post_refused()));
    // From the press of Save or Load to the transfer's end, a click or a
    // key on the window is not taken.
    settings_input_guard = new input_guard_t(this, this);
    connect(settings_input_guard, &input_guard_t::refused, this, &MyMainWindow::deal_post_refused);
}

MyMainWindow::transfer_t MyMainWindow::transfer_stage() const
{
    if (get_data_thread->isRunning() || send_data_thread->isRunning())
        return transfer_t::running;
    if (settings_file.fileName().isEmpty())
        return transfer_t::none;
    return settings_wait_connection ? transfer_t::waiting : transfer_t::running;
}

void MyMainWindow::begin_settings_transfer(int what)
{
    settings_start_pending = what;
    settings_post_refused = false;
    settings_input_guard->set_on(true);
    // A connection being made reads the load back first: a save then holds
    // what the load holds, not what the store held before; a load is read
    // back after it as always.
    const stage_t stage = session_stage();
    if (stage == stage_t::identifying || stage == stage_t::reading_back) {
        settings_wait_connection = true;
        return;
    }
    hold_for_settings_transfer();
}

// The settings threads use the session themselves: they start once the
// command thread has ended (at once when it is not running). It first
// serves what was asked before, so that reaches the load ahead of the
// transfer; no click made from now on reaches it, neither during the
// transfer nor after it.
void MyMainWindow::hold_for_settings_transfer()
{
    settings_wait_connection = false;
    const bool running = cfg_thread->isRunning();
    cfg_thread->hold();
    if (!running)
        start_pending_settings_transfer();
}

void MyMainWindow::start_pending_settings_transfer()
{
    // The command thread of a connection's read-back may end meanwhile.
    if (settings_wait_connection)
        return;
    const int what = settings_start_pending;
    settings_start_pending = 0;
    if (what == 0)
        return;
    if (what == 1) {
        // The connected load's link kind picks the read rules.
        get_data_thread->set_resource(cfg_thread->get_resource());
        get_data_thread->start();
    } else {
        send_data_thread->stop_flag = 0;
        send_data_thread->start();
    }
}

void MyMainWindow::drop_waiting_settings_transfer()
{
    if (!settings_wait_connection)
        return;
    settings_wait_connection = false;
    settings_start_pending = 0;
    settings_file.setFileName(QString());
    settings_input_guard->set_on(false);
    close_wait_prompt(wait_t::settings);
    statusBar()->showMessage(tr("Not carried out: no load was connected."), refused_told_ms);
}

QString MyMainWindow::settings_refused_text() const
{
    return tr("Not carried out: the load was busy with the settings file.");
}

void MyMainWindow::deal_post_refused()
{
    // The window's own posts are kept for after the transfer: a refused
    // post, like input kept from the window, is the user's.
    settings_post_refused = true;
    statusBar()->showMessage(settings_refused_text());
}

void MyMainWindow::end_settings_transfer(resume_t how)
{
    settings_file.setFileName(QString());
    settings_input_guard->set_on(false);
    close_wait_prompt(wait_t::settings);
    if (how == resume_t::as_before)
        cfg_thread->resume();
    else
        cfg_thread->release();
    // Told again once the prompt has gone, for a while.
    if (settings_post_refused)
        statusBar()->showMessage(settings_refused_text(), refused_told_ms);
    settings_post_refused = false;

    if (!is_connected || cfg_thread->isRunning())
        return;
    if (how == resume_t::read_back) {
        fill_cmd_list(read_back_op);
        cfg_thread->add_request(read_back_op, write_list, query_list, QList<QWidget*>(), true, 1, false,
                                QByteArray());
    } else if (cfg_thread->pending_requests() == 0) {
        request_measure();
    }
    cfg_thread->start(QThread::InheritPriority);
}

void MyMainWindow::do_save_action()
{
    // One settings transfer at a time.
    if (transfer_stage() != transfer_t::none)
        return;
    const QString path = wattlex_save_file_name_of_kind(this, tr("save file"), QDir::currentPath(),
                                                        QString::fromLatin1(settings_filter));
    if (path.isEmpty())
        return;

    settings_file.setFileName(path);
    begin_settings_transfer(1);
    show_wait_prompt(tr("Save"), tr("Please waiting for the file saving"), wait_t::settings);
}

void MyMainWindow::deal_get_data_thread()
{
    const QString path = settings_file.fileName();
    if (path.isEmpty())
        return;

    // Written beside the file and renamed over it when complete: a failed
    // save leaves the old file as it was.
    QString error;
    const bool saved = file_save::write_whole(path, get_data_thread->settings_text().toUtf8(), &error);

    // Saving only read the load: what ran before goes on (a run, a test).
    end_settings_transfer(resume_t::as_before);
    if (!saved)
        show_warning(tr("The settings could not be saved to %1: %2").arg(QDir::toNativeSeparators(path), error));
}

void MyMainWindow::do_load_action()
{
    if (transfer_stage() != transfer_t::none)
        return;
    // A load being connected counts: the transfer waits for it.
    const stage_t stage = session_stage();
    if (stage == stage_t::none || stage == stage_t::ending) {
        show_warning(tr("No load is connected."));
        return;
    }
    const QString path = wattlex_open_file_name(this, tr("open file"), QDir::currentPath(),
                                                QString::fromLatin1(settings_filter));
    if (path.isEmpty())
        return;

    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        show_warning(tr("The file %1 could not be opened: %2").arg(QDir::toNativeSeparators(path), in.errorString()));
        return;
    }
    const QByteArray bytes = in.read(max_settings_file_bytes + 1);
    in.close();
    const QString text = QString::fromUtf8(bytes).trimmed();
    // Plainly not a settings text: refused before the traffic is touched.
    // The thread checks every field before it changes the store or writes.
    if (bytes.size() > max_settings_file_bytes
        || (text.count(QLatin1Char(',')) + 1 != uiPara::settings_field_count
            && text.count(QLatin1Char(',')) + 1 != uiPara::settings_field_count_without_function)) {
        show_warning(msg_wrong_file);
        return;
    }

    settings_file.setFileName(path);
    send_data_thread->set_settings_text(text);
    begin_settings_transfer(2);
    show_wait_prompt(tr("Load"), tr("Please waiting for the file setting"), wait_t::settings);
}

void MyMainWindow::deal_send_data_thread()
{
    if (settings_file.fileName().isEmpty())
        return;
    // The load now runs the loaded set-up: read its state back. An alarm
    // of the set-up before is not its state.
    clear_alarms(-1);
    end_settings_transfer(resume_t::read_back);
}

void MyMainWindow::deal_send_progress(int done, int total)
{
    // At the load's pace a load takes some 25 s: the prompt counts the commands.
    if (wait_prompt && wait_prompt_kind == wait_t::settings)
        wait_prompt->setInformativeText(tr("%1 of %2 commands sent").arg(done).arg(total));
}

void MyMainWindow::deal_send_error()
{
    if (settings_file.fileName().isEmpty())
        return;
    if (send_data_thread->last_failure() == Send_data_thread::bad_text) {
        // Nothing changed in the store or the load.
        end_settings_transfer(resume_t::as_before);
        show_warning(msg_wrong_file);
        return;
    }
    // The load stopped taking commands part way; what it holds now is read
    // back if it answers again.
    end_settings_transfer(resume_t::read_back);
    show_warning(tr("The load stopped answering while the settings were sent."));
}
