// Protect panel: the OCP (current sweep) and OPP (power sweep) tests' set-up.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "MyDoubleSpinBox.h"
#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "uiPara.h"

#include <QDebug>

namespace {

const int protect_page = 1;
const int op_func = 132;
const int op_ocp_irange = 133;
const int op_ocp_vrange = 134;
const int op_ocp_first_value = 135;
// The OPP code of a setting is its OCP code plus this.
const int opp_offset = 9;

// The seven numeric settings, in the order of their operation codes
// (OCP 135..141, OPP 144..150).
struct protect_row_t {
    const char* word; // after "OCP:" / "OPP:"
    MyDoubleSpinBox* Ui_MyMainWindow::*box;
    double (uiPara::*get_ocp)() const;
    void (uiPara::*set_ocp)(double);
    double (uiPara::*get_opp)() const;
    void (uiPara::*set_opp)(double);
};

const protect_row_t protect_rows[] = {
    {"VOLT", &Ui_MyMainWindow::doubleSpinBox_Protect_Val, &uiPara::get_ocpt_v, &uiPara::set_ocpt_v,
     &uiPara::get_oppt_v, &uiPara::set_oppt_v},
    {"STEP", &Ui_MyMainWindow::doubleSpinBox_Protect_Step, &uiPara::get_ocpt_i_step, &uiPara::set_ocpt_i_step,
     &uiPara::get_oppt_p_step, &uiPara::set_oppt_p_step},
    {"STAR", &Ui_MyMainWindow::doubleSpinBox_Protect_Start, &uiPara::get_ocpt_i_start, &uiPara::set_ocpt_i_start,
     &uiPara::get_oppt_p_start, &uiPara::set_oppt_p_start},
    {"END", &Ui_MyMainWindow::doubleSpinBox_Protect_End, &uiPara::get_ocpt_i_end, &uiPara::set_ocpt_i_end,
     &uiPara::get_oppt_p_end, &uiPara::set_oppt_p_end},
    {"MIN", &Ui_MyMainWindow::doubleSpinBox_Protect_Min, &uiPara::get_ocpt_i_min, &uiPara::set_ocpt_i_min,
     &uiPara::get_oppt_p_min, &uiPara::set_oppt_p_min},
    {"MAX", &Ui_MyMainWindow::doubleSpinBox_Protect_Max, &uiPara::get_ocpt_i_max, &uiPara::set_ocpt_i_max,
     &uiPara::get_oppt_p_max, &uiPara::set_oppt_p_max},
    {"STEP:DEL", &Ui_MyMainWindow::doubleSpinBox_Protect_Delay, &uiPara::get_ocpt_delay, &uiPara::set_ocpt_delay,
     &uiPara::get_oppt_delay, &uiPara::set_oppt_delay},
};
const int row_volt = 0, row_step = 1, row_start = 2, row_end = 3, row_min = 4, row_max = 5, row_delay = 6;

// What the boxes can hold: the load's full current range for the OCP test's
// amperes, its rated power (at most 999 W by model number) for the OPP
// test's watts, the 150 V range for the trip voltage.
struct box_limits_t {
    double low, high;
    int decimals;
};
const box_limits_t amps_limits = {0, 30, 3};
const box_limits_t watts_limits = {0, 999.99, 2};
const box_limits_t volts_limits = {0, 150, 3};
const box_limits_t delay_limits = {0, 100, 3};

QString test_prefix(int mode)
{
    return mode == 0 ? QStringLiteral("OCP:") : QStringLiteral("OPP:");
}

// The row of a value operation (OCP or OPP), -1 for any other code.
int row_of(int op)
{
    const int count = int(sizeof(protect_rows) / sizeof(protect_rows[0]));
    for (int opp = 0; opp < 2; ++opp) {
        const int first = op_ocp_first_value + opp * opp_offset;
        if (op >= first && op < first + count)
            return op - first;
    }
    return -1;
}

bool is_opp_op(int op)
{
    return op >= op_ocp_irange + opp_offset;
}

void apply_limits(QDoubleSpinBox* box, const box_limits_t& l)
{
    box->setDecimals(l.decimals);
    box->setRange(l.low, l.high);
}

} // namespace

void MyMainWindow::init_Protect()
{
    show_config_page(ui->groupBox_Config_Protect);
    ui->label_C_Add->hide();
    ui->label_Ext->hide();
    ui->label_Ext_Set->hide();
    ui->pushButton_Short->setEnabled(false);
    ui->pushButton_Trig->setEnabled(false);
    update_state_vis(false, 3);
    set_protect_limits(protect_mode);
    if (!is_connected) {
        ui->radioButton_5A_Protect->setChecked(true);
        ui->radioButton_36V_Protect->setChecked(true);
        const double offline[] = {1, 1, 0, 1, 1, 5, 1}; // volt, step, start, end, min, max, delay
        for (int r = row_volt; r <= row_delay; ++r)
            (ui->*protect_rows[r].box)->setValue(offline[r]);
        return;
    }
    // Showing the page selects the stored test on the load again.
    if (protect_mode == 0)
        on_radioButton_OCPT_clicked();
    else
        on_radioButton_OPPT_clicked();
}

void MyMainWindow::set_protect_limits(int mode)
{
    apply_limits(ui->doubleSpinBox_Protect_Val, volts_limits);
    for (int r = row_step; r <= row_max; ++r)
        apply_limits(ui->*protect_rows[r].box, mode == 0 ? amps_limits : watts_limits);
    apply_limits(ui->doubleSpinBox_Protect_Delay, delay_limits);
}

void MyMainWindow::init_Protect_config_by_mode(int mode)
{
    const bool ocp = mode == 0;
    (ocp ? ui->radioButton_OCPT : ui->radioButton_OPPT)->setChecked(true);
    ui->label_ValueName_Protect_Val->setText(ocp ? tr("OCP V:") : tr("OPP V:"));
    const QString unit = ocp ? QStringLiteral("A") : QStringLiteral("W");
    for (QLabel* l : {ui->label_unit_Protect_Step, ui->label_unit_Protect_Start, ui->label_unit_Protect_End,
                      ui->label_unit_Protect_Min, ui->label_unit_Protect_Max})
        l->setText(unit);
    set_protect_limits(mode);
    uiPara* para = uiPara::instance();
    if (ocp) {
        update_ocpt_i_range(para->get_ocpt_i_range());
        update_ocpt_v_range(para->get_ocpt_v_range());
    } else {
        update_oppt_i_range(para->get_oppt_i_range());
        update_oppt_v_range(para->get_oppt_v_range());
    }
    if (mode_page != protect_page || protect_mode != (ocp ? 0 : 1))
        return;
    for (const protect_row_t& row : protect_rows)
        (ui->*row.box)->setValue((para->*(ocp ? row.get_ocp : row.get_opp))());
}

void MyMainWindow::on_radioButton_OCPT_clicked()
{
    if (!is_connected)
        return;
    protect_mode = 0;
    write_list.clear();
    query_list.clear();
    write_list << QStringLiteral("OCP:FUNC");
    query_list << QStringLiteral("FUNC:MODE?");
    cfg_thread->add_request(op_func, write_list, query_list, QList<QWidget*>(), false, page_visit, false, QByteArray());
    init_Protect_config_by_mode(protect_mode);
}

void MyMainWindow::on_radioButton_OPPT_clicked()
{
    if (!is_connected)
        return;
    protect_mode = 1;
    write_list.clear();
    query_list.clear();
    write_list << QStringLiteral("OPP:FUNC");
    query_list << QStringLiteral("FUNC:MODE?");
    cfg_thread->add_request(op_func, write_list, query_list, QList<QWidget*>(), false, page_visit, false, QByteArray());
    init_Protect_config_by_mode(protect_mode);
}

// ---- ranges --------------------------------------------------------------------

namespace {
struct protect_range_t {
    QRadioButton* Ui_MyMainWindow::*button;
    bool current; // IRANG, else VRANG
    const char* value;
};
const protect_range_t protect_ranges[] = {
    {&Ui_MyMainWindow::radioButton_5A_Protect, true, "5"},
    {&Ui_MyMainWindow::radioButton_30A_Protect, true, "30"},
    {&Ui_MyMainWindow::radioButton_36V_Protect, false, "36"},
    {&Ui_MyMainWindow::radioButton_150V_Protect, false, "150"},
};
} // namespace

void MyMainWindow::send_protect_range(int index)
{
    if (!is_connected)
        return;
    const protect_range_t& r = protect_ranges[index];
    const QString head = test_prefix(protect_mode) + (r.current ? QStringLiteral("IRANG") : QStringLiteral("VRANG"));
    const int op = (r.current ? op_ocp_irange : op_ocp_vrange) + (protect_mode == 0 ? 0 : opp_offset);
    cfg_thread->add_request(op, {head + QLatin1Char(' ') + QLatin1String(r.value)}, {head + QLatin1Char('?')},
                            {ui->*r.button}, false, 0, false, QByteArray());
}

void MyMainWindow::on_radioButton_5A_Protect_clicked() { send_protect_range(0); }
void MyMainWindow::on_radioButton_30A_Protect_clicked() { send_protect_range(1); }
void MyMainWindow::on_radioButton_36V_Protect_clicked() { send_protect_range(2); }
void MyMainWindow::on_radioButton_150V_Protect_clicked() { send_protect_range(3); }

// ---- values --------------------------------------------------------------------

void MyMainWindow::send_protect_value(int row)
{
    if (!is_connected)
        return;
    const protect_row_t& r = protect_rows[row];
    MyDoubleSpinBox* box = ui->*r.box;
    const QString head = test_prefix(protect_mode) + QLatin1String(r.word);
    const int op = op_ocp_first_value + row + (protect_mode == 0 ? 0 : opp_offset);
    cfg_thread->add_request(op, {head + QLatin1Char(' ') + QString::number(box->value(), 'g', 6)},
                            {head + QLatin1Char('?')}, {box}, false, 0, false, QByteArray());
}

void MyMainWindow::on_doubleSpinBox_Protect_Val_sigUpdateValue() { send_protect_value(row_volt); }
void MyMainWindow::on_doubleSpinBox_Protect_Step_sigUpdateValue() { send_protect_value(row_step); }
void MyMainWindow::on_doubleSpinBox_Protect_Start_sigUpdateValue() { send_protect_value(row_start); }
void MyMainWindow::on_doubleSpinBox_Protect_End_sigUpdateValue() { send_protect_value(row_end); }
void MyMainWindow::on_doubleSpinBox_Protect_Max_sigUpdateValue() { send_protect_value(row_max); }
void MyMainWindow::on_doubleSpinBox_Protect_Min_sigUpdateValue() { send_protect_value(row_min); }
void MyMainWindow::on_doubleSpinBox_Protect_Delay_sigUpdateValue() { send_protect_value(row_delay); }

// ---- replies -------------------------------------------------------------------

void MyMainWindow::deal_over_protect_test_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets)
{
    if (op == op_func) {
        deal_over_protect_func_operating_button(replies, widgets);
        return;
    }
    switch (op) {
    case op_ocp_irange:
    case op_ocp_irange + opp_offset:
        deal_over_protect_test_irange_operating_button(replies, widgets, op);
        return;
    case op_ocp_vrange:
    case op_ocp_vrange + opp_offset:
        deal_over_protect_test_vrange_operating_button(replies, widgets, op);
        return;
    default:
        break;
    }
    using handler_t = void (MyMainWindow::*)(QList<QString>, QList<QWidget*>, int);
    static const handler_t handlers[] = {
        &MyMainWindow::deal_over_protect_test_v_operating_button,
        &MyMainWindow::deal_over_protect_test_step_operating_button,
        &MyMainWindow::deal_over_protect_test_start_operating_button,
        &MyMainWindow::deal_over_protect_test_end_operating_button,
        &MyMainWindow::deal_over_protect_test_min_operating_button,
        &MyMainWindow::deal_over_protect_test_max_operating_button,
        &MyMainWindow::deal_over_protect_test_dly_operating_button,
    };
    const int row = row_of(op);
    if (row >= 0)
        (this->*handlers[row])(replies, widgets, op);
}

void MyMainWindow::deal_over_protect_func_operating_button(QList<QString> value, QList<QWidget*>)
{
    // A late reply must not claim the page while another one is shown.
    if (!ui->groupBox_Config_Protect->isHidden())
        mode_page = protect_page;
    if (value.isEmpty()) {
        qDebug() << "MyMainWindow::deal_over_protect_func_operating_button: no reply";
        request_measure();
        return;
    }
    if (value.at(0) == QLatin1String("OCP\n")) {
        func_code = 6;
        protect_mode = 0;
        init_Protect_config_by_mode(0);
    } else if (value.at(0) == QLatin1String("OPP\n")) {
        func_code = 7;
        protect_mode = 1;
        init_Protect_config_by_mode(1);
    }
    request_measure();
}

void MyMainWindow::store_protect_range(bool current, int op, const QList<QString>& value)
{
    if (load_switch->getSelectedItem())
        show_warning(msg_turn_off_load);
    if (value.isEmpty()) {
        qDebug() << "MyMainWindow::store_protect_range: no reply to operation" << op;
        request_measure();
        return;
    }
    // Anything but the high range's word reads as the low range.
    const int index = value.at(0) == (current ? QLatin1String("30\n") : QLatin1String("150\n")) ? 1 : 0;
    uiPara* para = uiPara::instance();
    const bool opp = is_opp_op(op);
    if (current && opp)
        para->set_oppt_i_range(index);
    else if (current)
        para->set_ocpt_i_range(index);
    else if (opp)
        para->set_oppt_v_range(index);
    else
        para->set_ocpt_v_range(index);
    request_measure();
}

void MyMainWindow::deal_over_protect_test_irange_operating_button(QList<QString> value, QList<QWidget*>,
                                                                   int button_model)
{
    if (button_model == op_ocp_irange || button_model == op_ocp_irange + opp_offset)
        store_protect_range(true, button_model, value);
}

void MyMainWindow::deal_over_protect_test_vrange_operating_button(QList<QString> value, QList<QWidget*>,
                                                                   int button_model)
{
    if (button_model == op_ocp_vrange || button_model == op_ocp_vrange + opp_offset)
        store_protect_range(false, button_model, value);
}

void MyMainWindow::store_protect_value(int row, int op, const QList<QString>& value)
{
    if (row_of(op) != row)
        return;
    if (value.isEmpty()) {
        qDebug() << "MyMainWindow::store_protect_value: no reply to operation" << op;
        request_measure();
        return;
    }
    const protect_row_t& r = protect_rows[row];
    (uiPara::instance()->*(is_opp_op(op) ? r.set_opp : r.set_ocp))(value.at(0).toDouble());
    request_measure();
}

void MyMainWindow::deal_over_protect_test_v_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    store_protect_value(row_volt, button_model, value);
}

void MyMainWindow::deal_over_protect_test_step_operating_button(QList<QString> value, QList<QWidget*>,
                                                                 int button_model)
{
    store_protect_value(row_step, button_model, value);
}

void MyMainWindow::deal_over_protect_test_start_operating_button(QList<QString> value, QList<QWidget*>,
                                                                  int button_model)
{
    store_protect_value(row_start, button_model, value);
}

void MyMainWindow::deal_over_protect_test_end_operating_button(QList<QString> value, QList<QWidget*>,
                                                                int button_model)
{
    store_protect_value(row_end, button_model, value);
}

void MyMainWindow::deal_over_protect_test_min_operating_button(QList<QString> value, QList<QWidget*>,
                                                                int button_model)
{
    store_protect_value(row_min, button_model, value);
}

void MyMainWindow::deal_over_protect_test_max_operating_button(QList<QString> value, QList<QWidget*>,
                                                                int button_model)
{
    store_protect_value(row_max, button_model, value);
}

void MyMainWindow::deal_over_protect_test_dly_operating_button(QList<QString> value, QList<QWidget*>,
                                                                int button_model)
{
    store_protect_value(row_delay, button_model, value);
}

// ---- end of a test ---------------------------------------------------------------

namespace {
// States of ocp_test_state and opp_test_state: idle, running (the input was
// seen on), then one more for each poll that saw the input off.
const int test_idle = 0;
const int test_running = 1;
// The load may need a moment to settle its result: it is asked on the
// third poll after the input went off.
const int off_polls_before_result = 3;
const int op_test_result = 29;
} // namespace

void MyMainWindow::follow_protect_test(int input)
{
    struct test_t {
        int* state;
        int func;
    };
    const test_t tests[] = {{&ocp_test_state, 6}, {&opp_test_state, 7}};
    for (const test_t& t : tests) {
        int& state = *t.state;
        if (func_code != t.func) {
            state = test_idle;
            continue;
        }
        if (input == 1) {
            state = test_running;
        } else if (input == 0 && state != test_idle) {
            ++state;
            if (state > off_polls_before_result) {
                state = test_idle;
                cfg_thread->add_request(op_test_result, {QString()}, {QStringLiteral("PROG:TEST? 1")},
                                        QList<QWidget*>(), false, t.func, false, QByteArray());
            }
        }
    }
}

// ---- display -------------------------------------------------------------------

void MyMainWindow::update_protect_mode(int mode)
{
    if (mode < 0 || mode > 1 || mode_page != protect_page)
        return;
    protect_mode = mode;
    init_Protect_config_by_mode(mode);
}

namespace {
// Whether the page shows the test (0 OCP, 1 OPP) whose field changed.
bool shows_test(const MyMainWindow* w, int test)
{
    return w->mode_page == protect_page && w->protect_mode == test;
}

void show_current_range(Ui_MyMainWindow* ui, int value)
{
    if (value != 0 && value != 1)
        return;
    (value == 0 ? ui->radioButton_5A_Protect : ui->radioButton_30A_Protect)->setChecked(true);
    const double top = value == 0 ? 5 : 30;
    ui->doubleSpinBox_C_MAX->setRange(0, top);
    ui->doubleSpinBox_C_MIN->setRange(0, top);
}

void show_protect_value(MyMainWindow* w, int test, int row, double value)
{
    if (shows_test(w, test))
        (w->ui->*protect_rows[row].box)->setValue(value);
}

void show_voltage_range(Ui_MyMainWindow* ui, int value)
{
    if (value != 0 && value != 1)
        return;
    (value == 0 ? ui->radioButton_36V_Protect : ui->radioButton_150V_Protect)->setChecked(true);
    const double top = value == 0 ? 36 : 150;
    ui->doubleSpinBox_V_MAX->setRange(0, top);
    ui->doubleSpinBox_V_MIN->setRange(0, top);
}
} // namespace

void MyMainWindow::update_ocpt_i_range(int value)
{
    if (shows_test(this, 0))
        show_current_range(ui, value);
}

void MyMainWindow::update_ocpt_v_range(int value)
{
    if (shows_test(this, 0))
        show_voltage_range(ui, value);
}

void MyMainWindow::update_oppt_i_range(int value)
{
    if (shows_test(this, 1))
        show_current_range(ui, value);
}

void MyMainWindow::update_oppt_v_range(int value)
{
    if (shows_test(this, 1))
        show_voltage_range(ui, value);
}

void MyMainWindow::update_ocpt_v(double value) { show_protect_value(this, 0, row_volt, value); }
void MyMainWindow::update_ocpt_step(double value) { show_protect_value(this, 0, row_step, value); }
void MyMainWindow::update_ocpt_start(double value) { show_protect_value(this, 0, row_start, value); }
void MyMainWindow::update_ocpt_end(double value) { show_protect_value(this, 0, row_end, value); }
void MyMainWindow::update_ocpt_min(double value) { show_protect_value(this, 0, row_min, value); }
void MyMainWindow::update_ocpt_max(double value) { show_protect_value(this, 0, row_max, value); }
void MyMainWindow::update_ocpt_delay(double value) { show_protect_value(this, 0, row_delay, value); }
void MyMainWindow::update_oppt_v(double value) { show_protect_value(this, 1, row_volt, value); }
void MyMainWindow::update_oppt_step(double value) { show_protect_value(this, 1, row_step, value); }
void MyMainWindow::update_oppt_start(double value) { show_protect_value(this, 1, row_start, value); }
void MyMainWindow::update_oppt_end(double value) { show_protect_value(this, 1, row_end, value); }
void MyMainWindow::update_oppt_min(double value) { show_protect_value(this, 1, row_min, value); }
void MyMainWindow::update_oppt_max(double value) { show_protect_value(this, 1, row_max, value); }
void MyMainWindow::update_oppt_delay(double value) { show_protect_value(this, 1, row_delay, value); }
