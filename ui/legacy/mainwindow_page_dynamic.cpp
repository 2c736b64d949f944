// Dynamic page: the transient function, form, ranges, levels, widths and
// slews. Range, function and form changes are refused while the input is on
// and are not read back one by one: the whole transient set-up is re-read.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "page_links.h"

#include <QLabel>
#include <QPushButton>

#include <iterator>

namespace {

const char* const k_prefixes[] = {"CURR", "VOLT", "RES", "POW"};
const char* const k_functions[] = {"CURRENT", "VOLTAGE", "RESISTANCE", "POWER"};
const char* const k_forms[] = {"CONTINUOUS", "PULSE", "TOGGLE"};

// The setting changes: 0 5A, 1 30A, 2 36V, 3 150V, 4 function, 5 form.
enum setting_t { s_i5, s_i30, s_v36, s_v150, s_function, s_form };

// Values: code, command after the prefix, stored number. The slews are the
// current function's only and read both edges, the edited one first.
struct dyn_value_t
{
    int operation;
    const char* command;
    const char* queries[2];
    double MainWindow::*stored;
};
const dyn_value_t k_values[] = {
    {105, ":TRAN:ALEV ", {":TRAN:ALEV?"}, &MainWindow::level_a},
    {106, ":TRAN:BLEV ", {":TRAN:BLEV?"}, &MainWindow::level_b},
    {107, ":TRAN:AWID ", {":TRAN:AWID?"}, &MainWindow::width_a},
    {108, ":TRAN:BWID ", {":TRAN:BWID?"}, &MainWindow::width_b},
    // the load keeps the pulse width as its B width
    {109, ":TRAN:BWID ", {":TRAN:BWID?"}, &MainWindow::width_b},
};

// Which boxes each function and form use: A width, B width, width, rise, fall.
const bool k_enabled[4][3][5] = {
    {{true, true, false, true, true}, {false, false, true, true, true}, {false, false, false, true, true}},
    {{true, true, false, false, false}, {false, false, true, false, false}, {false, false, false, false, false}},
    {{true, true, false, false, false}, {false, false, true, false, false}, {false, false, false, false, false}},
    {{true, true, false, false, false}, {false, false, true, false, false}, {false, false, false, false, false}},
};

} // namespace

static QString dyn_prefix_of(MainWindow* w)
{
    const int f = w->dynamic_function_combo->current_index();
    return QString::fromLatin1(k_prefixes[f >= 0 && f < 4 ? f : 0]);
}

static void dyn_setting(MainWindow* w, setting_t which)
{
    if (!w->connected)
        return;
    if (which == s_i30 || which == s_v36 || which == s_v150)
        w->_disconnect_dynamic();
    if (w->refuse_while_on(28, MainWindow::tr("Dynamic Dialog"), MainWindow::tr("Please waiting for the Dynamic initing")))
        return;
    const QString prefix = dyn_prefix_of(w);
    QString write;
    QString query;
    int operation = 86;
    QWidget* widget = nullptr;
    switch (which) {
    case s_i5:
        write = prefix + QStringLiteral(":TRAN:IRANG 5");
        break;
    case s_i30:
        write = prefix + QStringLiteral(":TRAN:IRANG 30");
        widget = w->dynamic_range_radio;
        break;
    case s_v36:
    case s_v150:
        operation = 87;
        write = prefix + (which == s_v36 ? QStringLiteral(":TRAN:VRANG 36") : QStringLiteral(":TRAN:VRANG 150"));
        widget = w->dynamic_v_range_radio;
        break;
    case s_function: {
        const int f = w->dynamic_function_combo->current_index();
        if (f < 0 || f > 3)
            return;
        write = QStringLiteral("FUNC:TRAN ") + QLatin1String(k_functions[f]);
        query = QStringLiteral("FUNC:TRAN?");
        widget = w->dynamic_function_combo;
        break;
    }
    case s_form: {
        const int m = w->dynamic_mode_combo->current_index();
        if (m < 0 || m > 2)
            return;
        write = prefix + QStringLiteral(":TRAN:MODE ") + QLatin1String(k_forms[m]);
        widget = w->dynamic_function_combo;
        break;
    }
    }
    w->post_page(operation, {write}, {query}, widget);
}

void MainWindow::deal_i_range_dyn_5a() { dyn_setting(this, s_i5); }
void MainWindow::deal_i_range_dyn_30a() { dyn_setting(this, s_i30); }
void MainWindow::deal_v_range_dyn_36v() { dyn_setting(this, s_v36); }
void MainWindow::deal_v_range_dyn_150v() { dyn_setting(this, s_v150); }
void MainWindow::deal_function_combobox(int) { dyn_setting(this, s_function); }
void MainWindow::deal_mode_combobox(int) { dyn_setting(this, s_form); }

static void dyn_value(MainWindow* w, int row)
{
    if (!w->connected)
        return;
    custom_spinbox* boxes[] = {w->dynamic_a_level_spin, w->dynamic_b_level_spin, w->dynamic_a_width_spin,
                               w->dynamic_b_width_spin, w->dynamic_width_spin};
    const dyn_value_t& v = k_values[row];
    const QString prefix = dyn_prefix_of(w);
    w->post_page(v.operation, {prefix + QLatin1String(v.command) + page_links::value_text(boxes[row]->value())},
                 {prefix + QLatin1String(v.queries[0])}, boxes[row]);
}

static void dyn_slew(MainWindow* w, bool rise)
{
    if (!w->connected)
        return;
    custom_spinbox* box = rise ? w->dynamic_slew_rise_spin : w->dynamic_slew_fall_spin;
    // two blanks before the value, as the load has always been sent it
    const QString write = (rise ? QStringLiteral("CURR:TRAN:SLEW:POS  ") : QStringLiteral("CURR:TRAN:SLEW:NEG  ")) +
                          page_links::value_text(box->value());
    const QString pos = QStringLiteral("CURR:TRAN:SLEW:POS?");
    const QString neg = QStringLiteral("CURR:TRAN:SLEW:NEG?");
    QList<QWidget*> widgets = {box, box};
    w->cfg_thread_post(rise ? 130 : 131, {write, QString()}, rise ? QList<QString>{pos, neg} : QList<QString>{neg, pos},
                       widgets);
}

void MainWindow::deal_a_level_value() { dyn_value(this, 0); }
void MainWindow::deal_b_level_value() { dyn_value(this, 1); }
void MainWindow::deal_a_width_value() { dyn_value(this, 2); }
void MainWindow::deal_b_width_value() { dyn_value(this, 3); }
void MainWindow::deal_width_value() { dyn_value(this, 4); }
void MainWindow::deal_slew_ris_value() { dyn_slew(this, true); }
void MainWindow::deal_slew_fal_value() { dyn_slew(this, false); }

// ---- enabled boxes by function and form

static void dyn_enable(MainWindow* w, int function, int form)
{
    custom_spinbox* boxes[] = {w->dynamic_a_width_spin, w->dynamic_b_width_spin, w->dynamic_width_spin,
                               w->dynamic_slew_rise_spin, w->dynamic_slew_fall_spin};
    for (int i = 0; i < 5; ++i)
        boxes[i]->set_enable(k_enabled[function][form][i]);
}

void MainWindow::cc_cont_func() { dyn_enable(this, 0, 0); }
void MainWindow::cc_puls_func() { dyn_enable(this, 0, 1); }
void MainWindow::cc_togl_func() { dyn_enable(this, 0, 2); }
void MainWindow::cv_cont_func() { dyn_enable(this, 1, 0); }
void MainWindow::cv_puls_func() { dyn_enable(this, 1, 1); }
void MainWindow::cv_togl_func() { dyn_enable(this, 1, 2); }
void MainWindow::cr_cont_func() { dyn_enable(this, 2, 0); }
void MainWindow::cr_puls_func() { dyn_enable(this, 2, 1); }
void MainWindow::cr_togl_func() { dyn_enable(this, 2, 2); }
void MainWindow::cp_cont_func() { dyn_enable(this, 3, 0); }
void MainWindow::cp_puls_func() { dyn_enable(this, 3, 1); }
void MainWindow::cp_togl_func() { dyn_enable(this, 3, 2); }

void MainWindow::show_and_hide()
{
    const int f = dynamic_function_combo->current_index();
    const int m = dynamic_mode_combo->current_index();
    if (f >= 0 && f < 4 && m >= 0 && m < 3)
        dyn_enable(this, f, m);
}

void MainWindow::_init_dynamic_default()
{
    if (connected)
        start_title_thread("DYNAMIC", 5);
}

// ---- replies

void MainWindow::deal_dynamic_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    static const reply_route_t routes[] = {
        {86, &MainWindow::deal_dyn_setting_reply},
        {87, &MainWindow::deal_dyn_v_range_reply},
        {105, &MainWindow::deal_dyn_a_level_reply},
        {106, &MainWindow::deal_dyn_b_level_reply},
        {107, &MainWindow::deal_dyn_a_width_reply},
        {108, &MainWindow::deal_dyn_b_width_reply},
        {109, &MainWindow::deal_dyn_width_reply},
        {130, &MainWindow::deal_dyn_slew_rise_reply},
        {131, &MainWindow::deal_dyn_slew_fall_reply},
    };
    route_reply(routes, std::size(routes), operation, replies, widgets);
}

// A range, function or form change is not read back alone: the whole
// transient set-up is read again.
void MainWindow::deal_dyn_setting_reply(const QList<QString>&, const QList<QWidget*>& widgets)
{
    fill_cmd_list(28);
    cfg_thread_post(28, cmd_writes, cmd_queries, widgets);
    show_wait_box(MainWindow::tr("Dynamic Dialog"), MainWindow::tr("Please waiting for the Dynamic initing"));
}

void MainWindow::deal_dyn_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_dyn_setting_reply(r, widgets);
}

void MainWindow::deal_dyn_a_level_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_dyn_value_reply(105, r);
}

void MainWindow::deal_dyn_b_level_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_dyn_value_reply(106, r);
}

void MainWindow::deal_dyn_a_width_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_dyn_value_reply(107, r);
}

void MainWindow::deal_dyn_b_width_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_dyn_value_reply(108, r);
}

void MainWindow::deal_dyn_width_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_dyn_value_reply(109, r);
}

void MainWindow::deal_dyn_slew_rise_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_dyn_slew_reply(130, r);
}

void MainWindow::deal_dyn_slew_fall_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_dyn_slew_reply(131, r);
}

void MainWindow::deal_dyn_value_reply(int operation, const QList<QString>& r)
{
    custom_spinbox* boxes[] = {dynamic_a_level_spin, dynamic_b_level_spin, dynamic_a_width_spin, dynamic_b_width_spin,
                               dynamic_width_spin};
    const int row = operation - 105;
    double x = 0;
    if (page_links::number(r, 0, &x)) {
        boxes[row]->set_value(x);
        this->*k_values[row].stored = x;
        if (operation == 109)
            dynamic_labels[6]->setText(width_caption(x));
    }
    start_threads();
    set_position();
}

void MainWindow::deal_dyn_slew_reply(int operation, const QList<QString>& r)
{
    _disconnect_dynamic();
    double first = 0, second = 0;
    if (page_links::number(r, 0, &first) && page_links::number(r, 1, &second)) {
        const bool rise = operation == 130;
        const double kept = (rise ? dynamic_slew_fall_spin : dynamic_slew_rise_spin)->value();
        slew_1 = rise ? first : second;
        slew_2 = rise ? second : first;
        dynamic_slew_rise_spin->set_value(slew_1);
        dynamic_slew_fall_spin->set_value(slew_2);
        start_threads();
        warn_slew_bands(dynamic_range_radio->checked_index() == 0, first, kept);
    } else {
        start_threads();
    }
    set_position();
    _init_dynamic_connect();
}

// ---- connections

void MainWindow::_init_dynamic_connect()
{
    page_links::make(this, {{dynamic_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_i_range_dyn_5a())},
                            {dynamic_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_i_range_dyn_30a())},
                            {dynamic_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_v_range_dyn_36v())},
                            {dynamic_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_v_range_dyn_150v())},
                            {dynamic_function_combo, SIGNAL(currentindex_changed(int)), SLOT(deal_function_combobox(int))},
                            {dynamic_mode_combo, SIGNAL(currentindex_changed(int)), SLOT(deal_mode_combobox(int))},
                            {dynamic_a_level_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_a_level_value())},
                            {dynamic_b_level_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_b_level_value())},
                            {dynamic_a_width_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_a_width_value())},
                            {dynamic_b_width_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_b_width_value())},
                            {dynamic_width_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_width_value())},
                            {dynamic_slew_rise_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_slew_ris_value())},
                            {dynamic_slew_fall_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_slew_fal_value())}});
    link_limit_boxes(true, true);
}

void MainWindow::_disconnect_dynamic()
{
    page_links::cut(this, {dynamic_function_combo, dynamic_mode_combo, dynamic_range_radio, dynamic_v_range_radio,
                           dynamic_a_level_spin, dynamic_b_level_spin, dynamic_a_width_spin, dynamic_b_width_spin,
                           dynamic_slew_fall_spin, dynamic_slew_rise_spin, dynamic_width_spin});
    cut_limit_boxes(true, true);
}
