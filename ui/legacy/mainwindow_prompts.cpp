// Prompts and orderly ends: the warning and wait boxes, the disconnect and
// exit questions, the stop of the worker threads, the connect thread's
// results, the event filter over the secondary windows, the program result
// table and the title-bar actions.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "Get_configure_value.h"
#include "Get_data_thread.h"
#include "Get_display_data.h"
#include "MyTitleBar.h"
#include "SCPI_write_and_read.h"
#include "Send_data_thread.h"
#include "cfg_thread_t.h"
#include "custom_messagebox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "visa_session.h"
#include "window_place.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

namespace {

const char k_icon[] = ":/resource/lion.jpg";
const char k_remote_off[] = "SYST:REMOT:STAT 0";
// Longest wait for a read-back (a list or program import takes seconds).
const int k_wait_box_limit_ms = 30000;
const Qt::WindowFlags k_fixed_dialog = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;

} // namespace

void MainWindow::show_warning(const QString& text)
{
    custom_messagebox* box =
        new custom_messagebox(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::NoButton, nullptr,
                              k_fixed_dialog);
    box->set_single_ok();
    keep_in_front_of(box, this);
    box->exec();
}

void MainWindow::show_wait_box(const QString& title, const QString& text)
{
    close_wait_box();
    custom_messagebox* box =
        new custom_messagebox(QMessageBox::Warning, title, text, QMessageBox::NoButton, nullptr, k_fixed_dialog);
    box->setWindowIcon(QIcon(QString::fromLatin1(k_icon)));
    keep_in_front_of(box, this);
    readback_box = box;
    // The box has no button: a reply that never comes must not hold the
    // window for ever.
    QTimer::singleShot(k_wait_box_limit_ms, box, [this, box] {
        if (readback_box != box)
            return;
        close_wait_box();
        show_warning(tr("The load did not answer."));
    });
    // The reply that ends the wait arrives inside this loop; close_wait_box
    // hides the box, which ends it.
    box->exec();
}

void MainWindow::close_wait_box()
{
    if (!readback_box)
        return;
    QMessageBox* box = readback_box;
    readback_box = nullptr;
    box->hide();
    box->deleteLater();
}

void MainWindow::stop_threads()
{
    if (display_thread->isRunning()) {
        display_thread->stop();
        display_thread->wait();
    }
    if (configure_thread->isRunning()) {
        configure_thread->stop();
        configure_thread->wait();
    }
    if (scpi_rw_thread->isRunning()) {
        scpi_rw_thread->stop();
        scpi_rw_thread->wait();
    }
}

// Every thread that may be in an exchange on the shared session ends
// before the session does; the command thread first of all, which would
// otherwise keep polling a closed (or reused) session.
void MainWindow::end_session(bool remote_off)
{
    stop_threads();
    if (cfg_thread->isRunning())
        cfg_thread->stop_and_wait();
    // a settings load writes to the load too
    send_data_thread->stop_flag = 1;
    get_data_thread->stop_flag = 1;
    send_data_thread->wait();
    get_data_thread->wait();
    if (remote_off) {
        const ViSession session = g_visa_session.load();
        if (session != VISA_NO_SESSION)
            scpi.scpi_write(session, k_remote_off);
    }
    cfg_thread->close_session();
    status_timer->stop();
    connected = false;
    drop_block_exchanges();
}

void MainWindow::deal_disconnect_label()
{
    custom_messagebox* box =
        new custom_messagebox(QMessageBox::Warning, QStringLiteral("disconnect_dialog"),
                              QStringLiteral("Do you want to disconnect the device?"),
                              QMessageBox::Yes | QMessageBox::No, nullptr, k_fixed_dialog);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowIcon(QIcon(QString::fromLatin1(k_icon)));
    keep_in_front_of(box, this);
    if (box->exec() != QMessageBox::Yes)
        return;
    end_session(true);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    const QMessageBox::StandardButton answer =
        QMessageBox::warning(this, QStringLiteral("Exit dialog"), QStringLiteral("Do you make sure to exit?"),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    event->accept();
    end_session(false);
}

void MainWindow::deal_record_off()
{
    if (!connected)
        return;
    if (!record_file->isOpen())
        return;
    record_file->close();
    show_warning(QStringLiteral("Save Complete"));
}

void MainWindow::deal_connect_no_exist()
{
    show_warning(QStringLiteral("It's not the correct resource"));
}

void MainWindow::deal_connect_fail()
{
    show_warning(QStringLiteral("It's not the correct resource"));
    end_session(false);
}

void MainWindow::deal_connect_success()
{
    connected = true;
    first_connection = false;
    auto_range_radio->set_checked(0);
    set_limit_spinbox_focus(0);
    sample_counter = 0;
    _init_ui();
    if (pause_button->text() == QLatin1String("Start"))
        pause_button->click();
    status_timer->start(500);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close) {
        if (watched == connect_dialog_window.data()) {
            connect_dialog_open = false;
            return true;
        }
        if (watched == usb_dialog_window.data()) {
            usb_resources.clear();
            usb_names.clear();
            return true;
        }
        if (watched == program_form) {
            program_form_open = false;
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- program result table

void MainWindow::build_prog_result_form(int rows)
{
    // One form at a time: a new run's table replaces the last one.
    delete program_form;
    program_form = new QWidget;
    program_form->installEventFilter(this);
    program_form_open = true;
    program_form->setWindowModality(Qt::ApplicationModal);
    keep_in_front_of(program_form, this);
    program_form->setWindowTitle(QStringLiteral("program_form"));
    program_form->setObjectName(QStringLiteral("program_form"));
    program_form->resize(450, 300);
    // dark like the window, the table black: the green and red
    // verdicts do not read on the theme's grey
    program_form->setStyleSheet(QStringLiteral("QWidget#program_form { background-color: rgb(22, 22, 22); }"
                                               "QTableWidget { background-color: black; }"));

    program_table = new QTableWidget(program_form);
    program_table->setObjectName(QStringLiteral("program_tablewidget"));
    program_table->setGeometry(15, 11, 420, 278);
    program_table->horizontalHeader()->hide();
    program_table->verticalHeader()->hide();
    program_table->setColumnCount(3);
    program_table->setRowCount(rows);
    const char* head[3] = {"Step", "Result", "Remarks"};
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem* item = new QTableWidgetItem(r == 0 ? QString::fromLatin1(head[c]) : QString());
            item->setFlags(Qt::NoItemFlags);
            program_table->setItem(r, c, item);
        }
    }
    program_table->setColumnWidth(0, 100);
    program_table->setColumnWidth(1, 100);
    program_table->setColumnWidth(2, 200);
}

void MainWindow::deal_prog_result_button()
{
    const int steps = int(program_steps_spin->value());
    build_prog_result_form(steps + 3);
    int n = int(program_results.size());
    if (n > steps)
        n = steps;
    for (int i = 1; i <= n; ++i) {
        const program_result_t& r = program_results[size_t(i - 1)];
        const QString texts[3] = {QString::number(i), r.result, r.remarks};
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem* item = new QTableWidgetItem(texts[c]);
            item->setFlags(Qt::NoItemFlags);
            if (c > 0 && r.result == QLatin1String("Pass"))
                item->setData(Qt::ForegroundRole, QColor(Qt::green));
            else if (c > 0 && r.result == QLatin1String("Fail"))
                item->setData(Qt::ForegroundRole, QColor(Qt::red));
            program_table->setItem(i, c, item);
        }
    }
    program_form->show();
}

// ---- title bar

void MainWindow::init_title_bar()
{
    title_bar = new MyTitleBar(this);
    title_bar->move(0, 0);
    connect(title_bar, SIGNAL(signalButtonMinClicked()), this, SLOT(onBaseButtonMinClicked()));
    connect(title_bar, SIGNAL(signalButtonRestoreClicked()), this, SLOT(onBaseButtonRestoreClicked()));
    connect(title_bar, SIGNAL(signalButtonMaxClicked()), this, SLOT(onBaseButtonMaxClicked()));
    connect(title_bar, SIGNAL(signalButtonCloseClicked()), this, SLOT(onBaseButtonCloseClicked()));
}

void MainWindow::onBaseButtonMinClicked()
{
    showMinimized();
}

void MainWindow::onBaseButtonRestoreClicked()
{
    QPoint position;
    QSize size;
    title_bar->stored_restore_geometry(position, size);
    setGeometry(QRect(position, size));
}

void MainWindow::onBaseButtonMaxClicked()
{
    title_bar->store_restore_geometry(pos(), this->size());
    const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(desk.x() - 3, desk.y() - 3, desk.width() + 6, desk.height() + 6);
}

void MainWindow::onBaseButtonCloseClicked()
{
    close();
}
