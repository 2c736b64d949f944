// Basic panel, dynamic (transient) form: the Dynamic box, the transient
// mode buttons and the replies of the dynamic requests.
#include "mymainwindow.h"

#include "mymainwindow_basic_roles.h"
#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "uiPara.h"

using namespace basic_roles;

void MyMainWindow::on_checkBox_Dynamic_Basic_clicked()
{
    const bool checked = ui->checkBox_Dynamic_Basic->isChecked();
    if (!is_connected) {
        is_dynamic = checked;
        init_Basic_Config_By_Mode(basic_mode);
        return;
    }
    if (load_switch->getSelectedItem()) {
        recover_change_when_load_on_basic();
        return;
    }
    is_dynamic = checked;
    if (!checked) {
        // Back to the static form: the mode button sends the static function.
        mode_button(*this, basic_mode);
        return;
    }
    write_list.clear();
    query_list.clear();
    write_list << (valid_function(basic_mode) ? QStringLiteral("FUNC:TRAN ") + dyn_word(basic_mode) : QString());
    query_list << QStringLiteral("FUNC:TRAN?");
    post_basic(*this, 88 + dyn_offset(basic_mode), write_list, query_list, {ui->checkBox_Dynamic_Basic});
}

namespace {

// A transient mode radio: the mode word written, then read back alone.
void transient_mode_button(MyMainWindow& w, QWidget* radio, const char* word)
{
    if (!w.is_connected)
        return;
    if (w.load_switch->getSelectedItem()) {
        w.recover_change_when_load_on_basic();
        return;
    }
    if (!valid_function(w.basic_mode))
        return;
    const QString prefix = dyn_prefix(w.basic_mode);
    post_basic(w, 92 + dyn_offset(w.basic_mode),
               {prefix + QStringLiteral(":TRAN:MODE ") + QLatin1String(word), QString()},
               {QString(), prefix + QStringLiteral(":TRAN:MODE?")}, {radio});
}

// The function of a dynamic operation code (blocks of four: CC, CP, CV, CR).
int function_of_code(int op, int first)
{
    static const int functions[4] = {fn_cc, fn_cp, fn_cv, fn_cr};
    const int i = op - first;
    return i >= 0 && i < 4 ? functions[i] : -1;
}

// The store setter of one dynamic field for each function, indexed by
// basic_mode (CC, CV, CR, CP).
using int_setter_t = void (uiPara::*)(int);
using double_setter_t = void (uiPara::*)(double);

void store_dyn_int(int op, int first, int value, const int_setter_t (&setters)[4])
{
    const int fn = function_of_code(op, first);
    if (fn >= 0)
        (uiPara::instance()->*setters[fn])(value);
}

// A level or width reply: reply 0 as a number into the function's field.
void store_dyn_level(MyMainWindow& w, const QList<QString>& value, int op, int first,
                     const double_setter_t (&setters)[4], const char* where)
{
    const int fn = function_of_code(op, first);
    if (fn >= 0 && has_replies(value, 1, where))
        (uiPara::instance()->*setters[fn])(value.at(0).toDouble());
    w.request_measure();
}

} // namespace

void MyMainWindow::on_radioButton_Cont_Basic_clicked()
{
    transient_mode_button(*this, ui->radioButton_Cont_Basic, "CONTINUOUS");
}

void MyMainWindow::on_radioButton_Plus_Basic_clicked()
{
    transient_mode_button(*this, ui->radioButton_Plus_Basic, "PULSE");
}

void MyMainWindow::on_radioButton_Tog_Basic_clicked()
{
    transient_mode_button(*this, ui->radioButton_Tog_Basic, "TOGGLE");
}

// ---- replies

void MyMainWindow::deal_dyn_func_operating_button(QList<QString>, QList<QWidget*>, int button_model)
{
    const int fn = function_of_code(button_model, 88);
    if (fn >= 0)
        basic_mode = fn;
    is_dynamic = true;
    // The load is in its transient function now, whatever page came before:
    // the poll and the Short button go by it.
    func_code = 5;
    init_Basic_Config_By_Mode(basic_mode);
    request_measure();
}

void MyMainWindow::deal_dyn_mode_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    if (!has_replies(value, 1, "deal_dyn_mode_operating_button")) {
        request_measure();
        return;
    }
    const QString& reply = value.at(0);
    int mode = tran_continuous;
    if (reply == QLatin1String("CONTINUOUS\n")) {
        ui->radioButton_Cont_Basic->setChecked(true);
        mode = tran_continuous;
    } else if (reply == QLatin1String("PULSE\n")) {
        ui->radioButton_Plus_Basic->setChecked(true);
        mode = tran_pulse;
    } else if (reply == QLatin1String("TOGGLE\n")) {
        ui->radioButton_Tog_Basic->setChecked(true);
        mode = tran_toggle;
    }
    static const int_setter_t setters[4] = {&uiPara::set_dyn_cc_mode, &uiPara::set_dyn_cv_mode,
                                            &uiPara::set_dyn_cr_mode, &uiPara::set_dyn_cp_mode};
    store_dyn_int(button_model, 92, mode, setters);
    request_measure();
}

void MyMainWindow::deal_dyn_irange_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    if (has_replies(value, 1, "deal_dyn_irange_operating_button")) {
        static const int_setter_t setters[4] = {&uiPara::set_dyn_cc_i_range, &uiPara::set_dyn_cv_i_range,
                                                &uiPara::set_dyn_cr_i_range, &uiPara::set_dyn_cp_i_range};
        store_dyn_int(button_model, 96, current_range_index(value.at(0)), setters);
    }
    request_measure();
}

void MyMainWindow::deal_dyn_vrange_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    if (has_replies(value, 1, "deal_dyn_vrange_operating_button")) {
        static const int_setter_t setters[4] = {&uiPara::set_dyn_cc_v_range, &uiPara::set_dyn_cv_v_range,
                                                &uiPara::set_dyn_cr_v_range, &uiPara::set_dyn_cp_v_range};
        store_dyn_int(button_model, 100, voltage_range_index(value.at(0)), setters);
    }
    request_measure();
}

void MyMainWindow::deal_dyn_alevel_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    static const double_setter_t setters[4] = {&uiPara::set_dyn_cc_a_level, &uiPara::set_dyn_cv_a_level,
                                               &uiPara::set_dyn_cr_a_level, &uiPara::set_dyn_cp_a_level};
    store_dyn_level(*this, value, button_model, 110, setters, "deal_dyn_alevel_operating_button");
}

void MyMainWindow::deal_dyn_blevel_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    static const double_setter_t setters[4] = {&uiPara::set_dyn_cc_b_level, &uiPara::set_dyn_cv_b_level,
                                               &uiPara::set_dyn_cr_b_level, &uiPara::set_dyn_cp_b_level};
    store_dyn_level(*this, value, button_model, 114, setters, "deal_dyn_blevel_operating_button");
}

void MyMainWindow::deal_dyn_awidth_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    static const double_setter_t setters[4] = {&uiPara::set_dyn_cc_a_width, &uiPara::set_dyn_cv_a_width,
                                               &uiPara::set_dyn_cr_a_width, &uiPara::set_dyn_cp_a_width};
    store_dyn_level(*this, value, button_model, 118, setters, "deal_dyn_awidth_operating_button");
}

void MyMainWindow::deal_dyn_bwidth_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    static const double_setter_t setters[4] = {&uiPara::set_dyn_cc_b_width, &uiPara::set_dyn_cv_b_width,
                                               &uiPara::set_dyn_cr_b_width, &uiPara::set_dyn_cp_b_width};
    store_dyn_level(*this, value, button_model, 122, setters, "deal_dyn_bwidth_operating_button");
}

void MyMainWindow::deal_dyn_width_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    static const double_setter_t setters[4] = {&uiPara::set_dyn_cc_width, &uiPara::set_dyn_cv_width,
                                               &uiPara::set_dyn_cr_width, &uiPara::set_dyn_cp_width};
    store_dyn_level(*this, value, button_model, 126, setters, "deal_dyn_width_operating_button");
}

namespace {

// Both transient slews from a reply (the edge just set first), then the
// slope rule against the other edge's box as it shows after the store.
void store_dyn_slews(MyMainWindow& w, const QList<QString>& value, bool rise_set)
{
    if (!has_replies(value, 2, rise_set ? "deal_dyn_slew_ris_operating_button" : "deal_dyn_slew_fal_operating_button")) {
        w.request_measure();
        return;
    }
    const double set = value.at(0).toDouble();
    const double other_edge = value.at(1).toDouble();
    uiPara* para = uiPara::instance();
    para->set_dyn_cc_ris(rise_set ? set : other_edge);
    para->set_dyn_cc_fal(rise_set ? other_edge : set);
    w.request_measure();
    const int mode = para->get_dyn_cc_mode();
    const int box = dyn_role_box(fn_cc, mode, rise_set ? role_fall : role_rise);
    if (MyDoubleSpinBox* other = value_box(w.ui, box))
        check_slopes(w, set, other->value());
}

} // namespace

void MyMainWindow::deal_dyn_slew_ris_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_dyn_slews(*this, value, true);
}

void MyMainWindow::deal_dyn_slew_fal_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_dyn_slews(*this, value, false);
}
