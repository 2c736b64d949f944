// List panel: the run display. While the load runs a list, the step table
// shows the running step; the end of a run is announced once.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "ListPreviewWin.h"
#include "uiPara.h"

#include <QBrush>
#include <QColor>
#include <QScrollBar>
#include <QTableWidget>
#include <QTableWidgetItem>

void MyMainWindow::deal_list_trigger_thread(int step_value, int stop_value, int load_value)
{
    ensure_list_table();
    QTableWidget* table = ui->tableWidget_List;
    const int rows = qMin(list_table_rows(), table->rowCount());
    // The running step becomes the first visible row.
    table->verticalScrollBar()->setValue(step_value - 1);

    if (load_value == 1) {
        list_done_shown = false;
        if (stop_value == 0) {
            mark_running_step(table, rows, step_value - 1, QColor(Qt::green));
        } else if (stop_value == 1) {
            // Halted: mark it and go back to the measurement poll.
            mark_running_step(table, rows, step_value - 1, QColor(halted_colour));
            request_measure();
        }
        return;
    }

    // The input is off: the list has ended or was stopped.
    show_list_stopped();
    request_measure();
    if (!list_done_shown) {
        list_done_shown = true;
        show_warning(tr("List run complete !"));
    }
}

void MyMainWindow::show_list_stopped()
{
    update_running_state(2, 0, 3);
    ensure_list_table();
    unmark_running_step(ui->tableWidget_List);
}

void MyMainWindow::set_list_run_shown(bool running)
{
    list_run_shown = running;
    // Every road that stops showing a run (its end, a halt seen by the
    // measurement poll, a session's end, another page) comes through here.
    if (!running && list_preview_win)
        list_preview_win->clear_running_step();
}
