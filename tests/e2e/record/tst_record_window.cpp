// The measurement record driven from the window, as a user drives it: the
// Record check box, the record settings dialog, the prompts. The load is
// stood in for by handing the window measurement sets as the poll does and
// by its connected flag.
#include "mymainwindow.h"
#include "mymainwindow_trend_state.h"

#include "ui_mymainwindow.h"
#include "ui_recordsetting.h"

#include "disk_faults.h"
#include "file_dialog_stub.h"
#include "modal_answerer.h"
#include "record_file.h"
#include "recordSetting.h"
#include "window_steps.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

class tst_record_window : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void not_connected_refused();
    void default_path_in_home_without_desktop();
    void automatic_rows_and_stop_after_n();
    void existing_file_append_overwrite_or_cancel();
    void manual_interval_rows_every_tick();
    void the_end_syncs_the_record_to_disk();
    void lost_connection_ends_the_record();
    void file_failures_are_shown();
    void zero_interval_refused();

private:
    void click_record() { QTest::mouseClick(w->ui->checkBox_Record, Qt::LeftButton, {}, QPoint(5, 8)); }
    void feed(double c, double v, double r, double p, int load = 1) { w->display_data(c, v, r, p, 0, load); }

    QTemporaryDir dir;
    MyMainWindow* w = nullptr;
    modal_answerer* answerer = nullptr;
};

void tst_record_window::init()
{
    QVERIFY(dir.isValid());
    w = new MyMainWindow;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->is_connected = true;
    answerer = new modal_answerer;
}

void tst_record_window::cleanup()
{
    if (answerer)
        QVERIFY2(answerer->unexpected().isEmpty(), qPrintable(answerer->unexpected().value(0).text));
    delete answerer;
    answerer = nullptr;
    delete w;
    w = nullptr;
}

void tst_record_window::not_connected_refused()
{
    w->is_connected = false;
    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(answerer->wait_answered());
    QCOMPARE(answerer->boxes()[0].text, QString("No load is connected."));
    QVERIFY(!w->ui->checkBox_Record->isChecked());
    QVERIFY(!w->recording);
}

void tst_record_window::default_path_in_home_without_desktop()
{
    // HOME is a fresh folder without a Desktop folder (see main).
    const QString expected = QDir::home().filePath("trend.csv");
    QVERIFY(!QDir::home().exists("Desktop"));
    QFile::remove(expected);
    click_record();
    QVERIFY(w->recording);
    QVERIFY(w->ui->checkBox_Record->isChecked());
    QCOMPARE(w->trend->record_path, expected);
    QCOMPARE(read_file(expected), record_header().toUtf8()); // written at once

    feed(1.5, 12.0004, 8.0031, 18.254);
    feed(2.0, 12.5, 6.25, 25.0, 0); // input off
    bool ok = false;
    // each row is on disk as soon as it is written
    QCOMPARE(record_rows(expected, &ok), (QStringList{"1.5,12.0004,8.003,18.25", "0,12.5,0,0"}));
    QVERIFY(ok);

    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(answerer->wait_answered());
    QCOMPARE(answerer->boxes()[0].text, QString("Save Complete"));
    QVERIFY(!w->recording);
    feed(3, 3, 3, 3);
    QCOMPARE(record_rows(expected, &ok).size(), 2);
}

void tst_record_window::automatic_rows_and_stop_after_n()
{
    const QString path = dir.filePath("auto.csv");
    set_up_record(w, path, false, 0, true, 3, true, 1);
    click_record();
    QVERIFY(w->recording);
    answerer->press(QMessageBox::Ok);
    for (int i = 1; i <= 5; ++i)
        feed(i, 10 + i, 1, 0.5 * i);
    QVERIFY(answerer->wait_answered());
    QCOMPARE(answerer->boxes()[0].text, QString("Save Complete"));
    QVERIFY(!w->recording);
    QVERIFY(!w->ui->checkBox_Record->isChecked());
    bool ok = false;
    QCOMPARE(record_rows(path, &ok), (QStringList{"1,11,1,0.5", "2,12,1,1", "3,13,1,1.5"}));
    QVERIFY(ok);

    // stopped by hand after one row: the next record counts from 0 again
    answerer->clear();
    answerer->press_text("Overwrite").press(QMessageBox::Ok);
    click_record();
    feed(7, 7, 7, 7);
    click_record();
    QVERIFY(answerer->wait_answered());
    answerer->clear();
    answerer->press_text("Overwrite").press(QMessageBox::Ok);
    click_record();
    for (int i = 0; i < 3; ++i)
        feed(8, 8, 8, 8);
    QVERIFY(answerer->wait_answered());
    QCOMPARE(record_rows(path, &ok), (QStringList{"8,8,8,8", "8,8,8,8", "8,8,8,8"}));
}

void tst_record_window::existing_file_append_overwrite_or_cancel()
{
    const QString path = dir.filePath("existing.csv");
    set_up_record(w, path, false, 0, false, 1, true, 1);
    click_record();
    feed(1, 1, 1, 1);
    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(answerer->wait_answered());

    // Append: the old rows stay, no second header
    answerer->clear();
    answerer->press_text("Append");
    click_record();
    QVERIFY(answerer->wait_answered());
    const modal_answerer::box_record& ask = answerer->boxes()[0];
    QVERIFY(ask.text.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(ask.buttons.size(), 3);
    QVERIFY(w->recording);
    feed(2, 2, 2, 2);
    bool ok = false;
    QCOMPARE(record_rows(path, &ok), (QStringList{"1,1,1,1", "2,2,2,2"}));
    QVERIFY(ok);
    answerer->clear();
    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(answerer->wait_answered());

    // Cancel: nothing recorded, the file as it was
    const QByteArray before = read_file(path);
    answerer->clear();
    answerer->press(QMessageBox::Cancel);
    click_record();
    QVERIFY(answerer->wait_answered());
    QVERIFY(!w->recording);
    QVERIFY(!w->ui->checkBox_Record->isChecked());
    feed(3, 3, 3, 3);
    QCOMPARE(read_file(path), before);

    // Overwrite: a new file
    answerer->clear();
    answerer->press_text("Overwrite");
    click_record();
    QVERIFY(answerer->wait_answered());
    feed(4, 4, 4, 4);
    QCOMPARE(record_rows(path, &ok), (QStringList{"4,4,4,4"}));
    QVERIFY(ok);
    answerer->clear();
    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(answerer->wait_answered());
}

void tst_record_window::manual_interval_rows_every_tick()
{
    const QString path = dir.filePath("manual.csv");
    set_up_record(w, path, false, 0, false, 1, false, 1);
    QVERIFY(!w->trend->record.settings.auto_interval);
    click_record();
    QCOMPARE(w->trend->record_interval_timer->interval(), 1000);
    feed(1.25, 2, 3, 4);
    feed(1.5, 2, 3, 4); // the latest set is what the row holds
    bool ok = false;
    QCOMPARE(record_rows(path, &ok).size(), 0); // not per set
    QTRY_COMPARE_WITH_TIMEOUT(record_rows(path, &ok), (QStringList{"1.5,2,3,4"}), 3000);
    // no set since (a slow load): the next tick repeats the latest values
    QTRY_COMPARE_WITH_TIMEOUT(record_rows(path, &ok), (QStringList{"1.5,2,3,4", "1.5,2,3,4"}), 3000);
    feed(2.5, 2, 3, 4);
    QTRY_COMPARE_WITH_TIMEOUT(record_rows(path, &ok), (QStringList{"1.5,2,3,4", "1.5,2,3,4", "2.5,2,3,4"}), 3000);
    QVERIFY(ok);
    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(answerer->wait_answered());
    QVERIFY(!w->trend->record_interval_timer->isActive());
}

// However a record ends, its file is synced to disk with every row in it.
void tst_record_window::the_end_syncs_the_record_to_disk()
{
    enum end_t { by_hand, by_count, by_lost_load };
    for (end_t end : {by_hand, by_count, by_lost_load}) {
        const QString path = dir.filePath(QString("synced%1.csv").arg(int(end)));
        w->is_connected = true;
        set_up_record(w, path, false, 0, end == by_count, 2, true, 1);
        click_record();
        QVERIFY(w->recording);
        disk_faults::clear_syncs();
        answerer->clear();
        answerer->press(QMessageBox::Ok);
        feed(1, 2, 3, 4);
        feed(5, 6, 7, 8);
        if (end == by_hand)
            click_record();
        else if (end == by_lost_load)
            w->is_connected = false; // as the status timer marks a lost load
        QVERIFY(answerer->wait_answered(4000));
        QVERIFY(!w->recording);
        const qint64 size = QFileInfo(path).size();
        bool synced = false;
        for (const disk_faults::sync_t& s : disk_faults::syncs())
            synced = synced || (QFileInfo(s.path) == QFileInfo(path) && s.size == size);
        QVERIFY2(synced, qPrintable(path));
        bool ok = false;
        QCOMPARE(record_rows(path, &ok), (QStringList{"1,2,3,4", "5,6,7,8"}));
        QVERIFY(ok);
    }
}

void tst_record_window::lost_connection_ends_the_record()
{
    for (bool automatic : {true, false}) {
        const QString path = dir.filePath(automatic ? "lost_auto.csv" : "lost_manual.csv");
        w->is_connected = true;
        set_up_record(w, path, false, 0, false, 1, automatic, 1);
        click_record();
        feed(1, 1, 1, 1);
        answerer->clear();
        answerer->press(QMessageBox::Ok);
        w->is_connected = false; // as the status timer marks a lost load
        QVERIFY(answerer->wait_answered(4000));
        QVERIFY(answerer->boxes()[0].text.contains("connection"));
        QVERIFY(!w->recording);
        QVERIFY(!w->ui->checkBox_Record->isChecked());
        bool ok = false;
        QVERIFY(record_rows(path, &ok).size() <= 1);
        QVERIFY(ok);
    }
}

void tst_record_window::file_failures_are_shown()
{
    // a folder that does not exist
    const QString missing = dir.filePath("no/such/folder/x.csv");
    set_up_record(w, missing, false, 0, false, 1, true, 1);
    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(answerer->wait_answered());
    QVERIFY(answerer->boxes()[0].text.startsWith("The record file"));
    QVERIFY(answerer->boxes()[0].text.contains("could not be opened"));
    QVERIFY(!w->recording);
    QVERIFY(!w->ui->checkBox_Record->isChecked());

    // a device that takes no data: the header cannot be written
    if (QFile::exists("/dev/full")) {
        set_up_record(w, "/dev/full", false, 0, false, 1, true, 1);
        answerer->clear();
        answerer->press(QMessageBox::Ok);
        click_record();
        QVERIFY(answerer->wait_answered());
        QVERIFY(answerer->boxes()[0].text.contains("could not be written"));
        QVERIFY(!w->recording);
        QVERIFY(!w->ui->checkBox_Record->isChecked());
        feed(1, 1, 1, 1);
    }
}

void tst_record_window::zero_interval_refused()
{
    // the dialog refuses it; a setting that still holds it is refused at the start
    w->set_record_path(dir.filePath("zero.csv"));
    w->set_record_interval(false, 0);
    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(answerer->wait_answered());
    QCOMPARE(answerer->boxes()[0].text, QString("The interval must be at least 1 s."));
    QVERIFY(!w->recording);
    QVERIFY(!QFile::exists(dir.filePath("zero.csv")));
}

int main(int argc, char** argv)
{
    // A home without a Desktop folder, as on many Linux systems.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qunsetenv("XDG_DESKTOP_DIR");
    QApplication app(argc, argv);
    tst_record_window t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_record_window.moc"
