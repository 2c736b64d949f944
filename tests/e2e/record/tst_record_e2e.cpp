// The record and the settings files against the simulated load, driven as
// a user drives them: connect from the device tree, record the live
// readings through the record settings dialog and the Record box, save the
// load's settings to a ".wlx" file and load one back, and wrong files
// refused. The trend grows while the poll runs.
#include "cfg/thread_order.h"
#include "connected_window.h"
#include "mymainwindow.h"
#include "mymainwindow_trend_state.h"

#include "ui_mymainwindow.h"
#include "ui_recordsetting.h"

#include "Get_data_thread.h"
#include "SwitchButton.h"
#include "Send_data_thread.h"
#include "box_watch.h"
#include "cfg_if_scpi_t.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "modal_answerer.h"
#include "program_look.h"
#include "record_file.h"
#include "recordSetting.h"
#include "uiPara.h"
#include "user_input.h"
#include "window_steps.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

#include <cmath>

namespace {

const QString wrong_file_text = "It's not the correct file !";
const QString refused_text = "Not carried out: the load was busy with the settings file.";

// What the load answers to "FUNC:MODE?" on the Function box's pages
// (External leaves the mode alone).
const QString page_modes[] = {"BASIC\n", "OCP\n", "BATTERY\n", "LIST\n", "PROGRAM\n", QString()};

bool write_file(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A reading as the window records it: the reply's number rounded to its
// decimals, written with 6 significant digits.
QString recorded(const QString& reply, int decimals)
{
    const double v = QString::number(reply.trimmed().toDouble(), 'f', decimals).toDouble();
    return QString::number(v, 'g', 6);
}

// Holds the first reply queued to the window after `thread` has started
// back until the thread has ended, then lets the window's 500 ms status
// check run there: between the end of a settings thread and its reply slot.
class status_check_gate : public QObject
{
public:
    status_check_gate(MyMainWindow* w, QThread* thread) : m_w(w), m_thread(thread) { w->installEventFilter(this); }
    ~status_check_gate() override { m_w->removeEventFilter(this); }

    bool ran = false;
    bool thread_ended = false;
    bool connected = false;   // the window's state after the check
    bool timer_active = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (ran || watched != m_w || event->type() != QEvent::MetaCall)
            return false;
        if (!m_thread->isRunning() && !m_thread->isFinished())
            return false; // not started yet
        ran = true;
        thread_ended = thread_order::wait(m_thread, 10000);
        m_w->device_status();
        connected = m_w->is_connected;
        timer_active = m_w->status_timer->isActive();
        return false;
    }

private:
    MyMainWindow* m_w;
    QThread* m_thread;
};

} // namespace

class tst_record_e2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void trend_grows_while_polling();
    void record_automatic_and_manual_intervals();
    void manual_rows_keep_time_with_a_slow_load();
    void record_ends_when_the_load_is_disconnected();
    void settings_saved_and_loaded_back();
    void wrong_settings_files_refused();
    void settings_bring_back_the_function();
    void status_check_does_not_end_a_settings_transfer();
    void clicks_during_a_settings_transfer_are_forgotten_data();
    void clicks_during_a_settings_transfer_are_forgotten();
    void a_settings_file_comes_back_on_its_page_data();
    void a_settings_file_comes_back_on_its_page();

private:
    bool connect_window(const std::function<void()>& before = std::function<void()>());
    void click_record()
    {
        QTest::mouseClick(cw->window()->ui->checkBox_Record, Qt::LeftButton, {}, QPoint(5, 8));
    }
    // The readings the load gives now, as a record row holds them.
    QString expected_row();
    // The Function box set to `page`, its entry done on the load.
    void show_page(int page);
    // A save or load through the File menu; returns when its prompt closed.
    void transfer(QAction* action, const QString& path);

    QTemporaryDir dir;
    std::unique_ptr<connected_window> cw;
    std::unique_ptr<modal_answerer> answerer;
};

void tst_record_e2e::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
    QVERIFY(dir.isValid());
}

void tst_record_e2e::init()
{
    cw.reset(new connected_window);
}

void tst_record_e2e::cleanup()
{
    if (answerer)
        QVERIFY2(answerer->unexpected().isEmpty(), qPrintable(answerer->unexpected().value(0).text));
    answerer.reset();
    cw.reset();
}

bool tst_record_e2e::connect_window(const std::function<void()>& before)
{
    if (!cw->start(QStringList(), before)) {
        qWarning("%s", qPrintable(cw->error()));
        return false;
    }
    // Boxes from here on are the test's to answer (not the connection's
    // wait prompt).
    answerer.reset(new modal_answerer);
    return true;
}

QString tst_record_e2e::expected_row()
{
    return recorded(cw->side_query("MEAS:CURR?"), 4) + "," + recorded(cw->side_query("MEAS:VOLT?"), 4) + ","
           + recorded(cw->side_query("MEAS:RES?"), 3) + "," + recorded(cw->side_query("MEAS:POW?"), 2);
}

void tst_record_e2e::show_page(int page)
{
    MyMainWindow* w = cw->window();
    w->ui->comboBox_Mode->setCurrentIndex(page);
    if (page < 5)
        QTRY_COMPARE(cw->side_query("FUNC:MODE?"), page_modes[page]);
    else
        QTRY_VERIFY(cw->side_query("EXT:MODE?") != "INT\n");
    QVERIFY(cw->wait_for_polls(2));
}

void tst_record_e2e::transfer(QAction* action, const QString& path)
{
    MyMainWindow* w = cw->window();
    file_dialog_stub files;
    files.answer(path);
    action->trigger();
    QTRY_VERIFY(!w->send_data_thread->isRunning() && !w->get_data_thread->isRunning());
    QVERIFY(cw->wait_for_polls(2));
}

void tst_record_e2e::trend_grows_while_polling()
{
    QVERIFY(connect_window());
    MyMainWindow* w = cw->window();
    QVERIFY2(cw->side_write({"CURR 1.25", "INP 1"}), qPrintable(cw->error()));
    const int before = w->trend->counter;
    QVERIFY(cw->wait_for_polls(10));
    QVERIFY(w->trend->counter >= before + 10);
    QCOMPARE(w->trend->raw[0].size(), w->trend->counter);
    QCOMPARE(w->trend->raw[3].size(), w->trend->counter);
    QTRY_COMPARE(w->trend->raw[0].last(), 1.25);
    QVERIFY(w->trend->raw[1].last() > 0);
    QCOMPARE(w->trend->shown[0].size(), w->trend->time_axis.size());
    QCOMPARE(w->ui->label_Wave_Max_C->text(), QString("1.2500"));

    if (!qEnvironmentVariableIsEmpty("WATTLEX_SHOT_DIR")) {
        QVERIFY(cw->wait_for_polls(100, 20000));
        const QDir out(qEnvironmentVariable("WATTLEX_SHOT_DIR"));
        QVERIFY(out.mkpath("."));
        QVERIFY(w->grab().save(out.filePath("record_e2e_window.png")));
        QVERIFY(w->ui->groupBox_Wave->grab().save(out.filePath("record_e2e_trend.png")));
    }
}

void tst_record_e2e::record_automatic_and_manual_intervals()
{
    QVERIFY(connect_window());
    MyMainWindow* w = cw->window();
    QVERIFY2(cw->side_write({"CURR 1.5", "INP 1"}), qPrintable(cw->error()));
    QTRY_COMPARE(w->trend->record_values[0], 1.5); // the poll sees the input on
    const QString row = expected_row();
    QVERIFY(row.startsWith("1.5,"));

    // automatic interval: one row per reading, five of them
    const QString auto_path = dir.filePath("auto.csv");
    set_up_record(cw->window(), auto_path, false, 0, true, 5, true, 1);
    click_record();
    QVERIFY(w->recording);
    answerer->press(QMessageBox::Ok);
    QVERIFY(answerer->wait_answered(10000));
    QCOMPARE(answerer->boxes()[0].text, QString("Save Complete"));
    QVERIFY(!w->recording);
    QVERIFY(!w->ui->checkBox_Record->isChecked());
    bool ok = false;
    QCOMPARE(record_rows(auto_path, &ok), QStringList(QVector<QString>(5, row).toList()));
    QVERIFY2(ok, read_file(auto_path).constData());

    // manual interval of 1 s, ended by an elapsed time of 3 s; the path typed
    const QString manual_path = dir.filePath("manual.csv");
    set_up_record(cw->window(), manual_path, true, 3, false, 1, false, 1, true);
    QElapsedTimer clock;
    clock.start();
    answerer->clear();
    answerer->press(QMessageBox::Ok);
    click_record();
    QVERIFY(w->recording);
    QVERIFY(answerer->wait_answered(10000));
    QVERIFY(clock.elapsed() >= 3000);
    QCOMPARE(answerer->boxes()[0].text, QString("Save Complete"));
    QVERIFY(!w->recording);
    const QStringList rows = record_rows(manual_path, &ok);
    QVERIFY2(ok, read_file(manual_path).constData());
    QVERIFY2(rows.size() >= 2 && rows.size() <= 3, qPrintable(rows.join('|')));
    for (const QString& r : rows)
        QCOMPARE(r, row);

    // the record path and rules are kept for the next start
    QCOMPARE(w->trend->record_path, manual_path);
    QVERIFY(!w->trend->record.settings.auto_interval);
}

// A load slower than the interval: every tick still writes a row with the
// latest readings, and "stop after N" counts those rows.
void tst_record_e2e::manual_rows_keep_time_with_a_slow_load()
{
    // from the cue "*CLS" on, every reply comes 600 ms late: a poll takes seconds
    if (!cw->start({"--fault-at", "*CLS", "--delay-ms", "600"}))
        QFAIL(qPrintable(cw->error()));
    answerer.reset(new modal_answerer);
    MyMainWindow* w = cw->window();
    QVERIFY2(cw->side_write({"CURR 1.5", "INP 1"}), qPrintable(cw->error()));
    QTRY_COMPARE(w->trend->record_values[0], 1.5);
    const QString row = expected_row();
    QVERIFY2(cw->side_write({"*CLS"}), qPrintable(cw->error()));

    const QString path = dir.filePath("slow.csv");
    set_up_record(w, path, false, 0, true, 3, false, 1);
    answerer->press(QMessageBox::Ok);
    const int polls_before = cw->poll_replies();
    click_record();
    QVERIFY(w->recording);
    QVERIFY(answerer->wait_answered(20000));
    QCOMPARE(answerer->boxes()[0].text, QString("Save Complete"));
    const int polls = cw->poll_replies() - polls_before;
    bool ok = false;
    QCOMPARE(record_rows(path, &ok), QStringList(QVector<QString>(3, row).toList()));
    QVERIFY2(ok, read_file(path).constData());
    // three rows in the time the load gave fewer sets
    QVERIFY2(polls < 3, qPrintable(QString::number(polls)));
    QVERIFY(w->is_connected);
}

void tst_record_e2e::record_ends_when_the_load_is_disconnected()
{
    QVERIFY(connect_window());
    MyMainWindow* w = cw->window();
    const QString path = dir.filePath("disconnected.csv");
    set_up_record(cw->window(), path, false, 0, false, 1, false, 1);
    click_record();
    QVERIFY(w->recording);
    answerer->press(QMessageBox::Ok);
    QVERIFY2(cw->disconnect(), qPrintable(cw->error()));
    QVERIFY(answerer->wait_answered(5000));
    QVERIFY(answerer->boxes()[0].text.contains("connection"));
    QVERIFY(!w->recording);
    QVERIFY(!w->ui->checkBox_Record->isChecked());
    bool ok = false;
    const int rows = record_rows(path, &ok).size();
    QVERIFY(ok);
    QTest::qWait(1200); // a tick more: nothing is added
    QCOMPARE(record_rows(path, &ok).size(), rows);
}

void tst_record_e2e::settings_saved_and_loaded_back()
{
    // Settings away from their defaults, read back by the connection.
    QVERIFY(connect_window([this] {
        QVERIFY(cw->side_write({"CURR 1.25", "VOLT 20", "RES 150", "POW 30", "LIST:COUN 7", "OCP:STAR 1.5"}));
    }));
    MyMainWindow* w = cw->window();
    answerer.reset(); // the wait prompts close themselves
    box_watch boxes({});
    uiPara* store = uiPara::instance();
    QCOMPARE(store->get_static_cc_i(), 1.25);
    QCOMPARE(w->ui->doubleSpinBox_1_Basic->value(), 1.25);

    // Save through the File menu; the file holds exactly the settings text.
    const QString path = dir.filePath("setup.wlx");
    const QString saved_text = store->to_settings_text();
    {
        file_dialog_stub files;
        files.answer(path);
        w->ui->actionSave->trigger(); // returns when the wait prompt closed
        QCOMPARE(files.calls().size(), 1);
        QVERIFY(files.calls()[0].save);
        QCOMPARE(files.calls()[0].filter, QString("wlx(*.wlx)"));
    }
    const QByteArray saved = read_file(path);
    QCOMPARE(QString::fromUtf8(saved), saved_text);
    QCOMPARE(saved.count(',') + 1, 1107);
    QVERIFY(saved.endsWith(",CURRENT,CURRENT,BASIC")); // the load was in static CC
    QVERIFY(!saved.endsWith('\n'));
    QVERIFY(!w->wait_prompt);
    QVERIFY(cw->wait_for_polls(3)); // the traffic runs again

    // The load and the window change behind each other's back.
    QVERIFY2(cw->side_write({"CURR 3.75", "VOLT 25", "LIST:COUN 9"}), qPrintable(cw->error()));
    store->set_static_cc_i(3.75);
    store->set_static_cv_v(25);
    QCOMPARE(w->ui->doubleSpinBox_1_Basic->value(), 3.75);
    QCOMPARE(cw->side_query("CURR?").trimmed(), QString("3.75"));

    // Load the file: the load and the window hold the saved settings again,
    // and the load's state is read back afterwards. The wait prompt counts
    // the commands as they go out.
    const int replies_before = cw->reply_ops().size();
    cw->sim().clear_log();
    QStringList told;
    const QMetaObject::Connection progress =
        connect(w->send_data_thread, &Send_data_thread::send_progress, w,
                [&] { told << (w->wait_prompt ? w->wait_prompt->informativeText() : QString("no prompt")); });
    {
        file_dialog_stub files;
        files.answer(path);
        w->ui->actionLoad->trigger(); // returns when the wait prompt closed
        QCOMPARE(files.calls().size(), 1);
        QVERIFY(!files.calls()[0].save);
    }
    disconnect(progress);
    QTRY_VERIFY(!w->send_data_thread->isRunning());
    QVERIFY(!w->wait_prompt);
    QCOMPARE(w->send_data_thread->last_failure(), Send_data_thread::no_failure);
    QTRY_VERIFY(cw->reply_ops().mid(replies_before).contains(31));
    QVERIFY(cw->wait_for_polls(3));
    QStringList settings_sent;
    for (const QString& m : cw->sim().received()) {
        if (!m.contains('?'))
            settings_sent << m;
    }
    QCOMPARE(settings_sent.value(0), QString("INP 0")); // the input off before ranges change
    QVERIFY(settings_sent.contains("CURR 1.25"));
    QCOMPARE(settings_sent.size(), w->send_data_thread->written_count());
    const int sent = settings_sent.size();
    QCOMPARE(told.size(), sent + 1);
    for (int i = 0; i <= sent; ++i)
        QCOMPARE(told.at(i), QString("%1 of %2 commands sent").arg(i).arg(sent));
    QCOMPARE(cw->side_query("CURR?").trimmed(), QString("1.25"));
    QCOMPARE(cw->side_query("VOLT?").trimmed(), QString("20"));
    QCOMPARE(cw->side_query("RES?").trimmed(), QString("150"));
    QCOMPARE(cw->side_query("LIST:COUN?").trimmed(), QString("7"));
    QCOMPARE(cw->side_query("OCP:STAR?").trimmed(), QString("1.5"));
    QCOMPARE(store->to_settings_text(), saved_text);
    QTRY_COMPARE(w->ui->doubleSpinBox_1_Basic->value(), 1.25);
    // Nothing the user asked was refused.
    QCOMPARE(w->statusBar()->currentMessage(), QString());
    // only the wait prompts showed
    for (const QString& text : boxes.seen)
        QVERIFY2(text.startsWith("Please waiting for the file"), qPrintable(text));
}

void tst_record_e2e::wrong_settings_files_refused()
{
    QVERIFY(connect_window());
    MyMainWindow* w = cw->window();
    uiPara* store = uiPara::instance();
    const QString before = store->to_settings_text();
    QStringList fields = before.split(',');
    QCOMPARE(fields.size(), 1107);
    // Values that parse but that no load of the family can hold.
    auto with = [&fields](int i, const char* value) {
        QStringList f = fields;
        f[i] = QLatin1String(value);
        return f.join(',').toUtf8();
    };

    QStringList short_fields = fields;
    short_fields.removeLast();
    QStringList bad_field = fields;
    bad_field[0] = "abc"; // a range word that is none
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"short.wlx", short_fields.join(',').toUtf8()},
        {"bad_field.wlx", bad_field.join(',').toUtf8()},
        {"empty.wlx", QByteArray()},
        {"binary.wlx", QByteArray("\x00\xff\x10,\x01", 5)},
        {"huge_level.wlx", with(2, "1e300")},
        {"negative_level.wlx", with(2, "-5000")},
        {"negative_steps.wlx", with(49 + 650, "-7")},
        {"intmax_steps.wlx", with(49 + 650 + 5, "2147483647")},
        {"led_transient.wlx", with(1105, "LED")},
    };
    answerer.reset(); // a file that reaches the settings thread shows a wait prompt first
    for (const auto& f : files) {
        const QString path = dir.filePath(f.name);
        QVERIFY(write_file(path, f.bytes));
        cw->sim().clear_log();
        box_watch boxes({{wrong_file_text, QMessageBox::Ok}});
        {
            file_dialog_stub stub;
            stub.answer(path);
            w->ui->actionLoad->trigger(); // returns when the warning is answered
        }
        QVERIFY2(!boxes.seen.isEmpty(), f.name);
        QCOMPARE(boxes.seen.last(), wrong_file_text);
        QCOMPARE(boxes.seen.count(wrong_file_text), 1);
        QVERIFY(!w->wait_prompt);
        // The thread ends just after the signal that brought the warning.
        QTRY_VERIFY(!w->send_data_thread->isRunning());
        if (QByteArray(f.name).contains('_')) // refused by the settings thread itself
            QCOMPARE(w->send_data_thread->last_failure(), Send_data_thread::bad_text);
        QCOMPARE(store->to_settings_text(), before);
        // the poll goes on; the load was sent no setting
        QVERIFY2(cw->wait_for_polls(3), f.name);
        const QStringList sent = cw->sim().received();
        QVERIFY(!sent.isEmpty());
        for (const QString& m : sent)
            QVERIFY2(m.contains('?'), qPrintable(QString("%1: %2").arg(f.name, m)));
    }
}

// The file brings back the function and mode the load was in when it was
// saved, in the load and in the window, whatever the user chose since.
void tst_record_e2e::settings_bring_back_the_function()
{
    QVERIFY(connect_window());
    MyMainWindow* w = cw->window();
    answerer.reset(); // the wait prompts close themselves
    auto click = [](QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 8)); };
    auto transfer = [&](QAction* action, const QString& path) {
        file_dialog_stub files;
        files.answer(path);
        action->trigger(); // returns when the wait prompt closed
        QTRY_VERIFY(!w->send_data_thread->isRunning() && !w->get_data_thread->isRunning());
        QVERIFY(cw->wait_for_polls(2));
    };
    Ui_MyMainWindow* ui = w->ui;

    // Saved in static CC, changed to CR, loaded: CC again in both.
    QTRY_VERIFY(ui->radioButton_CC_Basic->isChecked());
    const QString cc = dir.filePath("cc.wlx");
    transfer(ui->actionSave, cc);
    click(ui->radioButton_CR_Basic);
    QTRY_COMPARE(cw->side_query("FUNC?"), QString("RESISTANCE\n"));
    QTRY_COMPARE(w->func_code, 2);
    QVERIFY(cw->switch_input(true));
    QVERIFY(cw->side_write({"SIM:ALARM 4096"}));
    QTRY_COMPARE(w->sbar_alarm->text(), QString("Over voltage !"));
    transfer(ui->actionLoad, cc);
    QCOMPARE(cw->side_query("FUNC:MODE?"), QString("BASIC\n"));
    QCOMPARE(cw->side_query("FUNC?"), QString("CURRENT\n"));
    QTRY_COMPARE(w->func_code, 0);
    QVERIFY(ui->radioButton_CC_Basic->isChecked());
    QVERIFY(!ui->checkBox_Dynamic_Basic->isChecked());
    QCOMPARE(w->sbar_alarm->text(), QString()); // the alarm of the set-up before

    // Loaded from the Battery page: Basic set up as its own page entry does.
    ui->comboBox_Mode->setCurrentIndex(2);
    QTRY_COMPARE(w->func_code, 8);
    QVERIFY(!ui->label_C_Add->isHidden());
    QVERIFY(!ui->pushButton_Short->isEnabled());
    transfer(ui->actionLoad, cc);
    QTRY_COMPARE(w->func_code, 0);
    QVERIFY(ui->label_C_Add->isHidden());
    QVERIFY(ui->pushButton_Short->isEnabled());

    // Saved in dynamic CP, changed to static CV, loaded: dynamic CP again.
    click(ui->radioButton_CP_Basic);
    QTRY_COMPARE(w->func_code, 3);
    click_check(ui->checkBox_Dynamic_Basic);
    QTRY_COMPARE(cw->side_query("FUNC:MODE?"), QString("TRAN\n"));
    QCOMPARE(cw->side_query("FUNC:TRAN?"), QString("POWER\n"));
    const QString cp = dir.filePath("dynamic_cp.wlx");
    transfer(ui->actionSave, cp);
    QVERIFY(read_file(cp).endsWith(",POWER,POWER,TRAN"));
    click_check(ui->checkBox_Dynamic_Basic);
    QTRY_VERIFY(!w->is_dynamic);
    click(ui->radioButton_CV_Basic);
    QTRY_COMPARE(cw->side_query("FUNC?"), QString("VOLTAGE\n"));
    transfer(ui->actionLoad, cp);
    QCOMPARE(cw->side_query("FUNC:MODE?"), QString("TRAN\n"));
    QCOMPARE(cw->side_query("FUNC:TRAN?"), QString("POWER\n"));
    QTRY_VERIFY(w->is_dynamic);
    QVERIFY(ui->checkBox_Dynamic_Basic->isChecked());
    QVERIFY(ui->radioButton_CP_Basic->isChecked());

    // A file of the older form leaves the function as it is.
    QByteArray older = read_file(cc);
    older.truncate(older.lastIndexOf(',', older.lastIndexOf(',', older.lastIndexOf(',') - 1) - 1));
    QCOMPARE(older.count(',') + 1, 1104);
    const QString older_path = dir.filePath("older.wlx");
    QVERIFY(write_file(older_path, older));
    transfer(ui->actionLoad, older_path);
    QCOMPARE(w->send_data_thread->last_failure(), Send_data_thread::no_failure);
    QCOMPARE(cw->side_query("FUNC:MODE?"), QString("TRAN\n"));
    QCOMPARE(cw->side_query("FUNC:TRAN?"), QString("POWER\n"));
}

void tst_record_e2e::status_check_does_not_end_a_settings_transfer()
{
    QVERIFY(connect_window());
    MyMainWindow* w = cw->window();
    answerer.reset(); // the wait prompts close themselves
    box_watch boxes({});
    const QString path = dir.filePath("status.wlx");
    const struct {
        QAction* action;
        QThread* thread;
    } transfers[] = {
        {w->ui->actionSave, w->get_data_thread},
        {w->ui->actionLoad, w->send_data_thread},
    };
    for (const auto& t : transfers) {
        const QString name = t.action->objectName();
        {
            status_check_gate gate(w, t.thread);
            file_dialog_stub files;
            files.answer(path);
            t.action->trigger(); // returns when the wait prompt closed
            QVERIFY2(gate.ran && gate.thread_ended, qPrintable(name));
            QVERIFY2(gate.connected, qPrintable(name));
            QVERIFY2(gate.timer_active, qPrintable(name));
        }
        QVERIFY(!w->wait_prompt);
        QVERIFY(w->is_connected);
        QVERIFY(w->status_timer->isActive());
        // The traffic runs again and the next status checks find it.
        QVERIFY2(cw->wait_for_polls(3), qPrintable(name));
        QVERIFY(w->cfg_thread->isRunning());
        w->device_status();
        QVERIFY(w->is_connected);
    }
    QVERIFY(QFile::exists(path));
    QCOMPARE(w->send_data_thread->last_failure(), Send_data_thread::no_failure);
    for (const QString& text : boxes.seen)
        QVERIFY2(text.startsWith("Please waiting for the file"), qPrintable(text));
}

// While a settings file is loaded or saved, a click on ON/OFF and a value
// typed (on External, which has no value box, a range clicked) are not
// carried out, then or later; the status line says so. With nothing
// clicked it tells nothing: what the window asks itself meanwhile is no
// click. The prompt stays until the transfer has ended, and the window then
// shows what was loaded.
void tst_record_e2e::clicks_during_a_settings_transfer_are_forgotten_data()
{
    QTest::addColumn<bool>("click");
    QTest::addColumn<bool>("load");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");   // empty: the box is a button, clicked
    QTest::addColumn<QString>("command"); // what the entry would send
    QTest::addColumn<int>("pause_ms");    // after each write to the load
    const struct {
        const char* page_name;
        const char* box;
        const char* typed;
        const char* command;
    } pages[] = {
        {"Basic", "doubleSpinBox_1_Basic", "2.75", "CURR 2.75"},
        {"Protect", "doubleSpinBox_Protect_Start", "0.25", "OCP:STAR 0.25"},
        {"Battery", "doubleSpinBox_1_Battery", "0.75", "BATT:LEV 0.75"},
        {"List", "spinBox_Count_List", "9", "LIST:COUN 9"},
        {"Program", "spinBox_Step_Prog", "7", "PROG:STEP 7"},
        {"External", "radioButton_30A_Ext", "", "EXT:IRANG 30"},
    };
    for (const bool click : {true, false}) {
        for (int page = 0; page < 6; ++page) {
            const auto& p = pages[page];
            for (const bool load : {true, false}) {
                // Clicked on List at the real load's pace (a load takes some 27 s).
                const int pause_ms = click && page == 3 ? 25 : 1;
                QTest::addRow("%s on %s%s", load ? "load" : "save", p.page_name, click ? "" : ", nothing clicked")
                    << click << load << page << QString(p.box) << QString(p.typed) << QString(p.command)
                    << pause_ms;
            }
        }
    }
}

void tst_record_e2e::clicks_during_a_settings_transfer_are_forgotten()
{
    QFETCH(bool, click);
    QFETCH(bool, load);
    QFETCH(int, page);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, command);
    QFETCH(int, pause_ms);
    QVERIFY(connect_window());
    MyMainWindow* w = cw->window();
    answerer.reset(); // the wait prompts close themselves
    box_watch boxes({});
    show_page(page);
    auto* value_box = w->findChild<QAbstractSpinBox*>(box);
    auto* button = w->findChild<QAbstractButton*>(box);
    QVERIFY(value_box || button);
    const QString path = dir.filePath("clicks.wlx");
    if (load)
        transfer(w->ui->actionSave, path);
    const QString shown = value_box ? value_box->text() : QString();
    QVERIFY(!value_box || shown != typed);

    // The clicks, once the transfer holds the load.
    bool clicked = false;
    QStringList without_prompt;
    auto click_now = [&] {
        if (clicked || !click)
            return;
        clicked = true;
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        if (value_box)
            type_and_leave(value_box, typed);
        else
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 8));
    };
    auto prompt_shown = [&](const QString& when) {
        if (!w->wait_prompt || w->wait_prompt_kind != MyMainWindow::wait_t::settings)
            without_prompt << when;
    };
    int last_done = -1;
    int total = 0;
    QMetaObject::Connection during;
    if (load) {
        during = connect(w->send_data_thread, &Send_data_thread::send_progress, w, [&](int done, int all) {
            prompt_shown(QString::number(done));
            last_done = done;
            total = all;
            if (done == 5)
                click_now();
        });
    } else {
        during = connect(w->get_data_thread, &QThread::started, w, [&] {
            prompt_shown("started");
            click_now();
        }, Qt::QueuedConnection);
    }
    QStringList told;
    const QMetaObject::Connection status =
        connect(w->statusBar(), &QStatusBar::messageChanged, w, [&](const QString& text) { told << text; });
    cw->sim().clear_log();
    const int pause_before = cfg_if_scpi_t::write_pause_ms();
    cfg_if_scpi_t::set_write_pause_ms(pause_ms);
    {
        file_dialog_stub files;
        files.answer(path);
        (load ? w->ui->actionLoad : w->ui->actionSave)->trigger(); // returns when the prompt closed
    }
    cfg_if_scpi_t::set_write_pause_ms(pause_before);
    disconnect(during);
    QCOMPARE(clicked, click);
    QVERIFY2(without_prompt.isEmpty(), qPrintable(without_prompt.join(' ')));
    // The prompt closed with the transfer's end, not before.
    if (load)
        QCOMPARE(last_done, total);
    else
        QVERIFY(QFile::exists(path));
    QCOMPARE(w->statusBar()->currentMessage(), click ? refused_text : QString());

    // Nothing of the clicks reached the load, then or afterwards.
    QVERIFY(cw->wait_for_polls(3));
    QTRY_COMPARE(w->ui->comboBox_Mode->currentIndex(), page);
    QVERIFY(cw->wait_for_polls(2));
    const QStringList received = cw->sim().received();
    QVERIFY2(!received.contains("INP 1"), qPrintable(received.filter("INP").join(' ')));
    QVERIFY2(!received.contains(command), qPrintable(command));
    QCOMPARE(cw->side_query("INP?"), QString("0\n"));
    QVERIFY(!w->load_switch->getSelectedItem());
    if (value_box)
        QTRY_COMPARE(value_box->text(), shown);
    else
        QTRY_VERIFY(w->ui->radioButton_5A_Ext->isChecked());
    for (const QString& text : boxes.seen)
        QVERIFY2(text.startsWith("Please waiting for the file"), qPrintable(text));
    disconnect(status);
    QVERIFY2(click || told.filter(refused_text).isEmpty(), qPrintable(told.join(" | ")));
}

// Saved on any page, after the External page was left in either of its
// modes, a file loads back onto its page, from another one; the load is in
// the mode saved.
void tst_record_e2e::a_settings_file_comes_back_on_its_page_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("visit"); // the mode External was left in
    QTest::addColumn<bool>("chinese");
    const char* const names[] = {"Basic", "Protect", "Battery", "List", "Program", "External"};
    for (int page = 0; page < 6; ++page) {
        for (const char* visit : {"EXTI", "EXTV"})
            QTest::addRow("%s after %s", names[page], visit) << page << QString(visit) << false;
    }
    QTest::newRow("List after EXTV, in Chinese") << 3 << "EXTV" << true;
}

void tst_record_e2e::a_settings_file_comes_back_on_its_page()
{
    QFETCH(int, page);
    QFETCH(QString, visit);
    QFETCH(bool, chinese);
    QTranslator zh;
    if (chinese) {
        QVERIFY(zh.load(":/languages/Wattlex_zh.qm"));
        QCoreApplication::installTranslator(&zh);
    }
    struct remove_at_end {
        QTranslator* t;
        ~remove_at_end() { QCoreApplication::removeTranslator(t); }
    } remove{&zh};
    QVERIFY(connect_window());
    MyMainWindow* w = cw->window();
    answerer.reset(); // the wait prompts close themselves
    box_watch boxes({});
    Ui_MyMainWindow* ui = w->ui;
    auto click = [](QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 8)); };
    auto choose_ext = [&](const QString& mode) {
        click(mode == "EXTI" ? ui->radioButton_CC_Ext : ui->radioButton_CV_Ext);
        QTRY_COMPARE(cw->side_query("EXT:MODE?"), mode + "\n");
        QVERIFY(cw->wait_for_polls(2));
    };

    show_page(5);
    choose_ext(visit);
    QString saved_ext = "INT";
    if (page == 5) {
        // Left, and back in the other mode.
        show_page(0);
        show_page(5);
        saved_ext = visit == "EXTI" ? "EXTV" : "EXTI";
        choose_ext(saved_ext);
    } else {
        show_page(page);
    }
    const QString saved_mode = cw->side_query("FUNC:MODE?");
    QCOMPARE(cw->side_query("EXT:MODE?"), saved_ext + "\n");
    const QString path = dir.filePath("page.wlx");
    transfer(ui->actionSave, path);
    const QByteArray text = read_file(path);
    QCOMPARE(text.count(',') + 1, 1107);

    show_page(page == 5 ? 0 : (page + 1) % 6);
    transfer(ui->actionLoad, path);
    QTRY_COMPARE(ui->comboBox_Mode->currentIndex(), page);
    QCOMPARE(w->mode_page, page);
    QCOMPARE(cw->side_query("FUNC:MODE?"), saved_mode);
    QCOMPARE(cw->side_query("EXT:MODE?"), saved_ext + "\n");
    if (page < 5)
        QCOMPARE(saved_mode, page_modes[page]);
    else
        QVERIFY((saved_ext == "EXTI" ? ui->radioButton_CC_Ext : ui->radioButton_CV_Ext)->isChecked());
    QCOMPARE(w->send_data_thread->last_failure(), Send_data_thread::no_failure);
    // Only the wait prompts showed.
    const QStringList prompts = {QCoreApplication::translate("MyMainWindow", "Please waiting for the file saving"),
                                 QCoreApplication::translate("MyMainWindow", "Please waiting for the file setting")};
    for (const QString& seen : boxes.seen)
        QVERIFY2(prompts.contains(seen), qPrintable(seen));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program's look, for screenshots as users see them.
    use_program_font();
    tst_record_e2e t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_record_e2e.moc"
