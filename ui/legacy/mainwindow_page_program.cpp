// Program page: one table column of cell widgets per step, each change sent
// to the load for its step and read back into the cell (codes 48 to 63),
// and the judged results of a run (code 66).
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "FreezeTableWidget.h"
#include "cfg_thread_t.h"
#include "custom_spinbox.h"
#include "mycombobox.h"
#include "page_links.h"

#include <QDebug>
#include <QDoubleSpinBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <iterator>

namespace {

const int k_prog_rows = 16;
const char k_placeholder[] = "***";

// One row of the step table: its widget, its road to the load and the step
// list that keeps its text. Combo rows name their
// items, the words sent for them, the words the load answers and the list
// texts; spin rows their decimals and the load's range (a cell never holds
// less than the load takes, so it never cuts a value and sends the cut one).
struct prog_row
{
    int operation;
    const char* command;
    const char* query;
    int list;
    void (MainWindow::*spin_slot)();
    void (MainWindow::*combo_slot)(int);
    int decimals;
    double maximum;
    const char* items[5];
    const char* words[5];
    const char* replies[5];
    const char* texts[5];
};

const prog_row k_rows[k_prog_rows] = {
    {0, nullptr, nullptr, -1, nullptr, nullptr, 0, 0, {}, {}, {}, {}},
    {48, "PROG:MODE ", "PROG:MODE? ", MainWindow::prog_mode_list, nullptr, &MainWindow::deal_prog_mode_combobox, 0, 0,
     {"CC", "CV", "CR", "CP", "LED"}, {"CURR", "VOLT", "RES", "POW", "LED"},
     {"CURRENT\n", "VOLTAGE\n", "RESISTANCE\n", "POWER\n", "LED\n"},
     {"CURRENT", "VOLTAGE", "RESISTANCE", "POWER", "LED"}},
    {49, "PROG:IRANG ", "PROG:IRANG? ", MainWindow::prog_irange_list, nullptr, &MainWindow::deal_irange_combobox, 0, 0,
     {"5A", "30A"}, {"5", "30"}, {"5\n", "30\n"}, {"5", "30"}},
    {50, "PROG:VRANG ", "PROG:VRANG? ", MainWindow::prog_vrange_list, nullptr, &MainWindow::deal_vrange_combobox, 0, 0,
     {"36V", "150V"}, {"36", "150"}, {"36\n", "150\n"}, {"36", "150"}},
    {51, "PROG:PAUSE ", "PROG:PAUSE? ", MainWindow::prog_pause_list, nullptr, &MainWindow::deal_pause_combobox, 0, 0,
     {"ON", "OFF"}, {"ON", "OFF"}, {"1\n", "0\n"}, {"ON", "OFF"}},
    {52, "PROG:SHOR ", "PROG:SHOR? ", MainWindow::prog_short_list, nullptr, &MainWindow::deal_short_combobox, 0, 0,
     {"ON", "OFF"}, {"ON", "OFF"}, {"1\n", "0\n"}, {"ON", "OFF"}},
    {53, "PROG:TIME:ON ", "PROG:TIME:ON? ", MainWindow::prog_ton_list, &MainWindow::deal_ton_spinbox, nullptr, 3, 100,
     {}, {}, {}, {}},
    {54, "PROG:TIME:OFF ", "PROG:TIME:OFF? ", MainWindow::prog_toff_list, &MainWindow::deal_toff_spinbox, nullptr, 3,
     100, {}, {}, {}, {}},
    {55, "PROG:TIME:DEL ", "PROG:TIME:DEL? ", MainWindow::prog_tdelay_list, &MainWindow::deal_tdelay_spinbox, nullptr,
     3, 100, {}, {}, {}, {}},
    {56, "PROG:MIN ", "PROG:MIN? ", MainWindow::prog_min_list, &MainWindow::deal_min_spinbox, nullptr, 2, 1e6,
     {}, {}, {}, {}},
    {57, "PROG:MAX ", "PROG:MAX? ", MainWindow::prog_max_list, &MainWindow::deal_max_spinbox, nullptr, 2, 1e6,
     {}, {}, {}, {}},
    {58, "PROG:LEV ", "PROG:LEV? ", MainWindow::prog_set_list, &MainWindow::deal_set_spinbox, nullptr, 2, 1e6,
     {}, {}, {}, {}},
    {59, nullptr, nullptr, MainWindow::prog_range_list, nullptr, nullptr, 0, 0, {"Low", "Middle", "High", "Upper"}, {},
     {"LOW\n", "MIDDLE\n", "HIGH\n", "UP\n"}, {"LOW", "MIDDLE", "HIGH", "UP"}},
    {60, "PROG:LEV ", "PROG:LEV? ", MainWindow::prog_vo_list, &MainWindow::deal_vo_spinbox, nullptr, 2, 1e6,
     {}, {}, {}, {}},
    {61, "PROG:LED:CURR ", "PROG:LED:CURR? ", MainWindow::prog_io_list, &MainWindow::deal_io_spinbox, nullptr, 3, 30,
     {}, {}, {}, {}},
    {62, "PROG:LED:RCO ", "PROG:LED:RCO? ", MainWindow::prog_rco_list, &MainWindow::deal_rco_spinbox, nullptr, 4, 1,
     {}, {}, {}, {}},
};

const int k_mode_led = 4;

QString g6(double v)
{
    return QString::number(v, 'g', 6);
}

int item_count(const prog_row& row)
{
    int n = 0;
    while (n < 5 && row.items[n])
        ++n;
    return n;
}

QWidget* make_cell(int r)
{
    const prog_row& row = k_rows[r];
    if (!row.items[0]) {
        auto* spin = new QDoubleSpinBox;
        spin->setObjectName(QStringLiteral("program_spinbox"));
        spin->setDecimals(row.decimals);
        spin->setRange(0, row.maximum);
        return spin;
    }
    auto* combo = new mycombobox;
    combo->setObjectName(QStringLiteral("program_combobox"));
    for (int i = 0; i < item_count(row); ++i)
        combo->addItem(QString::fromUtf8(row.items[i]));
    return combo;
}

QWidget* make_placeholder(const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QStringLiteral("program_button"));
    button->setEnabled(false);
    return button;
}

// Index of the load's (or list's) word among `words`; -1 when unknown. A
// switch may come as ON/OFF or as 1/0.
int word_index(const char* const words[5], const QString& text)
{
    for (int i = 0; i < 5 && words[i]; ++i)
        if (text == QLatin1String(words[i]))
            return i;
    return -1;
}

} // namespace

QWidget* MainWindow::prog_cell(int row, int column) const
{
    return program_result_table->cellWidget(row, column);
}

// ---- the table

QVector<QWidget*> MainWindow::create_prog_cell_widgets()
{
    QVector<QWidget*> cells(k_prog_rows, nullptr);
    for (int r = 1; r < k_prog_rows; ++r)
        cells[r] = make_cell(r);
    return cells;
}

// Inactive "***" buttons in rows first to last of a step's column.
static void place_placeholders(QTableWidget* t, int column, int first, int last)
{
    for (int r = first; r <= last; ++r)
        t->setCellWidget(r, column, make_placeholder(QString::fromLatin1(k_placeholder)));
}

void MainWindow::set_prog_value_cells(int column, int mode)
{
    // by the mode box's index: CC, CV, CR, CP, LED
    switch (mode) {
    case 0:
    case 1:
    case 3:
        set_prog_plain_cells(column);
        break;
    case 2:
        set_prog_cr_cells(column);
        break;
    case 4:
        set_prog_led_cells(column);
        break;
    default:
        break;
    }
}

void MainWindow::clear_prog_value_cells(int column)
{
    place_placeholders(program_result_table, column, 11, 15);
}

void MainWindow::set_prog_plain_cells(int column)
{
    place_placeholders(program_result_table, column, 12, 15);
}

void MainWindow::set_prog_cr_cells(int column)
{
    place_placeholders(program_result_table, column, 13, 15);
    program_result_table->setCellWidget(12, column, make_placeholder(QStringLiteral("≤10kΩ")));
}

void MainWindow::set_prog_led_cells(int column)
{
    place_placeholders(program_result_table, column, 11, 12);
}

void MainWindow::fill_prog_row(int first, int last)
{
    QTableWidget* t = program_result_table;
    for (int k = first + 1; k <= last; ++k) {
        auto* number = new QTableWidgetItem(QString::number(k));
        number->setFlags(Qt::NoItemFlags);
        t->setItem(0, k, number);
        const QVector<QWidget*> cells = create_prog_cell_widgets();
        for (int r = 1; r < k_prog_rows; ++r) {
            const prog_row& row = k_rows[r];
            QWidget* cell = cells.at(r);
            const QList<QString>& values = prog_columns[row.list];
            if (auto* spin = qobject_cast<QDoubleSpinBox*>(cell)) {
                spin->setValue(step_value(values, k - 1));
            } else if (auto* combo = qobject_cast<QComboBox*>(cell)) {
                const QString text = values.value(k - 1);
                int index = word_index(row.texts, text);
                if (index < 0 && row.replies[0])
                    index = word_index(row.replies, text + QLatin1Char('\n'));
                // an unknown range or switch shows the second item, as the load's default
                if (r == 12 || r == 1)
                    combo->setCurrentIndex(std::max(index, 0));
                else
                    combo->setCurrentIndex(index == 0 ? 0 : 1);
            }
            t->setCellWidget(r, k, cell);
        }
        set_prog_value_cells(k, word_index(k_rows[1].texts, prog_columns[k_rows[1].list].value(k - 1)));
    }
    // Connected once every box holds its value: filling posts nothing.
    for (int k = first + 1; k <= last; ++k)
        connect_prog_column(k);
}

void MainWindow::connect_prog_column(int column)
{
    auto* mode = qobject_cast<QComboBox*>(prog_cell(1, column));
    const bool led = mode && mode->currentIndex() == k_mode_led;
    for (int r = 1; r < k_prog_rows; ++r) {
        const prog_row& row = k_rows[r];
        if (r == 12 || (led && r == 11) || (!led && r >= 13))
            continue;
        if (row.combo_slot) {
            if (auto* combo = qobject_cast<QComboBox*>(prog_cell(r, column)))
                connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, row.combo_slot);
        } else if (auto* spin = qobject_cast<QDoubleSpinBox*>(prog_cell(r, column))) {
            connect(spin, &QDoubleSpinBox::editingFinished, this, row.spin_slot);
        }
    }
}

void MainWindow::init_program_page()
{
    // The step count comes with the read-back that calls this.
    const int n = std::max(0, int(program_steps_spin->value()));
    program_progress->setRange(0, n);
    program_result_table->setColumnCount(n + 1);
    fill_prog_row(0, n);
    program_freeze->update_frozen_row(n + 1, program_result_table, n);
    close_wait_box();
}

// ---- requests

void MainWindow::post_prog_cell(int r, QObject* sender, const QString& value)
{
    if (!connected)
        return;
    const prog_row& row = k_rows[r];
    for (int k = 0; k < program_result_table->columnCount(); ++k) {
        QWidget* cell = prog_cell(r, k);
        if (!cell || cell != sender)
            continue;
        const QString step = QString::number(k);
        const QString command = QLatin1String(row.command) + step + QLatin1Char(',') + value;
        QList<QString> writes{command, QString()};
        QList<QString> queries{QString(), QLatin1String(row.query) + step};
        if (r == 1) {
            writes = {command, QString(), QString(), QString(), QString(), QString(), QString()};
            queries = {QString(),
                       QStringLiteral("INP?"),
                       QStringLiteral("PROG:MODE? ") + step,
                       QStringLiteral("PROG:LEV? ") + step,
                       QStringLiteral("PROG:RRANG? ") + step,
                       QStringLiteral("PROG:LED:CURR? ") + step,
                       QStringLiteral("PROG:LED:RCO? ") + step};
        }
        cfg_thread->add_request(row.operation, writes, queries, {cell}, false, 0, false, QByteArray());
        return;
    }
}

static QString combo_word(int row, int index)
{
    const prog_row& r = k_rows[row];
    return index >= 0 && index < item_count(r) ? QString::fromLatin1(r.words[index]) : QString();
}

void MainWindow::deal_prog_mode_combobox(int index)
{
    post_prog_cell(1, sender(), combo_word(1, index));
}

void MainWindow::deal_irange_combobox(int index)
{
    post_prog_cell(2, sender(), combo_word(2, index));
}

void MainWindow::deal_vrange_combobox(int index)
{
    post_prog_cell(3, sender(), combo_word(3, index));
}

void MainWindow::deal_pause_combobox(int index)
{
    post_prog_cell(4, sender(), combo_word(4, index));
}

void MainWindow::deal_short_combobox(int index)
{
    post_prog_cell(5, sender(), combo_word(5, index));
}

static QString spin_text(QObject* sender)
{
    auto* spin = qobject_cast<QDoubleSpinBox*>(sender);
    return spin ? g6(spin->value()) : QString();
}

void MainWindow::deal_ton_spinbox()
{
    post_prog_cell(6, sender(), spin_text(sender()));
}

void MainWindow::deal_toff_spinbox()
{
    post_prog_cell(7, sender(), spin_text(sender()));
}

void MainWindow::deal_tdelay_spinbox()
{
    post_prog_cell(8, sender(), spin_text(sender()));
}

void MainWindow::deal_min_spinbox()
{
    post_prog_cell(9, sender(), spin_text(sender()));
}

void MainWindow::deal_max_spinbox()
{
    post_prog_cell(10, sender(), spin_text(sender()));
}

void MainWindow::deal_set_spinbox()
{
    post_prog_cell(11, sender(), spin_text(sender()));
}

void MainWindow::deal_vo_spinbox()
{
    post_prog_cell(13, sender(), spin_text(sender()));
}

void MainWindow::deal_io_spinbox()
{
    post_prog_cell(14, sender(), spin_text(sender()));
}

void MainWindow::deal_rco_spinbox()
{
    post_prog_cell(15, sender(), spin_text(sender()));
}

void MainWindow::deal_spinbox()
{
    if (!connected)
        return;
    disconnect(program_steps_spin, nullptr, this, nullptr);
    const QList<QString> writes{QStringLiteral("PROG:STEP ") + QString::number(int(program_steps_spin->value()))};
    const QList<QString> queries{QStringLiteral("PROG:STEP?")};
    const QList<QWidget*> widgets{program_steps_spin};
    const QString input = ui->load_button->text();
    if (input == QLatin1String("OFF")) {
        cfg_thread->add_request(63, writes, queries, widgets, false, 0, false, QByteArray());
    } else if (input == QLatin1String("ON")) {
        // The load refuses it and the read-back shows the count it kept; a
        // timer, not a sleep, keeps the window alive meanwhile.
        QTimer::singleShot(200, this, [this, writes, queries, widgets] {
            if (!connected)
                return;
            cfg_thread->add_request(63, writes, queries, widgets, false, 0, false, QByteArray());
            show_warning(QStringLiteral("Please turn off the load"));
        });
    }
    connect(program_steps_spin, &custom_spinbox::change_spin_spinbox, this, &MainWindow::deal_spinbox);
}

// ---- replies

void MainWindow::deal_prog_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    static const reply_route_t routes[] = {
        {48, &MainWindow::deal_prog_mode_reply},
        {49, &MainWindow::deal_prog_irange_reply},
        {50, &MainWindow::deal_prog_vrange_reply},
        {51, &MainWindow::deal_prog_pause_reply},
        {52, &MainWindow::deal_prog_short_reply},
        {53, &MainWindow::deal_prog_ton_reply},
        {54, &MainWindow::deal_prog_toff_reply},
        {55, &MainWindow::deal_prog_tdelay_reply},
        {56, &MainWindow::deal_prog_min_reply},
        {57, &MainWindow::deal_prog_max_reply},
        {58, &MainWindow::deal_prog_set_reply},
        {59, &MainWindow::deal_prog_range_reply},
        {60, &MainWindow::deal_prog_vo_reply},
        {61, &MainWindow::deal_prog_io_reply},
        {62, &MainWindow::deal_prog_rco_reply},
        {63, &MainWindow::deal_prog_step_reply},
    };
    if (!route_reply(routes, std::size(routes), operation, replies, widgets) && operation == 66)
        deal_prog_test_reply(replies);
}

void MainWindow::deal_prog_irange_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(2, r, widgets);
}

void MainWindow::deal_prog_vrange_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(3, r, widgets);
}

void MainWindow::deal_prog_pause_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(4, r, widgets);
}

void MainWindow::deal_prog_short_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(5, r, widgets);
}

void MainWindow::deal_prog_ton_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(6, r, widgets);
}

void MainWindow::deal_prog_toff_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(7, r, widgets);
}

void MainWindow::deal_prog_tdelay_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(8, r, widgets);
}

void MainWindow::deal_prog_min_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(9, r, widgets);
}

void MainWindow::deal_prog_max_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(10, r, widgets);
}

void MainWindow::deal_prog_set_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(11, r, widgets);
}

void MainWindow::deal_prog_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(12, r, widgets);
}

void MainWindow::deal_prog_vo_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(13, r, widgets);
}

void MainWindow::deal_prog_io_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(14, r, widgets);
}

void MainWindow::deal_prog_rco_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_prog_cell_reply(15, r, widgets);
}

void MainWindow::deal_prog_cell_reply(int r, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    const prog_row& row = k_rows[r];
    QWidget* target = widgets.value(0);
    const QString answer = replies.value(0);
    for (int k = 1; target && k < program_result_table->columnCount(); ++k) {
        if (prog_cell(r, k) != target)
            continue;
        if (auto* spin = qobject_cast<QDoubleSpinBox*>(target)) {
            // a garbled read-back leaves the cell and its step as they were
            double v = 0;
            if (page_links::number(replies, 0, &v)) {
                spin->setValue(v);
                set_step_text(prog_columns[row.list], k - 1, g6(v));
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(target)) {
            const int index = word_index(row.replies, answer);
            if (index >= 0) {
                combo->setCurrentIndex(index);
                set_step_text(prog_columns[row.list], k - 1, QString::fromLatin1(row.texts[index]));
            }
        }
    }
    start_threads();
}

void MainWindow::deal_prog_mode_reply(const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    QWidget* target = widgets.value(0);
    const int mode = word_index(k_rows[1].replies, replies.value(1));
    QTableWidget* t = program_result_table;
    for (int k = 1; target && k < t->columnCount(); ++k) {
        if (prog_cell(1, k) != target)
            continue;
        clear_prog_value_cells(k);
        if (mode < 0)
            continue;
        static_cast<QComboBox*>(target)->setCurrentIndex(mode);
        set_prog_value_cells(k, mode);
        // the level, LED current and Rco by their place among the replies
        const struct
        {
            int row;
            int reply;
        } cells[] = {{11, 2}, {13, 2}, {14, 4}, {15, 5}};
        for (const auto& c : cells) {
            if ((mode == k_mode_led) != (c.row >= 13))
                continue;
            // a garbled value shows the step's own, not 0
            double value = step_value(prog_columns[k_rows[c.row].list], k - 1);
            page_links::number(replies, c.reply, &value);
            auto* spin = static_cast<QDoubleSpinBox*>(make_cell(c.row));
            spin->setValue(value);
            t->setCellWidget(c.row, k, spin);
            connect(spin, &QDoubleSpinBox::editingFinished, this, k_rows[c.row].spin_slot);
        }
        set_step_text(prog_columns[k_rows[1].list], k - 1, QString::fromLatin1(k_rows[1].texts[mode]));
    }
    start_threads();
}

void MainWindow::deal_prog_step_reply(const QList<QString>& replies, const QList<QWidget*>&)
{
    bool ok = false;
    const int n = replies.value(0).trimmed().toInt(&ok);
    if (!ok || n < 0) {
        qDebug() << "older window: unreadable step count" << replies.value(0);
        start_threads();
        return;
    }
    QTableWidget* t = program_result_table;
    const int columns = t->columnCount();
    if (n >= columns) {
        t->setColumnCount(n + 1);
        fill_prog_row(columns - 1, n);
    } else if (n < columns - 1) {
        t->setColumnCount(n + 1);
        t->scrollToItem(t->item(0, 0));
    }
    program_progress->setRange(0, n);
    program_freeze->update_frozen_row(n + 1, t, n);
    disconnect(program_steps_spin, nullptr, this, nullptr);
    program_steps_spin->set_value(n);
    connect(program_steps_spin, &custom_spinbox::change_spin_spinbox, this, &MainWindow::deal_spinbox);
    start_threads();
}

void MainWindow::deal_prog_test_reply(const QList<QString>& replies)
{
    const QStringList values = replies.value(0).split(QLatin1Char(','), Qt::KeepEmptyParts);
    start_threads();
    const int n = std::max(0, int(program_steps_spin->value()));
    // Results of a run while the last ones are still on screen are dropped.
    if (program_form && program_form->isVisible())
        return;
    build_prog_result_form(n + 3);
    program_results.clear();
    for (int k = 1; k <= n; ++k) {
        auto* mode = qobject_cast<QComboBox*>(prog_cell(1, k));
        auto* min_box = qobject_cast<QDoubleSpinBox*>(prog_cell(9, k));
        auto* max_box = qobject_cast<QDoubleSpinBox*>(prog_cell(10, k));
        const QString mode_name = QLatin1Char('(') + (mode ? mode->currentText() : QString()) + QLatin1Char(')');
        program_result_t result;
        result.step = QString::number(k);
        if (k > values.size() || !min_box || !max_box) {
            // the load sent no value for this step: nothing is judged
            result.remarks = mode_name;
        } else {
            const double v = values.at(k - 1).toDouble();
            const QString value = QString::number(v, 'f', 3) + mode_name;
            const bool below = v < min_box->value();
            const bool over = v > max_box->value();
            result.result = below || over ? QStringLiteral("Fail") : QStringLiteral("Pass");
            result.remarks = below ? QStringLiteral("Below MIN: ") + value
                                   : over ? QStringLiteral("Over MAX: ") + value : value;
        }
        program_results.push_back(result);
        const QColor colour = result.result == QLatin1String("Pass") ? QColor(Qt::green) : QColor(Qt::red);
        const QString texts[3] = {result.step, result.result, result.remarks};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setFlags(Qt::NoItemFlags);
            if (c > 0)
                item->setForeground(colour);
            program_table->setItem(k, c, item);
        }
    }
    program_form->show();
}
