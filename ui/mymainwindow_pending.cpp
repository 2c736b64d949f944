// Slots whose panels are still to come: each is connected already (by name,
// by the store wiring or by the command thread) and does nothing yet.
#include "mymainwindow.h"

void MyMainWindow::deal_cfg_thread(int, QList<QString>, QList<QWidget*>, int) {}
void MyMainWindow::deal_cfg_thread_bytedata(int, QByteArray) {}
void MyMainWindow::deal_scpi_rw(int, QList<QString>, QList<QWidget*>) {}
void MyMainWindow::init_connect_signals() {}

void MyMainWindow::deal_basic_operating_button(int, QList<QString>, QList<QWidget*>) {}
void MyMainWindow::deal_over_protect_test_operating_button(int, QList<QString>, QList<QWidget*>) {}
void MyMainWindow::deal_battery_operating_button(int, QList<QString>, QList<QWidget*>) {}
void MyMainWindow::deal_ext_operating_button(int, QList<QString>, QList<QWidget*>) {}

// The device tree's rebuild comes with the connection dialogs; until then a
// refresh only ends its wait prompt.
void MyMainWindow::refresh_device()
{
    close_wait_prompt();
}

void MyMainWindow::update_static_cc_irange(int) {}
void MyMainWindow::update_static_cc_vrange(int) {}
void MyMainWindow::update_static_cc_i(double) {}
void MyMainWindow::update_static_cc_ris(double) {}
void MyMainWindow::update_static_cc_fal(double) {}
void MyMainWindow::update_static_cv_irange(int) {}
void MyMainWindow::update_static_cv_vrange(int) {}
void MyMainWindow::update_static_cv_v(double) {}
void MyMainWindow::update_static_cr_irange(int) {}
void MyMainWindow::update_static_cr_vrange(int) {}
void MyMainWindow::update_static_cr_r(double) {}
void MyMainWindow::update_static_cp_irange(int) {}
void MyMainWindow::update_static_cp_vrange(int) {}
void MyMainWindow::update_static_cp_p(double) {}
void MyMainWindow::update_static_led_irange(int) {}
void MyMainWindow::update_static_led_vrange(int) {}
void MyMainWindow::update_static_led_io(double) {}
void MyMainWindow::update_static_led_vo(double) {}
void MyMainWindow::update_static_led_rco(double) {}
void MyMainWindow::update_dyn_cc_mode(int) {}
void MyMainWindow::update_dyn_cc_irange(int) {}
void MyMainWindow::update_dyn_cc_vrange(int) {}
void MyMainWindow::update_dyn_cc_a_level(double) {}
void MyMainWindow::update_dyn_cc_b_level(double) {}
void MyMainWindow::update_dyn_cc_a_width(double) {}
void MyMainWindow::update_dyn_cc_b_width(double) {}
void MyMainWindow::update_dyn_cc_width(double) {}
void MyMainWindow::update_dyn_cc_ris(double) {}
void MyMainWindow::update_dyn_cc_fal(double) {}
void MyMainWindow::update_dyn_cv_mode(int) {}
void MyMainWindow::update_dyn_cv_irange(int) {}
void MyMainWindow::update_dyn_cv_vrange(int) {}
void MyMainWindow::update_dyn_cv_a_level(double) {}
void MyMainWindow::update_dyn_cv_b_level(double) {}
void MyMainWindow::update_dyn_cv_a_width(double) {}
void MyMainWindow::update_dyn_cv_b_width(double) {}
void MyMainWindow::update_dyn_cv_width(double) {}
void MyMainWindow::update_dyn_cr_mode(int) {}
void MyMainWindow::update_dyn_cr_irange(int) {}
void MyMainWindow::update_dyn_cr_vrange(int) {}
void MyMainWindow::update_dyn_cr_a_level(double) {}
void MyMainWindow::update_dyn_cr_b_level(double) {}
void MyMainWindow::update_dyn_cr_a_width(double) {}
void MyMainWindow::update_dyn_cr_b_width(double) {}
void MyMainWindow::update_dyn_cr_width(double) {}
void MyMainWindow::update_dyn_cp_mode(int) {}
void MyMainWindow::update_dyn_cp_irange(int) {}
void MyMainWindow::update_dyn_cp_vrange(int) {}
void MyMainWindow::update_dyn_cp_a_level(double) {}
void MyMainWindow::update_dyn_cp_b_level(double) {}
void MyMainWindow::update_dyn_cp_a_width(double) {}
void MyMainWindow::update_dyn_cp_b_width(double) {}
void MyMainWindow::update_dyn_cp_width(double) {}
void MyMainWindow::update_ocpt_i_range(int) {}
void MyMainWindow::update_ocpt_v_range(int) {}
void MyMainWindow::update_ocpt_v(double) {}
void MyMainWindow::update_ocpt_step(double) {}
void MyMainWindow::update_ocpt_start(double) {}
void MyMainWindow::update_ocpt_end(double) {}
void MyMainWindow::update_ocpt_min(double) {}
void MyMainWindow::update_ocpt_max(double) {}
void MyMainWindow::update_ocpt_delay(double) {}
void MyMainWindow::update_oppt_i_range(int) {}
void MyMainWindow::update_oppt_v_range(int) {}
void MyMainWindow::update_oppt_v(double) {}
void MyMainWindow::update_oppt_step(double) {}
void MyMainWindow::update_oppt_start(double) {}
void MyMainWindow::update_oppt_end(double) {}
void MyMainWindow::update_oppt_min(double) {}
void MyMainWindow::update_oppt_max(double) {}
void MyMainWindow::update_oppt_delay(double) {}
void MyMainWindow::update_battery_mode(int) {}
void MyMainWindow::update_battery_i_range(int) {}
void MyMainWindow::update_battery_v_range(int) {}
void MyMainWindow::update_battery_value(double) {}
void MyMainWindow::update_battery_VS_sw(bool) {}
void MyMainWindow::update_battery_CS_sw(bool) {}
void MyMainWindow::update_battery_TS_sw(bool) {}
void MyMainWindow::update_battery_VS_value(double) {}
void MyMainWindow::update_battery_CS_value(double) {}
void MyMainWindow::update_battery_TS_value(double) {}
void MyMainWindow::update_ext_mode(int) {}
void MyMainWindow::update_ext_i_range(int) {}
void MyMainWindow::update_ext_v_range(int) {}
