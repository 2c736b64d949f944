// Replies that follow the input switch, the trigger and a running program.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "mymainwindow_trend_state.h"

#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "custom_messagebox.h"
#include "reply_numbers.h"
#include "window_place.h"

#include <QBrush>
#include <QDebug>
#include <QIcon>
#include <QPointer>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include <limits>

namespace {

// Sub-codes of operation 32 (the input switch).
enum { input_plain = 0, battery_switch_on = 185, battery_switch_off = 186 };

// Replies of the program run state (operation 16).
enum prog_run_reply { r_step, r_stop, r_input, r_current, r_voltage, r_res, r_pow, r_remote, r_sof, prog_run_count };

// The pause after an input switch before the poll is asked again.
const int input_settle_ms = 20;

} // namespace

void MyMainWindow::deal_load_value(QList<QString> replies, int subcode)
{
    if (subcode == input_plain) {
        // Give the load a moment to settle before it is polled again.
        QTimer::singleShot(input_settle_ms, this, [this] {
            if (cfg_thread->isRunning() && !session_ending)
                request_measure();
        });
        return;
    }
    if (subcode != battery_switch_on && subcode != battery_switch_off)
        return;
    if (replies.isEmpty()) {
        qDebug() << "MyMainWindow::deal_load_value: no capacity reply; ignored";
        request_measure();
        return;
    }
    // "BATT:ADDCAP?": the capacity accumulated over earlier discharges (a
    // reply that is not a whole number counts as 0).
    const int capacity = replies[0].toInt();

    if (subcode == battery_switch_off) {
        ui->label_C_Add->setText(tr("Cap_Add:") + QString::number(capacity) + QStringLiteral("mAh"));
        battery_start_state = 2;
        request_measure();
        return;
    }

    // Own lists: the poll refills the shared ones while the question is open.
    QList<QString> writes{QStringLiteral("INP 1")};
    QList<QString> queries{QString()};
    // Its reply marks the start of the discharge (the dispatcher's 185).
    auto start_discharge = [&] {
        return cfg_thread->add_request(185, writes, queries, QList<QWidget*>(), false, 0, false, QByteArray());
    };
    if (capacity == 0) {
        start_discharge();
        return;
    }
    request_measure();
    // The answer is the user's, not a follow-up of this reply: while a
    // settings transfer holds the load it is refused and told, as a click is.
    cfg_thread_t::user_posts answer_is_the_users(cfg_thread);
    QPointer<custom_messagebox> box = new custom_messagebox(
        QMessageBox::Warning, tr("Battery"), tr("Do you want to clean up the accumulated capacity?"),
        QMessageBox::Yes | QMessageBox::No, nullptr);
    box->setWindowIcon(QIcon(QStringLiteral(":/resource/lion.jpg")));
    keep_in_front_of(box, this);
    const int answer = box->exec();
    delete box.data();
    // The load may have gone while the question was open; a transfer that
    // holds the command thread has ended it, and refuses the answer.
    if (session_ending || !(cfg_thread->isRunning() || cfg_thread->held()))
        return;
    const bool clean_up = answer == QMessageBox::Yes;
    writes << (clean_up ? QStringLiteral("BATT:ADDCAP:STAT 0") : QStringLiteral("BATT:ADDCAP:STAT 1"));
    queries << QString();
    // A refused answer leaves the capacity as the load holds it.
    if (start_discharge() && clean_up)
        ui->label_C_Add->setText(tr("Cap_Add:") + QStringLiteral("0mAh"));
}

void MyMainWindow::deal_trigger_button_value(QList<QString>, int run)
{
    // A trigger sent before the page changed (or before a later trigger)
    // starts nothing: the page's entry (or that trigger) has posted what
    // follows, and its reply comes after this one.
    if (run != run_number)
        return;
    const bool input_on = load_switch->getSelectedItem();
    const int page = ui->comboBox_Mode->currentIndex();
    int run_poll = 0;
    if (input_on && page == 4 && ui->spinBox_Step_Prog->value() != 0)
        run_poll = 16;
    else if (input_on && page == 3)
        run_poll = 15;
    if (run_poll == 0) {
        request_measure();
        return;
    }
    if (run_poll == 16)
        prog_input_off_sets = 0;
    fill_cmd_list(run_poll);
    cfg_thread->add_request(run_poll, write_list, query_list, QList<QWidget*>(), true, run, false, QByteArray());
}

bool MyMainWindow::run_page_shown(int kind) const
{
    // A run poll is started only on its own page, and leaving the page
    // replaces it; a set that was already on its way still arrives, and
    // belongs to a run the window no longer shows.
    return mode_page == kind;
}

bool MyMainWindow::run_is_shown(int run, int kind) const
{
    // The page alone does not tell: left and entered again, it shows a new
    // (stopped) run, and the old run's sets may still be on their way.
    return run == run_number && run_page_shown(kind);
}

void MyMainWindow::begin_new_run()
{
    // Counted without overflow: past the largest int it starts again at 1.
    run_number = run_number < std::numeric_limits<int>::max() ? run_number + 1 : 1;
}

void MyMainWindow::deal_prog_running_value(QList<QString> replies, int run)
{
    if (session_ending)
        return; // as the poll's set: the ended session stays blank
    if (!run_is_shown(run, 4))
        return;
    if (replies.size() < prog_run_count) {
        qDebug() << "MyMainWindow::deal_prog_running_value: short reply," << replies.size() << "of"
                 << prog_run_count << "replies; ignored";
        return;
    }
    // Replies already on their way while the stop-on-fail warning is up.
    if (sof_warning_open)
        return;
    // A garbled set is passed over whole (the run poll asks again): an input
    // of 0 read from it would end the run and ask for results, a remote
    // state of 0 would end the session.
    reply_numbers read;
    const int step = read.integer(replies[r_step]);
    const int stop = read.integer(replies[r_stop]);
    const int input = read.integer(replies[r_input]);
    const double current = read.number(replies[r_current]);
    const double voltage = read.number(replies[r_voltage]);
    const double resistance = read.number(replies[r_res]);
    const double power = read.number(replies[r_pow]);
    const int remote = read.integer(replies[r_remote]);
    const int sof = read.integer(replies[r_sof]);
    if (!read.ok()) {
        qDebug() << "MyMainWindow::deal_prog_running_value: a reply is not a number; set passed over";
        return;
    }

    show_readings(current, voltage, resistance, power, 1);
    follow_input_state(input);

    // A reply still on its way when the session began to end does not revive it.
    if (remote == 1 && !session_ending && cfg_thread->isRunning()) {
        is_connected = true;
    } else if (remote == 0 && is_connected) {
        load_left_remote();
    }

    display_data(current, voltage, resistance, power, trend ? trend->counter : 0, input);

    // The running step's number: red while paused, green while running.
    QTableWidget* table = ui->tableWidget_Prog;
    table->verticalScrollBar()->setValue(step - 1);
    mark_running_step(table, table->rowCount(), step - 1, stop == 1 ? QColor(halted_colour) : QColor(Qt::green));
    update_running_state(stop == 1 ? 1 : 0, step, 4);

    if (!is_connected)
        return;
    if (input == 1) {
        prog_input_off_sets = 0;
        return;
    }
    // The replies of a set are read one after another, so the first set
    // that reads the input off may have read the stop state from before
    // the halt. The end is judged once, on the next set, read wholly after
    // it; later sets still on their way change nothing.
    if (++prog_input_off_sets == 1) {
        // That set is asked on its own: a post made meanwhile (the user's)
        // ends the repeating poll, and the run's end would never be judged.
        fill_cmd_list(16);
        cfg_thread->add_request(16, write_list, query_list, QList<QWidget*>(), false, run, false, QByteArray());
        return;
    }
    if (prog_input_off_sets != 2)
        return;
    // The last reply is the stop-on-fail setting, not a failure: a run
    // stopped by a failed step is halted with its input off.
    if (sof == 1 && stop == 1) {
        // Back to the poll first: the run-state replies stop coming while
        // the warning is up.
        request_measure();
        sof_warning_open = true;
        show_warning(tr("SOF set to on\nTest failed, stop running"));
        sof_warning_open = false;
        return;
    }
    // The program has ended: ask every step's result.
    cfg_thread->add_request(66, {QString()}, {QStringLiteral("PROG:TEST:ALL?")}, QList<QWidget*>(), false, 0, false,
                            QByteArray());
}
