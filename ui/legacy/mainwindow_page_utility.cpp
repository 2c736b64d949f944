// Utility tab: the configure, SLTM (timing test) and limit pages share one
// tab entry and one reply dispatcher. Switches send a fixed command, value
// boxes their value and combo boxes the chosen word, each with a read-back.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "custom_combobox.h"
#include "custom_messagebox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "page_links.h"
#include "window_place.h"

#include <QFrame>
#include <QIcon>
#include <QPushButton>

namespace {

using radio_t = custom_radiobutton* MainWindow::*;
using spin_t = custom_spinbox* MainWindow::*;

// Requests by row; a value row's command is the prefix its value follows.
struct utility_request_t
{
    int operation;
    const char* write;
    const char* query;
    spin_t box;
};
const utility_request_t k_requests[] = {
    {162, "SYST:SENS ON", "SYST:SENS?", nullptr},          {162, "SYST:SENS OFF", "SYST:SENS?", nullptr},
    {163, "VOLT:LATCh 1", "VOLT:LATCh?", nullptr},         {163, "VOLT:LATCh 0", "VOLT:LATCh?", nullptr},
    {164, "STOP:ON:FAIL ON", "STOP:ON:FAIL?", nullptr},    {164, "STOP:ON:FAIL OFF", "STOP:ON:FAIL?", nullptr},
    {171, "EXT:IRANG 5", "EXT:IRANG?", nullptr},           {171, "EXT:IRANG 30", "EXT:IRANG?", nullptr},
    {172, "EXT:VRANG 36", "EXT:VRANG?", nullptr},          {172, "EXT:VRANG 150", "EXT:VRANG?", nullptr},
    {173, "EXT:INP 1", "EXT:INP?", nullptr},               {173, "EXT:INP 0", "EXT:INP?", nullptr},
    {169, "SYST:IMONI:STAT 0", "SYST:IMONI:STAT?", nullptr}, {170, "SYST:VMONI:STAT 0", "SYST:VMONI:STAT?", nullptr},
    {180, "TIME:TEST 1", "TIME:TEST?", nullptr},           {180, "TIME:TEST 0", "TIME:TEST?", nullptr},
    {174, "CURR:PROT:STAT ON", "CURR:PROT:STAT?", nullptr}, {174, "CURR:PROT:STAT OFF", "CURR:PROT:STAT?", nullptr},
    {175, "POW:PROT:STAT ON", "POW:PROT:STAT?", nullptr},  {175, "POW:PROT:STAT OFF", "POW:PROT:STAT?", nullptr},
    {165, "VOLT:ON ", "VOLT:ON?", &MainWindow::von_spin},
    {181, "TIME:TEST:VOLT:LOW ", "TIME:TEST:VOLT:LOW?", &MainWindow::v_low_spin},
    {182, "TIME:TEST:VOLT:HIGH ", "TIME:TEST:VOLT:HIGH?", &MainWindow::v_high_spin},
    {176, "CURR:PROT:LEV ", "CURR:PROT:LEV?", &MainWindow::i_protect_spin},
    {177, "POW:PROT:LEV ", "POW:PROT:LEV?", &MainWindow::p_protect_spin},
    {178, "CURR:PROT:DEL ", "CURR:PROT:DEL?", &MainWindow::i_protect_delay_spin},
    {179, "POW:PROT:DEL ", "POW:PROT:DEL?", &MainWindow::p_protect_delay_spin},
};

// Switch replies: the words of buttons A and B and what follows.
enum after_t { a_poll, a_load_check, a_poll_then_warn };
struct switch_reply_t
{
    int operation;
    radio_t radio;
    const char* a;
    const char* b;
    after_t after;
};
const switch_reply_t k_switches[] = {
    {162, &MainWindow::vrmt_radio, "1\n", "0\n", a_load_check},
    {163, &MainWindow::vol_radio, "1\n", "0\n", a_poll},
    {164, &MainWindow::sof_radio, "1\n", "0\n", a_load_check},
    {169, &MainWindow::imon_radio, "1\n", "0\n", a_poll},
    {170, &MainWindow::vmon_radio, "1\n", "0\n", a_poll},
    {171, &MainWindow::ext_current_range_radio, "5\n", "30\n", a_poll_then_warn},
    {172, &MainWindow::ext_voltage_range_radio, "36\n", "150\n", a_poll_then_warn},
    {173, &MainWindow::extswitch_radio, "1\n", "0\n", a_poll},
    {174, &MainWindow::i_protect_switch_radio, "1\n", "0\n", a_poll},
    {175, &MainWindow::p_protect_switch_radio, "1\n", "0\n", a_poll},
};

const char* const k_trigger_sources[] = {"TRIG:SOUR MANUAL", "TRIG:SOUR EXT", "TRIG:SOUR BUS"};
const char* const k_ext_modes[] = {"EXT:MODE INT", "EXT:MODE EXTI", "EXT:MODE EXTV"};
const int k_aver_entries = 9; // 2^6 .. 2^14

} // namespace

void MainWindow::post_utility_row(int row)
{
    if (!connected)
        return;
    const utility_request_t& q = k_requests[row];
    QString write = QString::fromLatin1(q.write);
    QWidget* widget = nullptr;
    if (q.box) {
        write += page_links::value_text((this->*q.box)->value());
        widget = this->*q.box;
    }
    post_page(q.operation, {write}, {QString::fromLatin1(q.query)}, widget);
}

void MainWindow::deal_vrmt_on() { post_utility_row(0); }
void MainWindow::deal_vrmt_off() { post_utility_row(1); }
void MainWindow::deal_vol_on() { post_utility_row(2); }
void MainWindow::deal_vol_off() { post_utility_row(3); }
void MainWindow::deal_sof_on() { post_utility_row(4); }
void MainWindow::deal_sof_off() { post_utility_row(5); }
void MainWindow::deal_irange_5a_configure() { post_utility_row(6); }
void MainWindow::deal_irange_30a_configure() { post_utility_row(7); }
void MainWindow::deal_vrange_36v_configure() { post_utility_row(8); }
void MainWindow::deal_vrange_150v_configure() { post_utility_row(9); }
void MainWindow::deal_extswitch_on() { post_utility_row(10); }
void MainWindow::deal_extswitch_off() { post_utility_row(11); }
void MainWindow::deal_imon_off() { post_utility_row(12); }
void MainWindow::deal_vmon_off() { post_utility_row(13); }
void MainWindow::deal_tmon_on() { post_utility_row(14); }
void MainWindow::deal_tmon_off() { post_utility_row(15); }
void MainWindow::deal_switch_ipro_on() { post_utility_row(16); }
void MainWindow::deal_switch_ipro_off() { post_utility_row(17); }
void MainWindow::deal_switch_ppro_on() { post_utility_row(18); }
void MainWindow::deal_switch_ppro_off() { post_utility_row(19); }
void MainWindow::deal_von() { post_utility_row(20); }
void MainWindow::deal_v_low_sltm() { post_utility_row(21); }
void MainWindow::deal_v_high_sltm() { post_utility_row(22); }
void MainWindow::deal_current() { post_utility_row(23); }
void MainWindow::deal_power() { post_utility_row(24); }
void MainWindow::deal_idealy() { post_utility_row(25); }
void MainWindow::deal_pdelay() { post_utility_row(26); }

// A monitor output drives the BNC socket: the user confirms it is wired; a
// No (or a closed box) switches the output off.
static void monitor_on(MainWindow* w, bool current)
{
    if (!w->connected)
        return;
    custom_messagebox* box = new custom_messagebox(QMessageBox::Warning, MainWindow::tr("dialog"),
                                                   MainWindow::tr("Please confirm that the BNC is connected"),
                                                   QMessageBox::Yes | QMessageBox::No, nullptr);
    box->setWindowIcon(QIcon(QStringLiteral(":/resource/lion.jpg")));
    box->setAttribute(Qt::WA_DeleteOnClose);
    keep_in_front_of(box, w);
    const bool yes = box->exec() == QMessageBox::Yes;
    if (!w->connected)
        return;
    const QString word = current ? QStringLiteral("SYST:IMONI:STAT") : QStringLiteral("SYST:VMONI:STAT");
    w->post_page(current ? 169 : 170, {word + (yes ? QStringLiteral(" 1") : QStringLiteral(" 0"))},
                 {word + QLatin1Char('?')}, current ? w->imon_radio : w->vmon_radio);
}

void MainWindow::deal_imon_on() { monitor_on(this, true); }
void MainWindow::deal_vmon_on() { monitor_on(this, false); }

void MainWindow::deal_trig(int index)
{
    if (!connected || index < 0 || index > 2)
        return;
    post_page(166, {QString::fromLatin1(k_trigger_sources[index])}, {QStringLiteral("TRIG:SOUR?")}, trigger_combo);
}

void MainWindow::deal_aver(int index)
{
    if (!connected || index < 0 || index >= k_aver_entries)
        return;
    post_page(167, {QStringLiteral("SENS:AVER:COUN ") + QString::number(index + 6)}, {QStringLiteral("SENS:AVER:COUN?")},
              aver_combo);
}

void MainWindow::deal_extc(int index)
{
    if (!connected || index < 0 || index > 2)
        return;
    post_page(168, {QString::fromLatin1(k_ext_modes[index]), QString(), QString()},
              {QStringLiteral("EXT:MODE?"), QStringLiteral("FUNC:MODE?"), QStringLiteral("FUNC?")}, type_combo);
}

void MainWindow::deal_utility(int index)
{
    // a click beside the tabs gives -1: nothing to read, so no wait either
    if (!connected || index < 0 || index > 2)
        return;
    fill_cmd_list(10 + index);
    post(10 + index, false, 0);
    show_wait_box(MainWindow::tr("Utility Dialog"), MainWindow::tr("Please waiting for the Utility initing"));
}

void MainWindow::configure_default()
{
    if (connected)
        start_title_thread(nullptr, 10);
}

void MainWindow::sltm_default()
{
    if (connected)
        start_title_thread(nullptr, 11);
}

void MainWindow::limit_default()
{
    if (connected)
        start_title_thread(nullptr, 12);
}

// ---- replies

void MainWindow::deal_utility_reply(int operation, const QList<QString>& replies, const QList<QWidget*>&)
{
    if (operation < 162 || operation > 182)
        return;
    for (const switch_reply_t& s : k_switches) {
        if (s.operation != operation)
            continue;
        const int index = page_links::word(replies, 0, {s.a, s.b});
        if (index >= 0)
            (this->*s.radio)->set_checked(index);
        if (s.after == a_poll)
            start_threads();
        else
            warn_if_on_after(s.after == a_poll_then_warn);
        return;
    }
    for (const utility_request_t& q : k_requests) {
        if (q.operation != operation || !q.box)
            continue;
        double v = 0;
        if (page_links::number(replies, 0, &v))
            (this->*q.box)->set_value(v);
        start_threads();
        return;
    }
    if (operation == 180) {
        const int index = page_links::word(replies, 0, {"1\n", "0\n"});
        if (index >= 0) {
            tmon_radio->set_checked(index);
            tmon_on = index == 0;
        }
        start_threads();
        return;
    }
    deal_configure_reply(operation, replies);
}

// Codes 166 to 168: combo boxes signal a change made by code, so the page
// is cut while they are set.
void MainWindow::deal_configure_reply(int operation, const QList<QString>& r)
{
    _disconnect_configure();
    if (operation == 166) {
        const int index = page_links::word(r, 0, {"MANUAL\n", "EXTERNAL\n", "BUS\n"});
        if (index >= 0)
            trigger_combo->set_current_index(index);
        start_threads();
    } else if (operation == 167) {
        double v = 0;
        if (page_links::number(r, 0, &v)) {
            const int index = int(v - 6.0);
            if (index >= 0 && index < k_aver_entries)
                aver_combo->set_current_index(index);
        }
        start_threads();
    } else if (operation == 168) {
        deal_external_control_reply(r);
    }
    _init_configure_connect();
}

// ---- connections

void MainWindow::_init_configure_connect()
{
    page_links::make(this, {{vrmt_radio, SIGNAL(buttonA_clicked()), SLOT(deal_vrmt_on())},
                            {vrmt_radio, SIGNAL(buttonB_clicked()), SLOT(deal_vrmt_off())},
                            {sof_radio, SIGNAL(buttonA_clicked()), SLOT(deal_sof_on())},
                            {sof_radio, SIGNAL(buttonB_clicked()), SLOT(deal_sof_off())},
                            {von_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_von())},
                            {vol_radio, SIGNAL(buttonA_clicked()), SLOT(deal_vol_on())},
                            {vol_radio, SIGNAL(buttonB_clicked()), SLOT(deal_vol_off())},
                            {trigger_combo, SIGNAL(currentindex_changed(int)), SLOT(deal_trig(int))},
                            {aver_combo, SIGNAL(currentindex_changed(int)), SLOT(deal_aver(int))},
                            {type_combo, SIGNAL(currentindex_changed(int)), SLOT(deal_extc(int))},
                            {ext_current_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_irange_5a_configure())},
                            {ext_current_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_irange_30a_configure())},
                            {ext_voltage_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_vrange_36v_configure())},
                            {ext_voltage_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_vrange_150v_configure())},
                            {extswitch_radio, SIGNAL(buttonA_clicked()), SLOT(deal_extswitch_on())},
                            {extswitch_radio, SIGNAL(buttonB_clicked()), SLOT(deal_extswitch_off())},
                            {imon_radio, SIGNAL(buttonA_clicked()), SLOT(deal_imon_on())},
                            {imon_radio, SIGNAL(buttonB_clicked()), SLOT(deal_imon_off())},
                            {vmon_radio, SIGNAL(buttonA_clicked()), SLOT(deal_vmon_on())},
                            {vmon_radio, SIGNAL(buttonB_clicked()), SLOT(deal_vmon_off())}});
}

void MainWindow::_disconnect_configure()
{
    page_links::cut(this, {vrmt_radio, sof_radio, vol_radio, von_spin, trigger_combo, aver_combo, type_combo,
                           ext_current_range_radio, ext_voltage_range_radio, extswitch_radio, imon_radio, vmon_radio});
}

void MainWindow::_init_sltm_connect()
{
    page_links::make(this, {{tmon_radio, SIGNAL(buttonA_clicked()), SLOT(deal_tmon_on())},
                            {tmon_radio, SIGNAL(buttonB_clicked()), SLOT(deal_tmon_off())},
                            {v_low_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_v_low_sltm())},
                            {v_high_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_v_high_sltm())}});
}

void MainWindow::_disconnect_sltm()
{
    page_links::cut(this, {tmon_radio, v_low_spin, v_high_spin});
}

void MainWindow::_init_limit_connect()
{
    page_links::make(this, {{i_protect_switch_radio, SIGNAL(buttonA_clicked()), SLOT(deal_switch_ipro_on())},
                            {i_protect_switch_radio, SIGNAL(buttonB_clicked()), SLOT(deal_switch_ipro_off())},
                            {p_protect_switch_radio, SIGNAL(buttonA_clicked()), SLOT(deal_switch_ppro_on())},
                            {p_protect_switch_radio, SIGNAL(buttonB_clicked()), SLOT(deal_switch_ppro_off())},
                            {i_protect_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_current())},
                            {p_protect_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_power())},
                            {i_protect_delay_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_idealy())},
                            {p_protect_delay_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_pdelay())}});
}

void MainWindow::_disconnect_limit()
{
    page_links::cut(this, {i_protect_switch_radio, p_protect_switch_radio, i_protect_spin, p_protect_spin,
                           i_protect_delay_spin, p_protect_delay_spin});
}
