// Measurement record: the CSV file of the live readings, its timers and the
// record settings dialog.
#include "mymainwindow.h"
#include "mymainwindow_trend_state.h"

#include "ui_mymainwindow.h"

#include "custom_messagebox.h"
#include "file_save.h"
#include "recordSetting.h"
#include "window_place.h"

#include <QCheckBox>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTime>
#include <QTimer>

void MyMainWindow::init_record()
{
    trend_state_t& t = *trend;
    // Start values: 0 h 10 min 0 s, 100000 rows, automatic interval, 1 s.
    t.record.settings = trend_record_t::settings_t();
    recording = false;
    record_stop_by_time = t.record.settings.stop_by_time;
    record_stop_by_count = t.record.settings.stop_by_count;
    record_auto_interval = t.record.settings.auto_interval;

    // Precise: a coarse timer may fire 5 % early, rows and the elapsed
    // time would drift.
    t.record_interval_timer = new QTimer(this);
    t.record_interval_timer->setTimerType(Qt::PreciseTimer);
    connect(t.record_interval_timer, SIGNAL(timeout()), this, SLOT(record_measure_value()));
    t.record_stop_timer = new QTimer(this);
    t.record_stop_timer->setTimerType(Qt::PreciseTimer);
    t.record_stop_timer->setSingleShot(true);
    connect(t.record_stop_timer, SIGNAL(timeout()), this, SLOT(stop_record()));
}

int MyMainWindow::hms_to_seconds(int hours, int minutes, int seconds)
{
    return hours * 3600 + minutes * 60 + seconds;
}

void MyMainWindow::on_checkBox_Record_clicked()
{
    trend_state_t& t = *trend;
    if (!is_connected) {
        ui->checkBox_Record->setChecked(recording);
        show_warning(tr("No load is connected."));
        return;
    }
    if (!ui->checkBox_Record->isChecked()) {
        stop_record();
        return;
    }
    if (recording)
        return;

    switch (t.record.check()) {
    case trend_record_t::started:
        break;
    case trend_record_t::zero_interval:
        ui->checkBox_Record->setChecked(false);
        show_warning(tr("The interval must be at least 1 s."));
        return;
    case trend_record_t::zero_time:
        ui->checkBox_Record->setChecked(false);
        show_warning(tr("The elapsed time must be at least 1 s."));
        return;
    case trend_record_t::zero_count:
        ui->checkBox_Record->setChecked(false);
        show_warning(tr("The number of readings must be at least 1."));
        return;
    }

    if (t.record_path.isEmpty())
        t.record_path = recordSetting::default_record_path();
    if (t.record_path.isEmpty()) {
        ui->checkBox_Record->setChecked(false);
        show_warning(tr("Please select a valid path."));
        return;
    }
    const QString path = t.record_path;
    const QString shown_path = QDir::toNativeSeparators(path);

    // Readings already on disk are kept unless the user chooses otherwise.
    bool append = false;
    const QFileInfo info(path);
    if (info.exists() && info.size() > 0) {
        custom_messagebox box(QMessageBox::Question, tr("Record"),
                              tr("The record file %1 already exists.\n"
                                 "Append the new readings to it, or overwrite it?")
                                  .arg(shown_path),
                              QMessageBox::NoButton, this);
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        QPushButton* append_button = box.addButton(tr("Append"), QMessageBox::AcceptRole);
        QPushButton* overwrite_button = box.addButton(tr("Overwrite"), QMessageBox::DestructiveRole);
        box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(append_button);
        box.exec();
        if (box.clickedButton() == append_button) {
            append = true;
        } else if (box.clickedButton() != overwrite_button) {
            ui->checkBox_Record->setChecked(false);
            return;
        }
        if (!is_connected) {
            ui->checkBox_Record->setChecked(false);
            return;
        }
    }

    if (record_file.isOpen())
        record_file.close();
    record_file.setFileName(path);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate);
    if (!record_file.open(mode)) {
        ui->checkBox_Record->setChecked(false);
        show_warning(tr("The record file %1 could not be opened: %2").arg(shown_path, record_file.errorString()));
        return;
    }

    t.record.start();
    recording = true;
    ui->checkBox_Record->setChecked(true);
    if (!append && !write_record_text(trend_record_t::header()))
        return;

    t.record_interval_timer->start(t.record.interval_ms());
    if (!t.record.settings.auto_interval)
        qDebug() << "MyMainWindow::on_checkBox_Record_clicked: record_delay =" << t.record.settings.interval_s;
    if (t.record.stop_time_ms() > 0) {
        qDebug() << "MyMainWindow::on_checkBox_Record_clicked: record_stop_time ="
                 << t.record.stop_time_ms() / 1000;
        t.record_stop_timer->start(t.record.stop_time_ms());
    }
}

bool MyMainWindow::write_record_text(const QString& text)
{
    trend_state_t& t = *trend;
    if (!record_file.isOpen())
        return false;
    const QByteArray bytes = text.toUtf8();
    // Flushed row by row into the system's cache: every row written so far
    // survives the program crashing or being killed, not a power loss or a
    // crash of the system itself (rows the system has not put on disk yet
    // are lost then). The stop syncs the file to disk.
    if (record_file.write(bytes) != bytes.size() || !record_file.flush()) {
        end_record(tr("The record file %1 could not be written: %2\nThe record stopped.")
                       .arg(QDir::toNativeSeparators(record_file.fileName()), record_file.errorString()));
        return false;
    }
    t.record_last_text = text;
    return true;
}

void MyMainWindow::apply_record_action(int action)
{
    trend_state_t& t = *trend;
    if (action & trend_record_t::act_write) {
        const QString row = trend_record_t::row(QTime::currentTime(), t.record_values[0], t.record_values[1],
                                                t.record_values[2], t.record_values[3]);
        if (!write_record_text(row))
            return;
    }
    if (action & trend_record_t::act_stop)
        stop_record();
}

void MyMainWindow::record_measure_value()
{
    trend_state_t& t = *trend;
    // A session that is ending stops the record itself, within one status
    // period, in the one box that tells of the end.
    if (!is_connected && status_timer->isActive())
        return;
    const int action = t.record.on_interval(is_connected);
    if (!is_connected && (action & trend_record_t::act_stop)) {
        end_record_session_ended();
        return;
    }
    apply_record_action(action);
}

void MyMainWindow::end_record_session_ended()
{
    end_record(tr("The connection to the load ended: the record stopped.\nThe readings so far are in %1.")
                   .arg(QDir::toNativeSeparators(record_file.fileName())));
}

void MyMainWindow::stop_record()
{
    end_record(tr("Save Complete"));
}

void MyMainWindow::end_record(const QString& message)
{
    trend_state_t& t = *trend;
    recording = false;
    t.record.stop();
    ui->checkBox_Record->setChecked(false);
    t.record_interval_timer->stop();
    t.record_stop_timer->stop();
    if (!record_file.isOpen())
        return;
    // A record that ends on a failed write has told that already. The box
    // comes after the caller returned: a modal box here would let the next
    // measurement sets in while the record is half ended.
    if (record_file.error() != QFileDevice::NoError) {
        record_file.close();
        QTimer::singleShot(0, this, [this, message]() { show_warning(message); });
        return;
    }
    const QString name = QDir::toNativeSeparators(record_file.fileName());
    // An empty message: only a failed save is told.
    file_save::sync_in_background(&record_file, this, [this, message, name](const QString& reason) {
        if (reason.isEmpty() && message.isEmpty())
            return;
        show_warning(reason.isEmpty() ? message
                                      : tr("The record file %1 could not be saved to disk: %2").arg(name, reason));
    });
    record_file.close();
}

void MyMainWindow::set_record_path(const QString& path)
{
    trend->record_path = path;
}

void MyMainWindow::set_record_stop_time(bool on, int hours, int minutes, int seconds)
{
    trend_record_t::settings_t& s = trend->record.settings;
    s.stop_by_time = on;
    s.hours = hours;
    s.minutes = minutes;
    s.seconds = seconds;
    record_stop_by_time = on;
}

void MyMainWindow::set_record_stop_count(bool on, int n)
{
    trend_record_t::settings_t& s = trend->record.settings;
    s.stop_by_count = on;
    s.stop_count = n;
    record_stop_by_count = on;
}

void MyMainWindow::set_record_interval(bool automatic, int seconds)
{
    trend_record_t::settings_t& s = trend->record.settings;
    s.auto_interval = automatic;
    s.interval_s = seconds;
    record_auto_interval = automatic;
}

void MyMainWindow::on_pushButton_Record_Setting_clicked()
{
    const trend_state_t& t = *trend;
    const trend_record_t::settings_t& s = t.record.settings;
    recordSetting* dialog = new recordSetting(this);
    place_centred_on(dialog, this);
    dialog->set_record_para(t.record_path, s.stop_by_time || s.stop_by_count, s.stop_by_time, s.hours, s.minutes,
                            s.seconds, s.stop_count, s.auto_interval, s.interval_s);
    dialog->set_recording_probe([this]() { return recording; });
    connect(dialog, &recordSetting::sig_stop_record, this, &MyMainWindow::stop_record);
    connect(dialog, &recordSetting::sig_record_path, this, &MyMainWindow::set_record_path);
    connect(dialog, &recordSetting::sig_record_stop_time, this, &MyMainWindow::set_record_stop_time);
    connect(dialog, &recordSetting::sig_record_stop_count, this, &MyMainWindow::set_record_stop_count);
    connect(dialog, &recordSetting::sig_record_interval, this, &MyMainWindow::set_record_interval);
    dialog->show();
}
