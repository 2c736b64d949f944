// Page builders: texts, units, ranges, geometry and grids of the widgets
// that create_member_widgets made, page by page.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "FreezeTableWidget.h"
#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_label.h"
#include "custom_lineedit.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "mylayout.h"
#include "ui_preview_plot_t.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <qwt_plot_canvas.h>

namespace {

// A spin box's label, unit, decimals and step; maximum and minimum when the
// kit's 0..9999 does not fit (negative: keep).
struct spin_setup_t
{
    custom_spinbox* box;
    const char* label;
    const char* unit;
    int decimals;
    double step;
    double maximum;
    double minimum;
};

void set_up(const spin_setup_t& s)
{
    s.box->set_label_text(QString::fromUtf8(s.label));
    s.box->set_unit_text(s.unit);
    s.box->set_decimals_step(s.decimals, s.step);
    if (s.maximum >= 0)
        s.box->set_maximum(s.maximum);
    if (s.minimum >= 0)
        s.box->set_minimum(s.minimum);
}

void set_up(std::initializer_list<spin_setup_t> list)
{
    for (const spin_setup_t& s : list)
        set_up(s);
}

void set_pair(custom_radiobutton* r, const char* label, const char* a, const char* b)
{
    r->set_label_text(QString::fromLatin1(label));
    r->set_text_a(QString::fromLatin1(a));
    r->set_text_b(QString::fromLatin1(b));
}

void current_range(custom_radiobutton* r)
{
    set_pair(r, "I_Range", "5A", "30A");
}

void voltage_range(custom_radiobutton* r)
{
    set_pair(r, "V_Range", "36V", "150V");
}

void switch_pair(custom_radiobutton* r, const char* label)
{
    set_pair(r, label, "ON", "OFF");
}

void set_combo(custom_combobox* c, const char* label, const QStringList& items)
{
    c->set_label_text(QString::fromLatin1(label));
    c->set_items(items);
}

const QStringList k_functions = {"CC", "CV", "CR", "CP"};
const QStringList k_battery_functions = {"CC", "CR", "CP"};
const QStringList k_dynamic_modes = {"continues", "pulse", "toggle"};
const QStringList k_list_current_ranges = {"5A", "30A"};
const QStringList k_list_voltage_ranges = {"36V", "150V"};
const QStringList k_trigger_sources = {"Manual", "Ext", "Bus"};
const QStringList k_averaging = {"2^6", "2^7", "2^8", "2^9", "2^10", "2^11", "2^12", "2^13", "2^14"};
const QStringList k_ext_types = {"Int", "ExtI", "ExtV"};
const QStringList k_time_windows = {"1min", "5min", "20min", "1hour", "5hour", "10hour", "24hour"};
const QStringList k_data_items = {"I", "V", "P", "R"};

// One static page: its two range selectors, entries and picture.
void build_static_page(QFrame* frame, custom_radiobutton* i_range, custom_radiobutton* v_range,
                       std::initializer_list<spin_setup_t> entries, QWidget* extra, QLabel* picture,
                       const char* picture_path)
{
    frame->setGeometry(10, 5, 280, 180);
    current_range(i_range);
    voltage_range(v_range);
    set_up(entries);
    QGridLayout* grid = new QGridLayout;
    grid->addWidget(i_range, 0, 0);
    grid->addWidget(v_range, 1, 0);
    int row = 2;
    for (const spin_setup_t& s : entries)
        grid->addWidget(s.box, row++, 0);
    if (extra)
        grid->addWidget(extra, 3, 0);
    frame->setLayout(grid);
    picture->setGeometry(400, 0, 234, 187);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QString::fromLatin1(picture_path)));
}

} // namespace

// ---- static pages

void MainWindow::build_cc_page()
{
    build_static_page(cc_frame, cc_i_range_radio, cc_v_range_radio,
                      {{cc_current_spin, "Current", "A", 3, 1.0, -1, -1},
                       {cc_slew_rise_spin, "Slew_RIS", "A/us", 3, 0.1, -1, -1},
                       {cc_slew_fall_spin, "Slew_FAL", "A/us", 3, 0.1, -1, -1}},
                      nullptr, cc_picture, ":/resource/cc.jpg");
}

void MainWindow::build_cv_page()
{
    build_static_page(cv_frame, cv_i_range_radio, cv_v_range_radio, {{cv_voltage_spin, "Voltage", "V", 3, 1.0, -1, -1}},
                      nullptr, cv_picture, ":/resource/cv.jpg");
}

void MainWindow::build_cr_page()
{
    // The range edit sits on row 3, under the entry.
    build_static_page(cr_frame, cr_i_range_radio, cr_v_range_radio,
                      {{cr_resistance_spin, "Resis", "Ω", 3, 1.0, 99999, -1}}, cr_range_edit, cr_picture,
                      ":/resource/cr.jpg");
}

void MainWindow::build_cp_page()
{
    build_static_page(cp_frame, cp_i_range_radio, cp_v_range_radio, {{cp_power_spin, "Power", "W", 2, 1.0, -1, -1}},
                      nullptr, cp_picture, ":/resource/cp.jpg");
}

void MainWindow::build_led_page()
{
    build_static_page(led_frame, led_i_range_radio, led_v_range_radio,
                      {{led_io_spin, "Io", "A", 3, 1.0, -1, -1},
                       {led_vo_spin, "Vo", "V", 3, 1.0, -1, -1},
                       {led_rco_spin, "Rco", nullptr, 2, 0.1, -1, -1}},
                      nullptr, led_picture, ":/resource/led.jpg");
}

// ---- dynamic page

void MainWindow::layout_dynamic_page()
{
    dynamic_scroll->setGeometry(10, 10, 340, 210);
    dynamic_scroll->setWidgetResizable(true);
    dynamic_inner->setFixedSize(280, 400);
    set_combo(dynamic_function_combo, "Function", k_functions);
    set_combo(dynamic_mode_combo, "Mode", k_dynamic_modes);
    current_range(dynamic_range_radio);
    voltage_range(dynamic_v_range_radio);
    set_up({{dynamic_a_level_spin, "A_Level", nullptr, 3, 1, 99999, -1},
            {dynamic_b_level_spin, "B_Level", nullptr, 3, 1, 99999, -1},
            {dynamic_a_width_spin, "A_Width", "s", 6, 1, 99999, -1},
            {dynamic_b_width_spin, "B_Width", "s", 6, 1, 99999, -1},
            {dynamic_width_spin, "Width", "s", 6, 1, 99999, -1},
            {dynamic_slew_rise_spin, "Slew_RIS", "A/us", 3, 0.1, -1, -1},
            {dynamic_slew_fall_spin, "Slew_FAL", "A/us", 3, 0.1, -1, -1}});
    QGridLayout* grid = new QGridLayout;
    const QWidget* rows[] = {dynamic_function_combo, dynamic_mode_combo,   dynamic_range_radio,
                             dynamic_v_range_radio,  dynamic_r_range_edit, dynamic_a_level_spin,
                             dynamic_b_level_spin,   dynamic_a_width_spin, dynamic_b_width_spin,
                             dynamic_width_spin,     dynamic_slew_rise_spin, dynamic_slew_fall_spin};
    int row = 0;
    for (const QWidget* w : rows)
        grid->addWidget(const_cast<QWidget*>(w), row++, 0);
    dynamic_inner->setLayout(grid);
    dynamic_scroll->setWidget(dynamic_inner);
}

// ---- battery page

void MainWindow::layout_battery_page()
{
    set_combo(batt_function_combo, "Function", k_battery_functions);
    current_range(batt_i_range_radio);
    voltage_range(batt_v_range_radio);
    set_up({{batt_level_spin, "Current", "A", 3, 1, 999, -1}});
    const char* stop_names[3] = {"V_Stop", "C_Stop", "T_Stop"};
    for (int i = 0; i < 3; ++i)
        switch_pair(batt_stop_radios[i], stop_names[i]);
    set_up({{batt_stop_spins[0], "V_Stop", "V", 2, 1, -1, -1},
            {batt_stop_spins[2], "T_Stop", "s", 0, 1, -1, -1},
            {batt_stop_spins[1], "C_Stop", "mAh", 0, 1, -1, -1}});
    battery_page->setParent(ui->aux_tab);
    battery_page->setGeometry(0, 0, 790, 228);
    QGridLayout* grid = new QGridLayout;
    grid->addWidget(batt_function_combo, 0, 0);
    grid->addWidget(batt_r_range_edit, 0, 1);
    grid->addWidget(batt_capacity_edit, 0, 2);
    grid->addWidget(batt_i_range_radio, 1, 0);
    grid->addWidget(batt_v_range_radio, 2, 0);
    grid->addWidget(batt_level_spin, 3, 0);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(batt_stop_radios[i], 1 + i, 1);
        grid->addWidget(batt_stop_spins[i], 1 + i, 2);
    }
    battery_page->setLayout(grid);
}

// ---- list page

void MainWindow::layout_list_page()
{
    list_page->setParent(ui->aux_tab);
    list_page->setGeometry(0, 0, 790, 228);
    list_controls->setGeometry(0, 130, 790, 98);
    list_plot->setGeometry(10, 10, 300, 120);
    list_up_button->setGeometry(755, 20, 20, 50);
    list_next_button->setGeometry(755, 80, 20, 50);
    list_up_button->setIcon(QIcon(QStringLiteral(":/resource/up.jpg")));
    list_next_button->setIcon(QIcon(QStringLiteral(":/resource/next.jpg")));
    list_step_table->setGeometry(320, 10, 430, 120);

    QTableWidget* t = list_step_table;
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setRowCount(4);
    t->setColumnCount(6);
    const char* titles[4] = {"Step", "Set(A)", "Time(s)", "Slo(A/us)"};
    for (int r = 0; r < 4; ++r) {
        QTableWidgetItem* item = new QTableWidgetItem(QString::fromLatin1(titles[r]));
        item->setFlags(Qt::NoItemFlags);
        t->setItem(r, 0, item);
        t->setRowHeight(r, 27);
    }
    for (int c = 0; c < 6; ++c)
        t->setColumnWidth(c, 70);
    QTableWidgetItem* first = new QTableWidgetItem(QStringLiteral("1"));
    first->setFlags(Qt::NoItemFlags);
    t->setItem(0, 1, first);
    for (int r = 1; r <= 3; ++r) {
        QDoubleSpinBox* cell = new QDoubleSpinBox;
        cell->setObjectName(QStringLiteral("listtablewidget_spinbox"));
        cell->setMaximum(10000);
        cell->setDecimals(3);
        t->setCellWidget(r, 1, cell);
    }

    list_storage_button->setText(QStringLiteral("Storage"));
    list_recall_button->setText(QStringLiteral("Recall"));
    for (QPushButton* b : {list_storage_button, list_recall_button}) {
        b->setObjectName(QStringLiteral("fixed_button"));
        b->setFixedSize(100, 30);
    }
    set_combo(list_function_combo, "Function", k_functions);
    set_combo(list_irange_combo, "Irange", k_list_current_ranges);
    set_combo(list_vrange_combo, "Vrange", k_list_voltage_ranges);
    for (custom_combobox* c : {list_function_combo, list_irange_combo, list_vrange_combo})
        c->set_combo_width(70);
    set_up({{list_count_spin, "Count", nullptr, 0, 1, -1, -1}, {list_step_spin, "Step", nullptr, 0, 1, -1, -1}});
    list_count_spin->set_special_value(0, QStringLiteral("Infinite"));

    QGridLayout* grid = new QGridLayout;
    grid->addWidget(list_storage_button, 0, 0);
    grid->addWidget(list_recall_button, 0, 1);
    grid->addWidget(list_function_combo, 0, 2);
    grid->addWidget(list_r_range_edit, 0, 3);
    grid->addWidget(list_irange_combo, 1, 0);
    grid->addWidget(list_vrange_combo, 1, 1);
    grid->addWidget(list_count_spin, 1, 2);
    grid->addWidget(list_step_spin, 1, 3);
    list_controls->setLayout(grid);
}

// ---- configure page

void MainWindow::layout_configure_page()
{
    switch_pair(vrmt_radio, "Vrmt");
    switch_pair(sof_radio, "SOF");
    switch_pair(vol_radio, "Vol");
    switch_pair(extswitch_radio, "ExtSwitch");
    switch_pair(imon_radio, "I_M_ON");
    switch_pair(vmon_radio, "V_M_ON");
    set_up({{von_spin, "Von", "V", 2, 1, -1, -1}});
    set_combo(trigger_combo, "Trigger", k_trigger_sources);
    set_combo(aver_combo, "Aver", k_averaging);
    set_combo(type_combo, "Type", k_ext_types);
    current_range(ext_current_range_radio);
    voltage_range(ext_voltage_range_radio);

    mylayout* first = new mylayout(nullptr);
    first->addWidget(vrmt_radio, 0, 0);
    first->addWidget(sof_radio, 1, 0);
    first->addWidget(vol_radio, 2, 0);
    first->addWidget(von_spin, 3, 0);
    first->addWidget(trigger_combo, 0, 1);
    first->addWidget(aver_combo, 1, 1);
    first->addWidget(type_combo, 2, 1);
    first->set_spacings(20, 20);
    first->set_cell_minimum(60, 30);
    first->set_min_rows_cols(5, 40, 3, 260);
    ui->configure_tab->setLayout(first);

    mylayout* second = new mylayout(nullptr);
    second->addWidget(ext_current_range_radio, 0, 0);
    second->addWidget(ext_voltage_range_radio, 1, 0);
    second->set_min_rows_cols(4, 40, 1, 280);
    // no top margin: the rows line up with those of the first column
    second->setContentsMargins(9, 0, 9, 9);
    ext_range_panel->setLayout(second);
    ext_range_panel->setGeometry(517, 0, 260, 180);
    ext_range_panel->hide();

    mylayout* third = new mylayout(nullptr);
    third->addWidget(extswitch_radio, 0, 0);
    third->addWidget(imon_radio, 1, 0);
    third->addWidget(vmon_radio, 2, 0);
    third->set_min_rows_cols(4, 40, 1, 280);
    third->setContentsMargins(9, 0, 9, 9);
    monitor_panel->setLayout(third);
    monitor_panel->setGeometry(517, 0, 260, 180);
}

// ---- display page

void MainWindow::layout_display_page()
{
    display_control_box->setGeometry(870, 336, 280, 150);
    display_stat_box->setGeometry(850, 500, 350, 150);
    reading_boxes[0]->setGeometry(0, 330, 95, 100);
    reading_boxes[1]->setGeometry(0, 460, 90, 110);
    reading_boxes[2]->setGeometry(0, 580, 95, 100);

    plot->setGeometry(100, 340, 710, 330);
    plot->canvas()->setContentsMargins(0, 0, 0, 0);
    plot->setAxisScale(QwtPlot::xBottom, 0, window_points, window_points / 10);
    plot->setAxisScale(QwtPlot::yLeft, -11, 111, 10);

    pause_button->setParent(plot);
    clear_button->setParent(plot);
    pause_button->setText(QStringLiteral("Pause"));
    clear_button->setText(QStringLiteral("Clear"));
    pause_button->move(650, 0);
    clear_button->move(600, 0);
    for (QPushButton* b : {pause_button, clear_button}) {
        b->setObjectName(QStringLiteral("fixed_button"));
        b->setFixedSize(50, 30);
    }

    switch_pair(record_radio, "Record");
    switch_pair(auto_range_radio, "Auto");
    set_combo(time_combo, "Time", k_time_windows);
    set_combo(data_combo, "Data", k_data_items);
    QGridLayout* control = new QGridLayout;
    control->addWidget(record_radio, 0, 0, Qt::AlignRight);
    control->addWidget(auto_range_radio, 1, 0, Qt::AlignRight);
    control->addWidget(time_combo, 2, 0, Qt::AlignRight);
    display_control_box->setLayout(control);

    const char* check_texts[quantities] = {"Current", "Voltage", "Resis", "Power"};
    // The traces' colours, lightened where they do not read on the dark
    // window: current in its trace's bright green, voltage a lighter red.
    const char* check_styles[quantities] = {"color: lime", "color: rgb(255, 90, 90)", "color: cyan", "color: yellow"};
    const char* names[quantities] = {"display_current_label", "display_voltage_label", "display_resis_label",
                                     "display_power_label"};
    const char* zero_texts[quantities] = {"0.0000", "0.000", "0.000", "0.00"};
    const char* mid_texts[quantities] = {"0.0 A", "0.0 V", "0.0 Ω", "0.0 W"};
    const char* limit_texts[quantities] = {"A", "V", "Ω", "W"};

    QGridLayout* stats = new QGridLayout;
    const char* headers[3] = {"Max", "Min", "Average"};
    for (int c = 0; c < 3; ++c) {
        stat_headers[c]->setText(QString::fromLatin1(headers[c]));
        stat_headers[c]->setObjectName(QStringLiteral("display_common_label"));
        stats->addWidget(stat_headers[c], 0, c + 1);
    }
    for (int q = 0; q < quantities; ++q) {
        curve_checks[q]->setText(QString::fromLatin1(check_texts[q]));
        curve_checks[q]->setStyleSheet(QString::fromLatin1(check_styles[q]));
        curve_checks[q]->setObjectName(QStringLiteral("display_checkbox"));
        stats->addWidget(curve_checks[q], q + 1, 0);
        for (int c = 0; c < 3; ++c) {
            QLabel* l = stat_labels[q * 3 + c];
            l->setObjectName(QString::fromLatin1(names[q]));
            l->setText(QString::fromLatin1(zero_texts[q]));
            stats->addWidget(l, q + 1, c + 1);
        }
        mid_labels[q]->setText(QString::fromUtf8(mid_texts[q]));
        mid_labels[q]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        mid_labels[q]->setObjectName(QString::fromLatin1(names[q]));
        // The unit captions stand in a row over the upper limit boxes: below
        // the tabs, above the boxes' frame (its top margin holds no box).
        limit_labels[q]->setText(QString::fromUtf8(limit_texts[q]));
        limit_labels[q]->setStyleSheet(QString::fromLatin1(check_styles[q]));
        limit_labels[q]->setGeometry(4 + 22 * q, 319, 20, 16);
        limit_labels[q]->raise();
    }
    display_stat_box->setLayout(stats);

    // Upper limits, axis middles and lower limits, top to bottom beside the plot.
    QGridLayout* boxes[3] = {new QGridLayout, new QGridLayout, new QGridLayout};
    for (int q = 0; q < quantities; ++q) {
        boxes[0]->addWidget(limit_max_spin[q], q, 0);
        boxes[1]->addWidget(mid_labels[q], q, 0);
        boxes[2]->addWidget(limit_min_spin[q], q, 0);
    }
    for (int i = 0; i < 3; ++i)
        reading_boxes[i]->setLayout(boxes[i]);
}

// ---- auxiliary bar and the test pages

void MainWindow::build_aux_buttons()
{
    aux_button_frame->setParent(ui->aux_tab);
    aux_button_frame->setGeometry(0, 0, 790, 228);
    QGridLayout* grid = new QGridLayout;
    const char* texts[5] = {"OCPT", "OPPT", "Battery", "List", "Program"};
    QPushButton* buttons[5] = {ocpt_button, oppt_button, battery_button, list_button, program_button};
    for (int i = 0; i < 5; ++i) {
        buttons[i]->setFixedSize(100, 100);
        buttons[i]->setText(QString::fromLatin1(texts[i]));
        grid->addWidget(buttons[i], 0, i);
    }
    aux_button_frame->setLayout(grid);
}

namespace {

void build_test_page(QWidget* tab, QFrame* frame, custom_radiobutton* i_range, custom_radiobutton* v_range,
                     const spin_setup_t (&spins)[7])
{
    current_range(i_range);
    voltage_range(v_range);
    for (const spin_setup_t& s : spins)
        set_up(s);
    frame->setParent(tab);
    frame->setGeometry(0, 0, 790, 228);
    QGridLayout* grid = new QGridLayout;
    grid->addWidget(i_range, 0, 0);
    grid->addWidget(v_range, 1, 0);
    // voltage in column 0 under the ranges, then the six level boxes in two columns
    grid->addWidget(spins[0].box, 2, 0);
    for (int i = 1; i < 7; ++i)
        grid->addWidget(spins[i].box, (i - 1) % 3, 1 + (i - 1) / 3);
    frame->setLayout(grid);
}

} // namespace

void MainWindow::build_ocp_page()
{
    const spin_setup_t spins[7] = {
        {ocp_v_spin, "OCP_V", "V", 2, 1.0, 999, -1},       {ocp_i_step_spin, "I_Step", "A", 3, 1.0, -1, -1},
        {ocp_i_start_spin, "I_Start", "A", 3, 1.0, -1, -1}, {ocp_i_end_spin, "I_End", "A", 3, 1.0, -1, -1},
        {ocp_i_min_spin, "I_MIN", "A", 3, 1.0, -1, -1},     {ocp_i_max_spin, "I_MAX", "A", 3, 1.0, -1, -1},
        {ocp_delay_spin, "Delay", "s", 1, 1.0, 9999, 0.5},
    };
    build_test_page(ui->aux_tab, ocp_frame, ocp_i_range_radio, ocp_v_range_radio, spins);
}

void MainWindow::build_opp_page()
{
    const spin_setup_t spins[7] = {
        {opp_v_spin, "OPP_V", "V", 2, 1.0, 999, -1},       {opp_p_step_spin, "P_Step", "W", 3, 1.0, -1, -1},
        {opp_p_start_spin, "P_Start", "W", 3, 1.0, -1, -1}, {opp_p_end_spin, "P_End", "W", 3, 1.0, -1, -1},
        {opp_p_min_spin, "P_MIN", "W", 3, 1.0, -1, -1},     {opp_p_max_spin, "P_MAX", "W", 3, 1.0, -1, -1},
        {opp_delay_spin, "Delay", "s", 1, 1.0, 9999, 0.5},
    };
    build_test_page(ui->aux_tab, opp_frame, opp_i_range_radio, opp_v_range_radio, spins);
}

// ---- utility pages

void MainWindow::build_sltm_page()
{
    switch_pair(tmon_radio, "TMon");
    set_up({{v_low_spin, "V_Low", "V", 3, 1.0, -1, -1}, {v_high_spin, "V_High", "V", 3, 1.0, 999, -1}});
    mylayout* grid = new mylayout(nullptr);
    grid->addWidget(tmon_radio, 0, 0);
    grid->addWidget(v_low_spin, 1, 0);
    grid->addWidget(v_high_spin, 2, 0);
    grid->set_spacings(20, 20);
    grid->set_min_rows_cols(4, 40, 3, 220);
    ui->sltm_tab->setLayout(grid);
}

void MainWindow::build_limit_page()
{
    i_protect_label = new QLabel;
    p_protect_label = new QLabel;
    i_protect_label->setText(QStringLiteral("I_Protect"));
    p_protect_label->setText(QStringLiteral("P_Protect"));
    for (QLabel* l : {i_protect_label, p_protect_label}) {
        l->setFixedHeight(20);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }
    set_pair(i_protect_switch_radio, "Switch", "ON", "OFF");
    set_pair(p_protect_switch_radio, "Switch", "ON", "OFF");
    set_up({{i_protect_spin, "Current", "A", 2, 1.0, -1, -1},
            {p_protect_spin, "Power", "W", 2, 1.0, 999, -1},
            {i_protect_delay_spin, "Delay", "s", 3, 1.0, -1, -1},
            {p_protect_delay_spin, "Delay", "s", 3, 1.0, -1, -1}});
    mylayout* grid = new mylayout(nullptr);
    const QWidget* columns[2][4] = {{i_protect_label, i_protect_switch_radio, i_protect_spin, i_protect_delay_spin},
                                    {p_protect_label, p_protect_switch_radio, p_protect_spin, p_protect_delay_spin}};
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 4; ++r)
            grid->addWidget(const_cast<QWidget*>(columns[c][r]), r, c);
    grid->set_min_rows_cols(4, 10, 3, 220);
    ui->limit_tab->setLayout(grid);
}

// ---- readings

void MainWindow::build_display_group()
{
    display_group->setGeometry(820, 70, 370, 263);
    struct reading_t
    {
        custom_label* label;
        const char* unit;
        int decimals;
    };
    const reading_t readings[] = {{display_current_label, "A", 4},    {display_voltage_label, "V", 4},
                                  {display_resistance_label, "Ω", 3}, {display_power_label, "W", 2},
                                  {display_aux_label_1, "", 4},       {display_aux_label_2, "", 4}};
    for (const reading_t& r : readings)
        r.label->set_value(r.unit, 0.0, r.decimals, false, QString());
    display_aux_label_1->hide();
    display_aux_label_2->hide();

    QGridLayout* grid = new QGridLayout;
    grid->addWidget(display_voltage_label, 0, 0);
    grid->addWidget(display_power_label, 1, 0);
    grid->addWidget(display_aux_label_1, 2, 0);
    grid->addWidget(display_current_label, 0, 1);
    grid->addWidget(display_resistance_label, 1, 1);
    grid->addWidget(display_aux_label_2, 2, 1);
    for (int r = 0; r < 3; ++r)
        grid->setRowStretch(r, 1);

    display_group->setTitle(QStringLiteral("display data"));
    display_current_label->setStyleSheet(QStringLiteral("font:bold 35px; color: yellow;"));
    display_voltage_label->setStyleSheet(QStringLiteral("font:bold 35px; color: yellow;"));
    display_resistance_label->setStyleSheet(QStringLiteral("font:bold 30px; color: yellow;"));
    display_power_label->setStyleSheet(QStringLiteral("font:bold 30px; color: yellow;"));
    display_aux_label_1->setStyleSheet(QStringLiteral("font:bold 15px; color: yellow;"));
    display_aux_label_2->setStyleSheet(QStringLiteral("font:bold 15px; color: yellow;"));
    // The program's theme gives group boxes a 10-pixel title margin; the
    // 20-point title needs more.
    display_group->setStyleSheet(QStringLiteral("* { font: 20pt; color: white; } QGroupBox { margin-top: 30px; }"));
    display_group->setLayout(grid);
}

// ---- program page

void MainWindow::build_program_page()
{
    program_page->setParent(ui->aux_tab);
    program_page->setGeometry(0, 0, 790, 228);
    program_result_table->setGeometry(10, 5, 615, 180);
    // Beside the table and inside the page: a narrower name cell than the
    // kit's, enough for "Step".
    program_steps_spin->name_label->setFixedWidth(55);
    program_steps_spin->setGeometry(628, 10, 160, 20);
    set_up({{program_steps_spin, "Step", nullptr, 0, 1.0, -1, -1}});
    program_storage_button->setGeometry(660, 50, 100, 50);
    program_recall_button->setGeometry(660, 120, 100, 50);
    program_progress->setGeometry(10, 200, 600, 20);
    program_progress->setStyleSheet(
        QStringLiteral("QProgressBar{border-radius:5px;background-color:darkgray;text-align:center}"
                       "QProgressBar::chunk{background-color:#FF0000;width:6px;margin:2px;}"));
    program_progress->show();
    program_storage_button->setText(QStringLiteral("Storage"));
    program_recall_button->setText(QStringLiteral("Recall"));
    program_storage_button->setObjectName(QStringLiteral("fixed_button"));
    program_recall_button->setObjectName(QStringLiteral("fixed_button"));

    QTableWidget* t = program_result_table;
    t->setColumnCount(1);
    t->setRowCount(16);
    t->verticalHeader()->hide();
    t->horizontalHeader()->hide();
    const char* titles[16] = {"step", "mode", "Irange", "Vrange", "pause", "short", "Ton", "Toff",
                              "Tdl",  "min",  "max",    "Set",    "Range", "Vo",    "Io",  "Rco"};
    for (int r = 0; r < 16; ++r)
        t->setItem(r, 0, new QTableWidgetItem(QString::fromLatin1(titles[r])));

    program_freeze = new FreezeTableWidget(t);
    program_freeze->move(0, 0);

    program_corner_label = new QLabel(t);
    program_corner_label->setStyleSheet(QStringLiteral("background-color:rgb(20, 20, 20)"));
    program_corner_label->setText(QStringLiteral("step"));
    program_corner_label->setGeometry(1, 1, t->columnWidth(0) - 2, t->rowHeight(0) - 2);
    t->setObjectName(QStringLiteral("list_tablewidget"));
}
