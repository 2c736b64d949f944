// OCP and OPP test pages: twins with their own prefix, codes and boxes. The
// load runs the sweep; the window sets it up and judges the result. Also the
// family of page disconnect routines the list page shares.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "page_links.h"

#include <QPushButton>
#include <QTableWidget>

#include <iterator>

namespace {

// Rows of either page: 0..3 ranges, 4..10 the value boxes in page order.
struct sweep_request_t
{
    int offset; // from the page's first code
    const char* command; // after "OCP" or "OPP"; a value follows a blank
    const char* query;
};
const sweep_request_t k_requests[] = {
    {0, ":IRANG 5", ":IRANG?"}, {0, ":IRANG 30", ":IRANG?"},   {1, ":VRANG 36", ":VRANG?"},
    {1, ":VRANG 150", ":VRANG?"}, {2, ":VOLT ", ":VOLT?"},    {3, ":STEP ", ":STEP?"},
    {4, ":STAR ", ":STAR?"},      {5, ":END ", ":END?"},      {6, ":MIN ", ":MIN?"},
    {7, ":MAX ", ":MAX?"},        {8, ":STEP:DEL ", ":STEP:DEL?"},
};
const int k_first_value_row = 4;

struct sweep_page_t
{
    const char* prefix;
    int first_code;
};
const sweep_page_t k_pages[2] = {{"OPP", 142}, {"OCP", 133}}; // by `ocp`

} // namespace

static void sweep_widgets(MainWindow* w, bool ocp, custom_radiobutton* radios[2], custom_spinbox* boxes[7])
{
    radios[0] = ocp ? w->ocp_i_range_radio : w->opp_i_range_radio;
    radios[1] = ocp ? w->ocp_v_range_radio : w->opp_v_range_radio;
    custom_spinbox* const ocp_boxes[7] = {w->ocp_v_spin,     w->ocp_i_step_spin, w->ocp_i_start_spin, w->ocp_i_end_spin,
                                          w->ocp_i_min_spin, w->ocp_i_max_spin,  w->ocp_delay_spin};
    custom_spinbox* const opp_boxes[7] = {w->opp_v_spin,     w->opp_p_step_spin, w->opp_p_start_spin, w->opp_p_end_spin,
                                          w->opp_p_min_spin, w->opp_p_max_spin,  w->opp_delay_spin};
    for (int i = 0; i < 7; ++i)
        boxes[i] = ocp ? ocp_boxes[i] : opp_boxes[i];
}

void MainWindow::post_sweep_row(bool ocp, int row)
{
    if (!connected)
        return;
    custom_radiobutton* radios[2];
    custom_spinbox* boxes[7];
    sweep_widgets(this, ocp, radios, boxes);
    const sweep_page_t& page = k_pages[ocp];
    const sweep_request_t& q = k_requests[row];
    QString write = QLatin1String(page.prefix) + QLatin1String(q.command);
    QWidget* widget = nullptr;
    if (row >= k_first_value_row) {
        custom_spinbox* box = boxes[row - k_first_value_row];
        write += page_links::value_text(box->value());
        widget = box;
    } else {
        widget = radios[q.offset];
    }
    post_page(page.first_code + q.offset, {write}, {QLatin1String(page.prefix) + QLatin1String(q.query)}, widget);
}

void MainWindow::deal_i_range_5a_ocpt_button() { post_sweep_row(true, 0); }
void MainWindow::deal_i_range_30a_ocpt_button() { post_sweep_row(true, 1); }
void MainWindow::deal_v_range_36v_ocpt_button() { post_sweep_row(true, 2); }
void MainWindow::deal_v_range_150v_ocpt_button() { post_sweep_row(true, 3); }
void MainWindow::deal_ocp_v_value() { post_sweep_row(true, 4); }
void MainWindow::deal_i_step_value() { post_sweep_row(true, 5); }
void MainWindow::deal_i_start_value() { post_sweep_row(true, 6); }
void MainWindow::deal_i_end_value() { post_sweep_row(true, 7); }
void MainWindow::deal_i_min_value() { post_sweep_row(true, 8); }
void MainWindow::deal_i_max_value() { post_sweep_row(true, 9); }
void MainWindow::deal_delay_ocpt_value() { post_sweep_row(true, 10); }
void MainWindow::deal_i_range_5a_button_oppt() { post_sweep_row(false, 0); }
void MainWindow::deal_i_range_30a_button_oppt() { post_sweep_row(false, 1); }
void MainWindow::deal_v_range_36v_button_oppt() { post_sweep_row(false, 2); }
void MainWindow::deal_v_range_150v_button_oppt() { post_sweep_row(false, 3); }
void MainWindow::deal_opp_v_value() { post_sweep_row(false, 4); }
void MainWindow::deal_p_step_value() { post_sweep_row(false, 5); }
void MainWindow::deal_p_start_value() { post_sweep_row(false, 6); }
void MainWindow::deal_p_end_value() { post_sweep_row(false, 7); }
void MainWindow::deal_p_min_value() { post_sweep_row(false, 8); }
void MainWindow::deal_p_max_value() { post_sweep_row(false, 9); }
void MainWindow::deal_delay_oppt_value() { post_sweep_row(false, 10); }

// ---- replies

void MainWindow::deal_ocpt_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    static const reply_route_t routes[] = {
        {133, &MainWindow::deal_ocp_i_range_reply},
        {134, &MainWindow::deal_ocp_v_range_reply},
        {135, &MainWindow::deal_ocp_v_reply},
        {136, &MainWindow::deal_ocp_step_reply},
        {137, &MainWindow::deal_ocp_start_reply},
        {138, &MainWindow::deal_ocp_end_reply},
        {139, &MainWindow::deal_ocp_min_reply},
        {140, &MainWindow::deal_ocp_max_reply},
        {141, &MainWindow::deal_ocp_delay_reply},
    };
    route_reply(routes, std::size(routes), operation, replies, widgets);
}

void MainWindow::deal_oppt_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    static const reply_route_t routes[] = {
        {142, &MainWindow::deal_opp_i_range_reply},
        {143, &MainWindow::deal_opp_v_range_reply},
        {144, &MainWindow::deal_opp_v_reply},
        {145, &MainWindow::deal_opp_step_reply},
        {146, &MainWindow::deal_opp_start_reply},
        {147, &MainWindow::deal_opp_end_reply},
        {148, &MainWindow::deal_opp_min_reply},
        {149, &MainWindow::deal_opp_max_reply},
        {150, &MainWindow::deal_opp_delay_reply},
    };
    route_reply(routes, std::size(routes), operation, replies, widgets);
}

void MainWindow::deal_ocp_i_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 0, r);
}

void MainWindow::deal_ocp_v_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 1, r);
}

void MainWindow::deal_ocp_v_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 2, r);
}

void MainWindow::deal_ocp_step_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 3, r);
}

void MainWindow::deal_ocp_start_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 4, r);
}

void MainWindow::deal_ocp_end_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 5, r);
}

void MainWindow::deal_ocp_min_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 6, r);
}

void MainWindow::deal_ocp_max_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 7, r);
}

void MainWindow::deal_ocp_delay_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(true, 8, r);
}

void MainWindow::deal_opp_i_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 0, r);
}

void MainWindow::deal_opp_v_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 1, r);
}

void MainWindow::deal_opp_v_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 2, r);
}

void MainWindow::deal_opp_step_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 3, r);
}

void MainWindow::deal_opp_start_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 4, r);
}

void MainWindow::deal_opp_end_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 5, r);
}

void MainWindow::deal_opp_min_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 6, r);
}

void MainWindow::deal_opp_max_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 7, r);
}

void MainWindow::deal_opp_delay_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_sweep_page_reply(false, 8, r);
}

// `offset` from the page's first code: 0 current range, 1 voltage range,
// 2.. the value boxes.
void MainWindow::deal_sweep_page_reply(bool ocp, int offset, const QList<QString>& r)
{
    custom_radiobutton* radios[2];
    custom_spinbox* boxes[7];
    sweep_widgets(this, ocp, radios, boxes);
    if (offset >= 2) {
        double v = 0;
        if (page_links::number(r, 0, &v))
            boxes[offset - 2]->set_value(v);
        start_threads();
        return;
    }
    const bool current = offset == 0;
    const QString state = ui->load_button->text();
    cut_limit_boxes(current, !current);
    const int index = current ? page_links::word(r, 0, {"5\n", "30\n"}) : page_links::word(r, 0, {"36\n", "150\n"});
    if (state == QLatin1String("ON")) {
        if (index >= 0)
            radios[offset]->set_checked(index);
        start_threads();
        show_warning(MainWindow::tr("Please turn off the load"));
    } else if (state == QLatin1String("OFF")) {
        if (index >= 0)
            radios[offset]->set_checked(index);
        range_limits(current, index);
        start_threads();
    }
    link_limit_boxes(current, !current);
}

// The load's own end of a sweep, judged against the page's boxes.
void MainWindow::deal_ocpt_oppt_value(int kind, QString function, double current, double power, double voltage)
{
    if (kind != 0 || !load_switched_on)
        return;
    struct judged_t
    {
        const char* function;
        int* state;
        custom_spinbox* trigger;
        double value;
        custom_spinbox* maximum;
        custom_spinbox* minimum;
        const char* failure;
    };
    const judged_t pages[] = {
        {"OCP\n", &ocpt_state, ocp_v_spin, current, ocp_i_max_spin, ocp_i_min_spin,
         QT_TRANSLATE_NOOP("MainWindow", "Failure! The measured value did not meet the set valued")},
        {"OPP\n", &oppt_state, opp_v_spin, power, opp_p_max_spin, opp_p_min_spin,
         QT_TRANSLATE_NOOP("MainWindow", "Failure! The measured value did not meet the set value")},
    };
    for (const judged_t& p : pages) {
        if (function != QLatin1String(p.function) || *p.state != 1)
            continue;
        *p.state = 0;
        if (voltage > p.trigger->value())
            show_warning(MainWindow::tr(p.failure));
        else if (p.value > p.maximum->value())
            show_warning(MainWindow::tr("Over limit, Test fail!"));
        else if (p.minimum->value() > p.value)
            show_warning(MainWindow::tr("Below limit, Test fail!"));
        else
            show_warning(MainWindow::tr("Test complete!"));
        break;
    }
    load_switched_on = false;
}

void MainWindow::_init_oppt_default()
{
    start_title_thread(connected ? "OPP" : nullptr, 7);
}

void MainWindow::_show_ocpt_title()
{
    start_title_thread(connected ? "OCP" : nullptr, 6);
}

// ---- connections

void MainWindow::_init_ocpt_pattern()
{
    page_links::make(this, {{ocp_i_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_i_range_5a_ocpt_button())},
                            {ocp_i_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_i_range_30a_ocpt_button())},
                            {ocp_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_v_range_36v_ocpt_button())},
                            {ocp_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_v_range_150v_ocpt_button())},
                            {ocp_v_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_ocp_v_value())},
                            {ocp_i_step_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_i_step_value())},
                            {ocp_i_start_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_i_start_value())},
                            {ocp_i_end_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_i_end_value())},
                            {ocp_i_min_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_i_min_value())},
                            {ocp_i_max_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_i_max_value())},
                            {ocp_delay_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_delay_ocpt_value())}});
    link_limit_boxes(true, true);
}

void MainWindow::_init_oppt_pattern()
{
    page_links::make(this, {{opp_i_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_i_range_5a_button_oppt())},
                            {opp_i_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_i_range_30a_button_oppt())},
                            {opp_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_v_range_36v_button_oppt())},
                            {opp_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_v_range_150v_button_oppt())},
                            {opp_v_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_opp_v_value())},
                            {opp_p_step_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_p_step_value())},
                            {opp_p_start_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_p_start_value())},
                            {opp_p_end_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_p_end_value())},
                            {opp_p_min_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_p_min_value())},
                            {opp_p_max_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_p_max_value())},
                            {opp_delay_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_delay_oppt_value())}});
    link_limit_boxes(true, true);
}

void MainWindow::_disconnect_ocpt()
{
    page_links::cut(this, {ocp_i_range_radio, ocp_v_range_radio, ocp_v_spin, ocp_i_step_spin, ocp_i_start_spin,
                           ocp_i_end_spin, ocp_i_min_spin, ocp_i_max_spin, ocp_delay_spin});
    cut_limit_boxes(true, true);
}

void MainWindow::_disconnect_oppt()
{
    page_links::cut(this, {opp_i_range_radio, opp_v_range_radio, opp_v_spin, opp_p_step_spin, opp_p_start_spin,
                           opp_p_end_spin, opp_p_min_spin, opp_p_max_spin, opp_delay_spin});
    cut_limit_boxes(true, true);
}
