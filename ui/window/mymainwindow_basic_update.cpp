// Basic panel display updates: each store field of the Basic page redraws
// its widget while the page shows that field's function and form.
#include "mymainwindow.h"

#include "mymainwindow_basic_roles.h"
#include "ui_mymainwindow.h"

#include "uiPara.h"

using namespace basic_roles;

namespace {

// Static functions as the update slots tell them apart.
enum shown_static_t { show_cc, show_cv, show_cr, show_cp, show_led };

bool static_shown(const MyMainWindow& w, shown_static_t fn)
{
    if (w.is_dynamic)
        return false;
    switch (fn) {
    case show_cc: return w.basic_mode == fn_cc;
    case show_cv: return w.basic_mode == fn_cv;
    case show_cr: return w.basic_mode == fn_cr && !w.is_led;
    case show_led: return w.basic_mode == fn_cr && w.is_led;
    case show_cp: return w.basic_mode == fn_cp;
    }
    return false;
}

bool dynamic_shown(const MyMainWindow& w, int function)
{
    return w.is_dynamic && w.basic_mode == function;
}

void set_box(Ui_MyMainWindow* ui, int box, double value)
{
    if (MyDoubleSpinBox* b = value_box(ui, box))
        b->setValue(value);
}

// Current range kind: the buttons and the trend's current scale; an extra
// box takes the level limits (LED's Io).
void show_current_range(Ui_MyMainWindow* ui, int range, QDoubleSpinBox* level_box = nullptr)
{
    if (range != 0 && range != 1)
        return;
    (range == 0 ? ui->radioButton_5A_Basic : ui->radioButton_30A_Basic)->setChecked(true);
    set_limits(ui->doubleSpinBox_C_MAX, current_limits[range]);
    set_limits(ui->doubleSpinBox_C_MIN, current_limits[range]);
    set_limits(level_box, current_limits[range]);
}

void show_voltage_range(Ui_MyMainWindow* ui, int range, QDoubleSpinBox* level_box = nullptr)
{
    if (range != 0 && range != 1)
        return;
    (range == 0 ? ui->radioButton_36V_Basic : ui->radioButton_150V_Basic)->setChecked(true);
    set_limits(ui->doubleSpinBox_V_MAX, voltage_limits[range]);
    set_limits(ui->doubleSpinBox_V_MIN, voltage_limits[range]);
    set_limits(level_box, voltage_limits[range]);
}

// A dynamic field shown in the row its role has in the function's present
// transient form (no row: nothing to draw).
void show_dyn_role(MyMainWindow& w, int function, dyn_role_t role, double value)
{
    if (!dynamic_shown(w, function))
        return;
    const int mode = uiPara::instance()->get_dyn_mode_by_function(function);
    set_box(w.ui, dyn_role_box(function, mode, role), value);
}

void relayout_dyn(MyMainWindow& w, int function)
{
    if (dynamic_shown(w, function))
        w.init_Basic_Config_By_Mode(function);
}

} // namespace

// ---- static fields

void MyMainWindow::update_static_cc_irange(int value)
{
    if (static_shown(*this, show_cc))
        set_static_cc_irange_ui(value);
}

void MyMainWindow::update_static_cc_vrange(int value)
{
    if (static_shown(*this, show_cc))
        show_voltage_range(ui, value);
}

void MyMainWindow::update_static_cc_i(double value)
{
    if (static_shown(*this, show_cc))
        set_box(ui, 1, value);
}

void MyMainWindow::update_static_cc_ris(double value)
{
    if (static_shown(*this, show_cc))
        set_box(ui, 2, value);
}

void MyMainWindow::update_static_cc_fal(double value)
{
    if (static_shown(*this, show_cc))
        set_box(ui, 3, value);
}

void MyMainWindow::update_static_cv_irange(int value)
{
    if (static_shown(*this, show_cv))
        show_current_range(ui, value);
}

void MyMainWindow::update_static_cv_vrange(int value)
{
    if (static_shown(*this, show_cv))
        set_static_cv_vrange_ui(value);
}

void MyMainWindow::update_static_cv_v(double value)
{
    if (static_shown(*this, show_cv))
        set_box(ui, 1, value);
}

void MyMainWindow::update_static_cr_irange(int value)
{
    if (static_shown(*this, show_cr))
        show_current_range(ui, value);
}

void MyMainWindow::update_static_cr_vrange(int value)
{
    if (static_shown(*this, show_cr))
        show_voltage_range(ui, value);
}

void MyMainWindow::update_static_cr_r(double value)
{
    if (static_shown(*this, show_cr))
        set_static_cr_r_ui(value);
}

void MyMainWindow::update_static_cp_irange(int value)
{
    if (static_shown(*this, show_cp))
        show_current_range(ui, value);
}

void MyMainWindow::update_static_cp_vrange(int value)
{
    if (static_shown(*this, show_cp))
        show_voltage_range(ui, value);
}

void MyMainWindow::update_static_cp_p(double value)
{
    if (static_shown(*this, show_cp))
        set_static_cp_p_ui(value);
}

void MyMainWindow::update_static_led_irange(int value)
{
    if (static_shown(*this, show_led))
        show_current_range(ui, value, ui->doubleSpinBox_1_Basic);
}

void MyMainWindow::update_static_led_vrange(int value)
{
    if (static_shown(*this, show_led))
        show_voltage_range(ui, value, ui->doubleSpinBox_2_Basic);
}

void MyMainWindow::update_static_led_io(double value)
{
    if (static_shown(*this, show_led))
        set_box(ui, 1, value);
}

void MyMainWindow::update_static_led_vo(double value)
{
    if (static_shown(*this, show_led))
        set_box(ui, 2, value);
}

void MyMainWindow::update_static_led_rco(double value)
{
    if (static_shown(*this, show_led))
        set_box(ui, 3, value);
}

// ---- dynamic fields: CC

void MyMainWindow::update_dyn_cc_mode(int) { relayout_dyn(*this, fn_cc); }

void MyMainWindow::update_dyn_cc_irange(int value)
{
    if (dynamic_shown(*this, fn_cc))
        set_dyn_cc_irange_ui(value);
}

void MyMainWindow::update_dyn_cc_vrange(int value)
{
    if (dynamic_shown(*this, fn_cc))
        show_voltage_range(ui, value);
}

void MyMainWindow::update_dyn_cc_a_level(double value) { show_dyn_role(*this, fn_cc, role_alev, value); }
void MyMainWindow::update_dyn_cc_b_level(double value) { show_dyn_role(*this, fn_cc, role_blev, value); }
void MyMainWindow::update_dyn_cc_a_width(double value) { show_dyn_role(*this, fn_cc, role_awid, value); }
void MyMainWindow::update_dyn_cc_b_width(double value) { show_dyn_role(*this, fn_cc, role_bwid, value); }
void MyMainWindow::update_dyn_cc_width(double value) { show_dyn_role(*this, fn_cc, role_width, value); }
void MyMainWindow::update_dyn_cc_ris(double value) { show_dyn_role(*this, fn_cc, role_rise, value); }
void MyMainWindow::update_dyn_cc_fal(double value) { show_dyn_role(*this, fn_cc, role_fall, value); }

// ---- dynamic fields: CV

void MyMainWindow::update_dyn_cv_mode(int) { relayout_dyn(*this, fn_cv); }

void MyMainWindow::update_dyn_cv_irange(int value)
{
    if (dynamic_shown(*this, fn_cv))
        show_current_range(ui, value);
}

void MyMainWindow::update_dyn_cv_vrange(int value)
{
    if (dynamic_shown(*this, fn_cv))
        set_dyn_cv_vrange_ui(value);
}

void MyMainWindow::update_dyn_cv_a_level(double value) { show_dyn_role(*this, fn_cv, role_alev, value); }
void MyMainWindow::update_dyn_cv_b_level(double value) { show_dyn_role(*this, fn_cv, role_blev, value); }
void MyMainWindow::update_dyn_cv_a_width(double value) { show_dyn_role(*this, fn_cv, role_awid, value); }
void MyMainWindow::update_dyn_cv_b_width(double value) { show_dyn_role(*this, fn_cv, role_bwid, value); }
void MyMainWindow::update_dyn_cv_width(double value) { show_dyn_role(*this, fn_cv, role_width, value); }

// ---- dynamic fields: CR

void MyMainWindow::update_dyn_cr_mode(int) { relayout_dyn(*this, fn_cr); }

void MyMainWindow::update_dyn_cr_irange(int value)
{
    if (dynamic_shown(*this, fn_cr))
        show_current_range(ui, value);
}

void MyMainWindow::update_dyn_cr_vrange(int value)
{
    if (dynamic_shown(*this, fn_cr))
        show_voltage_range(ui, value);
}

void MyMainWindow::update_dyn_cr_a_level(double value) { show_dyn_role(*this, fn_cr, role_alev, value); }
void MyMainWindow::update_dyn_cr_b_level(double value) { show_dyn_role(*this, fn_cr, role_blev, value); }
void MyMainWindow::update_dyn_cr_a_width(double value) { show_dyn_role(*this, fn_cr, role_awid, value); }
void MyMainWindow::update_dyn_cr_b_width(double value) { show_dyn_role(*this, fn_cr, role_bwid, value); }
void MyMainWindow::update_dyn_cr_width(double value) { show_dyn_role(*this, fn_cr, role_width, value); }

// ---- dynamic fields: CP

void MyMainWindow::update_dyn_cp_mode(int) { relayout_dyn(*this, fn_cp); }

void MyMainWindow::update_dyn_cp_irange(int value)
{
    if (dynamic_shown(*this, fn_cp))
        show_current_range(ui, value);
}

void MyMainWindow::update_dyn_cp_vrange(int value)
{
    if (dynamic_shown(*this, fn_cp))
        show_voltage_range(ui, value);
}

void MyMainWindow::update_dyn_cp_a_level(double value) { show_dyn_role(*this, fn_cp, role_alev, value); }
void MyMainWindow::update_dyn_cp_b_level(double value) { show_dyn_role(*this, fn_cp, role_blev, value); }
void MyMainWindow::update_dyn_cp_a_width(double value) { show_dyn_role(*this, fn_cp, role_awid, value); }
void MyMainWindow::update_dyn_cp_b_width(double value) { show_dyn_role(*this, fn_cp, role_bwid, value); }
void MyMainWindow::update_dyn_cp_width(double value) { show_dyn_role(*this, fn_cp, role_width, value); }
