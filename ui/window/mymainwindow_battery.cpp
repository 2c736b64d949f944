// Battery panel: the discharge mode, ranges, level and the three stop
// conditions of a battery discharge test.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "MyDoubleSpinBox.h"
#include "MySpinBox.h"
#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "uiPara.h"

#include <QDebug>

#include <cmath>

namespace {

const int battery_page = 2;
const int op_battery_entry = 8;
const int op_mode = 151;
const int op_irange = 152;
const int op_vrange = 153;
const int op_level = 154;
const int op_vstop_sw = 155;
const int op_cstop_sw = 156;
const int op_tstop_sw = 157;
const int op_vstop = 158;
const int op_cstop = 159;
const int op_tstop = 160;

// Store values of battery_mode and the layout codes that show them.
const int store_cc = 0, store_cp = 1, store_cr = 2;
const int layout_cc = 0, layout_cr = 2, layout_cp = 3;

// How the level row reads in each stored mode, and what its box can hold:
// the 30 A range, the rated power (at most 999 W by model number), the
// load's resistance span.
struct level_row_t {
    int store_mode;
    int layout_code;
    const char* word; // of "BATT:MODE"
    const char* name;
    const char* unit;
    double low, high;
    int decimals;
};
const level_row_t level_rows[] = {
    {store_cc, layout_cc, "CURR", QT_TRANSLATE_NOOP("MyMainWindow", "Current :"), "A", 0, 30, 3},
    {store_cp, layout_cp, "POW", QT_TRANSLATE_NOOP("MyMainWindow", "Power :"), "W", 0, 999.99, 2},
    {store_cr, layout_cr, "RES", QT_TRANSLATE_NOOP("MyMainWindow", "Resistance :"), "\u03a9", 0, 10000, 2},
};

const level_row_t* row_by_store(int mode)
{
    for (const level_row_t& r : level_rows)
        if (r.store_mode == mode)
            return &r;
    return nullptr;
}

const level_row_t* row_by_layout(int code)
{
    for (const level_row_t& r : level_rows)
        if (r.layout_code == code)
            return &r;
    return nullptr;
}

// Shows a mode: its radio button, the resistance range's state, the level
// row's name and unit, and the box's limits.
void show_battery_mode(MyMainWindow* w, const level_row_t& r)
{
    Ui_MyMainWindow* ui = w->ui;
    QRadioButton* radio = r.store_mode == store_cc   ? ui->radioButton_CC_Battery
                          : r.store_mode == store_cp ? ui->radioButton_CP_Battery
                                                     : ui->radioButton_CR_Battery;
    radio->setChecked(true);
    ui->radioButton_om_Battery->setEnabled(r.store_mode == store_cr);
    ui->label_ValueName_1_Battery->setText(MyMainWindow::tr(r.name));
    ui->label_unit_1_Battery->setText(QString::fromUtf8(r.unit));
    ui->doubleSpinBox_1_Battery->setDecimals(r.decimals);
    ui->doubleSpinBox_1_Battery->setRange(r.low, r.high);
}

// The integer boxes show a stored double with its fraction dropped.
int whole(double v)
{
    if (!std::isfinite(v) || v <= 0)
        return 0;
    return v >= 999999 ? 999999 : int(v);
}

QString switch_text(const QCheckBox* box)
{
    return box->checkState() == Qt::Unchecked ? QStringLiteral("0") : QStringLiteral("1");
}

} // namespace

// ---- page ----------------------------------------------------------------------

void MyMainWindow::init_Battery()
{
    show_config_page(ui->groupBox_Config_Battery);
    ui->label_C_Add->show();
    ui->label_Ext->hide();
    ui->label_Ext_Set->hide();
    ui->pushButton_Short->setEnabled(false);
    ui->pushButton_Trig->setEnabled(false);
    if (const level_row_t* r = row_by_store(uiPara::instance()->get_battery_mode()))
        init_Battery_Config_By_Mode(r->layout_code);
    ui->radioButton_om_Battery->setChecked(true);
    ui->label_C_Add->setText(tr("Cap_Add:") + QStringLiteral("0mAh"));
    update_state_vis(false, 3);
    if (!is_connected)
        return;
    write_list.clear();
    query_list.clear();
    write_list << QStringLiteral("BATT:FUNC") << QString();
    query_list << QString() << QStringLiteral("BATT:MODE?");
    cfg_thread->add_request(op_battery_entry, write_list, query_list, QList<QWidget*>(), false, page_visit, false,
                            QByteArray());
}

void MyMainWindow::init_Battery_Config_By_Mode(int layout_code)
{
    if (const level_row_t* r = row_by_layout(layout_code))
        show_battery_mode(this, *r);
    uiPara* para = uiPara::instance();
    if (mode_page == battery_page)
        ui->doubleSpinBox_1_Battery->setValue(para->get_battery_level());
    update_battery_i_range(para->get_battery_i_range());
    update_battery_v_range(para->get_battery_v_range());
    ui->radioButton_om_Battery->setChecked(true);
    if (mode_page != battery_page)
        return;
    // The stop voltage box holds the whole 150 V range.
    ui->doubleSpinBox_VS_Battery->setDecimals(3);
    ui->doubleSpinBox_VS_Battery->setRange(0, 150);
    set_battery_v_stop_ui(para->get_battery_v_stop_sw());
    set_battery_c_stop_ui(para->get_battery_c_stop_sw());
    set_battery_t_stop_ui(para->get_battery_t_stop_sw());
    ui->doubleSpinBox_VS_Battery->setValue(para->get_battery_v_stop());
    ui->spinBox_CS_Battery->setValue(whole(para->get_battery_c_stop()));
    ui->spinBox_TS_Battery->setValue(whole(para->get_battery_t_stop()));
}

// ---- requests ------------------------------------------------------------------

void MyMainWindow::post_battery(int op, const QList<QString>& writes, const QList<QString>& queries,
                                const QList<QWidget*>& widgets)
{
    cfg_thread->add_request(op, writes, queries, widgets, false, 0, false, QByteArray());
}

bool MyMainWindow::refuse_battery_change()
{
    if (!load_switch->getSelectedItem())
        return false;
    request_measure();
    show_warning(msg_turn_off_load);
    // The page is read back; its reply lays the page out again, undoing the
    // click, and ends the wait. Only the queries: selecting the battery
    // function again would end the discharge that is running.
    fill_cmd_list(op_battery_entry);
    const int select = write_list.indexOf(QStringLiteral("BATT:FUNC"));
    if (select >= 0 && query_list.value(select).isEmpty()) {
        write_list.removeAt(select);
        query_list.removeAt(select);
    }
    cfg_thread->add_request(op_battery_entry, write_list, query_list, QList<QWidget*>(), false, page_visit, false,
                            QByteArray());
    show_wait_prompt(tr("Battery"), tr("Please waiting for the Battery initing"), wait_t::battery);
    return true;
}

void MyMainWindow::send_battery_mode(int layout_code)
{
    if (!is_connected) {
        init_Battery_Config_By_Mode(layout_code);
        return;
    }
    if (refuse_battery_change())
        return;
    const level_row_t* r = row_by_layout(layout_code);
    if (!r)
        return;
    QRadioButton* radio = layout_code == layout_cc   ? ui->radioButton_CC_Battery
                          : layout_code == layout_cp ? ui->radioButton_CP_Battery
                                                     : ui->radioButton_CR_Battery;
    post_battery(op_mode, {QStringLiteral("BATT:MODE ") + QLatin1String(r->word)}, {QStringLiteral("BATT:MODE?")},
                 {radio});
}

void MyMainWindow::on_radioButton_CC_Battery_clicked() { send_battery_mode(layout_cc); }
void MyMainWindow::on_radioButton_CP_Battery_clicked() { send_battery_mode(layout_cp); }
void MyMainWindow::on_radioButton_CR_Battery_clicked() { send_battery_mode(layout_cr); }

void MyMainWindow::on_radioButton_om_Battery_clicked()
{
    // The only resistance range: nothing to choose.
    ui->radioButton_om_Battery->setChecked(true);
}

namespace {
struct battery_range_t {
    int op;
    const char* command;
    const char* query;
    QRadioButton* Ui_MyMainWindow::*button;
};
const battery_range_t range_cmds[] = {
    {op_irange, "BATT:IRANG 5", "BATT:IRANG?", &Ui_MyMainWindow::radioButton_5A_Battery},
    {op_irange, "BATT:IRANG 30", "BATT:IRANG?", &Ui_MyMainWindow::radioButton_30A_Battery},
    {op_vrange, "BATT:VRANG 36", "BATT:VRANG?", &Ui_MyMainWindow::radioButton_36V_Battery},
    {op_vrange, "BATT:VRANG 150", "BATT:VRANG?", &Ui_MyMainWindow::radioButton_150V_Battery},
};
} // namespace

void MyMainWindow::send_battery_range(int index)
{
    if (!is_connected || refuse_battery_change())
        return;
    const battery_range_t& r = range_cmds[index];
    // The load fits the level into the new range: read it back too.
    post_battery(r.op, {QLatin1String(r.command), QString()}, {QLatin1String(r.query), QStringLiteral("BATT:LEV?")},
                 {ui->*r.button, ui->doubleSpinBox_1_Battery});
}

void MyMainWindow::on_radioButton_5A_Battery_clicked() { send_battery_range(0); }
void MyMainWindow::on_radioButton_30A_Battery_clicked() { send_battery_range(1); }
void MyMainWindow::on_radioButton_36V_Battery_clicked() { send_battery_range(2); }
void MyMainWindow::on_radioButton_150V_Battery_clicked() { send_battery_range(3); }

void MyMainWindow::on_checkBox_V_Stop_clicked()
{
    if (!is_connected) {
        battery_v_stop_flag = ui->checkBox_V_Stop->checkState() != Qt::Unchecked;
        on_battery_v_stop_change();
        return;
    }
    if (refuse_battery_change())
        return;
    post_battery(op_vstop_sw, {QStringLiteral("BATT:VOLT:STAT ") + switch_text(ui->checkBox_V_Stop)},
                 {QStringLiteral("BATT:VOLT:STAT?")}, {ui->checkBox_V_Stop});
}

void MyMainWindow::on_checkBox_C_Stop_clicked()
{
    if (!is_connected) {
        battery_c_stop_flag = ui->checkBox_C_Stop->checkState() != Qt::Unchecked;
        on_battery_c_stop_change();
        return;
    }
    if (refuse_battery_change())
        return;
    post_battery(op_cstop_sw, {QStringLiteral("BATT:CAP:STAT ") + switch_text(ui->checkBox_C_Stop)},
                 {QStringLiteral("BATT:CAP:STAT?")}, {ui->checkBox_C_Stop});
}

void MyMainWindow::on_checkBox_T_Stop_clicked()
{
    if (!is_connected) {
        battery_t_stop_flag = ui->checkBox_T_Stop->checkState() != Qt::Unchecked;
        on_battery_t_stop_change();
        return;
    }
    if (refuse_battery_change())
        return;
    post_battery(op_tstop_sw, {QStringLiteral("BATT:TIM:STAT ") + switch_text(ui->checkBox_T_Stop)},
                 {QStringLiteral("BATT:TIM:STAT?")}, {ui->checkBox_T_Stop});
}

// Levels and stop values go out at any time, the input on or off.
void MyMainWindow::on_doubleSpinBox_1_Battery_sigUpdateValue()
{
    if (!is_connected)
        return;
    post_battery(op_level, {QStringLiteral("BATT:LEV ") + QString::number(ui->doubleSpinBox_1_Battery->value(), 'g', 6)},
                 {QStringLiteral("BATT:LEV?")}, {ui->doubleSpinBox_1_Battery});
}

void MyMainWindow::on_doubleSpinBox_VS_Battery_sigUpdateValue()
{
    if (!is_connected)
        return;
    post_battery(op_vstop,
                 {QStringLiteral("BATT:VOLT ") + QString::number(ui->doubleSpinBox_VS_Battery->value(), 'g', 6)},
                 {QStringLiteral("BATT:VOLT?")}, {ui->doubleSpinBox_VS_Battery});
}

void MyMainWindow::on_spinBox_CS_Battery_sigUpdateValue()
{
    if (!is_connected)
        return;
    post_battery(op_cstop, {QStringLiteral("BATT:CAP ") + QString::number(ui->spinBox_CS_Battery->value())},
                 {QStringLiteral("BATT:CAP?")}, {ui->spinBox_CS_Battery});
}

void MyMainWindow::on_spinBox_TS_Battery_sigUpdateValue()
{
    if (!is_connected)
        return;
    post_battery(op_tstop, {QStringLiteral("BATT:TIM ") + QString::number(ui->spinBox_TS_Battery->value())},
                 {QStringLiteral("BATT:TIM?")}, {ui->spinBox_TS_Battery});
}

// ---- stop widgets --------------------------------------------------------------

void MyMainWindow::set_battery_v_stop_ui(bool on)
{
    ui->checkBox_V_Stop->setChecked(on);
    battery_v_stop_flag = on;
    on_battery_v_stop_change();
}

void MyMainWindow::set_battery_c_stop_ui(bool on)
{
    ui->checkBox_C_Stop->setChecked(on);
    battery_c_stop_flag = on;
    on_battery_c_stop_change();
}

void MyMainWindow::set_battery_t_stop_ui(bool on)
{
    ui->checkBox_T_Stop->setChecked(on);
    battery_t_stop_flag = on;
    on_battery_t_stop_change();
}

void MyMainWindow::on_battery_v_stop_change()
{
    set_items_color_2(nullptr, ui->doubleSpinBox_VS_Battery, ui->label_unit_V_Battery, battery_v_stop_flag);
}

void MyMainWindow::on_battery_c_stop_change()
{
    set_items_color(nullptr, ui->spinBox_CS_Battery, ui->label_unit_A_Battery, battery_c_stop_flag);
}

void MyMainWindow::on_battery_t_stop_change()
{
    set_items_color(nullptr, ui->spinBox_TS_Battery, ui->label_unit_T_Battery, battery_t_stop_flag);
}

// ---- replies -------------------------------------------------------------------

namespace {
// Replies must hold at least `count` entries; a short list is ignored.
bool enough(const QList<QString>& value, int count, const char* where)
{
    if (value.size() >= count)
        return true;
    qDebug().noquote() << QStringLiteral("MyMainWindow::%1: expected %2 replies, got %3")
                              .arg(QLatin1String(where))
                              .arg(count)
                              .arg(value.size());
    return false;
}

// "1\n" on, "0\n" off; -1 for any other text.
int switch_reply(const QString& text)
{
    if (text == QLatin1String("1\n"))
        return 1;
    if (text == QLatin1String("0\n"))
        return 0;
    return -1;
}
} // namespace

void MyMainWindow::deal_battery_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets)
{
    using handler_t = void (MyMainWindow::*)(QList<QString>, QList<QWidget*>);
    static const handler_t handlers[] = {
        &MyMainWindow::deal_battery_func_operating_button,     // 151
        &MyMainWindow::deal_battery_irange_operating_button,   // 152
        &MyMainWindow::deal_battery_vrange_operating_button,   // 153
        &MyMainWindow::deal_battery_para_operating_button,     // 154
        &MyMainWindow::deal_battery_vstop_operating_button,    // 155
        &MyMainWindow::deal_battery_cstop_operating_button,    // 156
        &MyMainWindow::deal_battery_tstop_operating_button,    // 157
        &MyMainWindow::deal_battery_vstop_t_operating_button,  // 158
        &MyMainWindow::deal_battery_cstop_t_operating_button,  // 159
        &MyMainWindow::deal_battery_tstop_t_operating_button,  // 160
    };
    if (op < op_mode || op > op_tstop)
        return;
    // Taken out of the table before the call: GCC's bounds sanitizer checks a
    // call through an indexed member-pointer table with an index it never set.
    const handler_t handler = handlers[op - op_mode];
    (this->*handler)(replies, widgets);
}

void MyMainWindow::deal_battery_func_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 1, "deal_battery_func_operating_button")) {
        const QString& word = value.at(0);
        if (word == QLatin1String("CURRENT\n"))
            uiPara::instance()->set_battery_mode(store_cc);
        else if (word == QLatin1String("POWER\n"))
            uiPara::instance()->set_battery_mode(store_cp);
        else if (word == QLatin1String("RESISTANCE\n"))
            uiPara::instance()->set_battery_mode(store_cr);
    }
    request_measure();
}

void MyMainWindow::deal_battery_irange_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 2, "deal_battery_irange_operating_button")) {
        uiPara* para = uiPara::instance();
        if (value.at(0) == QLatin1String("5\n"))
            para->set_battery_i_range(0);
        else if (value.at(0) == QLatin1String("30\n"))
            para->set_battery_i_range(1);
        para->set_battery_level(value.at(1).toDouble());
    }
    request_measure();
}

void MyMainWindow::deal_battery_vrange_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 2, "deal_battery_vrange_operating_button")) {
        uiPara* para = uiPara::instance();
        if (value.at(0) == QLatin1String("36\n"))
            para->set_battery_v_range(0);
        else if (value.at(0) == QLatin1String("150\n"))
            para->set_battery_v_range(1);
        para->set_battery_level(value.at(1).toDouble());
    }
    request_measure();
}

void MyMainWindow::deal_battery_para_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 1, "deal_battery_para_operating_button"))
        uiPara::instance()->set_battery_level(value.at(0).toDouble());
    request_measure();
}

void MyMainWindow::deal_battery_vstop_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 1, "deal_battery_vstop_operating_button")) {
        const int on = switch_reply(value.at(0));
        if (on >= 0)
            uiPara::instance()->set_battery_v_stop_sw(on == 1);
    }
    request_measure();
}

void MyMainWindow::deal_battery_cstop_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 1, "deal_battery_cstop_operating_button")) {
        const int on = switch_reply(value.at(0));
        if (on >= 0)
            uiPara::instance()->set_battery_c_stop_sw(on == 1);
    }
    request_measure();
}

void MyMainWindow::deal_battery_tstop_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 1, "deal_battery_tstop_operating_button")) {
        const int on = switch_reply(value.at(0));
        if (on >= 0)
            uiPara::instance()->set_battery_t_stop_sw(on == 1);
    }
    request_measure();
}

void MyMainWindow::deal_battery_vstop_t_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 1, "deal_battery_vstop_t_operating_button"))
        uiPara::instance()->set_battery_v_stop(value.at(0).toDouble());
    request_measure();
}

void MyMainWindow::deal_battery_cstop_t_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 1, "deal_battery_cstop_t_operating_button"))
        uiPara::instance()->set_battery_c_stop(value.at(0).toDouble());
    request_measure();
}

void MyMainWindow::deal_battery_tstop_t_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (enough(value, 1, "deal_battery_tstop_t_operating_button"))
        uiPara::instance()->set_battery_t_stop(value.at(0).toDouble());
    request_measure();
}

// ---- display -------------------------------------------------------------------

void MyMainWindow::update_battery_mode(int value)
{
    if (mode_page != battery_page)
        return;
    if (const level_row_t* r = row_by_store(value))
        show_battery_mode(this, *r);
}

void MyMainWindow::update_battery_i_range(int value)
{
    if (mode_page != battery_page || (value != 0 && value != 1))
        return;
    (value == 0 ? ui->radioButton_5A_Battery : ui->radioButton_30A_Battery)->setChecked(true);
    const double top = value == 0 ? 5 : 30;
    ui->doubleSpinBox_C_MAX->setRange(0, top);
    ui->doubleSpinBox_C_MIN->setRange(0, top);
}

void MyMainWindow::update_battery_v_range(int value)
{
    if (mode_page != battery_page || (value != 0 && value != 1))
        return;
    (value == 0 ? ui->radioButton_36V_Battery : ui->radioButton_150V_Battery)->setChecked(true);
    const double top = value == 0 ? 36 : 150;
    ui->doubleSpinBox_V_MAX->setRange(0, top);
    ui->doubleSpinBox_V_MIN->setRange(0, top);
}

void MyMainWindow::update_battery_value(double value)
{
    if (mode_page == battery_page)
        ui->doubleSpinBox_1_Battery->setValue(value);
}

void MyMainWindow::update_battery_VS_sw(bool on)
{
    if (mode_page == battery_page)
        set_battery_v_stop_ui(on);
}

void MyMainWindow::update_battery_CS_sw(bool on)
{
    if (mode_page == battery_page)
        set_battery_c_stop_ui(on);
}

void MyMainWindow::update_battery_TS_sw(bool on)
{
    if (mode_page == battery_page)
        set_battery_t_stop_ui(on);
}

void MyMainWindow::update_battery_VS_value(double value)
{
    if (mode_page == battery_page)
        ui->doubleSpinBox_VS_Battery->setValue(value);
}

void MyMainWindow::update_battery_CS_value(double value)
{
    if (mode_page == battery_page)
        ui->spinBox_CS_Battery->setValue(whole(value));
}

void MyMainWindow::update_battery_TS_value(double value)
{
    if (mode_page == battery_page)
        ui->spinBox_TS_Battery->setValue(whole(value));
}

// ---- discharge time ------------------------------------------------------------

QString MyMainWindow::seconds_to_hms(double seconds)
{
    // A reply that is no sensible time (negative, not a number, beyond any
    // discharge) must not overflow the conversion.
    const double limit = 1e15;
    qint64 n = 0;
    if (std::isfinite(seconds) && seconds > 0)
        n = seconds >= limit ? qint64(limit) : qint64(seconds);
    const qint64 h = n / 3600;
    const qint64 m = (n % 3600) / 60;
    const qint64 s = n % 3600 % 60;
    auto part = [](qint64 v) { return (v <= 9 ? QStringLiteral("0") : QString()) + QString::number(v); };
    return part(h) + QLatin1Char(':') + part(m) + QLatin1Char(':') + part(s);
}
