// Slots and routines of the mode, list and program pages that those pages
// fill in; until then each exists and does nothing, so the window's reply
// side already offers every reply to them.
#include "mainwindow.h"

void MainWindow::deal_utility(int) {}
void MainWindow::deal_model_sel(int) {}
void MainWindow::deal_static_pattern(int) {}

void MainWindow::deal_static_reply(int, const QList<QString>&, const QList<QWidget*>&) {}
void MainWindow::deal_dynamic_reply(int, const QList<QString>&, const QList<QWidget*>&) {}
void MainWindow::deal_ocpt_reply(int, const QList<QString>&, const QList<QWidget*>&) {}
void MainWindow::deal_oppt_reply(int, const QList<QString>&, const QList<QWidget*>&) {}
void MainWindow::deal_battery_reply(int, const QList<QString>&, const QList<QWidget*>&) {}
void MainWindow::deal_utility_reply(int, const QList<QString>&, const QList<QWidget*>&) {}

void MainWindow::_init_battery_connect() {}
