// List page: its requests to the load (codes 72 to 79), their replies, the
// five-step table with its paging and the preview curve of the levels.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_lineedit.h"
#include "custom_spinbox.h"
#include "page_links.h"
#include "ui_preview_plot_t.h"

#include <QDebug>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const char k_input_on[] = "1\n";
const char k_input_off[] = "0\n";
const int k_columns = 5;
// The load keeps at most this many steps and repeats.
const int k_list_step_limit = 255;

struct list_function
{
    const char* command;
    const char* reply;
    const char* unit;
};
const list_function k_list_functions[4] = {{"LIST:MODE CURR", "CURRENT\n", "A"},
                                           {"LIST:MODE VOLT", "VOLTAGE\n", "V"},
                                           {"LIST:MODE RES", "RESISTANCE\n", "Ω"},
                                           {"LIST:MODE POW", "POWER\n", "W"}};

// Per range kind (0 current, 1 voltage): commands, read-back, words and the
// limit box maxima of its two ranges.
struct list_range
{
    int operation;
    const char* command;
    const char* query;
    const char* words[2];
    const char* values[2];
    int maxima[2];
};
const list_range k_list_ranges[2] = {{76, "LIST:IRANG ", "LIST:IRANG?", {"5\n", "30\n"}, {"5", "30"}, {5, 30}},
                                     {77, "LIST:VRANG ", "LIST:VRANG?", {"36\n", "150\n"}, {"36", "150"}, {36, 150}}};

// Per cell row (1 level, 2 width, 3 slew).
struct list_cell_road
{
    int operation;
    const char* command;
    const char* query;
};
const list_cell_road k_list_cells[4] = {{0, nullptr, nullptr},
                                        {72, "LIST:LEV ", "LIST:LEV? "},
                                        {73, "LIST:WID ", "LIST:WID? "},
                                        {74, "LIST:SLEW ", "LIST:SLEW? "}};

int function_of(const QString& word)
{
    for (int i = 0; i < 4; ++i)
        if (word == QLatin1String(k_list_functions[i].reply))
            return i;
    return -1;
}

QString g6(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

double MainWindow::step_value(const QList<QString>& values, int index)
{
    return index >= 0 && index < values.size() ? values.at(index).toDouble() : 0.0;
}

void MainWindow::set_step_text(QList<QString>& values, int index, const QString& text)
{
    if (index < 0)
        return;
    while (values.size() <= index)
        values.append(QString());
    values[index] = text;
}

// ---- requests

void MainWindow::post_list_request(int operation, const QList<QString>& writes, const QList<QString>& queries,
                                   QWidget* widget)
{
    cfg_thread->add_request(operation, writes, queries, {ui->load_button, widget}, false, 0, false, QByteArray());
}

void MainWindow::deal_list_function_combobox(int index)
{
    if (!connected)
        return;
    if (index < 0 || index > 3) {
        post_list_request(75, {}, {}, list_function_combo);
        return;
    }
    post_list_request(75, {QString::fromLatin1(k_list_functions[index].command), QString(), QString()},
                      {QString(), QStringLiteral("INP?"), QStringLiteral("LIST:MODE?")}, list_function_combo);
}

void MainWindow::deal_list_irange_combobox(int index)
{
    if (!connected)
        return;
    const list_range& r = k_list_ranges[0];
    post_list_request(r.operation,
                      {QLatin1String(r.command) + QLatin1String(r.values[index == 0 ? 0 : 1]), QString(), QString()},
                      {QString(), QStringLiteral("INP?"), QLatin1String(r.query)}, list_irange_combo);
}

void MainWindow::deal_list_vrange_combobox(int index)
{
    if (!connected)
        return;
    const list_range& r = k_list_ranges[1];
    post_list_request(r.operation,
                      {QLatin1String(r.command) + QLatin1String(r.values[index == 0 ? 0 : 1]), QString(), QString()},
                      {QString(), QStringLiteral("INP?"), QLatin1String(r.query)}, list_vrange_combo);
}

void MainWindow::deal_list_step_value()
{
    if (!connected)
        return;
    const QString n = g6(std::min(list_step_spin->value(), double(k_list_step_limit)));
    const QList<QString> writes{QStringLiteral("LIST:STEP ") + n};
    const QList<QString> queries{QStringLiteral("LIST:STEP?")};
    const QString input = ui->load_button->text();
    if (input == QLatin1String("OFF")) {
        post_list_request(78, writes, queries, list_step_spin);
    } else if (input == QLatin1String("ON")) {
        // The load is told anyway and refuses it; the read-back then shows
        // the count it kept. A timer, not a sleep, keeps the window alive.
        QTimer::singleShot(200, this, [this, writes, queries] {
            if (!connected)
                return;
            post_list_request(78, writes, queries, list_step_spin);
            show_warning(QStringLiteral("Please turn off the load"));
        });
    }
}

void MainWindow::deal_list_count_value()
{
    if (!connected)
        return;
    const QString n = g6(std::min(list_count_spin->value(), double(k_list_step_limit)));
    post_list_request(79, {QString(), QStringLiteral("LIST:COUN ") + n},
                      {QStringLiteral("INP?"), QStringLiteral("LIST:COUN?")}, list_count_spin);
}

QWidget* MainWindow::list_cell(int row, int column) const
{
    return list_step_table->cellWidget(row, column);
}

int MainWindow::list_first_step() const
{
    const QTableWidgetItem* item = list_step_table->item(0, 1);
    return item ? std::max(1, item->text().toInt()) : 1;
}

// The three cell slots: the sender's column gives the step.
static void post_cell(MainWindow* w, int row, QObject* sender)
{
    if (!w->connected)
        return;
    for (int c = 1; c <= k_columns; ++c) {
        auto* cell = qobject_cast<QDoubleSpinBox*>(w->list_cell(row, c));
        if (!cell || cell != sender)
            continue;
        const QTableWidgetItem* number = w->list_step_table->item(0, c);
        const QString s = QString::number(number ? number->text().toInt() : 0);
        const list_cell_road& road = k_list_cells[row];
        w->post_list_request(road.operation,
                             {QString(), QLatin1String(road.command) + s + QLatin1Char(',') + g6(cell->value())},
                             {QStringLiteral("INP?"), QLatin1String(road.query) + s}, cell);
        return;
    }
}

void MainWindow::deal_set_doublespinbox()
{
    post_cell(this, 1, sender());
}

void MainWindow::deal_time_doublespinbox()
{
    post_cell(this, 2, sender());
}

void MainWindow::deal_slew_doublespinbox()
{
    post_cell(this, 3, sender());
}

// ---- replies

void MainWindow::deal_list_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets)
{
    static const reply_route_t routes[] = {
        {72, &MainWindow::deal_list_level_reply},
        {73, &MainWindow::deal_list_width_reply},
        {74, &MainWindow::deal_list_slew_reply},
        {75, &MainWindow::deal_list_mode_reply},
        {76, &MainWindow::deal_list_irange_reply},
        {77, &MainWindow::deal_list_vrange_reply},
        {78, &MainWindow::deal_list_step_reply},
        {79, &MainWindow::deal_list_count_reply},
    };
    route_reply(routes, std::size(routes), operation, replies, widgets);
}

void MainWindow::deal_list_level_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_list_cell_reply(1, r, widgets);
}

void MainWindow::deal_list_width_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_list_cell_reply(2, r, widgets);
}

void MainWindow::deal_list_slew_reply(const QList<QString>& r, const QList<QWidget*>& widgets)
{
    deal_list_cell_reply(3, r, widgets);
}

void MainWindow::deal_list_irange_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_list_range_reply(0, r);
}

void MainWindow::deal_list_vrange_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    deal_list_range_reply(1, r);
}

void MainWindow::post_list_level_readback()
{
    cmd_writes = {QString()};
    cmd_queries = {QStringLiteral("LIST:LEV:ALL?")};
    post(22, false, 0);
    show_wait_box(QStringLiteral("List dialog"), tr("Please waiting for the list changing"));
}

void MainWindow::deal_list_mode_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    _disconnect_list();
    const QString input = r.value(0);
    const int function = function_of(r.value(1));
    if (input == QLatin1String(k_input_on)) {
        if (function >= 0)
            list_function_combo->set_current_index(function);
        start_threads();
        show_warning(QStringLiteral("Please turn off the load"));
    } else if (input == QLatin1String(k_input_off)) {
        if (function >= 0) {
            list_step_table->setRowHidden(3, function != 0);
            list_plot->set_y_unit(QString::fromUtf8(k_list_functions[function].unit));
        }
        post_list_level_readback();
    }
    _init_list_connect();
}

void MainWindow::deal_list_range_reply(int kind, const QList<QString>& r)
{
    _disconnect_list();
    const list_range& road = k_list_ranges[kind];
    custom_combobox* combo = kind == 0 ? list_irange_combo : list_vrange_combo;
    int index = -1;
    for (int i = 0; i < 2; ++i)
        if (r.value(1) == QLatin1String(road.words[i]))
            index = i;
    if (index >= 0)
        combo->set_current_index(index);
    _init_list_connect();
    const QString input = r.value(0);
    if (input == QLatin1String(k_input_on)) {
        start_threads();
        show_warning(QStringLiteral("Please turn off the load"));
    } else if (input == QLatin1String(k_input_off)) {
        if (index >= 0) {
            limit_max_spin[kind]->set_maximum(road.maxima[index]);
            limit_min_spin[kind]->set_maximum(road.maxima[index]);
        }
        post_list_level_readback();
    }
}

void MainWindow::deal_list_step_reply(const QList<QString>&, const QList<QWidget*>& widgets)
{
    fill_cmd_list(13);
    cfg_thread->add_request(13, cmd_writes, cmd_queries, widgets, false, 0, false, QByteArray());
    show_wait_box(QStringLiteral("List dialog"), tr("Please waiting for the list initing"));
}

void MainWindow::deal_list_count_reply(const QList<QString>& r, const QList<QWidget*>&)
{
    _disconnect_list();
    if (r.value(0) == QLatin1String(k_input_on)) {
        start_threads();
        show_warning(QStringLiteral("Please turn off the load"));
    }
    double count = 0;
    if (page_links::number(r, 1, &count))
        list_count_spin->set_value(count);
    _init_list_connect();
    start_threads();
}

void MainWindow::deal_list_cell_reply(int row, const QList<QString>& r, const QList<QWidget*>& widgets)
{
    _disconnect_list();
    // a garbled read-back leaves the cell and its step as they were
    double v = 0;
    const bool readable = page_links::number(r, 1, &v);
    QWidget* target = widgets.value(1);
    QList<QString>* values[4] = {nullptr, &list_levels, &list_times, &list_slews};
    for (int c = 1; c <= k_columns; ++c) {
        auto* cell = qobject_cast<QDoubleSpinBox*>(list_cell(row, c));
        if (!cell || cell != target)
            continue;
        const QTableWidgetItem* number = list_step_table->item(0, c);
        const int s = number ? number->text().toInt() : 0;
        if (r.value(0) == QLatin1String(k_input_on)) {
            if (readable)
                cell->setValue(v);
            start_threads();
            show_warning(QStringLiteral("Please turn off the load"));
        } else if (r.value(0) == QLatin1String(k_input_off) && s >= 1 && readable) {
            cell->setValue(v);
            set_step_text(*values[row], s - 1, g6(v));
            if (row == 1)
                draw_list_curve(std::min(k_columns, int(list_curve_x.size())));
        }
    }
    _init_list_connect();
    start_threads();
}

// ---- connections

void MainWindow::_init_list_connect()
{
    connect(list_function_combo, &custom_combobox::currentindex_changed, this, &MainWindow::deal_list_function_combobox,
            Qt::UniqueConnection);
    connect(list_irange_combo, &custom_combobox::currentindex_changed, this, &MainWindow::deal_list_irange_combobox,
            Qt::UniqueConnection);
    connect(list_vrange_combo, &custom_combobox::currentindex_changed, this, &MainWindow::deal_list_vrange_combobox,
            Qt::UniqueConnection);
    connect(list_step_spin, &custom_spinbox::change_spin_spinbox, this, &MainWindow::deal_list_step_value,
            Qt::UniqueConnection);
    connect(list_count_spin, &custom_spinbox::change_spin_spinbox, this, &MainWindow::deal_list_count_value,
            Qt::UniqueConnection);
    connect(list_storage_button, &QPushButton::clicked, this, &MainWindow::deal_list_storage_button,
            Qt::UniqueConnection);
    connect(list_recall_button, &QPushButton::clicked, this, &MainWindow::deal_list_recall_button,
            Qt::UniqueConnection);
    connect(list_next_button, &QPushButton::clicked, this, &MainWindow::deal_list_next_button, Qt::UniqueConnection);
    connect(list_up_button, &QPushButton::clicked, this, &MainWindow::deal_list_up_button, Qt::UniqueConnection);
    // The limit boxes are also connected by the window itself, in the same form.
    connect(limit_max_spin[0], SIGNAL(valuechanged()), this, SLOT(deal_current_max_spinbox()), Qt::UniqueConnection);
    connect(limit_max_spin[1], SIGNAL(valuechanged()), this, SLOT(deal_voltage_max_spinbox()), Qt::UniqueConnection);
    connect(limit_min_spin[0], SIGNAL(valuechanged()), this, SLOT(deal_current_min_spinbox()), Qt::UniqueConnection);
    connect(limit_min_spin[1], SIGNAL(valuechanged()), this, SLOT(deal_voltage_min_spinbox()), Qt::UniqueConnection);
    void (MainWindow::*cell_slots[4])() = {nullptr, &MainWindow::deal_set_doublespinbox,
                                           &MainWindow::deal_time_doublespinbox, &MainWindow::deal_slew_doublespinbox};
    for (int c = 1; c <= k_columns; ++c)
        for (int row = 1; row <= 3; ++row)
            if (auto* cell = qobject_cast<QDoubleSpinBox*>(list_cell(row, c)))
                connect(cell, &QDoubleSpinBox::editingFinished, this, cell_slots[row], Qt::UniqueConnection);
}

void MainWindow::_disconnect_list()
{
    QObject* senders[] = {list_function_combo, list_irange_combo,   list_vrange_combo,  list_step_spin,
                          list_count_spin,     list_storage_button, list_recall_button, list_next_button,
                          list_up_button,      limit_max_spin[0],   limit_max_spin[1],  limit_min_spin[0],
                          limit_min_spin[1],   list_r_range_edit};
    for (QObject* s : senders)
        if (s)
            disconnect(s, nullptr, this, nullptr);
    for (int c = 1; c <= k_columns; ++c)
        for (int row = 1; row <= 3; ++row)
            if (QWidget* cell = list_cell(row, c))
                disconnect(cell, nullptr, this, nullptr);
}

// Nothing calls it; the connect thread ends at once for this code.
void MainWindow::_list_thread_start()
{
    start_title_thread(nullptr, 15);
}

// ---- table and preview

void MainWindow::show_list_window(int first)
{
    for (int c = 1; c <= k_columns; ++c) {
        const int step = first + c - 1;
        QTableWidgetItem* number = list_step_table->item(0, c);
        if (!number) {
            number = new QTableWidgetItem;
            list_step_table->setItem(0, c, number);
        }
        number->setText(QString::number(step));
        // Read-only: a cell's edit goes to the step its column shows.
        number->setFlags(Qt::NoItemFlags);
        QList<QString>* values[4] = {nullptr, &list_levels, &list_times, &list_slews};
        for (int row = 1; row <= 3; ++row) {
            auto* cell = qobject_cast<QDoubleSpinBox*>(list_cell(row, c));
            if (!cell) {
                cell = new QDoubleSpinBox;
                cell->setObjectName(QStringLiteral("listtablewidget_spinbox"));
                cell->setRange(0, 10000);
                cell->setDecimals(3);
                list_step_table->setCellWidget(row, c, cell);
            }
            cell->setValue(step_value(*values[row], step - 1));
            if (row == 3)
                cell->setSingleStep(0.1);
        }
    }
}

// The staircase of the steps up to the last one shown: point i holds the
// level of step i, point 0 that of step 1.
void MainWindow::draw_list_curve(int axis_cells, bool step_of_top)
{
    const int steps = int(list_step_spin->value());
    const int first = list_first_step();
    const int m = std::max(0, std::min(steps, first + k_columns - 1));
    list_curve_x.clear();
    list_curve_y.clear();
    for (int i = 0; i <= m; ++i) {
        list_curve_x.append(i);
        list_curve_y.append(step_value(list_levels, std::max(i, 1) - 1));
    }
    const int end = m > 4 ? m : k_columns;
    list_plot->setAxisScale(QwtPlot::xBottom, end - k_columns, end, 1);
    double largest = 0;
    for (int c = 1; c <= axis_cells; ++c)
        if (auto* cell = qobject_cast<QDoubleSpinBox*>(list_cell(1, c)))
            largest = std::max(largest, cell->value());
    for (int i = first == 1 ? 0 : first; axis_cells == 0 && i <= m; ++i)
        largest = std::max(largest, list_curve_y.at(i));
    // A major step of 0 leaves it to Qwt.
    const double top = std::ceil(step_of_top ? double(float(largest)) : largest);
    list_plot->setAxisScale(QwtPlot::yLeft, 0, top, step_of_top ? int(top) / 5 : int(largest / 5));
    list_curve->setSamples(list_curve_x, list_curve_y);
    list_curve->setStyle(QwtPlotCurve::Steps);
    list_curve->setCurveAttribute(QwtPlotCurve::Inverted, true);
    list_curve->setPen(QPen(Qt::green));
    list_curve->attach(list_plot);
    list_plot->replot();
}

void MainWindow::fill_list_table()
{
    _disconnect_list();
    const int steps = int(list_step_spin->value());
    show_list_window(1);
    for (int c = 1; c <= k_columns; ++c) {
        const bool used = c <= steps;
        list_step_table->item(0, c)->setForeground(used ? Qt::white : Qt::gray);
        for (int row = 1; row <= 3; ++row) {
            QWidget* cell = list_cell(row, c);
            cell->setStyleSheet(used ? QStringLiteral("color:white") : QStringLiteral("color:black"));
            cell->setEnabled(used);
        }
    }
    draw_list_curve(0, true);
    list_plot->setStyleSheet(QStringLiteral("background: grey"));
    list_plot->show();
    _init_list_connect();
    close_wait_box();
}

void MainWindow::update_list_curve()
{
    _disconnect_list();
    show_list_window(list_first_step());
    draw_list_curve(k_columns);
    _init_list_connect();
    start_threads();
    close_wait_box();
}

void MainWindow::deal_list_next_button()
{
    if (!connected)
        return;
    _disconnect_list();
    const int first = list_first_step();
    if (first + k_columns - 1 < int(list_step_spin->value()))
        show_list_window(first + 1);
    draw_list_curve();
    _init_list_connect();
}

void MainWindow::deal_list_up_button()
{
    if (!connected)
        return;
    _disconnect_list();
    const int first = list_first_step();
    if (first > 1)
        show_list_window(first - 1);
    draw_list_curve();
    _init_list_connect();
}
