// Reply side and device operations whose bodies come with the command
// exchange: the command thread's replies, the front-panel and auxiliary
// buttons, the list and program state and the connection dialogs. Until
// then each slot exists and does nothing.
#include "mainwindow.h"

#include "cfg_thread_t.h"

void MainWindow::_init_ui()
{
    // read back the load's state after a connection
    fill_cmd_list(31);
    post(31, true, 1);
}

void MainWindow::deal_cfg_thread(int, QList<QString>, QList<QWidget*>, int) {}
void MainWindow::deal_cfg_thread_bytedata(int, QByteArray) {}
void MainWindow::deal_cfg_thread_message_data(QList<QString>, int) {}
void MainWindow::deal_scpi_rw(int, QList<QString>, QList<QWidget*>) {}
void MainWindow::deal_send_data_thread() {}
void MainWindow::deal_send_error() {}
void MainWindow::device_status() {}
void MainWindow::deal_usb_button() {}
void MainWindow::deal_vxi11_button() {}
void MainWindow::deal_ok_signal() {}
void MainWindow::deal_device_button() {}
void MainWindow::on_connect_device_clicked() {}
void MainWindow::deal_messagebox(int) {}
void MainWindow::deal_load_button() {}
void MainWindow::deal_short_button() {}
void MainWindow::deal_trigger_button() {}
void MainWindow::deal_help_button() {}
void MainWindow::deal_utility(int) {}
void MainWindow::deal_model_sel(int) {}
void MainWindow::deal_static_pattern(int) {}
void MainWindow::deal_list_trigger_thread(int, int, int) {}
void MainWindow::deal_ocpt_button() {}
void MainWindow::deal_oppt_button() {}
void MainWindow::deal_battery_button() {}
void MainWindow::deal_list_button() {}
void MainWindow::deal_program_button() {}
void MainWindow::deal_list_off() {}
void MainWindow::deal_list_value(QList<QString>) {}
void MainWindow::deal_list_change_value(QString) {}
void MainWindow::deal_program_value(QList<QString>) {}
void MainWindow::deal_batt_value(int, double, double, double, double) {}
void MainWindow::deal_trigger_reply(QList<QString>, QList<QWidget*>) {}
void MainWindow::deal_storage_button() {}
void MainWindow::deal_recall_button() {}

void MainWindow::_init_battery_connect() {}
void MainWindow::_init_list_connect() {}
void MainWindow::_disconnect_list() {}
void MainWindow::fill_list_table() {}
void MainWindow::update_list_curve() {}
void MainWindow::init_program_page() {}
void MainWindow::connect_dialog() {}
