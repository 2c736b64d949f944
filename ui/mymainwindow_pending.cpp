// Slots whose panels are still to come: each is connected already (by name,
// by the store wiring or by the command thread) and does nothing yet.
#include "mymainwindow.h"

void MyMainWindow::deal_cfg_thread(int, QList<QString>, QList<QWidget*>, int) {}
void MyMainWindow::deal_cfg_thread_bytedata(int, QByteArray) {}
void MyMainWindow::deal_scpi_rw(int, QList<QString>, QList<QWidget*>) {}
void MyMainWindow::init_connect_signals() {}

void MyMainWindow::deal_over_protect_test_operating_button(int, QList<QString>, QList<QWidget*>) {}
void MyMainWindow::deal_battery_operating_button(int, QList<QString>, QList<QWidget*>) {}
void MyMainWindow::deal_ext_operating_button(int, QList<QString>, QList<QWidget*>) {}

// The device tree's rebuild comes with the connection dialogs; until then a
// refresh only ends its wait prompt.
void MyMainWindow::refresh_device()
{
    close_wait_prompt();
}

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
