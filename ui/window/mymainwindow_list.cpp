// List panel: page set-up, the step table, the setting requests and their
// read-backs.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "ListPreviewWin.h"
#include "MyDoubleSpinBox.h"
#include "MySpinBox.h"
#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "uiPara.h"
#include "window_place.h"

#include <QColor>
#include <QDebug>
#include <QHeaderView>
#include <QTableWidget>
#include <QTableWidgetItem>

namespace {

enum list_column { col_step = 0, col_level = 1, col_width = 2, col_slew = 3 };

const int list_page = 3;

// LIST:MODE? words by list_mode index.
const char* const list_mode_words[] = {"CURRENT\n", "VOLTAGE\n", "RESISTANCE\n", "POWER\n"};

struct mode_layout_t {
    const char* header; // column 1 title
    bool om_enabled;    // the resistance range button
    bool slew_shown;    // column 3
};
const mode_layout_t mode_layouts[] = {
    {QT_TRANSLATE_NOOP("MyMainWindow", "Set(A)"), false, true},
    {QT_TRANSLATE_NOOP("MyMainWindow", "Set(V)"), false, false},
    {QT_TRANSLATE_NOOP("MyMainWindow", "Set(Ω)"), true, false},
    {QT_TRANSLATE_NOOP("MyMainWindow", "Set(W)"), false, false},
};

// Range read-backs: the low and high range words.
struct range_words_t {
    const char* low;
    const char* high;
};
const range_words_t current_range_words = {"5\n", "30\n"};
const range_words_t voltage_range_words = {"36\n", "150\n"};

// Largest level a list step may hold, by mode and ranges.
double level_maximum(int mode, int i_range, int v_range)
{
    switch (mode) {
    case 0: return i_range == 1 ? 30.0 : 5.0;
    case 1: return v_range == 1 ? 150.0 : 36.0;
    case 2: return 10000.0;
    case 3: return 300.0; // the largest rated power of the family
    default: return 10000.0;
    }
}

int range_index(const QString& reply, const range_words_t& words)
{
    if (reply == QLatin1String(words.low))
        return 0;
    if (reply == QLatin1String(words.high))
        return 1;
    return -1;
}

} // namespace

int MyMainWindow::list_table_rows() const
{
    return qBound(0, uiPara::instance()->get_list_step(), uiPara::list_entries);
}

// ---- page set-up

void MyMainWindow::init_List()
{
    show_config_page(ui->groupBox_Config_List);
    ui->label_C_Add->hide();
    ui->label_Ext->hide();
    ui->label_Ext_Set->hide();
    ui->pushButton_Short->setEnabled(false);
    ui->pushButton_Trig->setEnabled(true);
    update_state_vis(true, 3);

    uiPara* para = uiPara::instance();
    update_list_count(para->get_list_count());
    if (mode_page == list_page) {
        ui->spinBox_Step_List->setValue(para->get_list_step());
        init_list_change_ui();
    }
    update_list_mode(para->get_list_mode());
    update_list_i_range(para->get_list_i_range());
    update_list_v_range(para->get_list_v_range());
    ui->radioButton_om_List->setChecked(true);

    if (!is_connected)
        return;
    write_list.clear();
    query_list.clear();
    write_list << QStringLiteral("LIST:STAT:ON");
    query_list << QString();
    cfg_thread->add_request(13, write_list, query_list, QList<QWidget*>(), false, page_visit, false, QByteArray());
}

void MyMainWindow::init_List_Config_By_Mode(int mode)
{
    if (mode == 2)
        ui->radioButton_om_List->setEnabled(true);
    else if (mode == 0 || mode == 1 || mode == 3)
        ui->radioButton_om_List->setEnabled(false);
}

void MyMainWindow::disable_list_om_radio()
{
    ui->radioButton_om_List->setEnabled(false);
}

void MyMainWindow::on_radioButton_om_List_clicked()
{
    // The only resistance range: it stays chosen.
    ui->radioButton_om_List->setChecked(true);
}

// ---- the step table

void MyMainWindow::ensure_list_table()
{
    if (!list_table_built)
        init_list_table();
}

void MyMainWindow::init_list_table()
{
    list_table_built = true;
    // A lost link ends the command thread: nothing still waiting gets a reply.
    connect(cfg_thread, &QThread::finished, this, &MyMainWindow::reset_list_exchanges,
            Qt::UniqueConnection);
    const int rows = list_table_rows();
    ui->tableWidget_List->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        build_list_row(r);
    apply_list_level_limit();
}

void MyMainWindow::build_list_row(int row)
{
    QTableWidget* table = ui->tableWidget_List;
    auto* item = new QTableWidgetItem(QString::number(row + 1));
    item->setForeground(QColor(Qt::white));
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::NoItemFlags);
    table->setItem(row, col_step, item);

    struct cell_t {
        int column;
        double maximum; // < 0: the spin box's own
        double step;
        const char* slot;
    };
    const double level_max =
        level_maximum(uiPara::instance()->get_list_mode(), uiPara::instance()->get_list_i_range(),
                      uiPara::instance()->get_list_v_range());
    const cell_t cells[] = {
        {col_level, level_max, 1.0, SLOT(deal_set_doublespinbox())},
        {col_width, 9999.9, 1.0, SLOT(deal_time_doublespinbox())},
        {col_slew, 2.5, 0.1, SLOT(deal_slew_doublespinbox())},
    };
    for (const cell_t& c : cells) {
        auto* box = new MyDoubleSpinBox;
        box->setMinimum(0.0);
        box->setMaximum(c.maximum);
        box->setDecimals(3);
        box->setSingleStep(c.step);
        box->setAlignment(Qt::AlignCenter);
        // The narrow cells need all their room for the value.
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        table->setCellWidget(row, c.column, box);
        connect(box, SIGNAL(sigUpdateValue()), this, c.slot);
    }
}

void MyMainWindow::update_list_pad()
{
    if (!list_table_built) {
        init_list_table();
        return;
    }
    QTableWidget* table = ui->tableWidget_List;
    const int old_rows = table->rowCount();
    const int rows = list_table_rows();
    // Fewer rows drop the last ones with their cells.
    table->setRowCount(rows);
    for (int r = old_rows; r < rows; ++r)
        build_list_row(r);
}

void MyMainWindow::init_list_change_ui()
{
    const int n = ui->spinBox_Step_List->value();
    update_list_pad();
    QTableWidget* table = ui->tableWidget_List;
    uiPara* para = uiPara::instance();
    for (int r = 0; r < n && r < table->rowCount(); ++r) {
        if (auto* box = qobject_cast<QDoubleSpinBox*>(table->cellWidget(r, col_level)))
            box->setValue(para->get_list_set_by_index(r).toDouble());
        if (auto* box = qobject_cast<QDoubleSpinBox*>(table->cellWidget(r, col_width)))
            box->setValue(para->get_list_width_by_index(r).toDouble());
        if (auto* box = qobject_cast<QDoubleSpinBox*>(table->cellWidget(r, col_slew)))
            box->setValue(para->get_list_slew_by_index(r).toDouble());
    }
    if (is_connected)
        request_measure();
}

void MyMainWindow::init_list_ui()
{
    ensure_list_table();
    QTableWidget* table = ui->tableWidget_List;
    uiPara* para = uiPara::instance();
    const QString style = QStringLiteral("color:") + enabled_colour;
    const int rows = qMin(list_table_rows(), table->rowCount());
    for (int r = 0; r < rows; ++r) {
        const QString values[] = {para->get_list_set_by_index(r), para->get_list_width_by_index(r),
                                  para->get_list_slew_by_index(r)};
        for (int c = col_level; c <= col_slew; ++c) {
            auto* box = qobject_cast<QDoubleSpinBox*>(table->cellWidget(r, c));
            if (!box)
                continue;
            box->setStyleSheet(style);
            box->setEnabled(true);
            box->setValue(values[c - col_level].toDouble());
            if (c == col_slew)
                box->setSingleStep(0.1);
        }
    }
}

void MyMainWindow::deal_list_change_value(QString)
{
    init_list_change_ui();
}

void MyMainWindow::apply_list_level_limit()
{
    uiPara* para = uiPara::instance();
    const double maximum = level_maximum(para->get_list_mode(), para->get_list_i_range(), para->get_list_v_range());
    QTableWidget* table = ui->tableWidget_List;
    for (int r = 0; r < table->rowCount(); ++r) {
        if (auto* box = qobject_cast<QDoubleSpinBox*>(table->cellWidget(r, col_level)))
            box->setMaximum(maximum);
    }
}

// ---- requests

void MyMainWindow::post_list_setting(int op, const QString& command, const QString& query, QWidget* source)
{
    if (!is_connected)
        return;
    // The setting first, then the input state and the read-back.
    const QList<QString> writes = {command, QString(), QString()};
    const QList<QString> queries = {QString(), QStringLiteral("INP?"), query};
    cfg_thread->add_request(op, writes, queries, {load_switch, source}, false, 0, false, QByteArray());
}

void MyMainWindow::post_list_value(int op, const QString& command, const QString& query, QWidget* source)
{
    if (!is_connected)
        return;
    // The input state first, then the setting with its read-back.
    const QList<QString> writes = {QString(), command};
    const QList<QString> queries = {QStringLiteral("INP?"), query};
    cfg_thread->add_request(op, writes, queries, {load_switch, source}, false, 0, false, QByteArray());
}

void MyMainWindow::on_radioButton_CC_List_clicked()
{
    disable_list_om_radio();
    post_list_setting(75, QStringLiteral("LIST:MODE CURR"), QStringLiteral("LIST:MODE?"), ui->radioButton_CC_List);
}

void MyMainWindow::on_radioButton_CV_List_clicked()
{
    init_List_Config_By_Mode(1);
    post_list_setting(75, QStringLiteral("LIST:MODE VOLT"), QStringLiteral("LIST:MODE?"), ui->radioButton_CV_List);
}

void MyMainWindow::on_radioButton_CR_List_clicked()
{
    init_List_Config_By_Mode(2);
    post_list_setting(75, QStringLiteral("LIST:MODE RES"), QStringLiteral("LIST:MODE?"), ui->radioButton_CR_List);
}

void MyMainWindow::on_radioButton_CP_List_clicked()
{
    init_List_Config_By_Mode(3);
    post_list_setting(75, QStringLiteral("LIST:MODE POW"), QStringLiteral("LIST:MODE?"), ui->radioButton_CP_List);
}

void MyMainWindow::on_radioButton_5A_List_clicked()
{
    post_list_setting(76, QStringLiteral("LIST:IRANG 5"), QStringLiteral("LIST:IRANG?"), ui->radioButton_5A_List);
}

void MyMainWindow::on_radioButton_30A_List_clicked()
{
    post_list_setting(76, QStringLiteral("LIST:IRANG 30"), QStringLiteral("LIST:IRANG?"), ui->radioButton_30A_List);
}

void MyMainWindow::on_radioButton_36V_List_clicked()
{
    post_list_setting(77, QStringLiteral("LIST:VRANG 36"), QStringLiteral("LIST:VRANG?"), ui->radioButton_36V_List);
}

void MyMainWindow::on_radioButton_150V_List_clicked()
{
    post_list_setting(77, QStringLiteral("LIST:VRANG 150"), QStringLiteral("LIST:VRANG?"), ui->radioButton_150V_List);
}

void MyMainWindow::on_spinBox_Step_List_sigUpdateValue()
{
    const int n = qMin(ui->spinBox_Step_List->value(), 255);
    post_list_value(78, QStringLiteral("LIST:STEP ") + QString::number(n), QStringLiteral("LIST:STEP?"),
                    ui->spinBox_Step_List);
}

void MyMainWindow::on_spinBox_Count_List_sigUpdateValue()
{
    const int n = qMin(ui->spinBox_Count_List->value(), 255);
    post_list_value(79, QStringLiteral("LIST:COUN ") + QString::number(n), QStringLiteral("LIST:COUN?"),
                    ui->spinBox_Count_List);
}

void MyMainWindow::post_list_cell(int op, int column, const char* command, const char* query)
{
    if (!is_connected)
        return;
    QTableWidget* table = ui->tableWidget_List;
    const QObject* cell = sender();
    const int rows = qMin(list_table_rows(), table->rowCount());
    int row = -1;
    for (int r = 0; r < rows; ++r) {
        if (table->cellWidget(r, column) == cell) {
            row = r;
            break;
        }
    }
    if (row < 0)
        return;
    const auto* box = qobject_cast<const QDoubleSpinBox*>(cell);
    const QTableWidgetItem* item = table->item(row, col_step);
    bool ok = false;
    const int step = item ? item->text().toInt(&ok) : 0;
    if (!box || !ok || step < 1 || step > uiPara::list_entries)
        return;
    const QString s = QString::number(step);
    const QList<QString> writes = {QString(),
                                   QLatin1String(command) + s + QLatin1Char(',') + QString::number(box->value(), 'g', 6)};
    const QList<QString> queries = {QStringLiteral("INP?"), QLatin1String(query) + s};
    // The reply finds its step by this record, not by the table, which may
    // change meanwhile; a refused post gets no reply.
    if (cfg_thread->add_request(op, writes, queries, QList<QWidget*>(), false, 0, false, QByteArray()))
        list_pending_edits.append(list_edit_t{op, step});
}

void MyMainWindow::deal_set_doublespinbox()
{
    post_list_cell(72, col_level, "LIST:LEV ", "LIST:LEV? ");
}

void MyMainWindow::deal_time_doublespinbox()
{
    post_list_cell(73, col_width, "LIST:WID ", "LIST:WID? ");
}

void MyMainWindow::deal_slew_doublespinbox()
{
    post_list_cell(74, col_slew, "LIST:SLEW ", "LIST:SLEW? ");
}

// ---- replies

void MyMainWindow::deal_list_operating_button(int op, QList<QString> value, QList<QWidget*>)
{
    using plain_handler = void (MyMainWindow::*)(QList<QString>);
    using step_handler = void (MyMainWindow::*)(QList<QString>, int);
    struct route_t {
        int op;
        plain_handler plain;
        step_handler step;
    };
    static const route_t routes[] = {
        {72, nullptr, &MyMainWindow::deal_list_set_operating_button},
        {73, nullptr, &MyMainWindow::deal_list_time_operating_button},
        {74, nullptr, &MyMainWindow::deal_list_slo_operating_button},
        {75, &MyMainWindow::deal_list_func_operating_button, nullptr},
        {76, &MyMainWindow::deal_list_irange_operating_button, nullptr},
        {77, &MyMainWindow::deal_list_vrange_operating_button, nullptr},
        {78, &MyMainWindow::deal_list_step_operating_button, nullptr},
        {79, &MyMainWindow::deal_list_count_operating_button, nullptr},
    };
    for (const route_t& r : routes) {
        if (r.op != op)
            continue;
        if (r.plain) {
            (this->*r.plain)(value);
            return;
        }
        // Step edits are answered in the order they were posted.
        if (list_pending_edits.isEmpty() || list_pending_edits.first().op != op) {
            qDebug() << "MyMainWindow::deal_list_operating_button: no step edit waits for operation" << op;
            list_pending_edits.clear();
            if (is_connected)
                request_measure();
            return;
        }
        const int step = list_pending_edits.takeFirst().step;
        (this->*r.step)(value, step);
        return;
    }
}

void MyMainWindow::finish_list_reply(const QList<QString>& value, int order)
{
    const bool input_on = value.value(0) == QLatin1String("1\n");
    // The poll runs on while the warning is open.
    if (order != list_warn_then_poll || !input_on)
        request_measure();
    if (!input_on)
        return;
    show_warning(msg_turn_off_load);
    if (order != list_poll_then_warn)
        request_measure();
}

namespace {
bool list_reply_ok(const QList<QString>& value, const char* where)
{
    if (value.size() >= 2)
        return true;
    qDebug() << "MyMainWindow::" << where << ": short reply" << value;
    return false;
}
} // namespace

void MyMainWindow::deal_list_set_operating_button(QList<QString> value, int step)
{
    if (!list_reply_ok(value, "deal_list_set_operating_button"))
        return request_measure();
    uiPara::instance()->set_list_set_by_index(value.at(1), step - 1);
    finish_list_reply(value, list_poll_warn_poll);
}

void MyMainWindow::deal_list_time_operating_button(QList<QString> value, int step)
{
    if (!list_reply_ok(value, "deal_list_time_operating_button"))
        return request_measure();
    uiPara::instance()->set_list_width_by_index(value.at(1), step - 1);
    finish_list_reply(value, list_poll_warn_poll);
}

void MyMainWindow::deal_list_slo_operating_button(QList<QString> value, int step)
{
    if (!list_reply_ok(value, "deal_list_slo_operating_button"))
        return request_measure();
    uiPara::instance()->set_list_slew_by_index(value.at(1), step - 1);
    finish_list_reply(value, list_poll_warn_poll);
}

void MyMainWindow::deal_list_func_operating_button(QList<QString> value)
{
    if (!list_reply_ok(value, "deal_list_func_operating_button"))
        return request_measure();
    for (int m = 0; m < 4; ++m) {
        if (value.at(1) == QLatin1String(list_mode_words[m])) {
            uiPara::instance()->set_list_mode(m);
            break;
        }
    }
    finish_list_reply(value, list_poll_then_warn);
}

void MyMainWindow::deal_list_irange_operating_button(QList<QString> value)
{
    if (!list_reply_ok(value, "deal_list_irange_operating_button"))
        return request_measure();
    const int index = range_index(value.at(1), current_range_words);
    if (index >= 0)
        uiPara::instance()->set_list_i_range(index);
    finish_list_reply(value, list_warn_then_poll);
}

void MyMainWindow::deal_list_vrange_operating_button(QList<QString> value)
{
    if (!list_reply_ok(value, "deal_list_vrange_operating_button"))
        return request_measure();
    const int index = range_index(value.at(1), voltage_range_words);
    if (index >= 0)
        uiPara::instance()->set_list_v_range(index);
    finish_list_reply(value, list_warn_then_poll);
}

void MyMainWindow::deal_list_step_operating_button(QList<QString> value)
{
    if (!list_reply_ok(value, "deal_list_step_operating_button"))
        return request_measure();
    uiPara::instance()->set_list_step(value.at(1).toInt());
    finish_list_reply(value, list_poll_then_warn);
}

void MyMainWindow::deal_list_count_operating_button(QList<QString> value)
{
    if (!list_reply_ok(value, "deal_list_count_operating_button"))
        return request_measure();
    uiPara::instance()->set_list_count(value.at(1).toInt());
    finish_list_reply(value, list_poll_then_warn);
}

// ---- store -> page (List page only)

void MyMainWindow::update_list_step(int value)
{
    if (mode_page != list_page)
        return;
    ui->spinBox_Step_List->setValue(value);
    init_list_change_ui();
}

void MyMainWindow::update_list_count(int value)
{
    if (mode_page != list_page)
        return;
    ui->spinBox_Count_List->setValue(value);
    ui->label_infinite_List->setVisible(value == 0);
}

void MyMainWindow::update_list_mode(int value)
{
    if (mode_page != list_page || value < 0 || value > 3)
        return;
    QRadioButton* const buttons[] = {ui->radioButton_CC_List, ui->radioButton_CV_List, ui->radioButton_CR_List,
                                     ui->radioButton_CP_List};
    const mode_layout_t& layout = mode_layouts[value];
    buttons[value]->setChecked(true);
    ui->radioButton_om_List->setEnabled(layout.om_enabled);
    ui->tableWidget_List->setColumnHidden(col_slew, !layout.slew_shown);
    if (QTableWidgetItem* header = ui->tableWidget_List->horizontalHeaderItem(col_level))
        header->setText(tr(layout.header));
    apply_list_level_limit();
}

void MyMainWindow::update_list_i_range(int value)
{
    if (mode_page != list_page || value < 0 || value > 1)
        return;
    (value == 0 ? ui->radioButton_5A_List : ui->radioButton_30A_List)->setChecked(true);
    const double top = value == 0 ? 5.0 : 30.0;
    ui->doubleSpinBox_C_MAX->setRange(0.0, top);
    ui->doubleSpinBox_C_MIN->setRange(0.0, top);
    apply_list_level_limit();
}

void MyMainWindow::update_list_v_range(int value)
{
    if (mode_page != list_page || value < 0 || value > 1)
        return;
    (value == 0 ? ui->radioButton_36V_List : ui->radioButton_150V_List)->setChecked(true);
    const double top = value == 0 ? 36.0 : 150.0;
    ui->doubleSpinBox_V_MAX->setRange(0.0, top);
    ui->doubleSpinBox_V_MIN->setRange(0.0, top);
    apply_list_level_limit();
}

namespace {
void set_list_cell(QTableWidget* table, int row, int column, const QString& value)
{
    if (row < 0 || row >= table->rowCount())
        return;
    if (auto* box = qobject_cast<QDoubleSpinBox*>(table->cellWidget(row, column)))
        box->setValue(value.toDouble());
}
} // namespace

void MyMainWindow::update_list_set_by_index(QString value, int row)
{
    if (mode_page == list_page)
        set_list_cell(ui->tableWidget_List, row, col_level, value);
}

void MyMainWindow::update_list_width_by_index(QString value, int row)
{
    if (mode_page == list_page)
        set_list_cell(ui->tableWidget_List, row, col_width, value);
}

void MyMainWindow::update_list_slew_by_index(QString value, int row)
{
    if (mode_page == list_page)
        set_list_cell(ui->tableWidget_List, row, col_slew, value);
}

void MyMainWindow::update_list_set(QStringList)
{
    if (mode_page == list_page)
        init_list_change_ui();
}

void MyMainWindow::update_list_width(QStringList values)
{
    update_list_set(values);
}

void MyMainWindow::update_list_slew(QStringList values)
{
    update_list_set(values);
}

// ---- preview

void MyMainWindow::on_pushButton_Preview_List_clicked()
{
    if (!list_preview_win)
        list_preview_win = new ListPreviewWin(this);
    show_in_front(list_preview_win, this);
}
