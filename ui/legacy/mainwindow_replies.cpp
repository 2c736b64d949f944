// Device operations of the front panel and the AUX bar: the input switch,
// short, trigger and help, the five function buttons with their waits,
// the battery end, the list run view and the settings transfer ends.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "FreezeTableWidget.h"
#include "Get_configure_value.h"
#include "Get_data_thread.h"
#include "Send_data_thread.h"
#include "cfg_thread_t.h"
#include "custom_label.h"
#include "custom_lineedit.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "page_links.h"
#include "ui_preview_plot_t.h"
#include "window_place.h"

#include <QDebug>
#include <QFile>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <cmath>

namespace {

const int k_list_columns = 5;
// What the connect thread is handed after a program trigger, and the pause
// before it starts.
const int k_trigger_task_code = 16;
const int k_trigger_settle_ms = 50;

} // namespace

// ---- front panel

void MainWindow::deal_help_button()
{
    if (!connected)
        return;
    cmd_writes = {QString(), QStringLiteral("INP 0")};
    cmd_queries = {QStringLiteral("*IDN?"), QString()};
    post(83, false, 0);
}

void MainWindow::deal_trigger_button()
{
    if (!connected)
        return;
    if (ui->load_button->text() == QLatin1String("OFF")) {
        show_warning(QStringLiteral("Please turn on the load!"));
        return;
    }
    // the source first: a trigger under another source would be lost
    cmd_writes = {QStringLiteral("TRIG:SOUR BUS"), QStringLiteral("*TRG")};
    cmd_queries = {QString(), QString()};
    post(82, false, 0);
}

void MainWindow::deal_short_button()
{
    if (!connected)
        return;
    static const char* const refused[] = {"OCP", "OPP", "BATTERY", "LIST", "PROGRAM", "EXTI", "EXTV"};
    const QString page = ui->current_function_label->text();
    for (const char* word : refused) {
        if (page == QLatin1String(word)) {
            show_warning(QStringLiteral("Short is invalid in present state!"));
            return;
        }
    }
    const bool off = ui->short_button->styleSheet().contains(QLatin1String("grey"));
    cmd_writes = {off ? QStringLiteral("SHOR 1") : QStringLiteral("SHOR 0")};
    cmd_queries = {QStringLiteral("SHOR?")};
    post(33, false, 0);
}

void MainWindow::deal_load_button()
{
    if (!connected)
        return;
    const QString b = ui->load_button->text();
    const QString f = ui->current_function_label->text();
    const bool on = b == QLatin1String("ON");
    const bool battery = f == QLatin1String("BATTERY");
    cmd_writes.clear();
    cmd_queries.clear();
    if (!battery) {
        cmd_writes << (on ? QStringLiteral("INP 0") : QStringLiteral("INP 1"));
        cmd_queries << QString();
        if (!on)
            load_switched_on = true;
    }
    int private_data = 0;
    if (f == QLatin1String("LIST")) {
        if (on)
            fill_list_table();
    } else if (f == QLatin1String("OCP")) {
        ocpt_state = on ? 2 : 1;
        sweep_switch_pending = !on;
    } else if (f == QLatin1String("OPP")) {
        oppt_state = on ? 2 : 1;
        sweep_switch_pending = !on;
    } else if (battery) {
        if (on) {
            cmd_writes << QStringLiteral("INP 0");
            cmd_queries << QString();
        }
        cmd_writes << QString();
        cmd_queries << QStringLiteral("BATT:ADDCAP?");
        private_data = on ? 186 : 185;
    }
    post(32, false, private_data);
}

// ---- function buttons

// A test page: its read-back under the wait box, which the reply closes.
void MainWindow::open_function_page(int operation, const QString& title, const QString& text)
{
    if (!connected)
        return;
    fill_cmd_list(operation);
    post(operation, false, 0);
    show_wait_box(title, text);
}

void MainWindow::deal_ocpt_button()
{
    open_function_page(6, QStringLiteral("Ocp Dialog"), QStringLiteral("Please waiting for the OCP initing"));
}

void MainWindow::deal_oppt_button()
{
    open_function_page(7, QStringLiteral("Opp Dialog"), QStringLiteral("Please waiting for the OPP initing"));
}

void MainWindow::deal_battery_button()
{
    open_function_page(8, tr("Battery Dialog"), tr("Please waiting for the Battery initing"));
}

void MainWindow::deal_list_button()
{
    import_in_progress = false;
    if (!connected)
        return;
    ocpt_state = oppt_state = 0;
    for (QFrame* f : {ocp_frame, opp_frame, battery_page, aux_button_frame, program_page})
        f->hide();
    list_page->show();
    close_wait_box();
    deal_list_off();
    fill_cmd_list(13);
    post(13, false, 0);
    ui->current_function_label->setText(QStringLiteral("LIST"));
    show_wait_box(QStringLiteral("List Dialog"), QStringLiteral("Please waiting for the List initing"));
}

void MainWindow::deal_program_button()
{
    import_in_progress = false;
    if (!connected)
        return;
    program_page->show();
    ocpt_state = oppt_state = 0;
    if (program_form && program_form_open) {
        program_form->hide();
        program_form_open = false;
    }
    fill_cmd_list(14);
    post(14, false, 0);
    ui->current_function_label->setText(QStringLiteral("PROGRAM"));
    deal_prog_off();
    show_wait_box(QStringLiteral("Program Dialog"), QStringLiteral("Please waiting for the Program initing"));
}

// ---- list page state

void MainWindow::deal_list_off()
{
    _disconnect_list();
    enable_list_controls(true);
    // The run view ends: no running step is marked. The preview of the steps
    // stays as it was drawn and scaled (every poll with the input off comes
    // here).
    list_marker_x.clear();
    list_marker_y.clear();
    for (int c = 1; c <= k_list_columns && c < list_step_table->columnCount(); ++c) {
        if (QTableWidgetItem* item = list_step_table->item(0, c))
            item->setData(Qt::ForegroundRole, QColor(Qt::white));
    }
    _init_list_connect();
    show_list_curves();
}

static QStringList split_load_list(const QString& text)
{
    QStringList parts = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (!parts.isEmpty())
        parts.removeLast();
    return parts;
}

void MainWindow::deal_list_value(QList<QString> values)
{
    if (values.size() < 3) {
        qDebug() << "older window: list values" << values.size() << "of 3";
        return;
    }
    list_levels = split_load_list(values.at(0));
    list_times = split_load_list(values.at(1));
    list_slews = split_load_list(values.at(2));
    if (!values.at(2).isNull()) {
        fill_list_table();
        list_loaded = true;
    }
}

void MainWindow::deal_list_change_value(QString text)
{
    close_wait_box();
    list_levels = split_load_list(text);
    update_list_curve();
}

void MainWindow::deal_program_value(QList<QString> values)
{
    if (values.size() < 15) {
        qDebug() << "older window: program values" << values.size() << "of 15";
        return;
    }
    // The step list each entry fills; entry 11 fills none, and the Range
    // list keeps what it holds.
    static const int entry_lists[15] = {
        prog_pause_list, prog_mode_list, prog_irange_list, prog_vrange_list, prog_short_list,
        prog_ton_list,   prog_toff_list, prog_tdelay_list, prog_min_list,    prog_max_list,
        prog_set_list,   -1,             prog_vo_list,     prog_io_list,     prog_rco_list,
    };
    for (int i = 0; i < 15; ++i) {
        if (entry_lists[i] >= 0)
            prog_columns[entry_lists[i]] = split_load_list(values.at(i));
    }
    // The table is built for the step count the load holds now, not the one
    // shown: the step count reply fills every step column of an empty table.
    program_result_table->setColumnCount(1);
    cmd_writes = {QString()};
    cmd_queries = {QStringLiteral("PROG:STEP?")};
    post(63, false, 0);
}

// The list run view: a window of five steps around the running one.
void MainWindow::deal_list_trigger_thread(int step, int state, int load)
{
    _disconnect_list();
    const int n = int(list_step_spin->value());
    const int s = qMin(step, n);
    const int first = s <= k_list_columns ? 1 : s - 4;
    const int end = s <= k_list_columns ? k_list_columns : s;
    const int last = qMin(end, n);
    list_marker_x.clear();
    list_marker_y.clear();
    auto level = [this](int i) { return step_value(list_levels, i - 1); };
    for (int i = first; i <= last; ++i) {
        while (list_curve_x.size() <= last) {
            list_curve_x << list_curve_x.size();
            list_curve_y << 0.0;
        }
        if (first == 1)
            list_curve_y[0] = level(1);
        list_curve_y[i] = level(i);
    }
    // The table shows the same five steps, each with its own values.
    show_list_window(first);
    double ymax = 0;
    for (int i = first; i <= last && i < list_curve_y.size(); ++i)
        ymax = qMax(ymax, list_curve_y.at(i));
    auto colour_steps = [this](int column, const QColor& colour) {
        for (int col = 1; col <= k_list_columns && col < list_step_table->columnCount(); ++col) {
            if (QTableWidgetItem* item = list_step_table->item(0, col))
                item->setData(Qt::ForegroundRole, QColor(Qt::white));
        }
        if (column >= 1 && column < list_step_table->columnCount()) {
            if (QTableWidgetItem* item = list_step_table->item(0, column))
                item->setData(Qt::ForegroundRole, colour);
        }
    };
    if (load != 1) {
        colour_steps(0, Qt::white);
        enable_list_controls(true);
        _init_list_connect();
        show_list_curves();
        start_threads();
        return;
    }
    list_marker_x << s << s - 1;
    list_marker_y << level(s) << level(s);
    const int column = s <= k_list_columns ? qMax(1, s) : k_list_columns;
    if (state == 1) {
        colour_steps(column, Qt::red);
        start_threads();
    } else if (state == 0) {
        colour_steps(column, Qt::green);
    }
    list_plot->setAxisScale(QwtPlot::yLeft, 0, std::ceil(ymax), int(ymax) / 5);
    list_plot->setAxisScale(QwtPlot::xBottom, first - 1, end, 1);
    show_list_curves();
    _init_list_connect();
}

void MainWindow::show_list_curves()
{
    list_curve->setSamples(list_curve_x, list_curve_y);
    list_marker_curve->setSamples(list_marker_x, list_marker_y);
    list_curve->attach(list_plot);
    list_marker_curve->attach(list_plot);
    list_plot->replot();
}

// ---- battery end

void MainWindow::deal_batt_value(int state, double current, double voltage, double capacity, double seconds)
{
    if (battery_test_running == 1 && ui->load_button->text() == QLatin1String("OFF") && state == 0) {
        // asked through the command thread, in order with the rest
        battery_end_capacity = capacity;
        battery_end_seconds = seconds;
        cmd_writes = {QString(), QString()};
        cmd_queries = {QStringLiteral("BATT:ADDCAP?"), QStringLiteral("FUNC:TEST:RESULT?")};
        post(battery_end_operation, false, 0);
        battery_test_running = 0;
    }
    if (state == 0) {
        display_current_label->set_value("A", 0.0, 4, false, QString());
        ui->load_button->setText(QStringLiteral("OFF"));
    } else if (state == 1) {
        display_current_label->set_value("A", current, 4, false, QString());
        ui->load_button->setText(QStringLiteral("ON"));
    }
    display_voltage_label->set_value("V", voltage, 4, false, QString());
    display_power_label->set_value(nullptr, seconds, 0, true, QString());
    display_resistance_label->set_value("mAh", capacity, 0, false, QString());
}

// The test's result stands for the voltage from here on; the added capacity
// only fills its box, the stop conditions are judged on what the readings
// brought. A discharge that V_Stop ended is at or below it, as the test end
// of the poll judges it too.
void MainWindow::deal_battery_end(const QList<QString>& r)
{
    const int added = page_links::leading_integer(r.value(0));
    const double result = r.value(1).trimmed().toDouble();
    batt_capacity_edit->set_text(QString::number(added) + QStringLiteral("mAh"));
    display_voltage_label->set_value("V", result, 4, false, QString());
    start_threads();
    const bool v_stop = result <= batt_stop_spins[0]->value() && batt_stop_radios[0]->checked_index() == 0;
    const bool c_stop =
        battery_end_capacity >= batt_stop_spins[1]->value() && batt_stop_radios[1]->checked_index() == 0;
    const bool t_stop =
        battery_end_seconds >= batt_stop_spins[2]->value() && batt_stop_radios[2]->checked_index() == 0;
    if (v_stop || c_stop || t_stop)
        show_warning(QStringLiteral("Battery test complete!"));
}

// ---- trigger reply of the side thread

void MainWindow::deal_trigger_reply(QList<QString> replies, QList<QWidget*>)
{
    if (ui->current_function_label->text() != QLatin1String("PROGRAM"))
        return;
    if (replies.size() < 3) {
        qDebug() << "older window: trigger reply" << replies.size() << "of 3";
        return;
    }
    if (replies.at(0) != QLatin1String("BUS\n")) {
        start_threads();
        show_warning(QStringLiteral("Please set trigger as bus model"));
        return;
    }
    const int n = replies.at(2).trimmed().toInt();
    if (n == 0) {
        program_results.clear();
        configure_thread->step = 1;
    } else if (replies.at(1) == QLatin1String("1\n")) {
        configure_thread->step = n + 1;
    }
    cmd_writes = {QStringLiteral("*TRG")};
    cmd_queries = {QString()};
    post(82, false, 0);
    enable_program_controls(false);
    // The connect thread only resets its flags for this code; it starts
    // once the load has had its moment after the trigger.
    configure_thread->request_code = k_trigger_task_code;
    QTimer::singleShot(k_trigger_settle_ms, this, [this] { configure_thread->start(QThread::InheritPriority); });
}

// The side thread's replies: the pages in its own order, then the trigger.
void MainWindow::deal_scpi_rw(int operation, QList<QString> replies, QList<QWidget*> widgets)
{
    using dispatcher_t = void (MainWindow::*)(int, const QList<QString>&, const QList<QWidget*>&);
    static const dispatcher_t order[] = {
        &MainWindow::deal_list_reply,    &MainWindow::deal_prog_reply,  &MainWindow::deal_static_reply,
        &MainWindow::deal_dynamic_reply, &MainWindow::deal_ocpt_reply,  &MainWindow::deal_oppt_reply,
        &MainWindow::deal_battery_reply, &MainWindow::deal_utility_reply,
    };
    for (dispatcher_t dispatch : order)
        (this->*dispatch)(operation, replies, widgets);
    if (operation == 82)
        deal_trigger_reply(replies, widgets);
}

// ---- settings transfer ends

// The command thread, stopped for a settings transfer, takes up its work
// again on the same session: the load's state read back where the transfer
// may have changed it, else only the poll.
void MainWindow::resume_command_thread(bool read_back)
{
    if (cfg_thread->isRunning())
        return;
    if (read_back) {
        fill_cmd_list(31);
        post(31, true, 1);
    } else {
        start_threads();
    }
    cfg_thread->start();
}

void MainWindow::deal_send_data_thread()
{
    if (!settings_file->isOpen())
        return;
    settings_file->close();
    if (file_wait_box)
        file_wait_box->close();
    resume_command_thread(true);
}

void MainWindow::deal_messagebox(int result)
{
    if (result != 0 && result != QMessageBox::Close)
        return;
    // a load that ended by itself closed its file before its box
    const bool load_stopped = send_data_thread->isRunning() && settings_file->isOpen();
    if (get_data_thread->isRunning()) {
        get_data_thread->stop_flag = 1;
        get_data_thread->wait();
    } else if (send_data_thread->isRunning()) {
        send_data_thread->stop_flag = 1;
        send_data_thread->wait();
    } else {
        return;
    }
    resume_command_thread(true);
    if (!load_stopped)
        return;
    // the file is done with, so that a later save can write its own
    settings_file->close();
    show_warning(tr("The settings load was stopped; the load may hold only part of the file's settings."));
}

// A text that is no settings text changed nothing; a load that stopped
// answering part way may hold part of it, which the read-back shows (or the
// status tick finds the link gone).
void MainWindow::deal_send_error()
{
    if (!settings_file->isOpen())
        return;
    settings_file->close();
    const bool refused = send_data_thread->last_failure() == Send_data_thread::bad_text;
    resume_command_thread(!refused);
    if (file_wait_box) {
        file_wait_box->close();
        file_wait_box->deleteLater();
        file_wait_box = nullptr;
    }
    if (!refused) {
        show_warning(tr("The load stopped answering while the settings were sent."));
        return;
    }
    file_wait_box = new QMessageBox;
    file_wait_box->setWindowIcon(QIcon(QStringLiteral(":/resource/lion.jpg")));
    file_wait_box->setText(QStringLiteral("It's not the correct file!"));
    file_wait_box->setStandardButtons(QMessageBox::Close);
    keep_in_front_of(file_wait_box, this);
    file_wait_box->exec();
}
