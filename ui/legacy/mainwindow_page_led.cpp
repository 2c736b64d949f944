// LED page: ranges, Io, Vo and Rco. Unlike the dynamic page it sends a range
// change while the input is on and warns once the load has answered.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "page_links.h"

#include <QPushButton>

namespace {

struct led_request_t
{
    int operation;
    const char* write; // a value row (Io, Vo, Rco): the prefix
    const char* query;
    bool value;
};
const led_request_t k_requests[] = {
    {67, "LED:IRANG 5", "LED:IRANG?", false},  {67, "LED:IRANG 30", "LED:IRANG?", false},
    {68, "LED:VRANG 36", "LED:VRANG?", false}, {68, "LED:VRANG 150", "LED:VRANG?", false},
    {69, "LED:CURR ", "LED:CURR?", true},      {70, "LED:VOLT ", "LED:VOLT?", true},
    {71, "LED:RCO ", "LED:RCO?", true},
};

} // namespace

void MainWindow::post_led_row(int row)
{
    if (!connected)
        return;
    const led_request_t& q = k_requests[row];
    custom_radiobutton* radios[] = {led_i_range_radio, led_v_range_radio};
    custom_spinbox* boxes[] = {led_io_spin, led_vo_spin, led_rco_spin};
    QWidget* widget = nullptr;
    QString write = QString::fromLatin1(q.write);
    if (q.value) {
        custom_spinbox* box = boxes[q.operation - 69];
        write += page_links::value_text(box->value());
        widget = box;
    } else {
        widget = radios[q.operation - 67];
    }
    post_page(q.operation, {write}, {QString::fromLatin1(q.query)}, widget);
}

void MainWindow::deal_irange_5a_button_led() { post_led_row(0); }
void MainWindow::deal_irange_30a_button_led() { post_led_row(1); }
void MainWindow::deal_vrange_36v_button_led() { post_led_row(2); }
void MainWindow::deal_vrange_150v_button_led() { post_led_row(3); }
void MainWindow::deal_io_button_led() { post_led_row(4); }
void MainWindow::deal_vo_button_led() { post_led_row(5); }
void MainWindow::deal_rco_button_led() { post_led_row(6); }

// Codes 67 to 71, handed on by the static dispatcher.
void MainWindow::deal_led_value_reply(int operation, const QList<QString>& r)
{
    if (operation == 67 || operation == 68) {
        const int index = operation == 67 ? page_links::word(r, 0, {"5\n", "30\n"})
                                          : page_links::word(r, 0, {"36\n", "150\n"});
        if (index >= 0)
            (operation == 67 ? led_i_range_radio : led_v_range_radio)->set_checked(index);
        warn_if_on_after(true);
        return;
    }
    custom_spinbox* boxes[] = {led_io_spin, led_vo_spin, led_rco_spin};
    double v = 0;
    if (page_links::number(r, 0, &v))
        boxes[operation - 69]->set_value(v);
    start_threads();
}

void MainWindow::deal_led_i_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_led_value_reply(67, r);
}

void MainWindow::deal_led_v_range_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_led_value_reply(68, r);
}

void MainWindow::deal_led_io_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_led_value_reply(69, r);
}

void MainWindow::deal_led_vo_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_led_value_reply(70, r);
}

void MainWindow::deal_led_rco_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_led_value_reply(71, r);
}

void MainWindow::_init_led_default()
{
    if (connected)
        start_title_thread("LED", 4);
}

void MainWindow::_init_led_connect()
{
    page_links::make(this, {{led_i_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_irange_5a_button_led())},
                            {led_i_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_irange_30a_button_led())},
                            {led_v_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_vrange_36v_button_led())},
                            {led_v_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_vrange_150v_button_led())},
                            {led_io_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_io_button_led())},
                            {led_vo_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_vo_button_led())},
                            {led_rco_spin, SIGNAL(change_spin_spinbox()), SLOT(deal_rco_button_led())}});
    link_limit_boxes(true, true);
}

void MainWindow::_disconnect_led()
{
    page_links::cut(this, {led_i_range_radio, led_v_range_radio, led_io_spin, led_vo_spin, led_rco_spin});
    cut_limit_boxes(true, true);
}
