// Basic panel: the road of a request (slot, refusal while the input is on,
// post, router, reply handler) and the static functions CC, CV, CR, CP, LED.
#include "mymainwindow.h"

#include "mymainwindow_basic_roles.h"
#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "slew_bands.h"
#include "uiPara.h"

#include <QDebug>

using namespace basic_roles;

namespace {

// Static functions, LED counted apart from CR.
enum static_fn_t { st_cc, st_cv, st_cr, st_cp, st_led, st_count };

// Per static function: the "FUNC" selection, its operation and the range
// commands with their operations.
struct static_fn_cmd_t {
    const char* func;   // "FUNC CURR"
    int func_op;
    const char* prefix; // range commands: prefix + ":IRANG " / ":VRANG "
    int irange_op;
    int vrange_op;
};
const static_fn_cmd_t static_fn_cmds[st_count] = {
    {"FUNC CURR", 0, "CURR", 34, 35},
    {"FUNC VOLT", 1, "VOLT", 39, 40},
    {"FUNC RES", 2, "RES", 42, 43},
    {"FUNC POW", 3, "POW", 45, 46},
    {"FUNC LED", 4, "LED", 67, 68},
};

// A value box of the static form: its command and read-back queries (the
// slews ask both edges, the edited one first).
struct static_value_cmd_t {
    int fn;
    int box;
    int op;
    const char* write;
    const char* queries[2];
};
const static_value_cmd_t static_value_cmds[] = {
    {st_cc, 1, 36, "CURR ", {"CURRENT?", nullptr}},
    {st_cc, 2, 37, "CURR:SLEW:POS ", {"CURR:SLEW:POS?", "CURR:SLEW:NEG?"}},
    {st_cc, 3, 38, "CURR:SLEW:NEG ", {"CURR:SLEW:NEG?", "CURR:SLEW:POS?"}},
    {st_cv, 1, 41, "VOLT ", {"VOLT?", nullptr}},
    {st_cr, 1, 44, "RES ", {"RES?", nullptr}},
    {st_cp, 1, 47, "POW ", {"POW?", nullptr}},
    {st_led, 1, 69, "LED:CURR ", {"LED:CURR?", nullptr}},
    {st_led, 2, 70, "LED:VOLT ", {"LED:VOLT?", nullptr}},
    {st_led, 3, 71, "LED:RCO ", {"LED:RCO?", nullptr}},
};

// The static function the page edits, or -1.
int static_fn(const MyMainWindow& w)
{
    switch (w.basic_mode) {
    case fn_cc: return st_cc;
    case fn_cv: return st_cv;
    case fn_cr: return w.is_led ? st_led : st_cr;
    case fn_cp: return st_cp;
    default: return -1;
    }
}

// Text of a value as the load takes it: at most six significant digits.
QString value_text(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

namespace basic_roles {

void post_basic(MyMainWindow& w, int op, const QList<QString>& writes, const QList<QString>& queries,
                const QList<QWidget*>& widgets)
{
    // With the page visit: a function selected lays the page out only while
    // the user is still on it.
    w.cfg_thread->add_request(op, writes, queries, widgets, false, w.page_visit, false, QByteArray());
}

bool has_replies(const QList<QString>& value, int count, const char* where)
{
    if (value.size() >= count)
        return true;
    qDebug() << "MyMainWindow::" << where << ": expected" << count << "replies, got" << value.size();
    return false;
}

int current_range_index(const QString& reply)
{
    return reply == QLatin1String("30\n") ? 1 : 0;
}

int voltage_range_index(const QString& reply)
{
    return reply == QLatin1String("150\n") ? 1 : 0;
}

// Slews on both sides of the range's threshold behave differently on the
// load; the user is told when the two edges straddle it.
void check_slopes(MyMainWindow& w, double set, double other)
{
    double threshold = 0;
    QString text;
    if (w.ui->radioButton_5A_Basic->isChecked()) {
        threshold = slew_bands::edge(true);
        text = MyMainWindow::tr("Slope are adjust to the same range!(0.001~0.01 or 0.01~0.5)");
    } else if (w.ui->radioButton_30A_Basic->isChecked()) {
        threshold = slew_bands::edge(false);
        text = MyMainWindow::tr("Slope are adjust to the same range!(0.001~0.1 or 0.1~2.5)");
    } else {
        return;
    }
    if (slew_bands::straddle(threshold, set, other))
        w.show_warning(text);
}

} // namespace basic_roles

// ---- mode buttons and LED box

namespace basic_roles {

void mode_button(MyMainWindow& w, int mode)
{
    if (!valid_function(mode))
        return;
    if (!w.is_connected) {
        w.basic_mode = mode;
        w.init_Basic_Config_By_Mode(mode);
        return;
    }
    w.write_list.clear();
    w.query_list.clear();
    if (!w.is_dynamic) {
        w.basic_mode = mode;
        const int fn = static_fn(w);
        if (fn < 0)
            return;
        w.write_list << QString::fromLatin1(static_fn_cmds[fn].func);
        w.query_list << QString();
        post_basic(w, static_fn_cmds[fn].func_op, w.write_list, w.query_list, {});
        return;
    }
    if (w.load_switch->getSelectedItem()) {
        w.recover_change_when_load_on_basic();
        return;
    }
    w.basic_mode = mode;
    w.write_list << QStringLiteral("FUNC:TRAN ") + dyn_word(mode);
    w.query_list << QString();
    post_basic(w, 88 + dyn_offset(mode), w.write_list, w.query_list, {});
}

} // namespace basic_roles

void MyMainWindow::on_radioButton_CC_Basic_clicked() { mode_button(*this, fn_cc); }
void MyMainWindow::on_radioButton_CV_Basic_clicked() { mode_button(*this, fn_cv); }
void MyMainWindow::on_radioButton_CR_Basic_clicked() { mode_button(*this, fn_cr); }
void MyMainWindow::on_radioButton_CP_Basic_clicked() { mode_button(*this, fn_cp); }

void MyMainWindow::on_checkBox_LED_Basic_clicked()
{
    if (basic_mode != fn_cr || is_dynamic)
        return;
    is_led = ui->checkBox_LED_Basic->isChecked();
    if (!is_connected) {
        init_Basic_Config_By_Mode(basic_mode);
        return;
    }
    write_list.clear();
    query_list.clear();
    const static_fn_cmd_t& cmd = static_fn_cmds[is_led ? st_led : st_cr];
    write_list << QString::fromLatin1(cmd.func);
    query_list << QString();
    post_basic(*this, cmd.func_op, write_list, query_list, {});
}

// ---- ranges

namespace {

// A range radio: `current` picks the current or voltage range, `word` is
// the range as the load writes it ("5", "30", "36", "150").
void range_button(MyMainWindow& w, QWidget* radio, bool current, const char* word)
{
    if (!w.is_connected)
        return;
    if (w.load_switch->getSelectedItem()) {
        w.recover_change_when_load_on_basic();
        return;
    }
    QString command;
    int op = -1;
    if (w.is_dynamic) {
        if (!valid_function(w.basic_mode))
            return;
        command = dyn_prefix(w.basic_mode) + (current ? QLatin1String(":TRAN:IRANG") : QLatin1String(":TRAN:VRANG"));
        op = (current ? 96 : 100) + dyn_offset(w.basic_mode);
    } else {
        const int fn = static_fn(w);
        if (fn < 0)
            return;
        command = QString::fromLatin1(static_fn_cmds[fn].prefix) +
                  (current ? QLatin1String(":IRANG") : QLatin1String(":VRANG"));
        op = current ? static_fn_cmds[fn].irange_op : static_fn_cmds[fn].vrange_op;
    }
    post_basic(w, op, {command + QLatin1Char(' ') + QLatin1String(word)}, {command + QLatin1Char('?')}, {radio});
}

} // namespace

void MyMainWindow::on_radioButton_5A_Basic_clicked() { range_button(*this, ui->radioButton_5A_Basic, true, "5"); }
void MyMainWindow::on_radioButton_30A_Basic_clicked() { range_button(*this, ui->radioButton_30A_Basic, true, "30"); }
void MyMainWindow::on_radioButton_36V_Basic_clicked() { range_button(*this, ui->radioButton_36V_Basic, false, "36"); }
void MyMainWindow::on_radioButton_150V_Basic_clicked()
{
    range_button(*this, ui->radioButton_150V_Basic, false, "150");
}

// ---- value boxes

namespace {

void static_value_box(MyMainWindow& w, int box)
{
    const int fn = static_fn(w);
    MyDoubleSpinBox* spin = value_box(w.ui, box);
    for (const static_value_cmd_t& cmd : static_value_cmds) {
        if (cmd.fn != fn || cmd.box != box)
            continue;
        const QString v = value_text(spin->value());
        if (!cmd.queries[1]) {
            post_basic(w, cmd.op, {QString::fromLatin1(cmd.write) + v}, {QString::fromLatin1(cmd.queries[0])},
                       {spin});
        } else {
            // The second entry only asks the other edge; its widget slot is a placeholder.
            post_basic(w, cmd.op, {QString::fromLatin1(cmd.write) + v, QString()},
                       {QString::fromLatin1(cmd.queries[0]), QString::fromLatin1(cmd.queries[1])},
                       {spin, nullptr});
        }
        return;
    }
}

void dynamic_value_box(MyMainWindow& w, int box)
{
    if (!valid_function(w.basic_mode))
        return;
    MyDoubleSpinBox* spin = value_box(w.ui, box);
    const QString v = value_text(spin->value());
    const int k = dyn_offset(w.basic_mode);
    const QString p = dyn_prefix(w.basic_mode);
    const int mode = uiPara::instance()->get_dyn_mode_by_function(w.basic_mode);
    // role -> operation base and the command's tail
    struct level_cmd_t {
        dyn_role_t role;
        int op_base;
        const char* tail;
    };
    static const level_cmd_t level_cmds[] = {
        {role_alev, 110, ":TRAN:ALEV"}, {role_blev, 114, ":TRAN:BLEV"}, {role_awid, 118, ":TRAN:AWID"},
        {role_bwid, 122, ":TRAN:BWID"},
        // The pulse width is the load's B width; only the code tells them apart.
        {role_width, 126, ":TRAN:BWID"},
    };
    const dyn_role_t role = dyn_role(w.basic_mode, mode, box);
    for (const level_cmd_t& cmd : level_cmds) {
        if (cmd.role != role)
            continue;
        const QString command = p + QLatin1String(cmd.tail);
        post_basic(w, cmd.op_base + k, {command + QLatin1Char(' ') + v}, {command + QLatin1Char('?')}, {spin});
        return;
    }
    // The transient slew commands carry two blanks before the value.
    if (role == role_rise) {
        post_basic(w, 130, {QStringLiteral("CURR:TRAN:SLEW:POS  ") + v, QString()},
                   {QStringLiteral("CURR:TRAN:SLEW:POS?"), QStringLiteral("CURR:TRAN:SLEW:NEG?")}, {spin, spin});
    } else if (role == role_fall) {
        post_basic(w, 131, {QStringLiteral("CURR:TRAN:SLEW:NEG  ") + v, QString()},
                   {QStringLiteral("CURR:TRAN:SLEW:NEG?"), QStringLiteral("CURR:TRAN:SLEW:POS?")}, {spin, spin});
    }
}

// Values go out with the input on too.
void value_box_edited(MyMainWindow& w, int box)
{
    if (!w.is_connected)
        return;
    if (w.is_dynamic)
        dynamic_value_box(w, box);
    else
        static_value_box(w, box);
}

} // namespace

void MyMainWindow::on_doubleSpinBox_1_Basic_sigUpdateValue() { value_box_edited(*this, 1); }
void MyMainWindow::on_doubleSpinBox_2_Basic_sigUpdateValue() { value_box_edited(*this, 2); }
void MyMainWindow::on_doubleSpinBox_3_Basic_sigUpdateValue() { value_box_edited(*this, 3); }
void MyMainWindow::on_doubleSpinBox_4_Basic_sigUpdateValue() { value_box_edited(*this, 4); }
void MyMainWindow::on_doubleSpinBox_5_Basic_sigUpdateValue() { value_box_edited(*this, 5); }
void MyMainWindow::on_doubleSpinBox_6_Basic_sigUpdateValue() { value_box_edited(*this, 6); }

// ---- refusal

void MyMainWindow::recover_change_when_load_on_basic()
{
    show_warning(msg_turn_off_load);
    // The load may have gone while the box was open; nothing to re-read then.
    if (!is_connected)
        return;
    request_measure();
    fill_cmd_list(is_dynamic ? 28 : 26);
    post_basic(*this, is_dynamic ? 28 : 26, write_list, query_list, {});
}

// ---- router

void MyMainWindow::deal_basic_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets)
{
    if (op < 34 || op > 131)
        return;
    switch (op) {
    case 34: case 39: case 42: case 45: case 67:
        deal_basic_irange_operating_button(replies, widgets, op);
        return;
    case 35: case 40: case 43: case 46: case 68:
        deal_basic_vrange_operating_button(replies, widgets, op);
        return;
    case 36: deal_static_cc_current_operating_button(replies, widgets); return;
    case 37: deal_static_cc_slew_ris_operating_button(replies, widgets); return;
    case 38: deal_static_cc_slew_fal_operating_button(replies, widgets); return;
    case 41: deal_static_cv_voltage_operating_button(replies, widgets); return;
    case 44: deal_static_cr_resis_operating_button(replies, widgets); return;
    case 47: deal_static_cp_power_operating_button(replies, widgets); return;
    case 69: deal_static_led_io_operating_button(replies, widgets); return;
    case 70: deal_static_led_vo_operating_button(replies, widgets); return;
    case 71: deal_static_led_rco_operating_button(replies, widgets); return;
    case 130: deal_dyn_slew_ris_operating_button(replies, widgets); return;
    case 131: deal_dyn_slew_fal_operating_button(replies, widgets); return;
    default: break;
    }
    // Dynamic blocks of four codes (CC, CP, CV, CR).
    using block_handler_t = void (MyMainWindow::*)(QList<QString>, QList<QWidget*>, int);
    struct block_t {
        int first;
        block_handler_t handler;
    };
    static const block_t blocks[] = {
        {88, &MyMainWindow::deal_dyn_func_operating_button},
        {92, &MyMainWindow::deal_dyn_mode_operating_button},
        {96, &MyMainWindow::deal_dyn_irange_operating_button},
        {100, &MyMainWindow::deal_dyn_vrange_operating_button},
        {110, &MyMainWindow::deal_dyn_alevel_operating_button},
        {114, &MyMainWindow::deal_dyn_blevel_operating_button},
        {118, &MyMainWindow::deal_dyn_awidth_operating_button},
        {122, &MyMainWindow::deal_dyn_bwidth_operating_button},
        {126, &MyMainWindow::deal_dyn_width_operating_button},
    };
    for (const block_t& b : blocks) {
        if (op >= b.first && op < b.first + 4) {
            (this->*b.handler)(replies, widgets, op);
            return;
        }
    }
}

// ---- static reply handlers

void MyMainWindow::deal_basic_irange_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    if (!has_replies(value, 1, "deal_basic_irange_operating_button")) {
        request_measure();
        return;
    }
    const int range = current_range_index(value.at(0));
    uiPara* para = uiPara::instance();
    switch (button_model) {
    case 34: para->set_static_cc_i_range(range); break;
    case 39: para->set_static_cv_i_range(range); break;
    case 42: para->set_static_cr_i_range(range); break;
    case 45: para->set_static_cp_i_range(range); break;
    case 67: para->set_static_led_i_range(range); break;
    default: break;
    }
    request_measure();
}

void MyMainWindow::deal_basic_vrange_operating_button(QList<QString> value, QList<QWidget*>, int button_model)
{
    if (!has_replies(value, 1, "deal_basic_vrange_operating_button")) {
        request_measure();
        return;
    }
    const int range = voltage_range_index(value.at(0));
    uiPara* para = uiPara::instance();
    switch (button_model) {
    case 35: para->set_static_cc_v_range(range); break;
    case 40: para->set_static_cv_v_range(range); break;
    case 43: para->set_static_cr_v_range(range); break;
    case 46: para->set_static_cp_v_range(range); break;
    case 68: para->set_static_led_v_range(range); break;
    default: break;
    }
    request_measure();
}

namespace {

// A level reply: reply 0 as a number (0 when it is none) into a store setter.
void store_level(MyMainWindow& w, const QList<QString>& value, void (uiPara::*setter)(double),
                 const char* where)
{
    if (has_replies(value, 1, where))
        (uiPara::instance()->*setter)(value.at(0).toDouble());
    w.request_measure();
}

} // namespace

void MyMainWindow::deal_static_cc_current_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_level(*this, value, &uiPara::set_static_cc_i, "deal_static_cc_current_operating_button");
}

void MyMainWindow::deal_static_cv_voltage_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_level(*this, value, &uiPara::set_static_cv_v, "deal_static_cv_voltage_operating_button");
}

void MyMainWindow::deal_static_cr_resis_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_level(*this, value, &uiPara::set_static_cr_r, "deal_static_cr_resis_operating_button");
}

void MyMainWindow::deal_static_cp_power_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_level(*this, value, &uiPara::set_static_cp_p, "deal_static_cp_power_operating_button");
}

void MyMainWindow::deal_static_led_io_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_level(*this, value, &uiPara::set_static_led_io, "deal_static_led_io_operating_button");
}

void MyMainWindow::deal_static_led_vo_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_level(*this, value, &uiPara::set_static_led_vo, "deal_static_led_vo_operating_button");
}

void MyMainWindow::deal_static_led_rco_operating_button(QList<QString> value, QList<QWidget*>)
{
    store_level(*this, value, &uiPara::set_static_led_rco, "deal_static_led_rco_operating_button");
}

void MyMainWindow::deal_static_cc_slew_ris_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (!is_connected)
        return;
    if (!has_replies(value, 2, "deal_static_cc_slew_ris_operating_button")) {
        request_measure();
        return;
    }
    const double other = ui->doubleSpinBox_3_Basic->value();
    const double rise = value.at(0).toDouble();
    const double fall = value.at(1).toDouble();
    uiPara* para = uiPara::instance();
    para->set_static_cc_ris(rise);
    para->set_static_cc_fal(fall);
    request_measure();
    check_slopes(*this, rise, other);
}

void MyMainWindow::deal_static_cc_slew_fal_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (!is_connected)
        return;
    if (!has_replies(value, 2, "deal_static_cc_slew_fal_operating_button")) {
        request_measure();
        return;
    }
    const double other = ui->doubleSpinBox_2_Basic->value();
    const double fall = value.at(0).toDouble();
    const double rise = value.at(1).toDouble();
    uiPara* para = uiPara::instance();
    para->set_static_cc_ris(rise);
    para->set_static_cc_fal(fall);
    request_measure();
    check_slopes(*this, fall, other);
}
