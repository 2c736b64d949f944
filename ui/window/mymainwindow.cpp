#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "Get_configure_value.h"
#include "thread_order.h"
#include "Get_data_thread.h"
#include "Get_display_data.h"
#include "SCPI_write_and_read.h"
#include "Send_data_thread.h"
#include "cfg_thread_t.h"
#include "custom_messagebox.h"
#include "uiPara.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QMetaType>

MyMainWindow* g_main_window = nullptr;

namespace {
QString g_ui_language = QStringLiteral("english");
}

void MyMainWindow::set_ui_language(const QString& language)
{
    g_ui_language = language;
}

QString MyMainWindow::ui_language()
{
    return g_ui_language;
}

MyMainWindow::MyMainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    ui = new Ui_MyMainWindow;
    ui->setupUi(this);

    msg_turn_off_load = tr("Please turn off the load !");
    msg_wrong_file = tr("It's not the correct file !");

    init_status_bar();
    init_connect_dock();

    // Replies cross from the command thread as queued signals.
    qRegisterMetaType<QList<QString>>("QList<QString>");
    qRegisterMetaType<QList<QWidget*>>("QList<QWidget*>");
    cfg_thread = new cfg_thread_t(this);
    connect(cfg_thread, SIGNAL(send_result(int,QList<QString>,QList<QWidget*>,int)),
            this, SLOT(deal_cfg_thread(int,QList<QString>,QList<QWidget*>,int)));
    connect(cfg_thread, SIGNAL(send_byte_result(int,QByteArray)),
            this, SLOT(deal_cfg_thread_bytedata(int,QByteArray)));
    connect(cfg_thread, SIGNAL(update_resource()), this, SLOT(refresh_device()));
    connect(cfg_thread, SIGNAL(send_message_cmd(QList<QString>,int)), this,
            SLOT(deal_message_cmd(QList<QString>,int)));
    // The other worker threads; none runs until a connection or a transfer
    // starts it (the second exchange and display threads never do).
    scpi_write_and_read = new SCPI_write_and_read(this);
    connect(scpi_write_and_read, SIGNAL(send_result(int,QList<QString>,QList<QWidget*>)),
            this, SLOT(deal_scpi_rw(int,QList<QString>,QList<QWidget*>)));
    get_data_thread = new Get_data_thread(this);
    connect(get_data_thread, SIGNAL(send_end()), this, SLOT(deal_get_data_thread()));
    send_data_thread = new Send_data_thread(this);
    connect(send_data_thread, SIGNAL(send_end()), this, SLOT(deal_send_data_thread()));
    get_display_data = new Get_display_data(this);
    get_configure_value = new Get_configure_value(this);

    connect_para_signals();

    // Each area's own set-up (the program table, the record timers and trend
    // plot, the device tree with the status timer).
    init_prog_table();
    init_trend_and_record();
    init_connect_signals();

    load_switch = new SwitchButton(ui->centralwidget);
    load_switch->move(460, 9);
    load_switch->show();
    load_switch->setSelectedItem(false);
    connect(load_switch, SIGNAL(pressSignal()), this, SLOT(on_pushButton_Load_clicked()));
    ui->pushButton_Load->hide();

    init_actions();

    g_main_window = this;
}

MyMainWindow::~MyMainWindow()
{
    delete ui;
    ui = nullptr;
    // A thread object must not be destroyed while it runs.
    stop_worker_threads();
    if (cfg_thread->isRunning())
        cfg_thread->stop_and_wait();
    get_data_thread->stop_flag = 1;
    get_data_thread->wait();
    send_data_thread->stop_flag = 1;
    send_data_thread->wait();
    if (g_main_window == this)
        g_main_window = nullptr;
}

void MyMainWindow::init_connect_dock()
{
    ui->dockWidget_connect->setMinimumWidth(60);
    ui->dockWidget_connect->setMaximumWidth(300);
    // Resource names start alike ("TCPIP0::192.168.", "USB0::0x5AB5::") and
    // end in the address or serial number that tells two loads apart: a
    // narrow dock cuts their starts (a cut in the middle would take the last
    // byte too). The tool tips hold the whole names.
    ui->treeWidget_dev->setTextElideMode(Qt::ElideLeft);
    // The central area has fixed positions; widen the window (as far as the
    // screen allows) so that the dock does not push its right edge out.
    const int dock_width = 170;
    resizeDocks({ui->dockWidget_connect}, {dock_width}, Qt::Horizontal);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int wanted = qMin(central_width_needed() + dock_width + 6, room.width());
    if (wanted > width())
        resize(wanted, height());
    // Nor does the window open larger than the screen (the form's own width
    // is 1373 px, more than a 1366 px laptop screen has).
    resize(size().boundedTo(room));
    init_Basic();
}

int MyMainWindow::central_width_needed() const
{
    const QRect right_most = ui->groupBox_Data->geometry() | ui->groupBox_Wave->geometry();
    return right_most.right() + 12;
}

void MyMainWindow::stop_worker_threads()
{
    if (get_display_data->isRunning()) {
        get_display_data->stop();
        get_display_data->wait();
    }
    if (get_configure_value->isRunning()) {
        // A load that answers nothing would hold the wait for its reads'
        // time-outs: its exchange is cut short first.
        get_configure_value->abort();
        thread_order::wait(get_configure_value);
    }
    if (scpi_write_and_read->isRunning()) {
        scpi_write_and_read->stop();
        scpi_write_and_read->wait();
    }
}

void MyMainWindow::set_pending_utility_a(bool sent, int count)
{
    pending_utility_a = sent;
    pending_utility_a_count = count;
}

void MyMainWindow::set_pending_utility_b(bool sent, int count)
{
    pending_utility_b = sent;
    pending_utility_b_count = count;
}

void MyMainWindow::post(int op, const QList<QString>& writes, const QList<QString>& queries,
                        bool repeat, int subcode)
{
    cfg_thread->add_request(op, writes, queries, QList<QWidget*>(), repeat, subcode, false, QByteArray());
}
