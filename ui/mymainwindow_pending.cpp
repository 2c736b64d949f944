// Slots whose panels are still to come: each is connected already (by name,
// by the store wiring or by the command thread) and does nothing yet.
#include "mymainwindow.h"

void MyMainWindow::deal_cfg_thread(int, QList<QString>, QList<QWidget*>, int) {}
void MyMainWindow::deal_cfg_thread_bytedata(int, QByteArray) {}
void MyMainWindow::deal_scpi_rw(int, QList<QString>, QList<QWidget*>) {}
void MyMainWindow::init_connect_signals() {}


// The device tree's rebuild comes with the connection dialogs; until then a
// refresh only ends its wait prompt.
void MyMainWindow::refresh_device()
{
    close_wait_prompt();
}

