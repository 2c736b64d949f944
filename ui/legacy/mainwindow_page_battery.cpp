// Battery page: the discharge function, ranges, level and the three stop
// conditions. Function, range and stop-switch changes are refused while the
// input is on (the page is then read again); values go at any time.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "page_links.h"

#include <QPushButton>

#include <iterator>

namespace {

// box: -1 none, 0 the level, 1..3 the voltage, capacity and time stops.
struct batt_request_t
{
    int operation;
    const char* write; // a value row: the prefix
    const char* queries[2];
    bool guarded;
    int box;
};
const batt_request_t k_requests[] = {
    {151, nullptr, {"BATT:MODE?"}, true, -1},
    {152, "BATT:IRANG 5", {"BATT:IRANG?", "BATT:LEV?"}, true, -1},
    {152, "BATT:IRANG 30", {"BATT:IRANG?", "BATT:LEV?"}, true, -1},
    {153, "BATT:VRANG 36", {"BATT:VRANG?", "BATT:LEV?"}, true, -1},
    {153, "BATT:VRANG 150", {"BATT:VRANG?", "BATT:LEV?"}, true, -1},
    {154, "BATT:LEV ", {"BATT:LEV?"}, false, 0},
    {155, "BATT:VOLT:STAT 1", {"BATT:VOLT:STAT?"}, true, -1},
    {155, "BATT:VOLT:STAT 0", {"BATT:VOLT:STAT?"}, true, -1},
    {156, "BATT:CAP:STAT 1", {"BATT:CAP:STAT?"}, true, -1},
    {156, "BATT:CAP:STAT 0", {"BATT:CAP:STAT?"}, true, -1},
    {157, "BATT:TIM:STAT 1", {"BATT:TIM:STAT?"}, true, -1},
    {157, "BATT:TIM:STAT 0", {"BATT:TIM:STAT?"}, true, -1},
    {158, "BATT:VOLT ", {"BATT:VOLT?"}, false, 1},
    {159, "BATT:CAP ", {"BATT:CAP?"}, false, 2},
    {160, "BATT:TIM ", {"BATT:TIM?"}, false, 3},
};

const char* const k_modes[] = {"BATT:MODE CURR", "BATT:MODE RES", "BATT:MODE POW"};

// Function replies: the combo index, the level's label and unit.
struct batt_function_t
{
    const char* reply;
    const char* label;
    const char* unit;
};
const batt_function_t k_functions[] = {
    {"CURRENT\n", "Current", "A"}, {"RESISTANCE\n", "Resis", "Ω"}, {"POWER\n", "Power", "W"}};

} // namespace

void MainWindow::post_battery_row(int row)
{
    if (!connected)
        return;
    const batt_request_t& q = k_requests[row];
    if (q.guarded && refuse_while_on(8, tr("Battery Dialog"), tr("Please waiting for the Battery initing")))
        return;
    custom_spinbox* boxes[] = {batt_level_spin, batt_stop_spins[0], batt_stop_spins[1], batt_stop_spins[2]};
    QList<QString> writes, queries;
    QWidget* widget = nullptr;
    if (!q.write) {
        const int f = batt_function_combo->current_index();
        if (f < 0 || f > 2)
            return;
        writes << QString::fromLatin1(k_modes[f]);
        widget = batt_function_combo;
    } else if (q.box >= 0) {
        writes << QString::fromLatin1(q.write) + page_links::value_text(boxes[q.box]->value());
        widget = boxes[q.box];
    } else {
        writes << QString::fromLatin1(q.write);
    }
    queries << QString::fromLatin1(q.queries[0]);
    if (q.queries[1]) {
        writes << QString();
        queries << QString::fromLatin1(q.queries[1]);
    }
    post_page(q.operation, writes, queries, widget);
}

void MainWindow::deal_function_battery_comboBox(int) { post_battery_row(0); }
void MainWindow::deal_i_range_5a_battery_value() { post_battery_row(1); }
void MainWindow::deal_i_range_30a_battery_value() { post_battery_row(2); }
void MainWindow::deal_v_range_36v_battery_value() { post_battery_row(3); }
void MainWindow::deal_v_range_150v_battery_value() { post_battery_row(4); }
void MainWindow::deal_level_battery_value() { post_battery_row(5); }
void MainWindow::deal_v_stop_on() { post_battery_row(6); }
void MainWindow::deal_v_stop_off() { post_battery_row(7); }
void MainWindow::deal_c_stop_on() { post_battery_row(8); }
void MainWindow::deal_c_stop_off() { post_battery_row(9); }
void MainWindow::deal_t_stop_on() { post_battery_row(10); }
void MainWindow::deal_t_stop_off() { post_battery_row(11); }
void MainWindow::deal_v_stop_value() { post_battery_row(12); }
void MainWindow::deal_c_stop_value() { post_battery_row(13); }
void MainWindow::deal_t_stop_value() { post_battery_row(14); }

void MainWindow::deal_battery_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    static const reply_route_t routes[] = {
        {151, &MainWindow::deal_batt_mode_reply},
        {152, &MainWindow::deal_batt_i_range_reply},
        {153, &MainWindow::deal_batt_v_range_reply},
        {154, &MainWindow::deal_batt_level_reply},
        {155, &MainWindow::deal_batt_v_stop_state_reply},
        {156, &MainWindow::deal_batt_c_stop_state_reply},
        {157, &MainWindow::deal_batt_t_stop_state_reply},
        {158, &MainWindow::deal_batt_v_stop_value_reply},
        {159, &MainWindow::deal_batt_c_stop_value_reply},
        {160, &MainWindow::deal_batt_t_stop_value_reply},
    };
    route_reply(routes, std::size(routes), operation, replies, widgets);
}

void MainWindow::deal_batt_mode_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(151, r);
}

void MainWindow::deal_batt_i_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(152, r);
}

void MainWindow::deal_batt_v_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(153, r);
}

void MainWindow::deal_batt_level_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(154, r);
}

void MainWindow::deal_batt_v_stop_state_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(155, r);
}

void MainWindow::deal_batt_c_stop_state_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(156, r);
}

void MainWindow::deal_batt_t_stop_state_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(157, r);
}

void MainWindow::deal_batt_v_stop_value_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(158, r);
}

void MainWindow::deal_batt_c_stop_value_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(159, r);
}

void MainWindow::deal_batt_t_stop_value_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_batt_page_reply(160, r);
}

void MainWindow::deal_batt_page_reply(int operation, const QList<QString>& r)
{
    custom_spinbox* boxes[] = {batt_level_spin, batt_stop_spins[0], batt_stop_spins[1], batt_stop_spins[2]};
    double v = 0;
    switch (operation) {
    case 151: {
        // the combo signals a change made by code: cut while it is set
        _disconnect_battery();
        const int f = page_links::word(r, 0, {"CURRENT\n", "RESISTANCE\n", "POWER\n"});
        if (f >= 0) {
            batt_function_combo->set_current_index(f);
            batt_level_spin->set_label_text(QString::fromLatin1(k_functions[f].label));
            batt_level_spin->set_unit_text(k_functions[f].unit);
        }
        start_threads();
        _init_battery_connect();
        return;
    }
    case 152:
    case 153: {
        _disconnect_battery();
        const int index = operation == 152 ? page_links::word(r, 0, {"5\n", "30\n"})
                                           : page_links::word(r, 0, {"36\n", "150\n"});
        if (index >= 0)
            (operation == 152 ? batt_i_range_radio : batt_v_range_radio)->set_checked(index);
        if (page_links::number(r, 1, &v))
            batt_level_spin->set_value(v);
        _init_battery_connect();
        start_threads();
        return;
    }
    case 155:
    case 156:
    case 157: {
        const int s = operation - 155;
        const int index = page_links::word(r, 0, {"1\n", "0\n"});
        if (index >= 0) {
            batt_stop_radios[s]->set_checked(index);
            batt_stop_spins[s]->set_enable(index == 0);
        }
        start_threads();
        return;
    }
    default: {
        custom_spinbox* box = boxes[operation == 154 ? 0 : operation - 157];
        if (page_links::number(r, 0, &v))
            box->set_value(v);
        start_threads();
        return;
    }
    }
}

void MainWindow::_show_battery_title()
{
    if (connected)
        start_title_thread("BATTERY", 8);
}

void MainWindow::_init_battery_connect()
{
    page_links::make(this, {{batt_i_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_i_range_5a_battery_value())},
                            {batt_i_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_i_range_30a_battery_value())},
                            {batt_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_v_range_36v_battery_value())},
                            {batt_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_v_range_150v_battery_value())},
                            {batt_stop_radios[0], SIGNAL(buttonA_clicked()), SLOT(deal_v_stop_on())},
                            {batt_stop_radios[0], SIGNAL(buttonB_clicked()), SLOT(deal_v_stop_off())},
                            {batt_stop_radios[1], SIGNAL(buttonA_clicked()), SLOT(deal_c_stop_on())},
                            {batt_stop_radios[1], SIGNAL(buttonB_clicked()), SLOT(deal_c_stop_off())},
                            {batt_stop_radios[2], SIGNAL(buttonA_clicked()), SLOT(deal_t_stop_on())},
                            {batt_stop_radios[2], SIGNAL(buttonB_clicked()), SLOT(deal_t_stop_off())},
                            {batt_level_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_level_battery_value())},
                            {batt_function_combo, SIGNAL(currentindex_changed(int)),
                             SLOT(deal_function_battery_comboBox(int))},
                            {batt_stop_spins[0], SIGNAL(change_spin_spinbox()), SLOT(deal_v_stop_value())},
                            {batt_stop_spins[1], SIGNAL(change_spin_spinbox()), SLOT(deal_c_stop_value())},
                            {batt_stop_spins[2], SIGNAL(change_spin_spinbox()), SLOT(deal_t_stop_value())}});
    link_limit_boxes(true, true);
}

void MainWindow::_disconnect_battery()
{
    page_links::cut(this, {batt_function_combo, batt_i_range_radio, batt_v_range_radio, batt_level_spin,
                           batt_stop_radios[0], batt_stop_radios[1], batt_stop_radios[2], batt_stop_spins[0],
                           batt_stop_spins[1], batt_stop_spins[2]});
    cut_limit_boxes(true, true);
}
