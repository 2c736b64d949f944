// Program panel: the page entry, step editing, the step count and the
// program reply router with its handlers.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "MyDoubleSpinBox.h"
#include "ProgResultWin.h"
#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "prog_columns.h"
#include "prog_step_text.h"
#include "uiPara.h"
#include "window_place.h"

#include <QComboBox>
#include <QDebug>
#include <QHash>
#include <QTableWidget>
#include <QTimer>

using namespace prog_columns;

namespace {
// The row whose cell in `col` is `cell`, or -1.
int row_of_cell(QTableWidget* table, int col, const QObject* cell)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (cell && table->cellWidget(row, col) == cell)
            return row;
    }
    return -1;
}
} // namespace

void MyMainWindow::init_Prog()
{
    show_config_page(ui->groupBox_Config_Prog);
    ui->label_C_Add->hide();
    ui->label_Ext->hide();
    ui->label_Ext_Set->hide();
    ui->pushButton_Short->setEnabled(false);
    ui->pushButton_Trig->setEnabled(true);
    update_state_vis(true, 4);
    if (!is_connected)
        return;

    write_list.clear();
    query_list.clear();
    write_list << QStringLiteral("PROG:STAT:ON");
    query_list << QString();
    cfg_thread->add_request(14, write_list, query_list, QList<QWidget*>(), false, page_visit, false, QByteArray());

    const int count = uiPara::instance()->get_program_step();
    if (mode_page == 4) {
        ui->spinBox_Step_Prog->setValue(count);
        fill_prog_rows(count);
    }
}

void MyMainWindow::init_program_ui()
{
    // Asked through the command thread, which alone uses the session while
    // it runs; the reply sets the count and the rows (operation 63).
    if (is_connected) {
        cfg_thread->add_request(63, {QString()}, {QStringLiteral("PROG:STEP?")}, {ui->spinBox_Step_Prog}, false, 0,
                                false, QByteArray());
    }
    close_wait_prompt(wait_t::prog_recall);
}

// ---- edits

void MyMainWindow::post_prog_cell(int op, int row, const QString& command, const QString& query)
{
    cfg_thread->add_request(op, {command, QString()}, {QString(), query}, prog_step_widgets(row), false, 0, false,
                            QByteArray());
}

void MyMainWindow::prog_cell_edited(int col, QObject* cell_widget)
{
    if (!is_connected)
        return;
    const cell_t* cell = cell_of_column(col);
    const int row = row_of_cell(ui->tableWidget_Prog, col, cell_widget);
    if (!cell || row < 0)
        return;
    const QString step = QString::number(row + 1);
    QString value;
    if (auto* box = qobject_cast<QComboBox*>(cell_widget)) {
        // Any index but the two items sends an empty value.
        const int index = box->currentIndex();
        if (const combo_t* c = combo_of_column(col); c && (index == 0 || index == 1))
            value = QString::fromLatin1(c->values[index]);
        post_prog_cell(cell->op, row, QLatin1String(cell->command) + step + QLatin1Char(',') + value,
                       QLatin1String(cell->query) + step);
        box->clearFocus();
        return;
    }
    if (auto* box = qobject_cast<MyDoubleSpinBox*>(cell_widget)) {
        value = QString::number(box->value(), 'g', 6);
        post_prog_cell(cell->op, row, QLatin1String(cell->command) + step + QLatin1Char(',') + value,
                       QLatin1String(cell->query) + step);
    }
}

void MyMainWindow::deal_irange_combobox(int) { prog_cell_edited(col_irange, sender()); }
void MyMainWindow::deal_vrange_combobox(int) { prog_cell_edited(col_vrange, sender()); }
void MyMainWindow::deal_pause_combobox(int) { prog_cell_edited(col_pause, sender()); }
void MyMainWindow::deal_short_combobox(int) { prog_cell_edited(col_short, sender()); }
void MyMainWindow::deal_ton_spinbox() { prog_cell_edited(col_ton, sender()); }
void MyMainWindow::deal_toff_spinbox() { prog_cell_edited(col_toff, sender()); }
void MyMainWindow::deal_tdelay_spinbox() { prog_cell_edited(col_tdly, sender()); }
void MyMainWindow::deal_min_spinbox() { prog_cell_edited(col_min, sender()); }
void MyMainWindow::deal_max_spinbox() { prog_cell_edited(col_max, sender()); }
void MyMainWindow::deal_set_spinbox() { prog_cell_edited(col_set, sender()); }
void MyMainWindow::deal_vo_spinbox() { prog_cell_edited(col_vo, sender()); }
void MyMainWindow::deal_io_spinbox() { prog_cell_edited(col_io, sender()); }
void MyMainWindow::deal_rco_spinbox() { prog_cell_edited(col_rco, sender()); }

void MyMainWindow::deal_prog_mode_combobox(int index)
{
    if (!is_connected)
        return;
    auto* box = qobject_cast<QComboBox*>(sender());
    const int row = row_of_cell(ui->tableWidget_Prog, col_mode, box);
    if (row < 0)
        return;
    const QString step = QString::number(row + 1);
    // The mode first, then what it may have changed: the level is clamped
    // into the new mode's range by the load.
    const QList<QString> writes = {QStringLiteral("PROG:MODE ") + step + QLatin1Char(',') +
                                       prog_step_text::mode_command_word(index),
                                   QString(), QString(), QString(), QString(), QString(), QString()};
    const QList<QString> queries = {QString(),
                                    QStringLiteral("INP?"),
                                    QStringLiteral("PROG:MODE? ") + step,
                                    QStringLiteral("PROG:LEV? ") + step,
                                    QStringLiteral("PROG:RRANG? ") + step,
                                    QStringLiteral("PROG:LED:CURR? ") + step,
                                    QStringLiteral("PROG:LED:RCO? ") + step};
    cfg_thread->add_request(48, writes, queries, prog_step_widgets(row), false, 0, false, QByteArray());
    box->clearFocus();
}

void MyMainWindow::on_spinBox_Step_Prog_sigUpdateValue()
{
    if (!is_connected)
        return;
    const QList<QString> writes = {QStringLiteral("PROG:STEP ") + QString::number(ui->spinBox_Step_Prog->value())};
    const QList<QString> queries = {QStringLiteral("PROG:STEP?")};
    const QList<QWidget*> widgets = {ui->spinBox_Step_Prog};
    if (!load_switch->getSelectedItem()) {
        cfg_thread->add_request(63, writes, queries, widgets, false, 0, false, QByteArray());
        return;
    }
    // The load keeps its count while the input is on; it is still asked
    // after a short pause (the window keeps painting) and the read-back
    // shows what it kept.
    QTimer::singleShot(200, this, [this, writes, queries, widgets] {
        if (!is_connected)
            return;
        cfg_thread->add_request(63, writes, queries, widgets, false, 0, false, QByteArray());
        show_warning(msg_turn_off_load);
    });
}

// ---- replies

void MyMainWindow::deal_prog_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets)
{
    using handler_t = void (MyMainWindow::*)(QList<QString>, QList<QWidget*>);
    static const QHash<int, handler_t> handlers = {
        {48, &MyMainWindow::deal_prog_mode_operating_button},
        {49, &MyMainWindow::deal_prog_irange_operating_button},
        {50, &MyMainWindow::deal_prog_vrange_operating_button},
        {51, &MyMainWindow::deal_prog_pause_operating_button},
        {52, &MyMainWindow::deal_prog_short_operating_button},
        {53, &MyMainWindow::deal_prog_ton_operating_button},
        {54, &MyMainWindow::deal_prog_toff_operating_button},
        {55, &MyMainWindow::deal_prog_tdly_operating_button},
        {56, &MyMainWindow::deal_prog_min_operating_button},
        {57, &MyMainWindow::deal_prog_max_operating_button},
        {58, &MyMainWindow::deal_prog_set_operating_button},
        {59, &MyMainWindow::deal_prog_rrange_operating_button},
        {60, &MyMainWindow::deal_prog_vo_operating_button},
        {61, &MyMainWindow::deal_prog_io_operating_button},
        {62, &MyMainWindow::deal_prog_rco_operating_button},
        {63, &MyMainWindow::deal_prog_step_operating_button},
    };
    if (op == 66) {
        deal_prog_result_operating_button(replies);
        return;
    }
    if (const handler_t h = handlers.value(op, nullptr))
        (this->*h)(replies, widgets);
}

void MyMainWindow::store_prog_reply(int op, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    const int index = prog_step_of(widgets);
    if (index < 0 || replies.isEmpty()) {
        qDebug() << "MyMainWindow::store_prog_reply: reply of operation" << op << "without its step or value";
    } else {
        uiPara* para = uiPara::instance();
        for (const reply_store_t& r : reply_stores) {
            if (r.op != op)
                continue;
            // Stored as the load answered, line end included.
            (para->*r.first)(replies.at(0), index);
            if (r.second)
                (para->*r.second)(replies.at(0), index);
        }
    }
    request_measure();
}

void MyMainWindow::deal_prog_irange_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(49, r, w); }
void MyMainWindow::deal_prog_vrange_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(50, r, w); }
void MyMainWindow::deal_prog_pause_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(51, r, w); }
void MyMainWindow::deal_prog_short_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(52, r, w); }
void MyMainWindow::deal_prog_ton_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(53, r, w); }
void MyMainWindow::deal_prog_toff_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(54, r, w); }
void MyMainWindow::deal_prog_tdly_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(55, r, w); }
void MyMainWindow::deal_prog_min_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(56, r, w); }
void MyMainWindow::deal_prog_max_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(57, r, w); }
void MyMainWindow::deal_prog_set_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(58, r, w); }
void MyMainWindow::deal_prog_rrange_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(59, r, w); }
void MyMainWindow::deal_prog_vo_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(60, r, w); }
void MyMainWindow::deal_prog_io_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(61, r, w); }
void MyMainWindow::deal_prog_rco_operating_button(QList<QString> r, QList<QWidget*> w) { store_prog_reply(62, r, w); }

void MyMainWindow::deal_prog_mode_operating_button(QList<QString> replies, QList<QWidget*> widgets)
{
    const int index = prog_step_of(widgets);
    // Input state, mode, level, resistance range, LED current, LED Rco.
    if (index < 0 || replies.size() < 6) {
        qDebug() << "MyMainWindow::deal_prog_mode_operating_button: short reply or no step" << replies.size();
    } else {
        uiPara* para = uiPara::instance();
        // The mode first: the row is rebuilt for it before its values arrive.
        para->set_prog_mode_by_index(replies.at(1), index);
        para->set_prog_set_by_index(replies.at(2), index);
        para->set_prog_vo_by_index(replies.at(2), index);
        para->set_prog_io_by_index(replies.at(4), index);
        para->set_prog_rco_by_index(replies.at(5), index);
    }
    request_measure();
}

void MyMainWindow::deal_prog_step_operating_button(QList<QString> replies, QList<QWidget*>)
{
    bool ok = false;
    const int count = replies.isEmpty() ? 0 : replies.at(0).trimmed().toInt(&ok);
    if (ok)
        uiPara::instance()->set_program_step(count);
    else
        qDebug() << "MyMainWindow::deal_prog_step_operating_button: no step count in" << replies;
    request_measure();
}

void MyMainWindow::deal_prog_result_operating_button(QList<QString> replies)
{
    request_measure();
    emit update_prog_res(replies);
    // The run's results are shown wherever the user went; its end only on
    // the page that showed the run.
    if (run_page_shown(4))
        update_running_state(2, 0, 4);
    on_pushButton_Result_Prog_clicked();
}

void MyMainWindow::on_pushButton_Result_Prog_clicked()
{
    show_in_front(prog_result_win, this);
}
