// Request slots of the list and program pages. Their bodies come with those
// pages' requests and replies; until then each exists and does nothing, so
// the pages can be wired by name.
#include "mainwindow.h"

void MainWindow::deal_list_function_combobox(int) {}
void MainWindow::deal_list_irange_combobox(int) {}
void MainWindow::deal_list_vrange_combobox(int) {}
void MainWindow::deal_list_count_value() {}
void MainWindow::deal_list_step_value() {}
void MainWindow::deal_set_doublespinbox() {}
void MainWindow::deal_time_doublespinbox() {}
void MainWindow::deal_slew_doublespinbox() {}
void MainWindow::deal_list_next_button() {}
void MainWindow::deal_list_up_button() {}
void MainWindow::deal_list_storage_button() {}
void MainWindow::deal_list_recall_button() {}
void MainWindow::deal_prog_mode_combobox(int) {}
void MainWindow::deal_irange_combobox(int) {}
void MainWindow::deal_vrange_combobox(int) {}
void MainWindow::deal_pause_combobox(int) {}
void MainWindow::deal_short_combobox(int) {}
void MainWindow::deal_ton_spinbox() {}
void MainWindow::deal_toff_spinbox() {}
void MainWindow::deal_tdelay_spinbox() {}
void MainWindow::deal_min_spinbox() {}
void MainWindow::deal_max_spinbox() {}
void MainWindow::deal_set_spinbox() {}
void MainWindow::deal_vo_spinbox() {}
void MainWindow::deal_io_spinbox() {}
void MainWindow::deal_rco_spinbox() {}
void MainWindow::deal_spinbox() {}
