// The window's own reply handlers: what the load says about its mode, its
// pages' settings, its readings and its runs goes straight into the widgets.
// Each read-back ends its wait and puts the measurement poll back.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "BaseWindow.h"
#include "FreezeTableWidget.h"
#include "MyTitleBar.h"
#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_label.h"
#include "custom_lineedit.h"
#include "custom_messagebox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "page_links.h"
#include "reply_numbers.h"
#include "ui_preview_plot_t.h"
#include "window_place.h"

#include <QDebug>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>

namespace {

const int k_func_list = 13;
const int k_func_program = 14;
const int k_func_battery = 8;

// "5\n" is the low current range; `strict` takes any other text for the
// high one, otherwise only "30\n" is.
int range_index(const QString& reply, const char* low, const char* high, bool strict)
{
    if (reply == QLatin1String(low))
        return 0;
    if (strict || reply == QLatin1String(high))
        return 1;
    return -1;
}

int integer_range_index(const QString& reply, int low)
{
    return reply.trimmed().toInt() == low ? 0 : 1;
}

int on_off_index(const QString& reply)
{
    return reply.trimmed().toInt() == 1 ? 0 : 1;
}

QStringList split_steps(const QString& reply)
{
    QStringList parts = reply.split(QLatin1Char(','), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (!parts.isEmpty())
        parts.removeLast();
    return parts;
}

// Mode words of the load and the page they select.
struct mode_page_t
{
    const char* mode;
    const char* function; // null: any
    int code;
    const char* label;
    int static_tab;        // -1: an AUX page
    int aux_button;        // 0 OCPT .. 4 Program; -1 none
};
const mode_page_t k_mode_pages[] = {
    {"BASIC\n", "CURRENT\n", 0, "CC", 0, -1},       {"BASIC\n", "RESISTANCE\n", 2, "CR", 2, -1},
    {"BASIC\n", "VOLTAGE\n", 1, "CV", 1, -1},       {"BASIC\n", "POWER\n", 3, "CP", 3, -1},
    {"BASIC\n", "LED\n", 4, "LED", 4, -1},          {"TRAN\n", nullptr, 5, "DYNAMIC", -1, -1},
    {"OCP\n", nullptr, 6, "OCP", -1, 0},            {"OPP\n", nullptr, 7, "OPP", -1, 1},
    {"BATTERY\n", nullptr, 8, "BATTERY", -1, 2},    {"PROGRAM\n", nullptr, 20, "PROGRAM", -1, 4},
    {"LIST\n", nullptr, 13, "LIST", -1, 3},
};

} // namespace

// ---- shared steps

// Current limit boxes follow the current range, voltage ones the voltage range.
static void apply_limits(MainWindow* w, int i_index, int v_index)
{
    if (i_index == 0 || i_index == 1) {
        w->limit_max_spin[0]->set_maximum(i_index == 0 ? 5 : 30);
        w->limit_min_spin[0]->set_maximum(i_index == 0 ? 5 : 30);
    }
    if (v_index == 0 || v_index == 1) {
        w->limit_max_spin[1]->set_maximum(v_index == 0 ? 36 : 150);
        w->limit_min_spin[1]->set_maximum(v_index == 0 ? 36 : 150);
    }
}

static void apply_ranges(MainWindow* w, custom_radiobutton* i_radio, custom_radiobutton* v_radio, int i_index,
                         int v_index)
{
    if (i_index >= 0)
        i_radio->set_checked(i_index);
    if (v_index >= 0)
        v_radio->set_checked(v_index);
    apply_limits(w, i_index, v_index);
}

static void show_extra_labels(MainWindow* w, bool shown)
{
    w->display_aux_label_1->setVisible(shown);
    w->display_aux_label_2->setVisible(shown);
}

// ---- static pages

static void static_readback(MainWindow* w, const QList<QString>& r, int code, const char* label,
                            custom_radiobutton* i_radio, custom_radiobutton* v_radio,
                            std::initializer_list<custom_spinbox*> values)
{
    w->close_wait_box();
    w->ui->current_function_label->setText(QString::fromLatin1(label));
    apply_ranges(w, i_radio, v_radio, range_index(r.at(0), "5\n", "30\n", true),
                 range_index(r.at(1), "36\n", "150\n", true));
    int i = 2;
    for (custom_spinbox* box : values)
        box->set_value(r.at(i++).toDouble());
    w->func_code = code;
    if (w->tmon_on)
        show_extra_labels(w, true);
    w->start_threads();
}

void MainWindow::deal_cc_readback(const QList<QString>& r)
{
    _disconnect_cc();
    static_readback(this, r, 0, "CC", cc_i_range_radio, cc_v_range_radio,
                    {cc_current_spin, cc_slew_rise_spin, cc_slew_fall_spin});
    _init_cc_connect();
}

void MainWindow::deal_cv_readback(const QList<QString>& r)
{
    _disconnect_cv();
    static_readback(this, r, 1, "CV", cv_i_range_radio, cv_v_range_radio, {cv_voltage_spin});
    _init_cv_connect();
}

void MainWindow::deal_cr_readback(const QList<QString>& r)
{
    _disconnect_cr();
    static_readback(this, r, 2, "CR", cr_i_range_radio, cr_v_range_radio, {cr_resistance_spin});
    _init_cr_connect();
}

void MainWindow::deal_cp_readback(const QList<QString>& r)
{
    _disconnect_cp();
    static_readback(this, r, 3, "CP", cp_i_range_radio, cp_v_range_radio, {cp_power_spin});
    _init_cp_connect();
}

void MainWindow::deal_led_readback(const QList<QString>& r)
{
    _disconnect_led();
    close_wait_box();
    ui->current_function_label->setText(QStringLiteral("LED"));
    apply_ranges(this, led_i_range_radio, led_v_range_radio, range_index(r.at(0), "5\n", "30\n", false),
                 range_index(r.at(1), "36\n", "150\n", false));
    led_io_spin->set_value(r.at(2).toDouble());
    led_vo_spin->set_value(r.at(3).toDouble());
    led_rco_spin->set_value(r.at(4).toDouble());
    func_code = 4;
    show_extra_labels(this, false);
    start_threads();
    _init_led_connect();
}

// ---- dynamic page

void MainWindow::deal_static_func_readback(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    static const char* const functions[] = {"CURRENT\n", "VOLTAGE\n", "RESISTANCE\n", "POWER\n", "LED\n"};
    for (int tab = 0; tab < 5; ++tab) {
        if (r.at(0) != QLatin1String(functions[tab]))
            continue;
        ui->static_pattern->setCurrentIndex(tab);
        fill_cmd_list(tab);
        cfg_thread->add_request(tab, cmd_writes, cmd_queries, widgets, false, 0, false, QByteArray());
        return;
    }
    // another function: the wait, if any, ends here
    qDebug() << "older window: unknown static function" << r.at(0);
    close_wait_box();
    start_threads();
}

void MainWindow::deal_dyn_func_readback(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    static const char* const prefixes[][2] = {
        {"CURRENT\n", "CURR"}, {"VOLTAGE\n", "VOLT"}, {"POWER\n", "POW"}, {"RESISTANCE\n", "RES"}};
    for (const auto& p : prefixes) {
        if (r.at(0) == QLatin1String(p[0]))
            dyn_prefix = QString::fromLatin1(p[1]);
    }
    cmd_writes.clear();
    cmd_queries.clear();
    cmd_writes << QStringLiteral("FUNC:TRAN ") + r.at(0);
    cmd_queries << QString();
    for (const char* q : {":TRAN:MODE?", ":TRAN:IRANG?", ":TRAN:VRANG?", ":TRAN:ALEV?", ":TRAN:BLEV?", ":TRAN:AWID?",
                          ":TRAN:BWID?"}) {
        cmd_writes << QString();
        cmd_queries << dyn_prefix + QLatin1String(q);
    }
    if (r.at(0) == QLatin1String("CURRENT\n")) {
        for (const char* q : {":TRAN:SLEW:POS?", ":TRAN:SLEW:NEG?"}) {
            cmd_writes << QString();
            cmd_queries << dyn_prefix + QLatin1String(q);
        }
    }
    cfg_thread->add_request(5, cmd_writes, cmd_queries, widgets, false, 0, false, QByteArray());
}

void MainWindow::deal_dyn_readback(const QList<QString>& r)
{
    _disconnect_dynamic();
    close_wait_box();
    ui->current_function_label->setText(QStringLiteral("DYNAMIC"));
    static const char* const prefixes[] = {"CURR", "VOLT", "RES", "POW"};
    static const char* const units[] = {"A", "V", "ohm", "W"};
    int function = 0;
    for (int i = 0; i < 4; ++i) {
        if (dyn_prefix == QLatin1String(prefixes[i])) {
            function = i;
            dynamic_function_combo->set_current_index(i);
            dynamic_a_level_spin->set_unit_text(units[i]);
            dynamic_b_level_spin->set_unit_text(units[i]);
        }
    }
    static const char* const modes[] = {"CONTINUOUS\n", "PULSE\n", "TOGGLE\n"};
    // Plain functions, not member pointers: GCC's bounds sanitizer misreads a
    // call through an indexed table of member pointers.
    using layout_t = void (*)(MainWindow*);
    static const layout_t layouts[4][3] = {
        {[](MainWindow* w) { w->cc_cont_func(); }, [](MainWindow* w) { w->cc_puls_func(); },
         [](MainWindow* w) { w->cc_togl_func(); }},
        {[](MainWindow* w) { w->cv_cont_func(); }, [](MainWindow* w) { w->cv_puls_func(); },
         [](MainWindow* w) { w->cv_togl_func(); }},
        {[](MainWindow* w) { w->cr_cont_func(); }, [](MainWindow* w) { w->cr_puls_func(); },
         [](MainWindow* w) { w->cr_togl_func(); }},
        {[](MainWindow* w) { w->cp_cont_func(); }, [](MainWindow* w) { w->cp_puls_func(); },
         [](MainWindow* w) { w->cp_togl_func(); }},
    };
    for (int m = 0; m < 3; ++m) {
        if (r.at(0) == QLatin1String(modes[m])) {
            dynamic_mode_combo->set_current_index(m);
            layouts[function][m](this);
        }
    }
    const int i_index = range_index(r.at(1), "5\n", "30\n", false);
    const int v_index = range_index(r.at(2), "36\n", "150\n", false);
    apply_ranges(this, dynamic_range_radio, dynamic_v_range_radio, i_index, v_index);
    if (i_index >= 0)
        dyn_i_range_index = i_index;
    if (v_index >= 0)
        dyn_v_range_index = v_index;
    if (dyn_prefix == QLatin1String("CURR") && r.size() >= 9) {
        slew_1 = r.at(7).toDouble();
        slew_2 = r.at(8).toDouble();
        dynamic_slew_rise_spin->set_value(slew_1);
        dynamic_slew_fall_spin->set_value(slew_2);
    }
    level_a = r.at(3).toDouble();
    level_b = r.at(4).toDouble();
    width_a = r.at(5).toDouble();
    width_b = r.at(6).toDouble();
    dynamic_a_level_spin->set_value(level_a);
    dynamic_b_level_spin->set_value(level_b);
    dynamic_a_width_spin->set_value(width_a);
    dynamic_b_width_spin->set_value(width_b);
    dynamic_width_spin->set_value(width_b);
    dynamic_function = function;
    dyn_prefix = r.at(0);
    dynamic_mode_text = r.at(0);
    func_code = 5;
    show_extra_labels(this, false);
    set_position();
    start_threads();
    _init_dynamic_connect();
}

// ---- test pages

static void show_aux_page(MainWindow* w, QFrame* page)
{
    for (QFrame* p : {w->ocp_frame, w->opp_frame, w->battery_page, w->list_page, w->program_page})
        p->setVisible(p == page);
    w->aux_button_frame->hide();
}

static void sweep_readback(MainWindow* w, const QList<QString>& r, QFrame* page, const char* label,
                           custom_radiobutton* i_radio, custom_radiobutton* v_radio,
                           std::initializer_list<custom_spinbox*> values)
{
    w->close_wait_box();
    show_aux_page(w, page);
    w->ui->current_function_label->setText(QString::fromLatin1(label));
    apply_ranges(w, i_radio, v_radio, integer_range_index(r.at(0), 5), integer_range_index(r.at(1), 36));
    int i = 2;
    for (custom_spinbox* box : values)
        box->set_value(r.at(i++).toDouble());
}

// OCP and OPP share their page's shape; reading one drops the other's run.
static void sweep_page_readback(MainWindow* w, const QList<QString>& r, bool ocp)
{
    if (ocp) {
        w->_disconnect_ocpt();
        sweep_readback(w, r, w->ocp_frame, "OCP", w->ocp_i_range_radio, w->ocp_v_range_radio,
                       {w->ocp_v_spin, w->ocp_i_step_spin, w->ocp_i_start_spin, w->ocp_i_end_spin, w->ocp_i_min_spin,
                        w->ocp_i_max_spin, w->ocp_delay_spin});
        w->oppt_state = 0;
        w->_init_ocpt_pattern();
    } else {
        w->_disconnect_oppt();
        sweep_readback(w, r, w->opp_frame, "OPP", w->opp_i_range_radio, w->opp_v_range_radio,
                       {w->opp_v_spin, w->opp_p_step_spin, w->opp_p_start_spin, w->opp_p_end_spin, w->opp_p_min_spin,
                        w->opp_p_max_spin, w->opp_delay_spin});
        w->ocpt_state = 0;
        w->_init_oppt_pattern();
    }
    w->func_code = ocp ? 6 : 7;
    show_extra_labels(w, false);
    w->start_threads();
}

void MainWindow::deal_ocp_readback(const QList<QString>& r)
{
    sweep_page_readback(this, r, true);
}

void MainWindow::deal_opp_readback(const QList<QString>& r)
{
    sweep_page_readback(this, r, false);
}

void MainWindow::deal_battery_readback(const QList<QString>& r)
{
    _disconnect_battery();
    close_wait_box();
    show_aux_page(this, battery_page);
    ui->current_function_label->setText(QStringLiteral("BATTERY"));
    ocpt_state = oppt_state = battery_test_running = 0;
    static const char* const functions[][3] = {
        {"CURRENT\n", "Current", "A"}, {"RESISTANCE\n", "Resis", "Ω"}, {"POWER\n", "Power", "W"}};
    for (int i = 0; i < 3; ++i) {
        if (r.at(0) == QLatin1String(functions[i][0])) {
            batt_function_combo->set_current_index(i);
            batt_level_spin->set_label_text(QString::fromLatin1(functions[i][1]));
            batt_level_spin->set_unit_text(functions[i][2]);
        }
    }
    apply_ranges(this, batt_i_range_radio, batt_v_range_radio, integer_range_index(r.at(1), 5),
                 integer_range_index(r.at(2), 36));
    batt_level_spin->set_value(r.at(4).toDouble());
    for (int s = 0; s < 3; ++s) {
        const bool on = r.at(5 + s).toDouble() != 0.0;
        batt_stop_radios[s]->set_checked(on ? 0 : 1);
        batt_stop_spins[s]->set_enable(on);
        batt_stop_spins[s]->set_value(r.at(8 + s).toDouble());
    }
    batt_capacity_edit->set_text(QString::number(int(r.at(11).toDouble())) + QStringLiteral("mAh"));
    _init_battery_connect();
    func_code = k_func_battery;
    show_extra_labels(this, false);
    start_threads();
}

// ---- utility pages

void MainWindow::deal_configure_readback(const QList<QString>& r)
{
    _disconnect_configure();
    custom_radiobutton* switches[] = {vrmt_radio, sof_radio, vol_radio};
    for (int i = 0; i < 3; ++i)
        switches[i]->set_checked(on_off_index(r.at(i)));
    ext_current_range_radio->set_checked(integer_range_index(r.at(3), 5));
    ext_voltage_range_radio->set_checked(integer_range_index(r.at(4), 36));
    aver_combo->set_current_index(r.at(5).trimmed().toInt() - 6);
    static const char* const sources[] = {"MANUAL\n", "EXTERNAL\n", "BUS\n"};
    for (int i = 0; i < 3; ++i) {
        if (r.at(7) == QLatin1String(sources[i]))
            trigger_combo->set_current_index(i);
    }
    static const char* const types[] = {"INT\n", "EXTI\n", "EXTV\n"};
    for (int i = 0; i < 3; ++i) {
        if (r.at(8) == QLatin1String(types[i]))
            type_combo->set_current_index(i);
    }
    extswitch_radio->set_checked(on_off_index(r.at(9)));
    imon_radio->set_checked(on_off_index(r.at(10)));
    vmon_radio->set_checked(on_off_index(r.at(11)));
    von_spin->set_value(r.at(6).toDouble());
    start_threads();
    close_wait_box();
    _init_configure_connect();
}

void MainWindow::deal_sltm_readback(const QList<QString>& r)
{
    _disconnect_sltm();
    tmon_radio->set_checked(on_off_index(r.at(0)));
    v_low_spin->set_value(r.at(1).toDouble());
    v_high_spin->set_value(r.at(2).toDouble());
    start_threads();
    close_wait_box();
    _init_sltm_connect();
}

void MainWindow::deal_limit_readback(const QList<QString>& r)
{
    _disconnect_limit();
    i_protect_switch_radio->set_checked(on_off_index(r.at(0)));
    p_protect_switch_radio->set_checked(on_off_index(r.at(3)));
    i_protect_spin->set_value(r.at(1).toDouble());
    p_protect_spin->set_value(r.at(4).toDouble());
    i_protect_delay_spin->set_value(r.at(2).toDouble());
    p_protect_delay_spin->set_value(r.at(5).toDouble());
    start_threads();
    close_wait_box();
    _init_limit_connect();
}

// ---- list and program

void MainWindow::deal_list_readback(const QList<QString>& r)
{
    close_wait_box();
    reply_numbers n;
    const int count = n.integer(r.at(3));
    const int steps = n.integer(r.at(4));
    const QStringList levels = split_steps(r.at(5));
    const QStringList times = split_steps(r.at(6));
    const QStringList slews = split_steps(r.at(7));
    if (!n.ok() || steps < 0) {
        qDebug() << "older window: unreadable list read-back" << r.at(3) << r.at(4);
        start_threads();
        return;
    }
    _disconnect_list();
    reset_double_vector(list_curve_x);
    reset_double_vector(list_curve_y);
    static const char* const functions[][2] = {
        {"CURRENT\n", "A"}, {"VOLTAGE\n", "V"}, {"RESISTANCE\n", "Ω"}, {"POWER\n", "W"}};
    for (int i = 0; i < 4; ++i) {
        if (r.at(0) != QLatin1String(functions[i][0]))
            continue;
        list_function_combo->set_current_index(i);
        list_step_table->setRowHidden(3, i != 0);
        list_plot->set_y_unit(QString::fromUtf8(functions[i][1]));
    }
    const int i_index = r.at(1) == QLatin1String("5\n") ? 0 : 1;
    const int v_index = r.at(2) == QLatin1String("36\n") ? 0 : 1;
    list_irange_combo->set_current_index(i_index);
    list_vrange_combo->set_current_index(v_index);
    apply_limits(this, i_index, v_index);
    list_step_spin->set_value(steps);
    list_count_spin->set_value(count);
    // Lists shorter than the step count fill the steps they hold; the
    // table reads the rest as 0.
    list_levels = levels;
    list_times = times;
    list_slews = slews;
    fill_list_table();
    func_code = k_func_list;
    show_extra_labels(this, false);
    start_threads();
}

void MainWindow::deal_prog_readback(const QList<QString>& r)
{
    close_wait_box();
    reply_numbers n;
    const int steps = n.integer(r.at(13));
    if (!n.ok() || steps < 0) {
        qDebug() << "older window: unreadable program step count" << r.at(13);
        start_threads();
        return;
    }
    // The step list of each read-back list, in the order they are asked;
    // lists shorter than the step count fill the steps they hold. The set
    // value doubles as Vo.
    static const int readback_lists[13] = {
        prog_pause_list, prog_mode_list, prog_irange_list, prog_vrange_list, prog_short_list,
        prog_ton_list,   prog_toff_list, prog_tdelay_list, prog_min_list,    prog_max_list,
        prog_set_list,   prog_io_list,   prog_rco_list,
    };
    for (int i = 0; i < 13; ++i)
        prog_columns[readback_lists[i]] = split_steps(r.at(i));
    prog_columns[prog_vo_list] = prog_columns[prog_set_list];
    disconnect(program_steps_spin, nullptr, this, nullptr);
    program_progress->setRange(0, steps);
    program_steps_spin->set_value(steps);
    init_program_page();
    connect(program_steps_spin, SIGNAL(change_spin_spinbox()), this, SLOT(deal_spinbox()));
    func_code = k_func_program;
    show_extra_labels(this, false);
    start_threads();
}

void MainWindow::deal_list_change_readback(const QList<QString>& r)
{
    deal_list_change_value(r.at(0));
}

// ---- run states

// The eight replies both run-state polls open with.
struct run_state_t
{
    int step = 0, stopped = 0, input = 0;
    double values[4] = {0, 0, 0, 0}; // current, voltage, resistance, power
    int remote = 0;
};

static bool read_run_state(const QList<QString>& r, run_state_t* s)
{
    reply_numbers n;
    s->step = n.integer(r.at(0));
    s->stopped = n.integer(r.at(1));
    s->input = n.integer(r.at(2));
    for (int i = 0; i < 4; ++i)
        s->values[i] = n.number(r.at(3 + i));
    s->remote = n.integer(r.at(7));
    if (!n.ok())
        qDebug() << "older window: unreadable run state" << r;
    return n.ok();
}

static void show_run_readings(MainWindow* w, const run_state_t& s)
{
    w->display_current_label->set_value("A", s.values[0], 4, false, QString());
    w->display_voltage_label->set_value("V", s.values[1], 4, false, QString());
    w->display_resistance_label->set_value("Ω", s.values[2], 3, false, QString());
    w->display_power_label->set_value("W", s.values[3], 2, false, QString());
}

void MainWindow::deal_list_run_state(const QList<QString>& r)
{
    run_state_t s;
    if (!read_run_state(r, &s))
        return;
    deal_list_trigger_thread(s.step, s.stopped, s.input);
    show_run_readings(this, s);
    take_measurement(s.values[0], s.values[1], s.values[2], s.values[3], sample_counter, s.input);
    if (s.remote == 1)
        connected = true;
    else if (s.remote == 0)
        lose_load(tr("The load has left remote control."));
}

void MainWindow::deal_prog_run_state(const QList<QString>& r)
{
    run_state_t s;
    const int stop_on_fail = r.at(8).trimmed().toInt();
    if (!read_run_state(r, &s))
        return;
    const int step = s.step, stopped = s.stopped, input = s.input, remote = s.remote;
    const double* values = s.values;
    show_run_readings(this, s);
    if (remote == 0) {
        lose_load(tr("The load has left remote control."));
        return;
    }
    if (remote == 1)
        connected = true;
    take_measurement(values[0], values[1], values[2], values[3], sample_counter, input);
    deal_prog_off(); // every step number white again
    program_progress->setValue(step);
    program_result_table->horizontalScrollBar()->setValue(step - 1);
    QTableWidget* numbers = program_freeze->row_overlay;
    QTableWidgetItem* current = numbers && step >= 1 ? numbers->item(1, step) : nullptr;
    if (current)
        current->setData(Qt::ForegroundRole, QColor(stopped == 1 ? Qt::red : Qt::green));
    // Stop on fail is a setting: only a stopped step under it is a failure.
    if (stop_on_fail == 1 && stopped == 1) {
        start_threads();
        show_warning(QStringLiteral("SOF set to on\nTest failed, stop running"));
        return;
    }
    if (input == 0) {
        if (current)
            current->setData(Qt::ForegroundRole, QColor(Qt::white));
        set_prog_page_enabled(true);
        cmd_writes = {QString()};
        cmd_queries = {QStringLiteral("PROG:TEST:ALL?")};
        post(66, false, 0);
    }
}

void MainWindow::deal_test_result_readback(const QList<QString>& r, int sub)
{
    start_threads();
    const double value = r.at(0).toDouble();
    if (sub == 6)
        show_test_verdict(value, ocp_i_min_spin->value(), ocp_i_max_spin->value());
    else if (sub == 7)
        show_test_verdict(value, opp_p_min_spin->value(), opp_p_max_spin->value());
}

// ---- mode of the load

void MainWindow::deal_init_readback(const QList<QString>& r, int sub)
{
    ext_current_range_radio->set_checked(range_index(r.at(5), "5\n", "30\n", true));
    ext_voltage_range_radio->set_checked(range_index(r.at(6), "36\n", "150\n", true));
    const QString& ext = r.at(4);
    bool known = true;
    if (ext == QLatin1String("INT\n")) {
        monitor_panel->show();
        ext_range_panel->hide();
        type_combo->set_current_index(0);
        ext_current_range_radio->set_enable(false);
        ext_voltage_range_radio->set_enable(false);
        known = false;
        for (const mode_page_t& m : k_mode_pages) {
            if (r.at(0) != QLatin1String(m.mode) || (m.function && r.at(1) != QLatin1String(m.function)))
                continue;
            known = true;
            func_code = m.code;
            ui->current_function_label->setText(QString::fromLatin1(m.label));
            if (sub != 1)
                break;
            const bool waiting = readback_box != nullptr;
            if (m.static_tab >= 0) {
                ui->model_sel->setCurrentIndex(0);
                ui->static_pattern->setCurrentIndex(m.static_tab);
                if (!waiting)
                    emit ui->static_pattern->tabBarClicked(m.static_tab);
            } else if (m.aux_button < 0) {
                ui->model_sel->setCurrentIndex(1);
                if (!waiting)
                    emit ui->model_sel->tabBarClicked(1);
            } else {
                QFrame* pages[] = {ocp_frame, opp_frame, battery_page, list_page, program_page};
                QPushButton* buttons[] = {ocpt_button, oppt_button, battery_button, list_button, program_button};
                ui->model_sel->setCurrentIndex(2);
                show_aux_page(this, pages[m.aux_button]);
                if (!waiting)
                    buttons[m.aux_button]->click();
            }
            break;
        }
    } else if (ext == QLatin1String("EXTI\n") || ext == QLatin1String("EXTV\n")) {
        const bool current = ext == QLatin1String("EXTI\n");
        monitor_panel->hide();
        ext_range_panel->show();
        type_combo->set_current_index(current ? 1 : 2);
        ui->current_function_label->setText(current ? QStringLiteral("EXTI") : QStringLiteral("EXTV"));
        func_code = current ? 24 : 25;
        ext_current_range_radio->set_enable(true);
        ext_voltage_range_radio->set_enable(true);
    } else {
        known = false;
    }
    if (!known)
        qDebug() << "older window: unknown mode" << r.at(0) << r.at(1) << r.at(4);
    const int time_test = r.at(2).trimmed().toInt();
    if (time_test == 0 || time_test == 1)
        tmon_on = time_test == 1;
    const int shorted = r.at(3).trimmed().toInt();
    if (shorted == 0 || shorted == 1)
        show_short_state(shorted == 1);
    fill_cmd_list(183);
    post(183, true, 0);
}

void MainWindow::show_short_state(bool on)
{
    ui->short_button->setStyleSheet(on ? QStringLiteral("color: yellow") : QStringLiteral("color: lightgrey"));
}

void MainWindow::deal_short_readback(const QList<QString>& r)
{
    show_short_state(r.at(0) == QLatin1String("1\n"));
    start_threads();
}

void MainWindow::deal_idn_readback(const QList<QString>& r)
{
    const QString text = r.at(0);
    BaseWindow* about = new BaseWindow;
    about->setWindowModality(Qt::ApplicationModal);
    about->title_bar()->set_title_content(QStringLiteral("About"), 9);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowFlags((windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                             Qt::WindowContextHelpButtonHint)) |
                          Qt::Dialog);
    keep_in_front_of(about, this);
    about->setObjectName(QStringLiteral("program_form"));
    about->setGeometry(600, 400, 300, 200);
    QLabel* label = new QLabel(about);
    label->setGeometry(50, 80, 200, 200);
    label->setAlignment(Qt::AlignTop);
    QString shown = text;
    if (text.contains(QLatin1String("Tervane"))) {
        const QStringList fields = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
        shown.clear();
        for (const QString& f : fields)
            shown += f + QLatin1Char('\n');
        if (fields.size() >= 2)
            model_name = fields.at(1);
    }
    label->setObjectName(QStringLiteral("small_label"));
    label->setText(shown);
    if (model_name == QLatin1String("WLX1200X"))
        cp_power_spin->set_maximum(200.0);
    else if (model_name == QLatin1String("WLX1300X"))
        cp_power_spin->set_maximum(300.0);
    about->show();
    start_threads();
}

// ---- load switch and trigger

void MainWindow::deal_load_readback(const QList<QString>& r, int sub)
{
    if (sub == 0) {
        // The load has the switch: from here on an input seen off is the
        // end of a sweep it started.
        sweep_switch_pending = false;
        test_end_countdown = 3;
        start_threads();
        return;
    }
    if ((sub == 185 || sub == 186) && r.isEmpty()) {
        qDebug() << "older window: no added capacity in the reply";
        start_threads();
        return;
    }
    if (sub == 186) {
        batt_capacity_edit->set_text(QString::number(page_links::leading_integer(r.at(0))) + QStringLiteral("mAh"));
        battery_test_running = 2;
        program_progress->hide();
        start_threads();
        return;
    }
    if (sub != 185)
        return;
    const int capacity = page_links::leading_integer(r.at(0));
    cmd_writes.clear();
    cmd_queries.clear();
    if (capacity != 0) {
        start_threads();
        custom_messagebox box(QMessageBox::Warning, QStringLiteral("battery_dialog"),
                              QStringLiteral("Do you want to clean up the accumulated capacity?"),
                              QMessageBox::Yes | QMessageBox::No, nullptr);
        box.setWindowIcon(QIcon(QStringLiteral(":/resource/lion.jpg")));
        keep_in_front_of(&box, this);
        const bool clean = box.exec() == QMessageBox::Yes;
        if (!connected)
            return;
        cmd_writes = {QStringLiteral("INP 1"), clean ? QStringLiteral("BATT:ADDCAP:STAT 0")
                                                     : QStringLiteral("BATT:ADDCAP:STAT 1")};
        cmd_queries = {QString(), QString()};
        load_switched_on = true;
        if (clean)
            batt_capacity_edit->set_text(QStringLiteral("0mAh"));
    } else {
        cmd_writes = {QStringLiteral("INP 1")};
        cmd_queries = {QString()};
    }
    program_progress->show();
    post(185, false, 0);
}

void MainWindow::deal_trigger_readback(const QList<QString>&)
{
    const bool on = ui->load_button->text() == QLatin1String("ON");
    const QString page = ui->current_function_label->text();
    if (on && page == QLatin1String("PROGRAM") && program_steps_spin->value() != 0) {
        set_prog_page_enabled(false);
        fill_cmd_list(16);
        post(16, true, 0);
    } else if (on && page == QLatin1String("LIST")) {
        set_list_page_enabled(false);
        fill_cmd_list(15);
        post(15, true, 0);
    } else {
        start_threads();
    }
}

// ---- measurement poll

void MainWindow::deal_measure_readback(const QList<QString>& r)
{
    reply_numbers n;
    const int input = n.integer(r.at(0));
    const double current = n.number(r.at(1));
    const double voltage = n.number(r.at(2));
    const double third = n.number(r.at(3));
    const double fourth = n.number(r.at(4));
    const int remote = n.integer(r.at(5));
    const bool battery = func_code == k_func_battery;
    const bool timed = tmon_on && func_code >= 0 && func_code <= 3;
    const bool external = func_code == 24 || func_code == 25;
    const int wanted = battery || timed ? 8 : external ? 7 : 6;
    if (!n.ok() || r.size() < wanted) {
        qDebug() << "older window: poll reply passed over" << r;
        return;
    }
    if (remote == 0) {
        lose_load(tr("The load has left remote control."));
        return;
    }
    if (remote == 1)
        connected = true;

    auto show_third_fourth = [&](bool zero) {
        if (battery) {
            display_resistance_label->set_value("mAh", third, 0, false, QString());
            display_power_label->set_value(nullptr, fourth, 0, true, QString());
        } else {
            display_resistance_label->set_value("Ω", zero ? 0.0 : third, 3, false, QString());
            display_power_label->set_value("W", zero ? 0.0 : fourth, 2, false, QString());
        }
    };
    if (input == 1) {
        input_on_seen = 1;
        program_progress->show();
        display_current_label->set_value("A", current, 4, false, QString());
        display_voltage_label->set_value("V", voltage, 4, false, QString());
        show_third_fourth(false);
        ui->load_button->setText(QStringLiteral("ON"));
    } else if (input == 0) {
        set_prog_page_enabled(true);
        program_progress->hide();
        deal_list_off();
        deal_prog_off();
        for (int c = 1; c < program_result_table->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QString::number(c));
            item->setData(Qt::ForegroundRole, QColor(Qt::white));
            program_result_table->setItem(0, c, item);
        }
        program_progress->setValue(0);
        display_current_label->set_value("A", 0.0, 4, false, QString());
        display_voltage_label->set_value("V", voltage, 4, false, QString());
        show_third_fourth(true);
        ui->load_button->setText(QStringLiteral("OFF"));

        const QList<QString> result_queries = {QStringLiteral("TEST:STAT?"), QStringLiteral("PROG:TEST? 1")};
        if (input_on_seen == 1 && func_code != 6 && func_code != 7 && func_code != 8) {
            cfg_thread->add_message_cmd(result_queries, 183);
            input_on_seen = 0;
        }
        if (battery_test_running == 1) {
            battery_test_running = 0;
            if (battery) {
                input_on_seen = 0;
                cfg_thread->add_message_cmd({QStringLiteral("TEST:STAT?"), QStringLiteral("FUNC:TEST:RESULT?"),
                                             QStringLiteral("BATT:DISCHA:CAP?"), QStringLiteral("BATT:DISCHA:TIM?")},
                                            8);
            }
        }
        int* states[2] = {&ocpt_state, &oppt_state};
        for (int k = 0; k < 2; ++k) {
            if (*states[k] != 1)
                continue;
            if (func_code == 6 + k) {
                // a poll from before the switch-on reached the load (a slow
                // window lags behind its queued replies) still shows the
                // input off: counting it would ask for the result too early
                if (sweep_switch_pending)
                    continue;
                if (--test_end_countdown == 0) {
                    *states[k] = 0;
                    input_on_seen = 0;
                    cfg_thread->add_message_cmd(result_queries, 6 + k);
                    test_end_countdown = 3;
                }
            } else {
                *states[k] = 0;
                test_end_countdown = 3;
            }
        }
        battery_test_running = 0;
    }

    if (battery)
        take_measurement(current, voltage, r.at(6).toDouble(), r.at(7).toDouble(), sample_counter, input);
    else
        take_measurement(current, voltage, third, fourth, sample_counter, input);

    if (external) {
        deal_ext_value(r.at(6).toDouble());
        ui->current_function_label->setText(func_code == 24 ? QStringLiteral("EXTI") : QStringLiteral("EXTV"));
    } else if (timed) {
        deal_sltm_value(r.at(6).toDouble(), r.at(7).toDouble());
    } else {
        show_extra_labels(this, false);
    }
}

// The reply of an external control change: r0 the external mode, r1 the
// function mode, r2 the function.
void MainWindow::deal_external_control_reply(const QList<QString>& r)
{
    if (r.size() < 3) {
        start_threads();
        return;
    }
    const bool exti = r.at(0) == QLatin1String("EXTI\n");
    if (r.at(0) == QLatin1String("INT\n")) {
        monitor_panel->show();
        ext_range_panel->hide();
        type_combo->set_current_index(0);
        ext_current_range_radio->set_enable(false);
        ext_voltage_range_radio->set_enable(false);
        for (const mode_page_t& m : k_mode_pages) {
            if (r.at(1) != QLatin1String(m.mode) || (m.function && r.at(2) != QLatin1String(m.function)))
                continue;
            func_code = m.code;
            ui->current_function_label->setText(QString::fromLatin1(m.label));
            break;
        }
    } else if (exti || r.at(0) == QLatin1String("EXTV\n")) {
        monitor_panel->hide();
        ext_range_panel->show();
        type_combo->set_current_index(exti ? 1 : 2);
        ui->current_function_label->setText(exti ? QStringLiteral("EXTI") : QStringLiteral("EXTV"));
        func_code = exti ? 24 : 25;
        ext_current_range_radio->set_enable(true);
        ext_voltage_range_radio->set_enable(true);
    }
    start_threads();
}
