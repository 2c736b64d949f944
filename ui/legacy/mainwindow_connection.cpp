// Connecting: the scan, the "Connect Dialog" with its USB and VXI11
// choices, the USB device table, the IP address window, the start of the
// connect thread, the read-back after a connection and the status tick
// that notices a lost load.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "BaseWindow.h"
#include "Get_configure_value.h"
#include "Get_data_thread.h"
#include "MyTitleBar.h"
#include "Send_data_thread.h"
#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_radiobutton.h"
#include "ip_address_dialog.h"
#include "ui_ipline_widget_t.h"
#include "visa_session.h"
#include "window_place.h"

#include <QDebug>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

namespace {

const int k_usb_rows = 6;

} // namespace

void MainWindow::on_connect_device_clicked()
{
    device_list = scpi.get_device_list(&g_visa_session);
    connect_dialog();
}

void MainWindow::connect_dialog()
{
    if (connect_dialog_open)
        return;
    BaseWindow* window = new BaseWindow;
    connect_dialog_window = window;
    window->title_bar()->set_title_content(QStringLiteral("Connect Dialog"), 9);
    window->installEventFilter(this);
    window->setWindowModality(Qt::ApplicationModal);
    keep_in_front_of(window, this);
    window->resize(300, 300);
    window->setAttribute(Qt::WA_DeleteOnClose);
    usb_button = new QPushButton(QStringLiteral("USB"), window);
    vxi11_button = new QPushButton(QStringLiteral("VXI11"), window);
    usb_button->setObjectName(QStringLiteral("fixed_button"));
    vxi11_button->setObjectName(QStringLiteral("fixed_button"));
    usb_button->setGeometry(50, 50, 200, 80);
    vxi11_button->setGeometry(50, 170, 200, 80);
    window->show();
    connect_dialog_open = true;
    connect(usb_button, SIGNAL(clicked(bool)), this, SLOT(deal_usb_button()));
    connect(vxi11_button, SIGNAL(clicked(bool)), this, SLOT(deal_vxi11_button()));
}

void MainWindow::deal_usb_button()
{
    if (connect_dialog_window)
        connect_dialog_window->close();
    connect_dialog_open = false;
    for (const QString& r : device_list) {
        if (r.contains(QLatin1String("USB")))
            usb_resources << r;
    }
    BaseWindow* window = new BaseWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    usb_dialog_window = window;
    window->title_bar()->set_title_content(QStringLiteral("USB Connect Dialog"), 9);
    usb_table = new QTableWidget(window);
    window->setWindowModality(Qt::ApplicationModal);
    keep_in_front_of(window, this);
    window->installEventFilter(this);
    usb_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    usb_table->setObjectName(QStringLiteral("connect_tablewidget"));
    usb_table->setWindowTitle(QStringLiteral("Connect_device"));
    usb_table->setGeometry(0, 30, 420, 250);
    usb_table->setColumnCount(2);
    // the number as narrow as it goes, the resource names get the rest
    usb_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    usb_table->setRowCount(k_usb_rows);
    usb_table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("number")));
    usb_table->setItem(0, 1, new QTableWidgetItem(QStringLiteral("device name")));
    usb_table->horizontalHeader()->hide();
    usb_table->verticalHeader()->hide();
    usb_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (usb_resources.isEmpty()) {
        show_warning(QStringLiteral("There's no  device"));
        window->close();
        return;
    }
    for (int i = 1; i <= usb_resources.size() && i < k_usb_rows; ++i) {
        usb_table->setItem(i, 0, new QTableWidgetItem(QString::number(i)));
        QPushButton* button = new QPushButton(usb_resources.at(i - 1));
        button->setObjectName(QStringLiteral("fixed_button"));
        usb_table->setCellWidget(i, 1, button);
        connect(button, SIGNAL(clicked(bool)), this, SLOT(deal_device_button()));
    }
    window->show();
}

void MainWindow::deal_device_button()
{
    QObject* pressed = sender();
    for (int row = 1; row < usb_table->rowCount(); ++row) {
        if (usb_table->cellWidget(row, 1) != pressed || row - 1 >= usb_resources.size())
            continue;
        current_resource = usb_resources.at(row - 1);
        if (usb_dialog_window)
            usb_dialog_window->close();
        start_connect(current_resource, QStringLiteral(":/resource/usb.jpg"));
        return;
    }
}

void MainWindow::deal_vxi11_button()
{
    if (connect_dialog_window)
        connect_dialog_window->close();
    ip_window = new ip_address_dialog;
    ip_window->setAttribute(Qt::WA_DeleteOnClose);
    ip_line = new ui_ipline_widget_t(ip_window);
    ip_window->ip_line = ip_line;
    ip_line->setGeometry(30, 100, 250, 50);
    if (last_ip_sections.size() == 4)
        ip_line->set_value(QStringList(last_ip_sections));
    else
        qDebug() << "older window: no address confirmed yet";
    ip_ok_button = new QPushButton(QStringLiteral("OK"), ip_window);
    ip_ok_button->setObjectName(QStringLiteral("fixed_button"));
    ip_ok_button->setGeometry(250, 250, 40, 40);
    connect(ip_ok_button, SIGNAL(clicked(bool)), this, SLOT(deal_ok_signal()));
    ip_window->title_bar()->set_title_content(QStringLiteral("IP address"), 9);
    ip_window->setWindowModality(Qt::ApplicationModal);
    keep_in_front_of(ip_window, this);
    ip_window->setWindowTitle(QStringLiteral("IP address"));
    // the theme's darker grey: white on plain grey reads too faintly
    ip_window->setStyleSheet(QStringLiteral("background-color: rgb(80, 80, 80);color: white;"));
    ip_window->show();
}

void MainWindow::deal_ok_signal()
{
    if (!ip_line)
        return;
    const QString resource = ip_line->get_visa_resource();
    last_ip_sections = ip_line->get_value();
    if (ip_window)
        ip_window->close();
    ip_window = nullptr;
    ip_line = nullptr;
    start_connect(resource, QStringLiteral(":/resource/vxi.jpg"));
}

// The old session ends whole (the command thread stopped and waited for
// before the close) and only then does the connect thread open the new one.
void MainWindow::start_connect(const QString& resource, const QString& picture)
{
    close_wait_box();
    stop_threads();
    cfg_thread->close_session();
    status_timer->stop();
    connected = false;
    load_lost_shown = false;
    drop_block_exchanges();
    const std::string text = resource.toUtf8().toStdString();
    configure_thread->resource = text;
    cfg_thread->set_resource(text);
    configure_thread->request_code = Get_configure_value::code_connect;
    configure_thread->start();
    QLabel* label = ui->usb_vxi_label;
    label->setPixmap(QPixmap(picture).scaled(label->size(), Qt::KeepAspectRatio, Qt::FastTransformation));
    label->setScaledContents(true);
}

void MainWindow::_init_ui()
{
    record_radio->set_checked(1);
    time_combo->set_current_index(0);
    window_points = 150;
    install_time_scale();
    deal_display_clear_button();
    fill_cmd_list(31);
    // a thread still winding down from an earlier session ends first
    if (cfg_thread->isRunning())
        cfg_thread->stop_and_wait();
    post(31, true, 1);
    cfg_thread->start();
}

void MainWindow::device_status()
{
    // A settings transfer that has just ended restarts the command thread
    // when its box closes: until then the link is not lost. Nor while the
    // last replies of a command thread that has just ended are on their way.
    const bool transfer = file_wait_box && file_wait_box->isVisible();
    const bool running =
        cfg_thread->carries_replies() || send_data_thread->isRunning() || get_data_thread->isRunning() || transfer;
    if (running) {
        ui->usb_vxi_label->show();
        status_label->setText(QStringLiteral("device status    connected"));
        connected = true;
        return;
    }
    const bool was_connected = connected;
    ui->usb_vxi_label->hide();
    status_label->setText(QStringLiteral("device status    disconnected"));
    ocpt_state = oppt_state = battery_test_running = 0;
    connected = false;
    if (was_connected)
        lose_load(tr("The load does not answer any more; the connection is closed."));
    else
        close_wait_box();
}

// The poll or a run state says the load left remote control, or the
// command thread ended on a dead link: the session closes after the thread
// has ended, the wait (if any) ends with the reason, and the window shows
// the disconnected state.
void MainWindow::lose_load(const QString& why)
{
    connected = false;
    const bool waiting = readback_box != nullptr;
    close_wait_box();
    delete program_form;
    program_form = nullptr;
    program_form_open = false;
    cfg_thread->close_session();
    drop_block_exchanges();
    status_label->setText(QStringLiteral("device status    disconnected"));
    ui->current_function_label->setText(QStringLiteral("disconnected"));
    if (load_lost_shown && !waiting)
        return;
    load_lost_shown = true;
    show_warning(why);
}
