// Basic panel layout: the page entry, the page's shape per function and
// form, and the range setters that put a range onto buttons and limits.
#include "mymainwindow.h"

#include "mymainwindow_basic_roles.h"
#include "ui_mymainwindow.h"

#include "uiPara.h"

using namespace basic_roles;

namespace {

// One value row as the layout shows it; a null name hides the row.
struct row_spec_t {
    const char* name;
    const char* unit; // UTF-8, not translated
    int decimals;
};
const row_spec_t hidden_row = {nullptr, nullptr, 0};
const char* const ohm = "\xce\xa9";

// Static rows 1..3 per function (LED counted as function 4); rows 4..6 are
// always hidden in the static form.
const row_spec_t static_rows[5][3] = {
    {{QT_TRANSLATE_NOOP("MyMainWindow", "Current :"), "A", level_decimals},
     {QT_TRANSLATE_NOOP("MyMainWindow", "Slew_RIS :"), "A/us", level_decimals},
     {QT_TRANSLATE_NOOP("MyMainWindow", "Slew_FAL :"), "A/us", level_decimals}},
    {{QT_TRANSLATE_NOOP("MyMainWindow", "Voltage :"), "V", level_decimals}, hidden_row, hidden_row},
    {{QT_TRANSLATE_NOOP("MyMainWindow", "Resistance :"), ohm, level_decimals}, hidden_row, hidden_row},
    {{QT_TRANSLATE_NOOP("MyMainWindow", "Power :"), "W", level_decimals}, hidden_row, hidden_row},
    {{QT_TRANSLATE_NOOP("MyMainWindow", "Io :"), "A", level_decimals},
     {QT_TRANSLATE_NOOP("MyMainWindow", "Vo :"), "V", level_decimals},
     {QT_TRANSLATE_NOOP("MyMainWindow", "Rco :"), "", level_decimals}},
};
const int static_led = 4;

// Dynamic row of a role; the level unit depends on the function.
row_spec_t dyn_row(dyn_role_t role, const char* level_unit)
{
    switch (role) {
    case role_alev: return {QT_TRANSLATE_NOOP("MyMainWindow", "A_Level :"), level_unit, level_decimals};
    case role_blev: return {QT_TRANSLATE_NOOP("MyMainWindow", "B_Level :"), level_unit, level_decimals};
    case role_awid: return {QT_TRANSLATE_NOOP("MyMainWindow", "A_Width :"), "s", width_decimals};
    case role_bwid: return {QT_TRANSLATE_NOOP("MyMainWindow", "B_Width :"), "s", width_decimals};
    case role_width: return {QT_TRANSLATE_NOOP("MyMainWindow", "Width :"), "s", width_decimals};
    case role_rise: return {QT_TRANSLATE_NOOP("MyMainWindow", "Slew_RIS :"), "A/us", level_decimals};
    case role_fall: return {QT_TRANSLATE_NOOP("MyMainWindow", "Slew_FAL :"), "A/us", level_decimals};
    default: return hidden_row;
    }
}

void show_row(MyMainWindow& w, int box, const row_spec_t& spec)
{
    const row_t row = value_row(w.ui, box);
    if (!spec.name) {
        w.show_items_2(row.name, row.box, row.unit, false, QString(), QString());
        return;
    }
    // Decimals first: they round the value the box holds.
    row.box->setDecimals(spec.decimals);
    w.show_items_2(row.name, row.box, row.unit, true, MyMainWindow::tr(spec.name), QString::fromUtf8(spec.unit));
}

void set_current_scale(Ui_MyMainWindow* ui, const limits_t& l)
{
    set_limits(ui->doubleSpinBox_C_MAX, l);
    set_limits(ui->doubleSpinBox_C_MIN, l);
}

void set_voltage_scale(Ui_MyMainWindow* ui, const limits_t& l)
{
    set_limits(ui->doubleSpinBox_V_MAX, l);
    set_limits(ui->doubleSpinBox_V_MIN, l);
}

} // namespace

void MyMainWindow::show_basic_page()
{
    show_config_page(ui->groupBox_Config_Basic);
    ui->radioButton_om_Basic->setChecked(true);
    ui->label_C_Add->hide();
    ui->pushButton_Short->setEnabled(true);
    update_state_vis(false, 3);
}

void MyMainWindow::init_Basic()
{
    show_basic_page();
    if (is_connected) {
        // Re-send the load's present function as its mode button does.
        mode_button(*this, basic_mode);
        return;
    }
    // Offline defaults.
    basic_mode = fn_cc;
    is_dynamic = false;
    init_Basic_Config_By_Mode(fn_cc);
    ui->radioButton_CC_Basic->setChecked(true);
    ui->radioButton_36V_Basic->setChecked(true);
    ui->radioButton_5A_Basic->setChecked(true);
    ui->doubleSpinBox_1_Basic->setValue(3.0);
    ui->doubleSpinBox_2_Basic->setValue(0.5);
    ui->doubleSpinBox_3_Basic->setValue(0.5);
}

void MyMainWindow::init_Basic_Config_By_Mode(int mode)
{
    uiPara* para = uiPara::instance();
    ui->radioButton_Cont_Basic->setChecked(true);
    const bool ext_labels = time_test_flag && !is_dynamic && !is_led;
    ui->label_Ext->setVisible(ext_labels);
    ui->label_Ext_Set->setVisible(ext_labels);

    int tran_mode = tran_continuous;
    if (valid_function(mode)) {
        // Mode button and the boxes that go with it.
        QRadioButton* const buttons[4] = {ui->radioButton_CC_Basic, ui->radioButton_CV_Basic,
                                          ui->radioButton_CR_Basic, ui->radioButton_CP_Basic};
        buttons[mode]->setChecked(true);
        const bool cr = mode == fn_cr;
        const bool led = cr && !is_dynamic && is_led;
        ui->radioButton_om_Basic->setEnabled(cr && !led);
        ui->checkBox_LED_Basic->setEnabled(cr && !is_dynamic);
        if (cr && !is_dynamic)
            ui->checkBox_LED_Basic->setChecked(is_led);
        ui->checkBox_Dynamic_Basic->setEnabled(!led);

        if (!is_dynamic) {
            // A static page never shows the Dynamic box checked.
            ui->checkBox_Dynamic_Basic->setChecked(false);
            const int fn = led ? static_led : mode;
            for (int box = 1; box <= value_rows; ++box)
                show_row(*this, box, box <= 3 ? static_rows[fn][box - 1] : hidden_row);
            if (led) {
                set_limits(ui->doubleSpinBox_3_Basic, rco_limits);
                update_static_led_irange(para->get_static_led_i_range());
                update_static_led_vrange(para->get_static_led_v_range());
                update_static_led_io(para->get_static_led_io());
                update_static_led_vo(para->get_static_led_vo());
                update_static_led_rco(para->get_static_led_rco());
            } else if (mode == fn_cc) {
                update_static_cc_irange(para->get_static_cc_i_range());
                update_static_cc_vrange(para->get_static_cc_v_range());
                update_static_cc_i(para->get_static_cc_i());
                update_static_cc_ris(para->get_static_cc_ris());
                update_static_cc_fal(para->get_static_cc_fal());
            } else if (mode == fn_cv) {
                update_static_cv_irange(para->get_static_cv_i_range());
                update_static_cv_vrange(para->get_static_cv_v_range());
                update_static_cv_v(para->get_static_cv_v());
            } else if (mode == fn_cr) {
                set_limits(ui->doubleSpinBox_1_Basic, resistance_limits);
                update_static_cr_irange(para->get_static_cr_i_range());
                update_static_cr_vrange(para->get_static_cr_v_range());
                update_static_cr_r(para->get_static_cr_r());
            } else {
                set_limits(ui->doubleSpinBox_1_Basic, power_limits);
                update_static_cp_irange(para->get_static_cp_i_range());
                update_static_cp_vrange(para->get_static_cp_v_range());
                update_static_cp_p(para->get_static_cp_p());
            }
        } else {
            ui->checkBox_Dynamic_Basic->setChecked(true);
            ui->checkBox_Dynamic_Basic->setEnabled(true);
            tran_mode = clamp_tran_mode(para->get_dyn_mode_by_function(mode));
            QRadioButton* const tran_buttons[3] = {ui->radioButton_Cont_Basic, ui->radioButton_Plus_Basic,
                                                   ui->radioButton_Tog_Basic};
            tran_buttons[tran_mode]->setChecked(true);
            if (mode == fn_cr) {
                set_limits(ui->doubleSpinBox_1_Basic, resistance_limits);
                set_limits(ui->doubleSpinBox_2_Basic, resistance_limits);
            } else if (mode == fn_cp) {
                set_limits(ui->doubleSpinBox_1_Basic, power_limits);
                set_limits(ui->doubleSpinBox_2_Basic, power_limits);
            }
            const QByteArray unit = level_unit(mode).toUtf8();
            for (int box = 1; box <= value_rows; ++box) {
                const dyn_role_t role = dyn_role(mode, tran_mode, box);
                show_row(*this, box, dyn_row(role, unit.constData()));
                if (role == role_awid || role == role_bwid || role == role_width)
                    set_limits(value_box(ui, box), width_limits);
            }
            switch (mode) {
            case fn_cc:
                update_dyn_cc_irange(para->get_dyn_cc_i_range());
                update_dyn_cc_vrange(para->get_dyn_cc_v_range());
                update_dyn_cc_a_level(para->get_dyn_cc_a_level());
                update_dyn_cc_b_level(para->get_dyn_cc_b_level());
                if (tran_mode == tran_continuous) {
                    update_dyn_cc_a_width(para->get_dyn_cc_a_width());
                    update_dyn_cc_b_width(para->get_dyn_cc_b_width());
                } else if (tran_mode == tran_pulse) {
                    update_dyn_cc_width(para->get_dyn_cc_width());
                }
                update_dyn_cc_ris(para->get_dyn_cc_ris());
                update_dyn_cc_fal(para->get_dyn_cc_fal());
                break;
            case fn_cv:
                update_dyn_cv_irange(para->get_dyn_cv_i_range());
                update_dyn_cv_vrange(para->get_dyn_cv_v_range());
                update_dyn_cv_a_level(para->get_dyn_cv_a_level());
                update_dyn_cv_b_level(para->get_dyn_cv_b_level());
                if (tran_mode == tran_continuous) {
                    update_dyn_cv_a_width(para->get_dyn_cv_a_width());
                    update_dyn_cv_b_width(para->get_dyn_cv_b_width());
                } else if (tran_mode == tran_pulse) {
                    update_dyn_cv_width(para->get_dyn_cv_width());
                }
                break;
            case fn_cr:
                update_dyn_cr_irange(para->get_dyn_cr_i_range());
                update_dyn_cr_vrange(para->get_dyn_cr_v_range());
                update_dyn_cr_a_level(para->get_dyn_cr_a_level());
                update_dyn_cr_b_level(para->get_dyn_cr_b_level());
                if (tran_mode == tran_continuous) {
                    update_dyn_cr_a_width(para->get_dyn_cr_a_width());
                    update_dyn_cr_b_width(para->get_dyn_cr_b_width());
                } else if (tran_mode == tran_pulse) {
                    update_dyn_cr_width(para->get_dyn_cr_width());
                }
                break;
            default:
                update_dyn_cp_irange(para->get_dyn_cp_i_range());
                update_dyn_cp_vrange(para->get_dyn_cp_v_range());
                update_dyn_cp_a_level(para->get_dyn_cp_a_level());
                update_dyn_cp_b_level(para->get_dyn_cp_b_level());
                if (tran_mode == tran_continuous) {
                    update_dyn_cp_a_width(para->get_dyn_cp_a_width());
                    update_dyn_cp_b_width(para->get_dyn_cp_b_width());
                } else if (tran_mode == tran_pulse) {
                    update_dyn_cp_width(para->get_dyn_cp_width());
                }
                break;
            }
        }
    }

    // The dynamic-mode buttons serve only the dynamic form; the trigger
    // starts a transition only in TOGGLE.
    for (QWidget* b : {static_cast<QWidget*>(ui->radioButton_Cont_Basic),
                       static_cast<QWidget*>(ui->radioButton_Plus_Basic),
                       static_cast<QWidget*>(ui->radioButton_Tog_Basic)})
        b->setEnabled(is_dynamic);
    ui->pushButton_Trig->setEnabled(is_dynamic && tran_mode == tran_toggle);
}

void MyMainWindow::on_radioButton_om_Basic_clicked()
{
    // The only resistance range: it stays chosen.
    ui->radioButton_om_Basic->setChecked(true);
}

// ---- range setters

void MyMainWindow::set_static_cc_irange_ui(int range)
{
    if (range != 0 && range != 1)
        return;
    (range == 0 ? ui->radioButton_5A_Basic : ui->radioButton_30A_Basic)->setChecked(true);
    set_current_scale(ui, current_limits[range]);
    set_limits(ui->doubleSpinBox_1_Basic, current_limits[range]);
    set_limits(ui->doubleSpinBox_2_Basic, slew_limits[range]);
    set_limits(ui->doubleSpinBox_3_Basic, slew_limits[range]);
}

void MyMainWindow::set_static_cv_vrange_ui(int range)
{
    if (range != 0 && range != 1)
        return;
    (range == 0 ? ui->radioButton_36V_Basic : ui->radioButton_150V_Basic)->setChecked(true);
    set_voltage_scale(ui, voltage_limits[range]);
    set_limits(ui->doubleSpinBox_1_Basic, voltage_limits[range]);
}

void MyMainWindow::set_dyn_cv_vrange_ui(int range)
{
    if (range != 0 && range != 1)
        return;
    (range == 0 ? ui->radioButton_36V_Basic : ui->radioButton_150V_Basic)->setChecked(true);
    set_voltage_scale(ui, voltage_limits[range]);
    set_limits(ui->doubleSpinBox_1_Basic, voltage_limits[range]);
    set_limits(ui->doubleSpinBox_2_Basic, voltage_limits[range]);
}

void MyMainWindow::set_dyn_cc_irange_ui(int range)
{
    if (range != 0 && range != 1)
        return;
    (range == 0 ? ui->radioButton_5A_Basic : ui->radioButton_30A_Basic)->setChecked(true);
    set_current_scale(ui, current_limits[range]);
    set_limits(ui->doubleSpinBox_1_Basic, current_limits[range]);
    set_limits(ui->doubleSpinBox_2_Basic, current_limits[range]);
    const int mode = uiPara::instance()->get_dyn_cc_mode();
    set_limits(value_box(ui, dyn_role_box(fn_cc, mode, role_rise)), slew_limits[range]);
    set_limits(value_box(ui, dyn_role_box(fn_cc, mode, role_fall)), slew_limits[range]);
}

void MyMainWindow::set_static_cr_r_ui(double r)
{
    set_limits(ui->doubleSpinBox_1_Basic, resistance_limits);
    ui->doubleSpinBox_1_Basic->setValue(r);
}

void MyMainWindow::set_static_cp_p_ui(double p)
{
    set_limits(ui->doubleSpinBox_1_Basic, power_limits);
    ui->doubleSpinBox_1_Basic->setValue(p);
}
