// Member widgets: all are created in one pass before the page builders give
// them texts and places; then the small wiring, naming and enabling helpers.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_label.h"
#include "custom_lineedit.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "newframe.h"
#include "ui_preview_plot_t.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>

namespace {

const QString k_r_range = QStringLiteral("R_Range");
const QString k_r_range_text = QString::fromUtf8("30mΩ~10kΩ");

// Full scale of the trend's axis-limit boxes before a range reply sets them.
const int k_limit_maximum[MainWindow::quantities] = {30, 36, 10000, 1200};

custom_spinbox* spin()
{
    return new custom_spinbox(nullptr, true);
}

custom_radiobutton* radio()
{
    return new custom_radiobutton(nullptr);
}

custom_combobox* combo()
{
    return new custom_combobox(nullptr);
}

} // namespace

void MainWindow::create_member_widgets()
{
    // static pages
    led_picture = new QLabel(ui->LED);
    cp_picture = new QLabel(ui->CP);
    cc_picture = new QLabel(ui->CC);
    cr_picture = new QLabel(ui->CR);
    cv_picture = new QLabel(ui->CV);
    cc_frame = new QFrame(ui->CC);
    cv_frame = new QFrame(ui->CV);
    cr_frame = new QFrame(ui->CR);
    cp_frame = new QFrame(ui->CP);
    led_frame = new QFrame(ui->LED);
    cc_i_range_radio = radio();
    cc_v_range_radio = radio();
    cc_current_spin = spin();
    cc_slew_rise_spin = spin();
    cc_slew_fall_spin = spin();
    cv_i_range_radio = radio();
    cv_v_range_radio = radio();
    cv_voltage_spin = spin();
    cr_i_range_radio = radio();
    cr_v_range_radio = radio();
    cr_resistance_spin = spin();
    cr_range_edit = new custom_lineedit(k_r_range, k_r_range_text, this);
    cp_i_range_radio = radio();
    cp_v_range_radio = radio();
    cp_power_spin = spin();

    // dynamic page
    dynamic_scroll = new QScrollArea(ui->dynamic_tab);
    dynamic_function_combo = combo();
    dynamic_mode_combo = combo();
    dynamic_inner = new QWidget;
    dynamic_range_radio = radio();
    dynamic_v_range_radio = radio();
    dynamic_r_range_edit = new custom_lineedit(k_r_range, k_r_range_text, this);
    dynamic_a_level_spin = spin();
    dynamic_b_level_spin = spin();
    dynamic_a_width_spin = spin();
    dynamic_b_width_spin = spin();
    dynamic_width_spin = spin();
    dynamic_slew_rise_spin = spin();
    dynamic_slew_fall_spin = spin();

    // OCP and OPP pages
    ocp_frame = new QFrame(ui->aux_tab);
    ocp_i_range_radio = radio();
    ocp_v_range_radio = radio();
    for (custom_spinbox** s : {&ocp_v_spin, &ocp_i_step_spin, &ocp_i_start_spin, &ocp_i_end_spin, &ocp_i_min_spin,
                               &ocp_i_max_spin, &ocp_delay_spin})
        *s = spin();
    opp_frame = new QFrame(ui->aux_tab);
    opp_i_range_radio = radio();
    opp_v_range_radio = radio();
    for (custom_spinbox** s : {&opp_v_spin, &opp_p_step_spin, &opp_p_start_spin, &opp_p_end_spin, &opp_p_min_spin,
                               &opp_p_max_spin, &opp_delay_spin})
        *s = spin();

    // battery page
    battery_page = new QFrame(this);
    batt_function_combo = combo();
    batt_i_range_radio = radio();
    batt_v_range_radio = radio();
    for (custom_radiobutton*& r : batt_stop_radios)
        r = radio();
    batt_r_range_edit = new custom_lineedit(k_r_range, k_r_range_text, this);
    batt_capacity_edit = new custom_lineedit(QStringLiteral("C-Add"), QString(), this);
    batt_level_spin = spin();
    for (custom_spinbox*& s : batt_stop_spins)
        s = spin();

    // list page
    list_page = new QFrame(this);
    list_controls = new QFrame(list_page);
    list_plot = new ui_preview_plot_t(list_page, false);
    list_step_table = new QTableWidget(list_page);
    list_curve = new QwtPlotCurve;
    list_spare_curve = new QwtPlotCurve;
    list_storage_button = new QPushButton(list_controls);
    list_recall_button = new QPushButton(list_controls);
    list_up_button = new QPushButton(list_page);
    list_next_button = new QPushButton(list_page);
    list_r_range_edit = new custom_lineedit(k_r_range, k_r_range_text, this);
    list_function_combo = combo();
    list_irange_combo = combo();
    list_vrange_combo = combo();
    // count and step carry no unit: without its label the pair fits the row
    list_count_spin = new custom_spinbox(nullptr, false);
    list_step_spin = new custom_spinbox(nullptr, false);
    list_level_curve = new QwtPlotCurve;
    list_marker_curve = new QwtPlotCurve;
    list_marker_curve->setPen(QColor(Qt::blue));
    list_marker_curve->setStyle(QwtPlotCurve::Steps);
    list_marker_curve->setCurveAttribute(QwtPlotCurve::Inverted, true);

    // program page
    program_page = new QFrame(ui->aux_tab);
    program_steps_spin = new custom_spinbox(program_page, false);
    program_storage_button = new QPushButton(program_page);
    program_recall_button = new QPushButton(program_page);
    program_result_button = new QPushButton(program_page);
    program_result_button->hide();
    program_result_table = new QTableWidget(program_page);
    program_progress = new QProgressBar(program_page);

    // LED page
    led_i_range_radio = radio();
    led_v_range_radio = radio();
    led_io_spin = spin();
    led_vo_spin = spin();
    led_rco_spin = spin();

    // configure page
    for (custom_radiobutton** r : {&vrmt_radio, &sof_radio, &vol_radio, &extswitch_radio, &imon_radio, &vmon_radio,
                                   &ext_current_range_radio, &ext_voltage_range_radio})
        *r = radio();
    von_spin = spin();
    trigger_combo = combo();
    aver_combo = combo();
    type_combo = combo();
    ext_range_panel = new QFrame(ui->configure_tab);
    monitor_panel = new QFrame(ui->configure_tab);

    // SLTM and limit pages
    tmon_radio = radio();
    v_low_spin = spin();
    v_high_spin = spin();
    i_protect_switch_radio = radio();
    p_protect_switch_radio = radio();
    i_protect_spin = spin();
    i_protect_delay_spin = spin();
    p_protect_spin = spin();
    p_protect_delay_spin = spin();

    // auxiliary bar
    aux_button_frame = new QFrame(ui->aux_tab);
    for (QPushButton** b : {&ocpt_button, &oppt_button, &battery_button, &list_button, &program_button})
        *b = new QPushButton(aux_button_frame);
    aux_spare_frame = new QFrame(ui->aux_tab);
    aux_spare_frame->hide();

    // readings
    display_group = new QGroupBox(this);
    display_current_label = new custom_label(false, nullptr);
    display_voltage_label = new custom_label(false, nullptr);
    display_resistance_label = new custom_label(false, nullptr);
    display_power_label = new custom_label(false, nullptr);
    display_aux_label_1 = new custom_label(true, nullptr);
    display_aux_label_2 = new custom_label(true, nullptr);

    // display page
    display_control_box = new QFrame(this);
    display_stat_box = new QFrame(this);
    record_radio = radio();
    auto_range_radio = radio();
    time_combo = combo();
    data_combo = new custom_combobox(display_control_box);
    data_combo->hide(); // holds the data selector; nothing places it
    pause_button = new QPushButton;
    clear_button = new QPushButton;
    for (QCheckBox*& c : curve_checks)
        c = new QCheckBox;
    for (QLabel*& l : stat_headers)
        l = new QLabel;
    for (QLabel*& l : stat_labels)
        l = new QLabel;
    for (QLabel*& l : mid_labels)
        l = new QLabel;
    for (QLabel*& l : limit_labels)
        l = new QLabel(this);
    for (QFrame*& f : reading_boxes)
        f = new QFrame(this);
    for (int q = 0; q < quantities; ++q) {
        limit_max_spin[q] = new custom_input_spinbox(q, k_limit_maximum[q], nullptr);
        limit_min_spin[q] = new custom_input_spinbox(q, k_limit_maximum[q], nullptr);
    }

    // trend plot
    plot = new ui_preview_plot_t(this, true);
    plot->setAttribute(Qt::WA_MouseTracking);
    plot->canvas()->setCursor(Qt::ArrowCursor);
    plot->setCanvasBackground(QBrush(Qt::black));

    // dynamic diagram
    dynamic_diagram = new newframe(ui->dynamic_tab);
    for (QLabel*& l : dynamic_labels)
        l = new QLabel(dynamic_diagram);
    for (QLabel*& l : trigger_marks)
        l = new QLabel(dynamic_diagram);

    program_file = new QFile;
}

void MainWindow::connect_aux_buttons()
{
    connect(ocpt_button, SIGNAL(clicked(bool)), this, SLOT(deal_ocpt_button()));
    connect(oppt_button, SIGNAL(clicked(bool)), this, SLOT(deal_oppt_button()));
    connect(battery_button, SIGNAL(clicked(bool)), this, SLOT(deal_battery_button()));
    connect(list_button, SIGNAL(clicked(bool)), this, SLOT(deal_list_button()));
    connect(program_button, SIGNAL(clicked(bool)), this, SLOT(deal_program_button()));
}

void MainWindow::disconnect_aux_buttons()
{
    for (QPushButton* b : {ocpt_button, oppt_button, battery_button, list_button, program_button})
        QObject::disconnect(b, nullptr, this, nullptr);
}

void MainWindow::connect_limit_spinboxes()
{
    const char* max_slots[quantities] = {SLOT(deal_current_max_spinbox()), SLOT(deal_voltage_max_spinbox()),
                                         SLOT(deal_resis_max_spinbox()), SLOT(deal_power_max_spinbox())};
    const char* min_slots[quantities] = {SLOT(deal_current_min_spinbox()), SLOT(deal_voltage_min_spinbox()),
                                         SLOT(deal_resis_min_spinbox()), SLOT(deal_power_min_spinbox())};
    for (int q = 0; q < quantities; ++q) {
        connect(limit_max_spin[q], SIGNAL(valuechanged()), this, max_slots[q]);
        connect(limit_min_spin[q], SIGNAL(valuechanged()), this, min_slots[q]);
    }
    connect(auto_range_radio, SIGNAL(buttonA_clicked()), this, SLOT(deal_display_auto_spinbox_a_button()));
    connect(auto_range_radio, SIGNAL(buttonB_clicked()), this, SLOT(deal_display_auto_spinbox_b_button()));
}

void MainWindow::connect_load_button()
{
    connect(ui->load_button, SIGNAL(clicked(bool)), this, SLOT(deal_load_button()));
}

void MainWindow::deal_display_auto_spinbox_a_button()
{
    set_limit_spinbox_focus(0);
}

void MainWindow::deal_display_auto_spinbox_b_button()
{
    set_limit_spinbox_focus(1);
}

// The limit boxes take typing only with the manual range; the automatic
// range writes them itself.
void MainWindow::set_limit_spinbox_focus(int manual)
{
    for (int q = 0; q < quantities; ++q) {
        limit_max_spin[q]->set_focusable(manual != 0);
        limit_min_spin[q]->set_focusable(manual != 0);
    }
}

void MainWindow::set_style_names()
{
    ui->model_sel->setObjectName(QStringLiteral("model"));
    ui->utility_tabwidget->setObjectName(QStringLiteral("utility"));
    ui->static_pattern->setObjectName(QStringLiteral("static"));
    ui->trigger_button->setObjectName(QStringLiteral("fixed_button"));
    for (QPushButton* b : {ui->recall_button, ui->save_button, ui->connect_device, ui->help_button})
        b->setObjectName(QStringLiteral("top_button"));
    for (QPushButton* b : {ocpt_button, oppt_button, battery_button, list_button, program_button})
        b->setObjectName(QStringLiteral("aux_button"));
    ui->short_button->setObjectName(QStringLiteral("short_load_button"));
    ui->load_button->setObjectName(QStringLiteral("short_load_button"));

    struct named_t
    {
        custom_label* label;
        const char* name;
    };
    const named_t named[] = {{display_current_label, "big_label"},   {display_voltage_label, "big_label"},
                             {display_resistance_label, "middle_label"}, {display_power_label, "middle_label"},
                             {display_aux_label_1, "small_label"},   {display_aux_label_2, "small_label"}};
    for (const named_t& n : named) {
        // the with-name labels have three parts, the others their value and unit
        const bool with_name = n.label == display_aux_label_1 || n.label == display_aux_label_2;
        QList<QLabel*> parts;
        if (with_name)
            parts << n.label->name_label;
        parts << n.label->value_label << n.label->unit_label;
        for (QLabel* l : parts)
            l->setObjectName(QString::fromLatin1(n.name));
    }
}

void MainWindow::set_list_page_enabled(bool enable)
{
    for (QWidget* w : {static_cast<QWidget*>(list_step_table), static_cast<QWidget*>(list_storage_button),
                       static_cast<QWidget*>(list_recall_button), static_cast<QWidget*>(list_up_button),
                       static_cast<QWidget*>(list_next_button), static_cast<QWidget*>(list_function_combo),
                       static_cast<QWidget*>(list_irange_combo), static_cast<QWidget*>(list_vrange_combo),
                       static_cast<QWidget*>(list_count_spin), static_cast<QWidget*>(list_step_spin)})
        w->setEnabled(enable);
}

void MainWindow::set_prog_page_enabled(bool enable)
{
    for (QWidget* w : {static_cast<QWidget*>(program_steps_spin), static_cast<QWidget*>(program_storage_button),
                       static_cast<QWidget*>(program_recall_button)})
        w->setEnabled(enable);
    // The table's cells are switched, not the table: a disabled widget
    // disables its scroll bars too, and the steps must stay scrollable.
    program_result_table->viewport()->setEnabled(enable);
    program_result_table->horizontalScrollBar()->setEnabled(true);
}

void MainWindow::enable_list_controls(bool enable)
{
    set_list_page_enabled(enable);
}

void MainWindow::enable_program_controls(bool enable)
{
    set_prog_page_enabled(enable);
}
