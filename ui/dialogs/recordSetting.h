#ifndef RECORDSETTING_H
#define RECORDSETTING_H

#include <QMainWindow>
#include <QString>

#include <functional>

class Ui_recordSetting;

// The record settings window: the record file and the record's stop and
// interval rules. OK hands the choices to the opener through the setter
// signals and closes the window; it never starts a record itself.
class recordSetting : public QMainWindow
{
    Q_OBJECT

public:
    explicit recordSetting(QWidget* parent = nullptr);
    ~recordSetting() override;

    // Fills the form. An empty path shows default_record_path().
    void set_record_para(const QString& path, bool stopGroup, bool elapsedTime, int hours, int minutes,
                         int seconds, int n, bool automatic, int manualSeconds);

    // Asked on OK: whether a record is running (then the user is asked
    // before the settings are applied). Unset: no record runs.
    void set_recording_probe(std::function<bool()> is_recording);

    // "trend.csv" in the desktop folder, or in the home folder where there
    // is no desktop folder.
    static QString default_record_path();

    Ui_recordSetting* form() const { return ui; }

public slots:
    // Elapsed time of the form in seconds.
    int get_time();

signals:
    void sig_record_path(const QString& path);
    void sig_record_stop_time(bool on, int hours, int minutes, int seconds);
    void sig_record_stop_count(bool on, int n);
    void sig_record_interval(bool automatic, int seconds);
    // The user agreed to end the running record before new settings apply.
    void sig_stop_record();

private slots:
    void on_pushButton_Browser_clicked();
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();

private:
    void warn(const QString& text);

    Ui_recordSetting* ui = nullptr;
    std::function<bool()> m_is_recording;
};

#endif
