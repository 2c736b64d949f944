// External-control panel: the external input sets the current (EXTI) or the
// voltage (EXTV), with its current and voltage range.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "uiPara.h"

#include <QDebug>

namespace {

const int ext_page = 5;
const int op_ext_entry = 23;
const int op_ext_mode = 168;
const int op_ext_irange = 171;
const int op_ext_vrange = 172;
const int code_exti = 24;
const int code_extv = 25;
// Store values of ext_mode.
const int store_exti = 1;
const int store_extv = 2;

} // namespace

void MyMainWindow::init_Ext()
{
    show_config_page(ui->groupBox_Config_Ext);
    ui->label_C_Add->hide();
    ui->label_Ext->show();
    ui->label_Ext_Set->show();
    ui->pushButton_Short->setEnabled(false);
    ui->pushButton_Trig->setEnabled(false);
    update_state_vis(false, 3);

    write_list.clear();
    query_list.clear();
    if (ext_mode_code == code_exti) {
        write_list << QStringLiteral("EXT:MODE EXTI") << QString();
        update_ext_mode(store_exti);
    } else if (ext_mode_code == code_extv) {
        write_list << QStringLiteral("EXT:MODE EXTV") << QString();
        update_ext_mode(store_extv);
    }
    uiPara* para = uiPara::instance();
    update_ext_i_range(para->get_ext_i_range());
    update_ext_v_range(para->get_ext_v_range());
    if (!is_connected || write_list.isEmpty())
        return;
    ocp_test_state = 0;
    opp_test_state = 0;
    battery_start_state = 0;
    query_list << QString() << QStringLiteral("EXT:MODE?");
    cfg_thread->add_request(op_ext_entry, write_list, query_list, QList<QWidget*>(), false, page_visit, false,
                            QByteArray());
}

void MyMainWindow::post_ext_mode(const QString& word, QWidget* button)
{
    // Sent whatever the connection state: the command thread only serves
    // posts while it runs.
    cfg_thread->add_request(op_ext_mode, {QStringLiteral("EXT:MODE ") + word, QString(), QString()},
                            {QStringLiteral("EXT:MODE?"), QStringLiteral("FUNC:MODE?"), QStringLiteral("FUNC?")},
                            {button}, false, 0, false, QByteArray());
}

void MyMainWindow::on_radioButton_CC_Ext_clicked()
{
    post_ext_mode(QStringLiteral("EXTI"), ui->radioButton_CC_Ext);
}

void MyMainWindow::on_radioButton_CV_Ext_clicked()
{
    post_ext_mode(QStringLiteral("EXTV"), ui->radioButton_CV_Ext);
}

void MyMainWindow::post_ext_range(int op, const QString& command, const QString& query, QWidget* button)
{
    if (!is_connected)
        return;
    cfg_thread->add_request(op, {command}, {query}, {button}, false, 0, false, QByteArray());
}

void MyMainWindow::on_radioButton_5A_Ext_clicked()
{
    post_ext_range(op_ext_irange, QStringLiteral("EXT:IRANG 5"), QStringLiteral("EXT:IRANG?"), ui->radioButton_5A_Ext);
}

void MyMainWindow::on_radioButton_30A_Ext_clicked()
{
    post_ext_range(op_ext_irange, QStringLiteral("EXT:IRANG 30"), QStringLiteral("EXT:IRANG?"),
                   ui->radioButton_30A_Ext);
}

void MyMainWindow::on_radioButton_36V_Ext_clicked()
{
    post_ext_range(op_ext_vrange, QStringLiteral("EXT:VRANG 36"), QStringLiteral("EXT:VRANG?"),
                   ui->radioButton_36V_Ext);
}

void MyMainWindow::on_radioButton_150V_Ext_clicked()
{
    post_ext_range(op_ext_vrange, QStringLiteral("EXT:VRANG 150"), QStringLiteral("EXT:VRANG?"),
                   ui->radioButton_150V_Ext);
}

// ---- replies -------------------------------------------------------------------

void MyMainWindow::deal_ext_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets)
{
    switch (op) {
    case op_ext_mode:
        deal_cfg_extc_operating_button(replies, widgets);
        break;
    case op_ext_irange:
        deal_cfg_irange_operating_button(replies, widgets);
        break;
    case op_ext_vrange:
        deal_cfg_vrange_operating_button(replies, widgets);
        break;
    default:
        break;
    }
}

void MyMainWindow::deal_cfg_extc_operating_button(QList<QString> value, QList<QWidget*>)
{
    if (value.isEmpty()) {
        qDebug() << "MyMainWindow::deal_cfg_extc_operating_button: no reply";
    } else if (value.at(0) == QLatin1String("EXTI\n")) {
        uiPara::instance()->set_ext_mode(store_exti);
        func_code = code_exti;
    } else if (value.at(0) == QLatin1String("EXTV\n")) {
        uiPara::instance()->set_ext_mode(store_extv);
        func_code = code_extv;
    }
    request_measure();
}

void MyMainWindow::deal_cfg_irange_operating_button(QList<QString> value, QList<QWidget*>)
{
    const bool input_on = load_switch->getSelectedItem();
    if (value.isEmpty())
        qDebug() << "MyMainWindow::deal_cfg_irange_operating_button: no reply";
    else if (value.at(0) == QLatin1String("5\n"))
        uiPara::instance()->set_ext_i_range(0);
    else if (value.at(0) == QLatin1String("30\n"))
        uiPara::instance()->set_ext_i_range(1);
    if (input_on)
        show_warning(msg_turn_off_load);
    request_measure();
}

void MyMainWindow::deal_cfg_vrange_operating_button(QList<QString> value, QList<QWidget*>)
{
    const bool input_on = load_switch->getSelectedItem();
    if (value.isEmpty())
        qDebug() << "MyMainWindow::deal_cfg_vrange_operating_button: no reply";
    else if (value.at(0) == QLatin1String("36\n"))
        uiPara::instance()->set_ext_v_range(0);
    else if (value.at(0) == QLatin1String("150\n"))
        uiPara::instance()->set_ext_v_range(1);
    if (input_on)
        show_warning(msg_turn_off_load);
    request_measure();
}

// ---- display -------------------------------------------------------------------

void MyMainWindow::update_ext_mode(int value)
{
    if (mode_page != ext_page)
        return;
    // The poll's texts (mymainwindow_reply.cpp), before its first reading.
    if (value == store_exti) {
        ui->radioButton_CC_Ext->setChecked(true);
        ext_mode_code = code_exti;
        ui->label_Ext->setText(tr("V_EXT : ") + QStringLiteral("0.000V"));
        ui->label_Ext_Set->setText(tr("I_set : ") + QStringLiteral("0.000A"));
    } else if (value == store_extv) {
        ui->radioButton_CV_Ext->setChecked(true);
        ext_mode_code = code_extv;
        ui->label_Ext->setText(tr("V_EXT : ") + QStringLiteral("0.000V"));
        ui->label_Ext_Set->setText(tr("V_set : ") + QStringLiteral("0.000V"));
    }
}

void MyMainWindow::update_ext_i_range(int value)
{
    if (mode_page != ext_page)
        return;
    if (value == 0)
        ui->radioButton_5A_Ext->setChecked(true);
    else if (value == 1)
        ui->radioButton_30A_Ext->setChecked(true);
}

void MyMainWindow::update_ext_v_range(int value)
{
    if (mode_page != ext_page)
        return;
    if (value == 0)
        ui->radioButton_36V_Ext->setChecked(true);
    else if (value == 1)
        ui->radioButton_150V_Ext->setChecked(true);
}
