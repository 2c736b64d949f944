// The reply side: every reply of the command thread goes to the six panel
// routers and then to the window-level handler of its operation code.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "mymainwindow_trend_state.h"

#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "reply_numbers.h"
#include "uiPara.h"

#include <QDebug>
#include <QHash>
#include <QSet>

namespace {

using reply_list = QList<QString>;
using widget_list = QList<QWidget*>;

// The panel routers, in the order every reply visits them.
struct router_t {
    const char* name;
    void (MyMainWindow::*fn)(int, QList<QString>, QList<QWidget*>);
};

const router_t reply_routers[] = {
    {"deal_basic_operating_button", &MyMainWindow::deal_basic_operating_button},
    {"deal_over_protect_test_operating_button", &MyMainWindow::deal_over_protect_test_operating_button},
    {"deal_battery_operating_button", &MyMainWindow::deal_battery_operating_button},
    {"deal_list_operating_button", &MyMainWindow::deal_list_operating_button},
    {"deal_prog_operating_button", &MyMainWindow::deal_prog_operating_button},
    {"deal_ext_operating_button", &MyMainWindow::deal_ext_operating_button},
};

// One window-level handler; it takes the replies and, by its form, the
// widgets or the sub-code.
struct handler_t {
    const char* name = nullptr;
    void (MyMainWindow::*rw)(QList<QString>, QList<QWidget*>) = nullptr;
    void (MyMainWindow::*rs)(QList<QString>, int) = nullptr;
    void (MyMainWindow::*r)(QList<QString>) = nullptr;
    void (*inline_fn)(MyMainWindow&) = nullptr;
};

handler_t rw(const char* name, void (MyMainWindow::*fn)(QList<QString>, QList<QWidget*>))
{
    handler_t h;
    h.name = name;
    h.rw = fn;
    return h;
}

handler_t rs(const char* name, void (MyMainWindow::*fn)(QList<QString>, int))
{
    handler_t h;
    h.name = name;
    h.rs = fn;
    return h;
}

handler_t r(const char* name, void (MyMainWindow::*fn)(QList<QString>))
{
    handler_t h;
    h.name = name;
    h.r = fn;
    return h;
}

handler_t inline_handler(const char* name, void (*fn)(MyMainWindow&))
{
    handler_t h;
    h.name = name;
    h.inline_fn = fn;
    return h;
}

// The battery discharge has really begun: the next poll arms the battery
// message queries.
void battery_started(MyMainWindow& w)
{
    w.battery_start_state = 1;
    w.request_measure();
}

// Operation code -> window-level handler. Codes not listed (10, 11, 12, 83
// among them) reach the routers only.
const QHash<int, handler_t>& reply_handlers()
{
    static const QHash<int, handler_t> table = {
        {0, rw("deal_cc_value", &MyMainWindow::deal_cc_value)},
        {1, rw("deal_cv_value", &MyMainWindow::deal_cv_value)},
        {2, rw("deal_cr_value", &MyMainWindow::deal_cr_value)},
        {3, rw("deal_cp_value", &MyMainWindow::deal_cp_value)},
        {4, rw("deal_led_value", &MyMainWindow::deal_led_value)},
        {5, rw("deal_dyn_value", &MyMainWindow::deal_dyn_value)},
        {8, rw("deal_bat_value", &MyMainWindow::deal_bat_value)},
        {9, r("deal_utility_value", &MyMainWindow::deal_utility_value)},
        {13, rw("deal_list_value", &MyMainWindow::deal_list_value)},
        {14, rw("deal_prog_value", &MyMainWindow::deal_prog_value)},
        {15, rs("deal_list_running_value", &MyMainWindow::deal_list_running_value)},
        {16, rs("deal_prog_running_value", &MyMainWindow::deal_prog_running_value)},
        {22, r("deal_list_change_value", &MyMainWindow::deal_list_change_value)},
        {23, rw("deal_extc_value", &MyMainWindow::deal_extc_value)},
        {26, rw("deal_static_value", &MyMainWindow::deal_static_value)},
        {28, rw("deal_dyn_mode_value", &MyMainWindow::deal_dyn_mode_value)},
        {29, rs("deal_message_value", &MyMainWindow::deal_message_value)},
        {30, rs("deal_init_para_value", &MyMainWindow::deal_init_para_value)},
        {31, rs("deal_init_value", &MyMainWindow::deal_init_value)},
        {32, rs("deal_load_value", &MyMainWindow::deal_load_value)},
        {33, r("deal_short_value", &MyMainWindow::deal_short_value)},
        {65, rw("deal_prog_recall", &MyMainWindow::deal_prog_recall)},
        {81, rw("deal_list_recall", &MyMainWindow::deal_list_recall)},
        {82, rs("deal_trigger_button_value", &MyMainWindow::deal_trigger_button_value)},
        {161, r("deal_utility_button_value", &MyMainWindow::deal_utility_button_value)},
        {183, rw("deal_showing_value", &MyMainWindow::deal_showing_value)},
        {185, inline_handler("battery_started", &battery_started)},
    };
    return table;
}

// Binary replies: the list and program file transfers.
struct byte_handler_t {
    int op;
    void (MyMainWindow::*fn)(QByteArray);
};

const byte_handler_t byte_handlers[] = {
    {64, &MyMainWindow::deal_prog_storage_operating_button},
    {65, &MyMainWindow::deal_prog_recall_operating_button},
    {80, &MyMainWindow::deal_list_storage_operating_button},
    {81, &MyMainWindow::deal_list_recall_operating_button},
};

// A reply shorter than its handler reads is ignored.
bool enough(const reply_list& replies, int needed, const char* handler)
{
    if (replies.size() >= needed)
        return true;
    qDebug() << "MyMainWindow::" << handler << ": short reply," << replies.size() << "of" << needed
             << "replies; ignored";
    return false;
}

bool on(const QString& reply)
{
    return reply.toInt() != 0;
}

// Utility settings in the order of their 18 read-back queries (operation 9
// and the tail of operation 30).
void store_utility(const reply_list& v)
{
    uiPara* p = uiPara::instance();
    p->set_utility_vrmt(on(v[0]));
    p->set_utility_sof(on(v[1]));
    p->set_utility_vol(on(v[2]));
    p->set_utility_aver(v[3].toInt() - 6);
    p->set_utility_von(v[4].toDouble());
    static const QStringList trig_words = {QStringLiteral("MANUAL\n"), QStringLiteral("EXTERNAL\n"),
                                           QStringLiteral("BUS\n")};
    const int trig = trig_words.indexOf(v[5]);
    if (trig >= 0)
        p->set_utility_trig(trig);
    p->set_utility_ext_sw(on(v[6]));
    p->set_utility_imon(on(v[7]));
    p->set_utility_vmon(on(v[8]));
    p->set_utility_tmon(on(v[9]));
    p->set_utility_v_low(v[10].toDouble());
    p->set_utility_v_high(v[11].toDouble());
    p->set_utility_i_protect(on(v[12]));
    p->set_utility_current(v[13].toDouble());
    p->set_utility_i_delay(v[14].toDouble());
    p->set_utility_p_protect(on(v[15]));
    p->set_utility_power(v[16].toDouble());
    p->set_utility_p_delay(v[17].toDouble());
}

const int utility_reply_count = 18;

// Replies to a function selected on the load (FUNC, FUNC:TRAN, OCP:FUNC or
// OPP:FUNC, BATT:FUNC, LIST:STAT:ON, PROG:STAT:ON, EXT:MODE): what the
// function before tripped is no longer the present state.
bool selects_function(int op)
{
    static const QSet<int> ops = {0, 1, 2, 3, 4, 8, 13, 14, 23, 88, 89, 90, 91, 132, 168};
    return ops.contains(op);
}

// Replies that lay a page out: each page's entry (Basic's function or
// transient function, OCP:FUNC or OPP:FUNC, BATT:FUNC, LIST:STAT:ON,
// PROG:STAT:ON, EXT:MODE), Basic's function read-backs, and the functions
// the page's own controls select. Their sub-code is the page visit posted
// with; none of them stores a setting.
bool lays_out_a_page(int op)
{
    static const QSet<int> ops = {0, 1, 2, 3, 4, 5, 8, 13, 14, 23, 26, 28, 88, 89, 90, 91, 132};
    return ops.contains(op);
}

} // namespace

void MyMainWindow::deal_cfg_thread(int op, QList<QString> replies, QList<QWidget*> widgets, int subcode)
{
    // What a reply posts follows from it: no click of the user's.
    cfg_thread_t::own_posts own(cfg_thread);
    // Posted on a page visit the user has left (quick keys or the wheel over
    // the Function box): the page shown now has posted its own entry, whose
    // reply follows this one. This one changes nothing shown, closes no
    // prompt and starts no poll.
    if (lays_out_a_page(op) && !page_visit_shown(subcode)) {
        qDebug() << "MyMainWindow::deal_cfg_thread: reply" << op << "of a page visit left; not shown";
        return;
    }
    if (selects_function(op)) {
        clear_alarms(-1);
        // A function selected ends the load's short (EXT:MODE keeps it):
        // asked, not assumed, so the indicator and the next press hold.
        ask_short_state();
    }
    // Every router sees every reply and acts on its own codes only.
    for (const router_t& router : reply_routers) {
        if (reply_trace)
            reply_trace(router.name);
        (this->*router.fn)(op, replies, widgets);
    }
    const auto it = reply_handlers().constFind(op);
    if (it == reply_handlers().constEnd())
        return;
    const handler_t& h = it.value();
    if (reply_trace)
        reply_trace(h.name);
    if (h.rw)
        (this->*h.rw)(replies, widgets);
    else if (h.rs)
        (this->*h.rs)(replies, subcode);
    else if (h.r)
        (this->*h.r)(replies);
    else if (h.inline_fn)
        h.inline_fn(*this);
}

void MyMainWindow::deal_cfg_thread_bytedata(int op, QByteArray bytes)
{
    cfg_thread_t::own_posts own(cfg_thread);
    for (const byte_handler_t& h : byte_handlers) {
        if (h.op == op) {
            (this->*h.fn)(bytes);
            return;
        }
    }
}

void MyMainWindow::deal_scpi_rw(int op, QList<QString> replies, QList<QWidget*> widgets)
{
    deal_list_operating_button(op, replies, widgets);
    deal_prog_operating_button(op, replies, widgets);
    deal_basic_operating_button(op, replies, widgets);
    deal_over_protect_test_operating_button(op, replies, widgets);
    deal_battery_operating_button(op, replies, widgets);
}

// ---- static and dynamic functions of the Basic page

namespace {

// A static function selected on the load (operations 0 to 4).
void static_function_selected(MyMainWindow& w, int func, int mode, bool led)
{
    w.func_code = func;
    w.basic_mode = mode;
    w.is_dynamic = false;
    if (led)
        w.is_led = true;
    w.init_Basic_Config_By_Mode(mode);
    if (w.time_test_flag) {
        w.ui->label_Ext->show();
        w.ui->label_Ext_Set->show();
    }
    w.request_measure();
}

} // namespace

void MyMainWindow::deal_cc_value(QList<QString>, QList<QWidget*>)
{
    static_function_selected(*this, 0, 0, false);
}

void MyMainWindow::deal_cv_value(QList<QString>, QList<QWidget*>)
{
    static_function_selected(*this, 1, 1, false);
}

void MyMainWindow::deal_cr_value(QList<QString>, QList<QWidget*>)
{
    static_function_selected(*this, 2, 2, false);
}

void MyMainWindow::deal_cp_value(QList<QString>, QList<QWidget*>)
{
    static_function_selected(*this, 3, 3, false);
}

void MyMainWindow::deal_led_value(QList<QString>, QList<QWidget*>)
{
    static_function_selected(*this, 4, 2, true);
}

void MyMainWindow::deal_dyn_value(QList<QString> replies, QList<QWidget*>)
{
    is_dynamic = true;
    if (enough(replies, 1, "deal_dyn_value")) {
        static const QStringList words = {QStringLiteral("CURR"), QStringLiteral("VOLT"), QStringLiteral("RES"),
                                          QStringLiteral("POW")};
        QRadioButton* const buttons[] = {ui->radioButton_CC_Basic, ui->radioButton_CV_Basic,
                                         ui->radioButton_CR_Basic, ui->radioButton_CP_Basic};
        const int mode = words.indexOf(replies[0]);
        if (mode >= 0) {
            basic_mode = mode;
            buttons[mode]->setChecked(true);
        }
    }
    func_code = 5;
    init_Basic_Config_By_Mode(basic_mode);
    request_measure();
}

void MyMainWindow::deal_dyn_mode_value(QList<QString> replies, QList<QWidget*>)
{
    is_dynamic = true;
    if (enough(replies, 1, "deal_dyn_mode_value")) {
        static const QStringList words = {QStringLiteral("CURRENT\n"), QStringLiteral("VOLTAGE\n"),
                                          QStringLiteral("RESISTANCE\n"), QStringLiteral("POWER\n")};
        const int mode = words.indexOf(replies[0]);
        if (mode >= 0)
            basic_mode = mode;
    }
    init_Basic_Config_By_Mode(basic_mode);
    request_measure();
}

// ---- other pages entered on the load

void MyMainWindow::deal_bat_value(QList<QString> replies, QList<QWidget*>)
{
    ui->label_Ext->hide();
    ui->label_Ext_Set->hide();
    mode_page = 2;
    func_code = 8;
    ocp_test_state = 0;
    opp_test_state = 0;
    battery_start_state = 0;
    if (enough(replies, 1, "deal_bat_value")) {
        // "BATT:MODE?": the Battery page's layout codes.
        if (replies[0] == QLatin1String("CURRENT\n"))
            init_Battery_Config_By_Mode(0);
        else if (replies[0] == QLatin1String("RESISTANCE\n"))
            init_Battery_Config_By_Mode(2);
        else if (replies[0] == QLatin1String("POWER\n"))
            init_Battery_Config_By_Mode(3);
    }
    request_measure();
    close_wait_prompt(wait_t::battery);
}

void MyMainWindow::deal_list_value(QList<QString>, QList<QWidget*>)
{
    mode_page = 3;
    func_code = 13;
    ui->label_Ext->hide();
    ui->label_Ext_Set->hide();
    request_measure();
}

void MyMainWindow::deal_prog_value(QList<QString>, QList<QWidget*>)
{
    mode_page = 4;
    func_code = 14;
    ui->label_Ext->hide();
    ui->label_Ext_Set->hide();
    request_measure();
}

void MyMainWindow::deal_extc_value(QList<QString> replies, QList<QWidget*> widgets)
{
    mode_page = 5;
    // Taken as a mode button's read-back: the mode the entry selected is
    // the one shown, also over a button clicked before its reply.
    deal_cfg_extc_operating_button(replies, widgets);
}

// ---- utility settings, test results, short

void MyMainWindow::deal_utility_value(QList<QString> replies)
{
    if (enough(replies, utility_reply_count, "deal_utility_value"))
        store_utility(replies);
    request_measure();
}

void MyMainWindow::deal_message_value(QList<QString> replies, int subcode)
{
    request_measure();
    if (!enough(replies, 1, "deal_message_value"))
        return;
    const double value = replies[0].toDouble();
    uiPara* p = uiPara::instance();
    double low = 0;
    double high = 0;
    if (subcode == 6) {
        low = p->get_ocpt_i_min();
        high = p->get_ocpt_i_max();
    } else if (subcode == 7) {
        low = p->get_oppt_p_min();
        high = p->get_oppt_p_max();
    } else {
        return;
    }
    if (value == 0.0)
        show_warning(tr("Failure! The measured value did not meet the set value"));
    else if (value >= low && value <= high)
        show_warning(tr("Test complete!"));
    else if (value < low)
        show_warning(tr("Below limit, Test fail!"));
    else
        show_warning(tr("Over limit, Test fail!"));
}

void MyMainWindow::deal_short_value(QList<QString> replies)
{
    if (enough(replies, 1, "deal_short_value"))
        update_short_state(replies[0].toInt() != 0);
    request_measure();
}

// ---- list run and list read-back

void MyMainWindow::deal_list_running_value(QList<QString> replies, int run)
{
    // A set still on its way when the session began to end is not shown:
    // the end blanks the readings, and nothing may paint them again. Nor
    // is one of a run the window has left (for another page, even one
    // entered again since).
    if (session_ending || !run_is_shown(run, 3))
        return;
    // "TEST:STEP?", "TEST:STOP?", "INP?", then the four readings.
    if (!enough(replies, 7, "deal_list_running_value"))
        return;
    // A garbled set is passed over whole (the run poll asks again): a step
    // of 0 or an input of 0 read from it would end the run's display.
    reply_numbers read;
    const int step = read.integer(replies[0]);
    const int stop = read.integer(replies[1]);
    const int load = read.integer(replies[2]);
    const double current = read.number(replies[3]);
    const double voltage = read.number(replies[4]);
    const double resistance = read.number(replies[5]);
    const double power = read.number(replies[6]);
    if (!read.ok()) {
        qDebug() << "MyMainWindow::deal_list_running_value: a reply is not a number; set passed over";
        return;
    }
    // The running step first: a set that reads the input off ends the run,
    // and its "Stop" is what stays shown.
    update_running_state(0, step, 3);
    follow_input_state(load);
    deal_list_trigger_thread(step, stop, load);
    emit sig_list_trigger_thread(step, stop, load);
    show_readings(current, voltage, resistance, power, load);
    display_data(current, voltage, resistance, power, trend ? trend->counter : 0, load);
}

void MyMainWindow::deal_list_change_value(QList<QString> replies)
{
    if (enough(replies, 1, "deal_list_change_value"))
        deal_list_change_value(replies[0]);
}

namespace {

// Connects or cuts the store's links whose signal names start with one of
// the prefixes.
void set_para_links(MyMainWindow* w, std::initializer_list<const char*> prefixes, bool connected)
{
    uiPara* para = uiPara::instance();
    for (const MyMainWindow::para_link_t& link : MyMainWindow::para_links()) {
        // SIGNAL() texts start with the method code.
        const char* name = link.signal + 1;
        bool match = false;
        for (const char* prefix : prefixes)
            match = match || qstrncmp(name, prefix, qstrlen(prefix)) == 0;
        if (!match)
            continue;
        QObject::disconnect(para, link.signal, w, link.slot);
        if (connected)
            QObject::connect(para, link.signal, w, link.slot);
    }
}

int current_range(const QString& reply)
{
    return reply == QLatin1String("5\n") ? 0 : 1;
}

int voltage_range(const QString& reply)
{
    return reply == QLatin1String("36\n") ? 0 : 1;
}

QStringList split_all(const QString& reply)
{
    return reply.split(QLatin1Char(','), Qt::KeepEmptyParts);
}

} // namespace

void MyMainWindow::deal_list_recall(QList<QString> replies, QList<QWidget*>)
{
    // The replies of the list read-back (operation 13's queries).
    if (enough(replies, 8, "deal_list_recall")) {
        set_para_links(this, {"sig_list_"}, false);
        uiPara* p = uiPara::instance();
        static const QStringList modes = {QStringLiteral("CURRENT\n"), QStringLiteral("VOLTAGE\n"),
                                          QStringLiteral("RESISTANCE\n"), QStringLiteral("POWER\n")};
        const int mode = modes.indexOf(replies[0]);
        if (mode >= 0)
            p->set_list_mode(mode);
        p->set_list_i_range(current_range(replies[1]));
        p->set_list_v_range(voltage_range(replies[2]));
        p->set_list_count(replies[3].toInt());
        p->set_list_step(replies[4].toInt());
        p->set_list_set(split_all(replies[5]));
        p->set_list_width(split_all(replies[6]));
        p->set_list_slew(split_all(replies[7]));
        set_para_links(this, {"sig_list_"}, true);
        update_list_mode(p->get_list_mode());
        update_list_i_range(p->get_list_i_range());
        update_list_v_range(p->get_list_v_range());
        update_list_step(p->get_list_step());
        update_list_count(p->get_list_count());
    }
    close_wait_prompt(wait_t::list_recall);
}

// ---- the measurement poll

void MyMainWindow::show_readings(double current, double voltage, double resistance, double power, int load)
{
    if (load == 0) {
        current = 0;
        resistance = 0;
        power = 0;
    }
    ui->label_C->setText(QString::number(current, 'f', 4) + QStringLiteral("A"));
    ui->label_V->setText(QString::number(voltage, 'f', 4) + QStringLiteral("V"));
    ui->label_R->setText(QString::number(resistance, 'f', 3) + QChar(0x03A9));
    ui->label_P->setText(QString::number(power, 'f', 2) + QStringLiteral("W"));
}

namespace {

// Replies of the poll: the base six, then the function's extra readings.
enum poll_reply { p_input, p_current, p_voltage, p_res, p_pow, p_remote, p_extra1, p_extra2, base_count = 6 };

// The time-test times: seconds with 4 decimals, longer ones as h:m:s.
QString test_time_text(MyMainWindow& w, double seconds)
{
    if (seconds > 60.0)
        return w.seconds_to_hms(seconds);
    return QString::number(seconds, 'f', 4) + QStringLiteral("s");
}

} // namespace

void MyMainWindow::deal_showing_value(QList<QString> replies, QList<QWidget*>)
{
    // A set still on its way when the session began to end is not shown:
    // the end blanks the readings, and nothing may paint them again.
    if (session_ending)
        return;
    if (!enough(replies, base_count, "deal_showing_value"))
        return;
    // A set with a reply that is not a number (a garbled or cut reply) is
    // passed over whole: it must not show, record or trend made-up zeros, nor
    // read as the load leaving remote control.
    reply_numbers read;
    const int input = read.integer(replies[p_input]);
    const double current = read.number(replies[p_current]);
    const double voltage = read.number(replies[p_voltage]);
    const int remote = read.integer(replies[p_remote]);
    // The battery form asks the discharged capacity and time in place of
    // the resistance and power, and those two at its end.
    const bool battery = func_code == 8 && replies.size() >= 8;
    const double resistance = read.number(replies[battery ? p_extra1 : p_res]);
    const double power = read.number(replies[battery ? p_extra2 : p_pow]);
    if (!read.ok()) {
        qDebug() << "MyMainWindow::deal_showing_value: a reply is not a number; set passed over";
        return;
    }

    if (input == 0 || input == 1)
        load_switch->setSelectedItem(input == 1);
    follow_input_state(input);
    // A list the load halted is no longer polled for its run state: the
    // input going off ends it here.
    if (input == 0 && list_run_shown)
        show_list_stopped();

    show_readings(current, voltage, resistance, power, input);
    if (battery) {
        // The discharged capacity and time stay shown after the input went off.
        const double capacity = replies[p_res].toDouble();
        const double time = replies[p_pow].toDouble();
        ui->label_R->setText(QString::number(capacity, 'f', 0) + QStringLiteral("mAh"));
        ui->label_P->setText(seconds_to_hms(time));
    }

    // The two extra labels: external input and its set value, or the time
    // test's rise and fall times.
    if ((func_code == 24 || func_code == 25) && replies.size() > p_extra1) {
        const double ext = replies[p_extra1].toDouble();
        uiPara* p = uiPara::instance();
        ui->label_Ext->setText(tr("V_EXT : ") + QString::number(ext, 'f', 3) + QStringLiteral("V"));
        if (func_code == 24) {
            const double factor = p->get_ext_i_range() == 0 ? 0.5 : 3.0;
            ui->label_Ext_Set->setText(tr("I_set : ") + QString::number(ext * factor, 'f', 3) + QStringLiteral("A"));
        } else {
            const double factor = p->get_ext_v_range() == 0 ? 3.6 : 15.0;
            ui->label_Ext_Set->setText(tr("V_set : ") + QString::number(ext * factor, 'f', 3) + QStringLiteral("V"));
        }
    } else if (time_test_flag && func_code >= 0 && func_code <= 3 && replies.size() > p_extra2) {
        ui->label_Ext->setText(tr("T_Rise : ") + test_time_text(*this, replies[p_extra1].toDouble()));
        ui->label_Ext_Set->setText(tr("T_Fall : ") + test_time_text(*this, replies[p_extra2].toDouble()));
    }

    // A battery discharge that has just begun: ask its messages once.
    if (input == 1 && func_code == 8 && battery_start_state == 1) {
        cfg_thread->add_message_cmd({QStringLiteral("TEST:STAT?"), QStringLiteral("FUNC:TEST:RESULT?"),
                                     QStringLiteral("BATT:DISCHA:CAP?"), QStringLiteral("BATT:DISCHA:TIM?")},
                                    8);
    }
    battery_start_state = 0;
    // An OCP or OPP test that has ended gets its result asked.
    follow_protect_test(input);

    // A reply still on its way when the session began to end does not revive it.
    if (remote == 1 && !session_ending && cfg_thread->isRunning()) {
        is_connected = true;
    } else if (remote == 0 && is_connected) {
        load_left_remote();
    }

    display_data(current, voltage, resistance, power, trend ? trend->counter : 0, input);
}
