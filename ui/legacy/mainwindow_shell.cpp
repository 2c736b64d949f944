// The window object itself: construction in its fixed order, its threads
// and their connections, the status bar, the painted background and the
// loading and saving of settings files.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "FreezeTableWidget.h"
#include "Get_configure_value.h"
#include "Get_data_thread.h"
#include "Get_display_data.h"
#include "MyTitleBar.h"
#include "SCPI_write_and_read.h"
#include "Send_data_thread.h"
#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_picture.h"
#include "custom_radiobutton.h"
#include "newframe.h"
#include "ui_preview_plot_t.h"
#include "ui_qwt_picker_t.h"
#include "window_look.h"
#include "window_place.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include "file_dialog.h"
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>
#include <qwt_plot_curve.h>

namespace {

const char k_icon[] = ":/resource/lion.jpg";

// Dynamic-diagram labels: size, text and place before the first read-back.
struct diagram_label_t
{
    int width, height;
    const char* text;
    int x, y;
};
const diagram_label_t k_diagram_labels[7] = {
    {70, 15, "0.001A/us", 110, 100},     {70, 15, "0.001A/us", 10, 70},
    {80, 32, "A_level\n4.000A", 320, 175}, {80, 32, "B_level\n5.000A", 320, 0},
    {80, 32, "A_width\n4.000s", 50, 192},  {80, 32, "B_width\n4.000s", 140, 192},
    {80, 32, "width\n1.000s", 70, 20},
};

QwtPlotCurve* new_curve(Qt::GlobalColor colour)
{
    QwtPlotCurve* c = new QwtPlotCurve(QString());
    c->setStyle(QwtPlotCurve::Lines);
    c->setCurveAttribute(QwtPlotCurve::Fitted, false);
    c->setPen(QColor(colour));
    return c;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    ui = new Ui::MainWindow;
    version_text = QStringLiteral("this is ??? version");
    model_name = QStringLiteral("WLX1200X");

    ui->setupUi(this);
    setFocusPolicy(Qt::ClickFocus);

    const QIcon icon(QString::fromLatin1(k_icon));
    setWindowFlags(Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setStyleSheet(QStringLiteral("background-color:rgb(30, 30, 30);"));

    init_title_bar();
    title_bar->set_title_icon(QString::fromLatin1(k_icon), QSize(25, 25));
    title_bar->set_title_content(QStringLiteral("  Wattlex V8.3"), 9);
    title_bar->set_button_type(0);
    title_bar->set_title_width(width());
    title_bar->hide();
    setWindowIcon(icon);

    cr_ranges_low << "0.2ohm~6ohm" << "6ohm~60ohm" << "50ohm~240ohm" << "240ohm~2500ohm";
    cr_ranges_high << "1ohm~30ohm" << "30ohm~300ohm" << "0.3kohm~1kohm" << "1kohm~10kohm";
    cr_ranges_3 << "0.03ohm~1.2ohm" << "1.2ohm~12ohm" << "12ohm~40ohm" << "40ohm~400ohm";
    cr_ranges_4 << "0.2ohm~5ohm" << "5ohm~50ohm" << "50ohm~150ohm" << "150ohm~1800ohm";

    ui->current_function_label->setText(QStringLiteral("disconnected"));
    ui->current_function_label->setAlignment(Qt::AlignHCenter);

    trigger_pixmap.load(QStringLiteral(":/resource/trigger.jpg"));

    list_file = new QFile;
    paused = false;
    sample_counter = 0;
    list_running = false;
    program_running = false;
    for (bool& shown : curve_shown)
        shown = true;

    status_timer = new QTimer(this);
    process = new QProcess;
    connect(status_timer, SIGNAL(timeout()), this, SLOT(device_status()));

    create_member_widgets();

    dynamic_diagram->setGeometry(380, 0, 410, 228);
    for (int i = 0; i < 7; ++i) {
        const diagram_label_t& d = k_diagram_labels[i];
        QLabel* l = dynamic_labels[i];
        l->setObjectName(QStringLiteral("dynamic_label"));
        l->resize(d.width, d.height);
        l->setText(QString::fromUtf8(d.text));
        l->move(d.x, d.y);
    }
    dynamic_labels[6]->hide();
    const int mark_x[2] = {93, 273};
    for (int i = 0; i < 2; ++i) {
        trigger_marks[i]->setGeometry(mark_x[i], 175, 40, 23);
        trigger_marks[i]->setScaledContents(true);
        trigger_marks[i]->setPixmap(trigger_pixmap);
        trigger_marks[i]->hide();
    }

    build_pages();

    connect(ui->model_sel, SIGNAL(tabBarClicked(int)), this, SLOT(deal_model_sel(int)));
    connect(ui->static_pattern, SIGNAL(tabBarClicked(int)), this, SLOT(deal_static_pattern(int)));

    for (QCheckBox* check : curve_checks)
        check->setChecked(true);

    build_status_bar();
    _init_battery_connect();

    wait_box = new QMessageBox;
    wait_box->setText(QStringLiteral("waiting"));
    wait_box->addButton(QMessageBox::Ok);
    wait_box->button(QMessageBox::Ok)->hide();

    scpi_rw_thread = new SCPI_write_and_read;
    cfg_thread = new cfg_thread_t;
    display_thread = new Get_display_data;
    get_data_thread = new Get_data_thread;
    send_data_thread = new Send_data_thread;
    configure_thread = new Get_configure_value;
    record_file = new QFile;
    settings_file = new QFile;
    spare_file = new QFile;

    curve_spare = new_curve(Qt::green);
    curve_current = new_curve(Qt::green);
    curve_voltage = new_curve(Qt::red);
    curve_resistance = new_curve(Qt::cyan);
    curve_power = new_curve(Qt::yellow);

    connect_threads();
    _init_list_connect();
    connect_aux_buttons();

    setAttribute(Qt::WA_MouseTracking);
    for (int i = 0; i < 4; ++i)
        step_texts.append(QStringLiteral("00"));
}

MainWindow::~MainWindow()
{
    // A window destroyed without its close question still must not leave a
    // thread running over the objects it frees (the session stays open).
    stop_threads();
    if (cfg_thread->isRunning())
        cfg_thread->stop_and_wait();
    get_data_thread->stop_flag = 1;
    send_data_thread->stop_flag = 1;
    get_data_thread->wait();
    send_data_thread->wait();
    for (QwtPlotCurve* c : {curve_spare, curve_current, curve_voltage, curve_resistance, curve_power}) {
        if (!c->plot())
            delete c;
    }
    for (QwtPlotCurve* c : {list_curve, list_spare_curve, list_level_curve, list_marker_curve}) {
        if (c && !c->plot())
            delete c;
    }
    delete scpi_rw_thread;
    delete cfg_thread;
    delete display_thread;
    delete get_data_thread;
    delete send_data_thread;
    delete configure_thread;
    delete wait_box;
    delete file_wait_box;
    delete readback_box;
    delete program_form;
    // a view without a parent; its overlays go with the program table
    delete program_freeze;
    delete process;
    delete list_file;
    delete record_file;
    delete settings_file;
    delete spare_file;
    delete program_file;
    delete ui;
}

void MainWindow::connect_threads()
{
    struct link_t
    {
        QObject* sender;
        const char* signal;
        const char* slot;
    };
    const link_t links[] = {
        {ui->help_button, SIGNAL(clicked(bool)), SLOT(deal_help_button())},
        {ui->trigger_button, SIGNAL(clicked(bool)), SLOT(deal_trigger_button())},
        {ui->recall_button, SIGNAL(clicked(bool)), SLOT(deal_open_button())},
        {ui->save_button, SIGNAL(clicked(bool)), SLOT(deal_save_button())},
        {ui->load_button, SIGNAL(clicked(bool)), SLOT(deal_load_button())},
        {ui->utility_tabwidget, SIGNAL(tabBarClicked(int)), SLOT(deal_utility(int))},
        {ui->short_button, SIGNAL(clicked(bool)), SLOT(deal_short_button())},
        {pause_button, SIGNAL(clicked(bool)), SLOT(deal_display_pause_button())},
        {clear_button, SIGNAL(clicked(bool)), SLOT(deal_display_clear_button())},
        {time_combo, SIGNAL(currentindex_changed(int)), SLOT(deal_display_time_combobox(int))},
        {record_radio, SIGNAL(buttonA_clicked()), SLOT(deal_record_on())},
        {record_radio, SIGNAL(buttonB_clicked()), SLOT(deal_record_off())},
        {curve_checks[0], SIGNAL(clicked(bool)), SLOT(deal_current_checkbox())},
        {curve_checks[1], SIGNAL(clicked(bool)), SLOT(deal_voltage_checkbox())},
        {curve_checks[2], SIGNAL(clicked(bool)), SLOT(deal_resistance_checkbox())},
        {curve_checks[3], SIGNAL(clicked(bool)), SLOT(deal_power_checkbox())},
        {program_storage_button, SIGNAL(clicked(bool)), SLOT(deal_storage_button())},
        {program_recall_button, SIGNAL(clicked(bool)), SLOT(deal_recall_button())},
        {plot->picker(), SIGNAL(pos_update_signal(fp64, fp64)), SLOT(deal_pos_update(double, double))},
        {configure_thread, SIGNAL(send_connect_no_exist(int)), SLOT(deal_connect_no_exist())},
        {configure_thread, SIGNAL(send_connect_success(int)), SLOT(deal_connect_success())},
        {configure_thread, SIGNAL(send_connect_fail(int)), SLOT(deal_connect_fail())},
        {send_data_thread, SIGNAL(send_end()), SLOT(deal_send_data_thread())},
        {send_data_thread, SIGNAL(send_error()), SLOT(deal_send_error())},
        {get_data_thread, SIGNAL(send_end()), SLOT(deal_get_data_thread())},
        {scpi_rw_thread, SIGNAL(send_result(int, QList<QString>, QList<QWidget*>)),
         SLOT(deal_scpi_rw(int, QList<QString>, QList<QWidget*>))},
        {cfg_thread, SIGNAL(send_result(int, QList<QString>, QList<QWidget*>, int)),
         SLOT(deal_cfg_thread(int, QList<QString>, QList<QWidget*>, int))},
        {cfg_thread, SIGNAL(send_byte_result(int, QByteArray)), SLOT(deal_cfg_thread_bytedata(int, QByteArray))},
        {cfg_thread, SIGNAL(send_message_cmd(QList<QString>, int)),
         SLOT(deal_cfg_thread_message_data(QList<QString>, int))},
    };
    for (const link_t& l : links)
        connect(l.sender, l.signal, this, l.slot);
}

void MainWindow::build_pages()
{
    build_cc_page();
    build_cv_page();
    build_cr_page();
    build_cp_page();
    layout_dynamic_page();
    build_aux_buttons();
    build_ocp_page();
    build_opp_page();
    build_led_page();
    layout_battery_page();
    layout_configure_page();
    build_sltm_page();
    build_limit_page();
    build_display_group();
    layout_display_page();
    layout_list_page();
    build_program_page();
    set_style_names();
    connect_limit_spinboxes();
}

void MainWindow::build_status_bar()
{
    status_picture = new custom_picture(this);
    status_picture->setSizeIncrement(30, 30);
    status_picture->setScaledContents(true);
    status_picture->setPixmap(
        QPixmap(QStringLiteral(":/resource/disconnect.jpg")).scaled(30, 30, Qt::KeepAspectRatio));
    status_picture->show();
    status_label = new QLabel(this);
    status_label->setText(QStringLiteral("device status    disconnected"));
    ui->statusBar->addWidget(status_label);
    ui->statusBar->addWidget(status_picture);
    ui->statusBar->setStyleSheet(QStringLiteral("QStatusBar::item{border: 0px}"));
    ui->statusBar->setSizeGripEnabled(false);
    connect(status_picture, SIGNAL(clicked()), this, SLOT(deal_disconnect_label()));
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    fill_rounded_background(this, Qt::black, QPainter::SmoothPixmapTransform);
    QWidget::paintEvent(event);
}

void MainWindow::load_style(const QString& name)
{
    append_resource_style_sheet(this, name);
}

// ---- requests

void MainWindow::post(int operation, bool repeat, int private_data)
{
    cfg_thread->add_request(operation, cmd_writes, cmd_queries, QList<QWidget*>(), repeat, private_data, false,
                            QByteArray());
}

void MainWindow::start_threads()
{
    fill_cmd_list(183);
    post(183, true, 0);
}

void MainWindow::thread_start()
{
    start_threads();
}

// ---- settings files

void MainWindow::deal_open_button()
{
    if (!connected)
        return;
    const QString name = wattlex_open_file_name(this, QStringLiteral("open file"), QDir::currentPath(),
                                                      QStringLiteral("wlx(*.wlx)"));
    if (name.isEmpty())
        return;
    settings_file->setFileName(name);
    if (!settings_file->open(QIODevice::ReadOnly)) {
        show_warning(tr("The file cannot be opened."));
        return;
    }
    QString text;
    QTextStream in(settings_file);
    in >> text;
    send_data_thread->set_settings_text(text);

    if (cfg_thread->isRunning())
        cfg_thread->stop_and_wait();

    delete file_wait_box;
    file_wait_box = new QMessageBox;
    file_wait_box->setWindowIcon(QIcon(QString::fromLatin1(k_icon)));
    file_wait_box->setText(QStringLiteral("Please waiting for the file setting"));
    file_wait_box->setStandardButtons(QMessageBox::Close);
    keep_in_front_of(file_wait_box, this);
    connect(file_wait_box, SIGNAL(finished(int)), this, SLOT(deal_messagebox(int)));
    send_data_thread->stop_flag = 0;
    send_data_thread->start();
    file_wait_box->exec();
}

void MainWindow::deal_save_button()
{
    if (!connected)
        return;
    const QString name = wattlex_save_file_name(this, QStringLiteral("save file"), QDir::currentPath(),
                                                      QStringLiteral("wlx(*.wlx)"));
    if (name.isEmpty())
        return;
    if (cfg_thread->isRunning())
        cfg_thread->stop_and_wait();
    settings_file->setFileName(name);
    delete file_wait_box;
    file_wait_box = new QMessageBox;
    file_wait_box->setWindowIcon(QIcon(QString::fromLatin1(k_icon)));
    file_wait_box->setText(QStringLiteral("Please waiting for the file saving"));
    file_wait_box->setStandardButtons(QMessageBox::Close);
    keep_in_front_of(file_wait_box, this);
    connect(file_wait_box, SIGNAL(finished(int)), this, SLOT(deal_messagebox(int)));
    get_data_thread->start();
    file_wait_box->exec();
}

void MainWindow::deal_get_data_thread()
{
    if (settings_file->isOpen())
        return;
    if (!settings_file->open(QIODevice::WriteOnly)) {
        if (file_wait_box)
            file_wait_box->close();
        show_warning(tr("The file cannot be written."));
    } else {
        QTextStream out(settings_file);
        out << get_data_thread->settings_text();
        out.flush();
        if (file_wait_box)
            file_wait_box->close();
        settings_file->close();
    }
    resume_command_thread(true);
}
