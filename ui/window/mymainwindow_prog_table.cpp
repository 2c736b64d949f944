// Program panel: the program table, its rows and cells, and the update
// slots that keep it in step with the parameter store.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "MyDoubleSpinBox.h"
#include "ProgResultWin.h"
#include "cfg_thread_t.h"
#include "prog_columns.h"
#include "prog_step_text.h"
#include "uiPara.h"

#include <QComboBox>
#include <QDebug>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

using namespace prog_columns;

namespace {

const int step_max = uiPara::prog_entries;

// What a row shows: the store's entries of its step, or the fixed start
// values the table shows before anything was read from a load.
struct row_source_t {
    bool from_store;
    int index;

    QString entry(getter_t get, const char* start_value) const
    {
        return from_store ? (uiPara::instance()->*get)(index) : QString::fromLatin1(start_value);
    }
    QString mode() const { return entry(&uiPara::get_prog_mode_by_index, "CURRENT"); }
};

const char* start_value(int col)
{
    switch (col) {
    case col_irange: return "30";
    case col_vrange: return "150";
    case col_pause:
    case col_short: return "OFF";
    case col_max: return "10";
    case col_rco: return "0.2";
    default: return "1";
    }
}

// A cell that does not apply to the step's mode.
QWidget* make_placeholder()
{
    auto* b = new QPushButton(QStringLiteral("***"));
    b->setProperty("prog_placeholder", true);
    b->setEnabled(false);
    return b;
}

MyDoubleSpinBox* make_value_box(const cell_t& cell, double value, int mode)
{
    auto* box = new MyDoubleSpinBox;
    box->setDecimals(cell.decimals);
    double min = cell.min;
    double max = cell.max;
    if (cell.col == col_set && mode >= 0 && mode < 4) {
        min = set_ranges[mode].min;
        max = set_ranges[mode].max;
    }
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

MyDoubleSpinBox* value_box(QTableWidget* table, int row, int col)
{
    return qobject_cast<MyDoubleSpinBox*>(table->cellWidget(row, col));
}

QComboBox* combo(QTableWidget* table, int row, int col)
{
    return qobject_cast<QComboBox*>(table->cellWidget(row, col));
}

// Selects `index` in a combo without running its edit slot.
void select_quietly(QComboBox* box, int index)
{
    if (!box || index < 0 || index >= box->count())
        return;
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

int combo_index_of_entry(int col, const QString& entry)
{
    switch (col) {
    case col_irange: return prog_step_text::irange_index(entry);
    case col_vrange: return prog_step_text::vrange_index(entry);
    default: {
        const int state = prog_step_text::switch_state(entry);
        return state < 0 ? -1 : (state == 1 ? 0 : 1); // item 0 "ON", item 1 "OFF"
    }
    }
}

} // namespace

QTableWidget* MyMainWindow::get_prog_table() const
{
    return ui->tableWidget_Prog;
}

int MyMainWindow::prog_step_of(const QList<QWidget*>& widgets) const
{
    // Compared as addresses only: the markers live as long as the window.
    return widgets.isEmpty() ? -1 : prog_step_tokens.indexOf(widgets.first());
}

QList<QWidget*> MyMainWindow::prog_step_widgets(int index) const
{
    if (index < 0 || index >= prog_step_tokens.size())
        return {};
    return {prog_step_tokens.at(index)};
}

void MyMainWindow::init_prog_table()
{
    for (int i = 0; i < step_max; ++i) {
        auto* token = new QWidget(this);
        token->setObjectName(QStringLiteral("prog_step_%1").arg(i + 1));
        token->hide();
        prog_step_tokens << token;
    }

    QTableWidget* table = ui->tableWidget_Prog;
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int count = qBound(0, uiPara::instance()->get_program_step(), step_max);
    prog_row_count = count;
    table->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        // Fixed start values until the first read-back from a load.
        delete table->takeItem(row, col_step);
        build_prog_row(row, false);
    }

    // One result window for the window's life.
    prog_result_win = new ProgResultWin(this);

    prog_recall_timer = new QTimer(this);
    prog_recall_timer->setSingleShot(true);
    // The load's settling time is a minimum: never early.
    prog_recall_timer->setTimerType(Qt::PreciseTimer);
    connect(prog_recall_timer, &QTimer::timeout, this, &MyMainWindow::read_back_prog);
    // A stopped command thread answers nothing more: an export or an import
    // read-back still waiting is over.
    connect(cfg_thread, &QThread::finished, this, [this] {
        prog_export_path.clear();
        prog_recall_timer->stop();
    });
}

void MyMainWindow::build_prog_row(int row, bool from_store)
{
    QTableWidget* table = ui->tableWidget_Prog;
    const row_source_t src{from_store, row};

    if (!table->item(row, col_step)) {
        auto* step = new QTableWidgetItem(QString::number(row + 1));
        step->setFlags(Qt::NoItemFlags);
        step->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, col_step, step);
    }
    if (!table->cellWidget(row, col_mode)) {
        auto* mode = new QComboBox;
        for (int i = 0; i < prog_step_text::mode_count; ++i)
            mode->addItem(prog_step_text::mode_abbrev(i));
        mode->setFocusPolicy(Qt::NoFocus);
        table->setCellWidget(row, col_mode, mode);
    }
    for (const combo_t& c : combos) {
        if (!table->cellWidget(row, c.col)) {
            auto* box = new QComboBox;
            box->addItem(tr(c.items[0]));
            box->addItem(tr(c.items[1]));
            table->setCellWidget(row, c.col, box);
        }
        // Anything but the low range or "ON" shows the second item.
        const int index = combo_index_of_entry(c.col, src.entry(cell_of_column(c.col)->get, start_value(c.col)));
        select_quietly(combo(table, row, c.col), index == 0 ? 0 : 1);
    }
    for (int col = col_ton; col <= col_max; ++col) {
        const cell_t* cell = cell_of_column(col);
        const double value = prog_step_text::number(src.entry(cell->get, start_value(col)));
        if (MyDoubleSpinBox* box = value_box(table, row, col))
            box->setValue(value);
        else
            table->setCellWidget(row, col, make_value_box(*cell, value, -1));
    }

    const int mode = prog_step_text::mode_index(src.mode());
    if (mode >= 0) {
        select_quietly(combo(table, row, col_mode), mode);
        place_prog_mode_cells(row, mode, src.from_store);
    } else if (!table->cellWidget(row, col_set)) {
        // A mode word the table does not know: placeholders until one comes.
        set_button(row);
    }
    _init_table_connect(row);
}

void MyMainWindow::place_prog_mode_cells(int row, int mode, bool from_store)
{
    QTableWidget* table = ui->tableWidget_Prog;
    const row_source_t src{from_store, row};
    if (mode == prog_step_text::mode_led) {
        set_led(row);
        for (int col : {int(col_vo), int(col_io), int(col_rco)}) {
            const cell_t* cell = cell_of_column(col);
            table->setCellWidget(row, col,
                                 make_value_box(*cell, prog_step_text::number(src.entry(cell->get, start_value(col))),
                                                mode));
        }
        return;
    }
    const cell_t* set = cell_of_column(col_set);
    table->setCellWidget(row, col_set,
                         make_value_box(*set, prog_step_text::number(src.entry(set->get, start_value(col_set))), mode));
    if (mode == prog_step_text::mode_cr)
        set_cr(row);
    else
        set_cc_cv_cp(row);
}

void MyMainWindow::fill_prog_rows(int count)
{
    QTableWidget* table = ui->tableWidget_Prog;
    count = qBound(0, count, step_max);
    // Up to 50 rows of cells: one repaint at the end.
    table->setUpdatesEnabled(false);
    if (prog_row_count < count) {
        for (int row = 0; row < prog_row_count; ++row)
            set_prog_row_enable(row, true);
        table->setRowCount(count);
        for (int row = prog_row_count; row < count; ++row)
            build_prog_row(row, true);
    } else {
        for (int row = 0; row < count; ++row)
            set_prog_row_enable(row, true);
        table->setRowCount(count);
        table->horizontalScrollBar()->setValue(0);
    }
    table->setUpdatesEnabled(true);
    prog_row_count = count;
}

void MyMainWindow::set_prog_row_enable(int row, bool enable)
{
    QTableWidget* table = ui->tableWidget_Prog;
    if (row < 0 || row >= table->rowCount())
        return;
    _disconnect_prog_table(row);
    for (int col = col_mode; col < col_count; ++col) {
        // The placeholders stay disabled.
        QWidget* w = table->cellWidget(row, col);
        if (w && !w->property("prog_placeholder").toBool())
            w->setEnabled(enable);
    }
    if (!enable)
        return;
    build_prog_row(row, true);
}

void MyMainWindow::_disconnect_prog_table(int row)
{
    QTableWidget* table = ui->tableWidget_Prog;
    for (int col = col_mode; col < col_count; ++col) {
        if (QWidget* w = table->cellWidget(row, col))
            disconnect(w, nullptr, this, nullptr);
    }
}

void MyMainWindow::_init_table_connect(int row)
{
    QTableWidget* table = ui->tableWidget_Prog;
    QComboBox* mode = combo(table, row, col_mode);
    if (!mode)
        return;
    connect(mode, SIGNAL(currentIndexChanged(int)), this, SLOT(deal_prog_mode_combobox(int)), Qt::UniqueConnection);
    const bool led = mode->currentIndex() == prog_step_text::mode_led;
    for (const cell_t& c : cells) {
        if (c.col == col_set && led)
            continue;
        if ((c.col == col_vo || c.col == col_io || c.col == col_rco) && !led)
            continue;
        QWidget* w = table->cellWidget(row, c.col);
        // A placeholder has no such signal and is never wired.
        if (w && (qobject_cast<QComboBox*>(w) || qobject_cast<MyDoubleSpinBox*>(w)))
            connect(w, c.signal, this, c.slot, Qt::UniqueConnection);
    }
}

void MyMainWindow::set_cc_cv_cp(int row)
{
    for (int col : {int(col_rrange), int(col_vo), int(col_io), int(col_rco)})
        ui->tableWidget_Prog->setCellWidget(row, col, make_placeholder());
}

void MyMainWindow::set_cr(int row)
{
    QTableWidget* table = ui->tableWidget_Prog;
    // Shows the step's resistance range; the load has only this one.
    table->setCellWidget(row, col_rrange, new QPushButton(QStringLiteral("≤10kΩ")));
    for (int col : {int(col_vo), int(col_io), int(col_rco)})
        table->setCellWidget(row, col, make_placeholder());
}

void MyMainWindow::set_led(int row)
{
    for (int col : {int(col_set), int(col_rrange)})
        ui->tableWidget_Prog->setCellWidget(row, col, make_placeholder());
}

void MyMainWindow::set_button(int row)
{
    for (int col = col_set; col <= col_rco; ++col)
        ui->tableWidget_Prog->setCellWidget(row, col, make_placeholder());
}

// ---- store -> table

void MyMainWindow::update_prog_step(int count)
{
    if (mode_page != 4)
        return;
    ui->spinBox_Step_Prog->setValue(count);
    fill_prog_rows(count);
}

void MyMainWindow::update_prog_mode_by_index(QString value, int row)
{
    QTableWidget* table = ui->tableWidget_Prog;
    if (mode_page != 4 || row < 0 || row >= table->rowCount())
        return;
    const int mode = prog_step_text::mode_index(value);
    if (mode < 0)
        return;
    _disconnect_prog_table(row);
    select_quietly(combo(table, row, col_mode), mode);
    place_prog_mode_cells(row, mode, true);
    _init_table_connect(row);
}

void MyMainWindow::update_prog_combo_cell(int col, const QString& value, int row)
{
    QTableWidget* table = ui->tableWidget_Prog;
    if (mode_page != 4 || row < 0 || row >= table->rowCount())
        return;
    const int index = combo_index_of_entry(col, value);
    if (index >= 0)
        select_quietly(combo(table, row, col), index); // selecting posts nothing
}

void MyMainWindow::update_prog_value_cell(int col, const QString& value, int row)
{
    QTableWidget* table = ui->tableWidget_Prog;
    if (mode_page != 4 || row < 0 || row >= table->rowCount())
        return;
    const bool led = prog_step_text::mode_index(uiPara::instance()->get_prog_mode_by_index(row)) ==
                     prog_step_text::mode_led;
    if ((col == col_set && led) || ((col == col_vo || col == col_io || col == col_rco) && !led))
        return;
    if (MyDoubleSpinBox* box = value_box(table, row, col))
        box->setValue(prog_step_text::number(value));
}

void MyMainWindow::update_prog_irange_by_index(QString value, int row) { update_prog_combo_cell(col_irange, value, row); }
void MyMainWindow::update_prog_vrange_by_index(QString value, int row) { update_prog_combo_cell(col_vrange, value, row); }
void MyMainWindow::update_prog_pause_by_index(QString value, int row) { update_prog_combo_cell(col_pause, value, row); }
void MyMainWindow::update_prog_short_by_index(QString value, int row) { update_prog_combo_cell(col_short, value, row); }
void MyMainWindow::update_prog_ton_by_index(QString value, int row) { update_prog_value_cell(col_ton, value, row); }
void MyMainWindow::update_prog_toff_by_index(QString value, int row) { update_prog_value_cell(col_toff, value, row); }
void MyMainWindow::update_prog_tdly_by_index(QString value, int row) { update_prog_value_cell(col_tdly, value, row); }
void MyMainWindow::update_prog_min_by_index(QString value, int row) { update_prog_value_cell(col_min, value, row); }
void MyMainWindow::update_prog_max_by_index(QString value, int row) { update_prog_value_cell(col_max, value, row); }
void MyMainWindow::update_prog_set_by_index(QString value, int row) { update_prog_value_cell(col_set, value, row); }
void MyMainWindow::update_prog_vo_by_index(QString value, int row) { update_prog_value_cell(col_vo, value, row); }
void MyMainWindow::update_prog_io_by_index(QString value, int row) { update_prog_value_cell(col_io, value, row); }
void MyMainWindow::update_prog_rco_by_index(QString value, int row) { update_prog_value_cell(col_rco, value, row); }

// The table has no resistance range cell to follow.
void MyMainWindow::update_prog_rrange_by_index(QString, int) {}
