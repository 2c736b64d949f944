// Where the load's replies come in: the command thread's text, byte and
// message replies, handed to the pages and then to the window's own
// handlers by operation code, the protection alarm and the test verdicts.
#include "mainwindow.h"

#include "cfg_thread_t.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "reply_numbers.h"

#include <QDebug>

namespace {

using own_handler_t = void (*)(MainWindow*, const QList<QString>&, const QList<QWidget*>&, int);

// The window's own switch. `replies` is the fewest replies the handler
// reads; a shorter list is passed over (a cut exchange must not be read
// past its end).
struct own_route_t
{
    int operation;
    int replies;
    own_handler_t handle;
};

#define R_ONLY(fn) [](MainWindow* w, const QList<QString>& r, const QList<QWidget*>&, int) { w->fn(r); }
#define R_SUB(fn) [](MainWindow* w, const QList<QString>& r, const QList<QWidget*>&, int s) { w->fn(r, s); }
#define R_WID(fn) [](MainWindow* w, const QList<QString>& r, const QList<QWidget*>& x, int) { w->fn(r, x); }

const own_route_t k_own_routes[] = {
    {0, 5, R_ONLY(deal_cc_readback)},
    {1, 3, R_ONLY(deal_cv_readback)},
    {2, 3, R_ONLY(deal_cr_readback)},
    {3, 3, R_ONLY(deal_cp_readback)},
    {4, 5, R_ONLY(deal_led_readback)},
    {5, 7, R_ONLY(deal_dyn_readback)},
    {6, 9, R_ONLY(deal_ocp_readback)},
    {7, 9, R_ONLY(deal_opp_readback)},
    {8, 12, R_ONLY(deal_battery_readback)},
    {10, 12, R_ONLY(deal_configure_readback)},
    {11, 3, R_ONLY(deal_sltm_readback)},
    {12, 6, R_ONLY(deal_limit_readback)},
    {13, 8, R_ONLY(deal_list_readback)},
    {14, 14, R_ONLY(deal_prog_readback)},
    {15, 8, R_ONLY(deal_list_run_state)},
    {16, 9, R_ONLY(deal_prog_run_state)},
    {22, 1, R_ONLY(deal_list_change_readback)},
    {26, 1, R_WID(deal_static_func_readback)},
    {28, 1, R_WID(deal_dyn_func_readback)},
    {29, 1, R_SUB(deal_test_result_readback)},
    {31, 7, R_SUB(deal_init_readback)},
    {32, 0, R_SUB(deal_load_readback)},
    {33, 1, R_ONLY(deal_short_readback)},
    {82, 0, R_ONLY(deal_trigger_readback)},
    {83, 1, R_ONLY(deal_idn_readback)},
    {183, 6, R_ONLY(deal_measure_readback)},
    {185, 0,
     [](MainWindow* w, const QList<QString>&, const QList<QWidget*>&, int) {
         w->battery_test_running = 1;
         w->start_threads();
     }},
};

#undef R_ONLY
#undef R_SUB
#undef R_WID

using page_dispatcher_t = void (MainWindow::*)(int, const QList<QString>&, const QList<QWidget*>&);
// Every reply goes to all of them, in this order.
const page_dispatcher_t k_page_dispatchers[] = {
    &MainWindow::deal_static_reply,  &MainWindow::deal_dynamic_reply, &MainWindow::deal_ocpt_reply,
    &MainWindow::deal_oppt_reply,    &MainWindow::deal_battery_reply, &MainWindow::deal_list_reply,
    &MainWindow::deal_prog_reply,    &MainWindow::deal_utility_reply,
};

struct alarm_t
{
    int bit;
    const char* text;
};
const alarm_t k_alarms[] = {
    {9, "Over the protect power !"}, {10, "Over the protect current !"},
    {11, "Positive and negative pole reversal !"}, {12, "Over voltage !"},
    {13, "Over temperature !"}, {14, "Over power !"}, {15, "Over current !"},
};

// Message kinds of the test ends.
const int k_kind_ocp = 6;
const int k_kind_opp = 7;
const int k_kind_battery = 8;

} // namespace

void MainWindow::deal_cfg_thread(int operation, QList<QString> replies, QList<QWidget*> widgets, int private_data)
{
    for (page_dispatcher_t dispatch : k_page_dispatchers)
        (this->*dispatch)(operation, replies, widgets);
    if (operation == battery_end_operation) {
        deal_battery_end(replies);
        return;
    }
    if (operation >= 186)
        return;
    for (const own_route_t& route : k_own_routes) {
        if (route.operation != operation)
            continue;
        if (replies.size() < route.replies) {
            qDebug() << "older window: operation" << operation << "gave" << replies.size() << "replies of"
                     << route.replies << "- passed over";
            // a wait for this reply must not stay open
            const bool waiting = readback_box != nullptr;
            close_wait_box();
            start_threads();
            if (waiting)
                show_warning(tr("The load's reply could not be read."));
            return;
        }
        route.handle(this, replies, widgets, private_data);
        return;
    }
}

bool MainWindow::route_reply(const reply_route_t* routes, std::size_t count, int operation,
                             const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (routes[i].operation == operation) {
            (this->*routes[i].handler)(replies, widgets);
            return true;
        }
    }
    return false;
}

void MainWindow::deal_cfg_thread_bytedata(int operation, QByteArray data)
{
    // The list and program exports and imports, by operation code.
    static const struct {
        int operation;
        void (MainWindow::*handler)(const QByteArray&);
    } byte_replies[] = {{80, &MainWindow::write_list_file},
                        {81, &MainWindow::request_list_init},
                        {64, &MainWindow::write_prog_file},
                        {65, &MainWindow::request_prog_init}};
    for (const auto& entry : byte_replies) {
        if (entry.operation == operation) {
            (this->*entry.handler)(data);
            return;
        }
    }
    qDebug() << "older window: byte reply" << operation << "of" << data.size() << "bytes";
}

void MainWindow::deal_cfg_thread_message_data(QList<QString> replies, int kind)
{
    start_threads();
    if (replies.size() < 2) {
        qDebug() << "older window: test end of kind" << kind << "gave" << replies.size() << "replies";
        return;
    }
    const double value = replies.at(1).toDouble();
    QString word = replies.at(0);
    word.remove(QStringLiteral("0x"));
    word.remove(QLatin1Char('\n'));
    bool ok = false;
    const int status = word.trimmed().toInt(&ok, 16);
    if (!ok) {
        qDebug() << "older window: unreadable test status" << replies.at(0);
        return;
    }
    if (!show_protect_alarm(status))
        return;
    if (kind == k_kind_ocp) {
        show_test_verdict(value, ocp_i_min_spin->value(), ocp_i_max_spin->value());
    } else if (kind == k_kind_opp) {
        show_test_verdict(value, opp_p_min_spin->value(), opp_p_max_spin->value());
    } else if (kind == k_kind_battery) {
        if (replies.size() < 4) {
            qDebug() << "older window: battery end gave" << replies.size() << "replies";
            return;
        }
        const double result = value;
        const double capacity = replies.at(2).toDouble();
        const double seconds = replies.at(3).toDouble();
        const bool v_stop = batt_stop_radios[0]->checked_index() == 0 && result <= batt_stop_spins[0]->value();
        const bool c_stop = batt_stop_radios[1]->checked_index() == 0 && capacity >= batt_stop_spins[1]->value();
        const bool t_stop = batt_stop_radios[2]->checked_index() == 0 && seconds >= batt_stop_spins[2]->value();
        if (v_stop || c_stop || t_stop)
            show_warning(QStringLiteral("Battery test complete!"));
    }
}

int MainWindow::show_protect_alarm(int status)
{
    if (status == 0)
        return 1;
    // Bits 0 to 8 carry no alarm; every alarm bit set is shown, so a
    // status with two alarms names both.
    QStringList texts;
    for (const alarm_t& a : k_alarms) {
        if (status & (1 << a.bit))
            texts << QString::fromLatin1(a.text);
    }
    if (status > 0xFFFF || status < 0)
        texts << QStringLiteral("Over current !");
    texts.removeDuplicates();
    if (texts.isEmpty())
        return 1;
    show_warning(texts.join(QLatin1Char('\n')));
    return 0;
}

void MainWindow::show_test_verdict(double value, double minimum, double maximum)
{
    if (value == 0.0)
        show_warning(QStringLiteral("Failure! The measured value did not meet the set value"));
    else if (value >= minimum && value <= maximum)
        show_warning(QStringLiteral("Test complete!"));
    else if (value < minimum)
        show_warning(QStringLiteral("Below limit, Test fail!"));
    else
        show_warning(QStringLiteral("Over limit, Test fail!"));
}
