#include "recordSetting.h"

#include "ui_recordsetting.h"

#include "MySpinBox.h"
#include "custom_messagebox.h"
#include "file_dialog.h"
#include "ui_prompt_t.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

recordSetting::recordSetting(QWidget* parent)
    : QMainWindow(parent),
      ui(new Ui_recordSetting)
{
    ui->setupUi(this);
    // A dialog of the main window (its parent): a window manager keeps it in
    // front, so a click on the blocked main window cannot bury it.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setFixedSize(width(), height());
}

recordSetting::~recordSetting()
{
    delete ui;
}

QString recordSetting::default_record_path()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    if (folder.isEmpty())
        return QString();
    return QDir(folder).filePath(QStringLiteral("trend.csv"));
}

void recordSetting::set_record_para(const QString& path, bool stopGroup, bool elapsedTime, int hours,
                                    int minutes, int seconds, int n, bool automatic, int manualSeconds)
{
    ui->lineEdit_Path->setText(path.isEmpty() ? default_record_path() : path);
    ui->groupBox_Stop->setChecked(stopGroup);
    ui->radioButton_Elapsed_Time->setChecked(elapsedTime);
    ui->radioButton_After_N->setChecked(!elapsedTime);
    ui->radioButton_Auto_Delay->setChecked(automatic);
    ui->radioButton_Manual_Delay->setChecked(!automatic);
    ui->spinBox_H->setValue(hours);
    ui->spinBox_M->setValue(minutes);
    ui->spinBox_S->setValue(seconds);
    ui->spinBox_After_N->setValue(n);
    ui->spinBox_Manual_Delay_s->setValue(manualSeconds);
}

void recordSetting::set_recording_probe(std::function<bool()> is_recording)
{
    m_is_recording = std::move(is_recording);
}

int recordSetting::get_time()
{
    return ui->spinBox_H->value() * 3600 + ui->spinBox_M->value() * 60 + ui->spinBox_S->value();
}

void recordSetting::warn(const QString& text)
{
    custom_messagebox box(QMessageBox::Warning, tr("Warning"), text, QMessageBox::Ok, this);
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    box.exec();
}

void recordSetting::on_pushButton_Browser_clicked()
{
    const QString path = wattlex_save_file_name(this, tr("save file"), QDir::currentPath(),
                                                QStringLiteral("csv(*.csv)"));
    if (!path.isEmpty())
        ui->lineEdit_Path->setText(path);
}

void recordSetting::on_pushButton_OK_clicked()
{
    // A number the user typed but a box refused: the value it shows is not
    // the one asked for, so nothing applies (and no record is stopped)
    // until the entry is corrected.
    if (typed_entry_t::first_refused(findChildren<MySpinBox*>()))
        return;
    // A typed path is taken as a browsed one: a file name, made absolute so
    // that the record does not depend on the working folder.
    const QString typed = QDir::fromNativeSeparators(ui->lineEdit_Path->text().trimmed());
    const QString path = typed.isEmpty() ? QString() : QFileInfo(QDir::cleanPath(typed)).absoluteFilePath();
    if (path.isEmpty() || typed.endsWith(QLatin1Char('/')) || QFileInfo(path).isDir()) {
        warn(tr("Please select a valid path."));
        return;
    }
    // The interval box starts at 1 s: zero would write rows as fast as the
    // timer can fire, and its range says so when 0 is typed.
    const bool automatic = ui->radioButton_Auto_Delay->isChecked();

    if (m_is_recording && m_is_recording()) {
        ui_prompt_t prompt(this);
        if (prompt.ask_two_buttons(tr("Recording.Do you want to stop record and apply new settings?")) != 0) {
            close();
            return;
        }
        // Ended before the new rules apply, so the timers of the running
        // record are stopped by the rules they were started with.
        emit sig_stop_record();
    }

    emit sig_record_path(path);
    const bool stop = ui->groupBox_Stop->isChecked();
    emit sig_record_stop_time(stop && ui->radioButton_Elapsed_Time->isChecked(), ui->spinBox_H->value(),
                              ui->spinBox_M->value(), ui->spinBox_S->value());
    emit sig_record_stop_count(stop && ui->radioButton_After_N->isChecked(), ui->spinBox_After_N->value());
    emit sig_record_interval(automatic, ui->spinBox_Manual_Delay_s->value());
    close();
}

void recordSetting::on_pushButton_Cancel_clicked()
{
    close();
}
