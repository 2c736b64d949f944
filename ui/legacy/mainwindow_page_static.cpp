// Static page: the CC, CV, CR and CP ranges, levels and slews, the two page
// selectors, and the dispatcher that also hands the LED replies on. Replies
// go straight into the widgets; the page is connected only after its mode's
// read-back has filled it.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "Get_configure_value.h"
#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "page_links.h"
#include "slew_bands.h"

#include <QFrame>
#include <QPushButton>

#include <iterator>

using page_links::link_t;

namespace {

using radio_t = custom_radiobutton* MainWindow::*;
using spin_t = custom_spinbox* MainWindow::*;
using routine_t = void (MainWindow::*)();

// Requests by row: 0..15 ranges (one command, one read-back), 16..21 values.
struct static_request_t
{
    int operation;
    const char* write; // a value row: the prefix the value follows
    const char* queries[2];
    radio_t radio;
    spin_t box;
};
const static_request_t k_requests[] = {
    {34, "CURR:IRANG 5", {"CURR:IRANG?"}, &MainWindow::cc_i_range_radio, nullptr},
    {34, "CURR:IRANG 30", {"CURR:IRANG?"}, &MainWindow::cc_i_range_radio, nullptr},
    {35, "CURR:VRANG 36", {"CURR:VRANG?"}, &MainWindow::cc_v_range_radio, nullptr},
    {35, "CURR:VRANG 150", {"CURR:VRANG?"}, &MainWindow::cc_v_range_radio, nullptr},
    {39, "VOLT:IRANG 5", {"VOLT:IRANG?"}, &MainWindow::cv_i_range_radio, nullptr},
    {39, "VOLT:IRANG 30", {"VOLT:IRANG?"}, &MainWindow::cv_i_range_radio, nullptr},
    {40, "VOLT:VRANG 36", {"VOLT:VRANG?"}, &MainWindow::cv_v_range_radio, nullptr},
    {40, "VOLT:VRANG 150", {"VOLT:VRANG?"}, &MainWindow::cv_v_range_radio, nullptr},
    {42, "RES:IRANG 5", {"RES:IRANG?"}, &MainWindow::cr_i_range_radio, nullptr},
    {42, "RES:IRANG 30", {"RES:IRANG?"}, &MainWindow::cr_i_range_radio, nullptr},
    {43, "RES:VRANG 36", {"RES:VRANG?"}, &MainWindow::cr_v_range_radio, nullptr},
    {43, "RES:VRANG 150", {"RES:VRANG?"}, &MainWindow::cr_v_range_radio, nullptr},
    {45, "POW:IRANG 5", {"POW:IRANG?"}, &MainWindow::cp_i_range_radio, nullptr},
    {45, "POW:IRANG 30", {"POW:IRANG?"}, &MainWindow::cp_i_range_radio, nullptr},
    {46, "POW:VRANG 36", {"POW:VRANG?"}, &MainWindow::cp_v_range_radio, nullptr},
    {46, "POW:VRANG 150", {"POW:VRANG?"}, &MainWindow::cp_v_range_radio, nullptr},
    {36, "CURR ", {"CURRENT?"}, nullptr, &MainWindow::cc_current_spin},
    {37, "CURR:SLEW:POS ", {"CURR:SLEW:POS?", "CURR:SLEW:NEG?"}, nullptr, &MainWindow::cc_slew_rise_spin},
    {38, "CURR:SLEW:NEG ", {"CURR:SLEW:NEG?", "CURR:SLEW:POS?"}, nullptr, &MainWindow::cc_slew_fall_spin},
    {41, "VOLT ", {"VOLT?"}, nullptr, &MainWindow::cv_voltage_spin},
    {44, "RES ", {"RES?"}, nullptr, &MainWindow::cr_resistance_spin},
    {47, "POW ", {"POW?"}, nullptr, &MainWindow::cp_power_spin},
};

// Range replies: the mode's radio, the read-back of its page, which limits.
struct range_reply_t
{
    int operation;
    radio_t radio;
    int page_operation;
    bool current;
};
const range_reply_t k_range_replies[] = {
    {34, &MainWindow::cc_i_range_radio, 0, true},  {35, &MainWindow::cc_v_range_radio, 0, false},
    {39, &MainWindow::cv_i_range_radio, 1, true},  {40, &MainWindow::cv_v_range_radio, 1, false},
    {42, &MainWindow::cr_i_range_radio, 2, true},  {43, &MainWindow::cr_v_range_radio, 2, false},
    {45, &MainWindow::cp_i_range_radio, 3, true},  {46, &MainWindow::cp_v_range_radio, 3, false},
};

// Level replies; CV and CP are set with their page cut.
struct level_reply_t
{
    int operation;
    spin_t box;
    routine_t cut;
    routine_t link;
};
const level_reply_t k_level_replies[] = {
    {36, &MainWindow::cc_current_spin, nullptr, nullptr},
    {41, &MainWindow::cv_voltage_spin, &MainWindow::_disconnect_cv, &MainWindow::_init_cv_connect},
    {44, &MainWindow::cr_resistance_spin, nullptr, nullptr},
    {47, &MainWindow::cp_power_spin, &MainWindow::_disconnect_cp, &MainWindow::_init_cp_connect},
};

const char k_static_title[] = QT_TRANSLATE_NOOP("MainWindow", "Static Dialog");
const char k_static_text[] = QT_TRANSLATE_NOOP("MainWindow", "Please waiting for the Static initing");

} // namespace

// ---- shared by the pages

void MainWindow::post_page(int operation, const QList<QString>& writes, const QList<QString>& queries,
                           QWidget* widget)
{
    QList<QWidget*> widgets;
    if (widget)
        widgets << widget;
    cfg_thread_post(operation, writes, queries, widgets);
}

bool MainWindow::refuse_while_on(int readback, const QString& title, const QString& text)
{
    const QString state = ui->load_button->text();
    if (state == QLatin1String("OFF"))
        return false;
    if (state == QLatin1String("ON")) {
        start_threads();
        show_warning(MainWindow::tr("Please turn off the load"));
        fill_cmd_list(readback);
        post(readback, false, 0);
        show_wait_box(title, text);
    }
    return true;
}

void MainWindow::warn_if_on_after(bool poll_first)
{
    const QString state = ui->load_button->text();
    if (poll_first)
        start_threads();
    else if (state == QLatin1String("ON") || state == QLatin1String("OFF"))
        start_threads();
    if (state == QLatin1String("ON"))
        show_warning(MainWindow::tr("Please turn off the load"));
}

void MainWindow::link_limit_boxes(bool current, bool voltage)
{
    if (current)
        page_links::make(this, {{limit_max_spin[0], SIGNAL(valuechanged()), SLOT(deal_current_max_spinbox())},
                                {limit_min_spin[0], SIGNAL(valuechanged()), SLOT(deal_current_min_spinbox())}});
    if (voltage)
        page_links::make(this, {{limit_max_spin[1], SIGNAL(valuechanged()), SLOT(deal_voltage_max_spinbox())},
                                {limit_min_spin[1], SIGNAL(valuechanged()), SLOT(deal_voltage_min_spinbox())}});
}

void MainWindow::cut_limit_boxes(bool current, bool voltage)
{
    if (current)
        page_links::cut(this, {limit_max_spin[0], limit_min_spin[0]});
    if (voltage)
        page_links::cut(this, {limit_max_spin[1], limit_min_spin[1]});
}

// The limit boxes follow a range read back with the input off; setting a
// maximum signals, so the boxes are cut meanwhile.
void MainWindow::range_limits(bool current, int index)
{
    if (index != 0 && index != 1)
        return;
    const int maximum = current ? (index == 0 ? 5 : 30) : (index == 0 ? 36 : 150);
    const int q = current ? 0 : 1;
    cut_limit_boxes(current, !current);
    limit_max_spin[q]->set_maximum(maximum);
    limit_min_spin[q]->set_maximum(maximum);
}

// ---- requests

void MainWindow::post_static_row(int row)
{
    if (!connected)
        return;
    const static_request_t& q = k_requests[row];
    QList<QString> writes, queries;
    QWidget* widget = nullptr;
    if (q.radio) {
        writes << QString::fromLatin1(q.write);
        widget = this->*q.radio;
    } else {
        writes << QString::fromLatin1(q.write) + page_links::value_text((this->*q.box)->value());
        widget = this->*q.box;
    }
    queries << QString::fromLatin1(q.queries[0]);
    if (q.queries[1]) {
        writes << QString();
        queries << QString::fromLatin1(q.queries[1]);
    }
    post_page(q.operation, writes, queries, widget);
}

void MainWindow::deal_i_range_5a() { post_static_row(0); }
void MainWindow::deal_i_range_30a() { post_static_row(1); }
void MainWindow::deal_v_range_36v() { post_static_row(2); }
void MainWindow::deal_v_range_150v() { post_static_row(3); }
void MainWindow::deal_i_range_5a_cv() { post_static_row(4); }
void MainWindow::deal_i_range_30a_cv() { post_static_row(5); }
void MainWindow::deal_v_range_36v_cv() { post_static_row(6); }
void MainWindow::deal_v_range_150v_cv() { post_static_row(7); }
void MainWindow::deal_i_range_5a_cr() { post_static_row(8); }
void MainWindow::deal_i_range_30a_cr() { post_static_row(9); }
void MainWindow::deal_v_range_36a_cr() { post_static_row(10); }
void MainWindow::deal_v_range_150v_cr() { post_static_row(11); }
void MainWindow::deal_i_range_5a_cp() { post_static_row(12); }
void MainWindow::deal_i_range_30a_cp() { post_static_row(13); }
void MainWindow::deal_v_range_36v_cp() { post_static_row(14); }
void MainWindow::deal_v_range_150v_cp() { post_static_row(15); }
void MainWindow::deal_current_cc() { post_static_row(16); }
void MainWindow::deal_slew_res() { post_static_row(17); }
void MainWindow::deal_slew_fal() { post_static_row(18); }
void MainWindow::deal_voltage() { post_static_row(19); }
void MainWindow::deal_resis() { post_static_row(20); }
void MainWindow::deal_power_static() { post_static_row(21); }

// ---- page selectors

void MainWindow::deal_model_sel(int index)
{
    if (index == 2) {
        for (QFrame* p : {ocp_frame, opp_frame, battery_page, list_page, program_page})
            p->hide();
        aux_button_frame->show();
        return;
    }
    if (!connected)
        return;
    if (index == 0) {
        ocpt_state = oppt_state = battery_test_running = 0;
        fill_cmd_list(26);
        post(26, false, 0);
        show_wait_box(MainWindow::tr(k_static_title), MainWindow::tr(k_static_text));
    } else if (index == 1) {
        ocpt_state = oppt_state = battery_test_running = 0;
        fill_cmd_list(28);
        post(28, false, 0);
        show_wait_box(MainWindow::tr("Dynamic Dialog"), MainWindow::tr("Please waiting for the dynamic initing"));
    } else if (index == 3) {
        ui->utility_tabwidget->setCurrentIndex(0);
        emit ui->utility_tabwidget->tabBarClicked(0);
    }
}

void MainWindow::deal_static_pattern(int index)
{
    if (!connected || index < 0 || index > 4)
        return;
    fill_cmd_list(index);
    post(index, false, 0);
    show_wait_box(MainWindow::tr(k_static_title), MainWindow::tr(k_static_text));
}

// ---- replies

void MainWindow::deal_static_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    // the LED page's replies come this way too
    static const reply_route_t routes[] = {
        {34, &MainWindow::deal_cc_i_range_reply},
        {35, &MainWindow::deal_cc_v_range_reply},
        {36, &MainWindow::deal_cc_current_reply},
        {37, &MainWindow::deal_cc_slew_rise_reply},
        {38, &MainWindow::deal_cc_slew_fall_reply},
        {39, &MainWindow::deal_cv_i_range_reply},
        {40, &MainWindow::deal_cv_v_range_reply},
        {41, &MainWindow::deal_cv_voltage_reply},
        {42, &MainWindow::deal_cr_i_range_reply},
        {43, &MainWindow::deal_cr_v_range_reply},
        {44, &MainWindow::deal_cr_resis_reply},
        {45, &MainWindow::deal_cp_i_range_reply},
        {46, &MainWindow::deal_cp_v_range_reply},
        {47, &MainWindow::deal_cp_power_reply},
        {67, &MainWindow::deal_led_i_range_reply},
        {68, &MainWindow::deal_led_v_range_reply},
        {69, &MainWindow::deal_led_io_reply},
        {70, &MainWindow::deal_led_vo_reply},
        {71, &MainWindow::deal_led_rco_reply},
    };
    route_reply(routes, std::size(routes), operation, replies, widgets);
}

void MainWindow::deal_cc_i_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_range_reply(34, r);
}

void MainWindow::deal_cc_v_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_range_reply(35, r);
}

void MainWindow::deal_cc_current_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_level_reply(36, r);
}

void MainWindow::deal_cc_slew_rise_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_slew_reply(37, r);
}

void MainWindow::deal_cc_slew_fall_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_slew_reply(38, r);
}

void MainWindow::deal_cv_i_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_range_reply(39, r);
}

void MainWindow::deal_cv_v_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_range_reply(40, r);
}

void MainWindow::deal_cv_voltage_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_level_reply(41, r);
}

void MainWindow::deal_cr_i_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_range_reply(42, r);
}

void MainWindow::deal_cr_v_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_range_reply(43, r);
}

void MainWindow::deal_cr_resis_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_level_reply(44, r);
}

void MainWindow::deal_cp_i_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_range_reply(45, r);
}

void MainWindow::deal_cp_v_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_range_reply(46, r);
}

void MainWindow::deal_cp_power_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_static_level_reply(47, r);
}

void MainWindow::deal_static_level_reply(int operation, const QList<QString>& r)
{
    for (const level_reply_t& l : k_level_replies) {
        if (l.operation != operation)
            continue;
        if (l.cut)
            (this->*l.cut)();
        double v = 0;
        if (page_links::number(r, 0, &v))
            (this->*l.box)->set_value(v);
        start_threads();
        if (l.link)
            (this->*l.link)();
        return;
    }
}

void MainWindow::deal_static_range_reply(int operation, const QList<QString>& r)
{
    const range_reply_t* rr = nullptr;
    for (const range_reply_t& x : k_range_replies) {
        if (x.operation == operation)
            rr = &x;
    }
    const QString state = ui->load_button->text();
    cut_limit_boxes(rr->current, !rr->current);
    const int index = rr->current ? page_links::word(r, 0, {"5\n", "30\n"}) : page_links::word(r, 0, {"36\n", "150\n"});
    if (state == QLatin1String("ON")) {
        if (index >= 0)
            (this->*rr->radio)->set_checked(index);
        start_threads();
        show_warning(MainWindow::tr("Please turn off the load"));
    } else if (state == QLatin1String("OFF")) {
        // the radio follows the page's own read-back, under the wait box
        fill_cmd_list(rr->page_operation);
        post(rr->page_operation, false, 0);
        show_wait_box(MainWindow::tr(k_static_title), MainWindow::tr(k_static_text));
        range_limits(rr->current, index);
    }
    link_limit_boxes(rr->current, !rr->current);
}

void MainWindow::deal_static_slew_reply(int operation, const QList<QString>& r)
{
    if (!connected)
        return;
    _disconnect_cc();
    double first = 0, second = 0;
    if (page_links::number(r, 0, &first) && page_links::number(r, 1, &second)) {
        const bool rise = operation == 37;
        custom_spinbox* changed = rise ? cc_slew_rise_spin : cc_slew_fall_spin;
        custom_spinbox* other = rise ? cc_slew_fall_spin : cc_slew_rise_spin;
        const double kept = other->value();
        changed->set_value(first);
        other->set_value(second);
        start_threads();
        warn_slew_bands(cc_i_range_radio->checked_index() == 0, first, kept);
    } else {
        start_threads();
    }
    _init_cc_connect();
}

void MainWindow::warn_slew_bands(bool low_range, double changed, double kept)
{
    if (!slew_bands::straddle(slew_bands::edge(low_range), changed, kept))
        return;
    show_warning(low_range ? MainWindow::tr("Slope are adjust to the same\nrange!(0.001~0.01 or 0.01~0.5)")
                           : MainWindow::tr("Slope are adjust to the same\nrange!(0.001~0.1 or 0.1~2.5)"));
}

// ---- connections

void MainWindow::_init_cc_connect()
{
    page_links::make(this, {{cc_i_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_i_range_5a())},
                            {cc_i_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_i_range_30a())},
                            {cc_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_v_range_36v())},
                            {cc_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_v_range_150v())},
                            {cc_current_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_current_cc())},
                            {cc_slew_rise_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_slew_res())},
                            {cc_slew_fall_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_slew_fal())}});
    link_limit_boxes(true, true);
}

void MainWindow::_init_cv_connect()
{
    page_links::make(this, {{cv_i_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_i_range_5a_cv())},
                            {cv_i_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_i_range_30a_cv())},
                            {cv_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_v_range_36v_cv())},
                            {cv_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_v_range_150v_cv())},
                            {cv_voltage_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_voltage())}});
    link_limit_boxes(true, true);
}

void MainWindow::_init_cr_connect()
{
    page_links::make(this, {{cr_i_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_i_range_5a_cr())},
                            {cr_i_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_i_range_30a_cr())},
                            {cr_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_v_range_36a_cr())},
                            {cr_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_v_range_150v_cr())},
                            {cr_resistance_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_resis())}});
    link_limit_boxes(true, true);
}

void MainWindow::_init_cp_connect()
{
    page_links::make(this, {{cp_i_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_i_range_5a_cp())},
                            {cp_i_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_i_range_30a_cp())},
                            {cp_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_v_range_36v_cp())},
                            {cp_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_v_range_150v_cp())},
                            {cp_power_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_power_static())}});
    link_limit_boxes(true, true);
}

void MainWindow::_disconnect_cc()
{
    page_links::cut(this, {cc_i_range_radio, cc_v_range_radio, cc_current_spin, cc_slew_rise_spin, cc_slew_fall_spin});
    cut_limit_boxes(true, true);
}

void MainWindow::_disconnect_cv()
{
    page_links::cut(this, {cv_i_range_radio, cv_v_range_radio, cv_voltage_spin});
    cut_limit_boxes(true, true);
}

void MainWindow::_disconnect_cr()
{
    page_links::cut(this, {cr_i_range_radio, cr_v_range_radio, cr_resistance_spin});
    cut_limit_boxes(true, true);
}

void MainWindow::_disconnect_cp()
{
    page_links::cut(this, {cp_i_range_radio, cp_v_range_radio, cp_power_spin});
    cut_limit_boxes(true, true);
}

void MainWindow::_disconnect_static()
{
    _disconnect_cc();
    _disconnect_cv();
    _disconnect_cr();
    _disconnect_cp();
}

void MainWindow::_disconnect_all()
{
    _disconnect_static();
    page_links::cut(this, {static_cast<QObject*>(time_combo), pause_button});
    _disconnect_dynamic();
    _disconnect_configure();
    _disconnect_sltm();
    _disconnect_limit();
}

void MainWindow::cfg_thread_post(int operation, const QList<QString>& writes, const QList<QString>& queries,
                                 const QList<QWidget*>& widgets)
{
    cfg_thread->add_request(operation, writes, queries, widgets, false, 0, false, QByteArray());
}

// ---- titles

void MainWindow::start_title_thread(const char* title, int code)
{
    stop_threads();
    if (title)
        ui->current_function_label->setText(QString::fromLatin1(title));
    configure_thread->running = 0;
    configure_thread->request_code = code;
    configure_thread->start(QThread::InheritPriority);
}

void MainWindow::_show_cc_title()
{
    if (connected)
        start_title_thread("CC", 0);
}

void MainWindow::_show_cv_title()
{
    if (connected)
        start_title_thread("CV", 1);
}

void MainWindow::_show_cr_title()
{
    if (connected)
        start_title_thread("CR", 2);
}

void MainWindow::_show_cp_title()
{
    if (connected)
        start_title_thread("CP", 3);
}

void MainWindow::set_static_tabs_by_function(const std::string& reply)
{
    static const char* const functions[] = {"CURRENT\n", "VOLTAGE\n", "RESISTANCE\n", "POWER\n"};
    for (int tab = 0; tab < 4; ++tab) {
        if (reply == functions[tab]) {
            ui->model_sel->setCurrentIndex(0);
            ui->static_pattern->setCurrentIndex(tab);
        }
    }
}
