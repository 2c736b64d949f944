// Settings transfers that meet other work, against the simulated load: a
// save or load pressed while a load is being identified, a click made as a
// transfer's or a connection's prompt closes, a save while a run goes on.
#include "connected_window.h"
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "Get_data_thread.h"
#include "ProgResultWin.h"
#include "Send_data_thread.h"
#include "SwitchButton.h"
#include "box_watch.h"
#include "cfg_if_scpi_t.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "mute_host.h"
#include "program_look.h"
#include "record_file.h"
#include "uiPara.h"
#include "user_input.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <iterator>
#include <memory>

namespace {

bool write_file(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

class tst_transfer_e2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
        QVERIFY(dir.isValid());
    }
    void init() { cw.reset(new connected_window); }
    void cleanup() { cw.reset(); }

    void a_transfer_pressed_while_a_load_is_identified_data();
    void a_transfer_pressed_while_a_load_is_identified();
    void an_answer_given_during_a_save_is_not_carried_out_data();
    void an_answer_given_during_a_save_is_not_carried_out();
    void a_click_as_a_prompt_closes_is_shown_data();
    void a_click_as_a_prompt_closes_is_shown();
    void a_save_during_a_run_leaves_it_running_data();
    void a_save_during_a_run_leaves_it_running();

private:
    QTemporaryDir dir;
    std::unique_ptr<connected_window> cw;
};

// A save or a load pressed while a slow load is being identified (or, for
// a save, once it is identified, while its state is read back) waits for the
// connection's read-back, under its own prompt: the store then holds what
// the load holds (as a new connection reads it back), and so does a saved
// file; the load hears the save after the read-back. Nothing the user did
// was refused. A load that does not answer, a load that drops the link at
// the read-back's first message, or a host that never answers, switched to
// from a connected load, is not connected: the prompt closes, nothing is
// saved or sent, the status line says why, Save works again, and the boxes
// are those of the same road with nothing pressed (no box about a load left).
// Where no load is connected, the window never takes itself for connected.
void tst_transfer_e2e::a_transfer_pressed_while_a_load_is_identified_data()
{
    QTest::addColumn<QString>("press"); // "save", "load" or "" (nothing)
    // "answers"; "silent": takes the link, answers nothing; "lost": drops the
    // link at the read-back's first message; "mute": a host that takes TCP and
    // never answers, switched to from a connected load.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("in_readback"); // pressed once identified, during the read-back
    QTest::newRow("save") << "save" << "answers" << false;
    QTest::newRow("load") << "load" << "answers" << false;
    QTest::newRow("save, during the read-back") << "save" << "answers" << true;
    QTest::newRow("save, the load not answering") << "save" << "silent" << false;
    QTest::newRow("load, the load not answering") << "load" << "silent" << false;
    QTest::newRow("save, the load lost at the read-back") << "save" << "lost" << false;
    QTest::newRow("load, the load lost at the read-back") << "load" << "lost" << false;
    QTest::newRow("nothing, switching to a mute host") << "" << "mute" << false;
    QTest::newRow("save, switching to a mute host") << "save" << "mute" << false;
    QTest::newRow("load, switching to a mute host") << "load" << "mute" << false;
}

void tst_transfer_e2e::a_transfer_pressed_while_a_load_is_identified()
{
    QFETCH(QString, press);
    QFETCH(QString, kind);
    QFETCH(bool, in_readback);
    const bool load = press == "load";
    const bool connects = kind == "answers" || kind == "lost";
    const QString wrong_resource = "It's not the correct resource !";
    const QString lost = "The connection to the load was lost.";
    const QString mute_address = "127.0.0.4";
    // Not answering, it tells so quickly (its reads cut short). Lost, it
    // closes the link at the first message after the identification's last.
    const QMap<QString, QStringList> sim_args = {
        {"silent", {"--stop-after", "0", "--max-read-wait", "300"}},
        {"lost", {"--fault-at", "SYST:REMOT:STAT 1", "--drop-after", "1", "--fault-for", "2"}}};
    QVERIFY2(cw->start_sim(sim_args.value(kind)), qPrintable(cw->error()));
    if (kind != "silent")
        QVERIFY2(cw->side_write({"CURR 2.5", "VOLT 21", "LIST:COUN 7", "OCP:STAR 1.5"}), qPrintable(cw->error()));
    const struct {
        const char *query, *held, *loaded;
    } values[] = {{"CURR?", "2.5", "1.75"}, {"VOLT?", "21", "12"}, {"LIST:COUN?", "7", "5"}, {"OCP:STAR?", "1.5", "0.75"}};
    QVERIFY2(cw->make_window() && cw->add_lan_address(), qPrintable(cw->error()));
    MyMainWindow* w = cw->window();
    uiPara* store = uiPara::instance();
    const QString path = dir.filePath(QString(QTest::currentDataTag()) + ".wlx");
    auto set_store = [store](double cc, double cv, int count, double start) {
        store->set_static_cc_i(cc);
        store->set_static_cv_v(cv);
        store->set_list_count(count);
        store->set_ocpt_i_start(start);
    };
    // A file of other values again, for the load; then what the store held
    // before this load was connected.
    set_store(1.75, 12, 5, 0.75);
    if (load)
        QVERIFY(write_file(path, store->to_settings_text().toUtf8()));
    set_store(3, 30, 3, 0.5);
    mute_host host;
    if (kind == "mute") {
        // Its address added while nothing listens there, so that its scan is quick.
        QVERIFY2(cw->connect_from_tree() && cw->wait_connected() && cw->add_lan_address(mute_address),
                 qPrintable(cw->error()));
        QVERIFY(host.listen(mute_address));
    }
    box_watch boxes({{wrong_resource, QMessageBox::Ok}, {lost, QMessageBox::Ok}});
    QObject scope; // ends the test's connections with the test
    QStringList told;
    connect(w->statusBar(), &QStatusBar::messageChanged, &scope, [&](const QString& text) { told << text; });
    QElapsedTimer clock;
    clock.start();
    qint64 lost_at = -1; // the loss seen: the command thread ended
    connect(w->cfg_thread, &QThread::finished, &scope, [&] { lost_at = lost_at < 0 ? clock.elapsed() : lost_at; });
    bool marked_connected = false;
    QTimer marks;
    connect(&marks, &QTimer::timeout, [&] { marked_connected = marked_connected || w->is_connected; });
    // A prompt that never closes would hold the test: closed after a bound,
    // and the row fails.
    bool stuck = false;
    QTimer stuck_bound;
    connect(&stuck_bound, &QTimer::timeout, [&] {
        stuck = stuck || w->wait_prompt;
        w->close_wait_prompt();
    });
    stuck_bound.start(20000);
    qint64 closed_at = -1;
    auto press_it = [&] {
        if (press.isEmpty())
            return;
        file_dialog_stub files;
        files.answer(path);
        (load ? w->ui->actionLoad : w->ui->actionSave)->trigger(); // returns when its prompt closed
        closed_at = clock.elapsed();
    };

    if (in_readback) {
        // Once the connection's read-back has been posted.
        bool reading_back = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (!reading_back && w->connection_readback_open) {
                reading_back = w->session_stage() == MyMainWindow::stage_t::reading_back;
                press_it();
            }
        });
        watch.start(2);
        QVERIFY2(cw->connect_from_tree(), qPrintable(cw->error()));
        QTRY_VERIFY_WITH_TIMEOUT(closed_at >= 0, 20000);
        QVERIFY(reading_back);
    } else if (kind == "mute") {
        // Pressed at once.
        QVERIFY2(cw->choose_from_menu(cw->lan_item(mute_address), w->action_connect->text()), qPrintable(cw->error()));
        marks.start(5);
        press_it();
    } else {
        // Pressed once the identification has begun: its result is handled
        // only after the press.
        cfg_if_scpi_t::set_write_pause_ms(150);
        QVERIFY2(cw->connect_from_tree(), qPrintable(cw->error()));
        if (!connects)
            marks.start(5);
        QVERIFY(QTest::qWaitFor([&] { return cw->sim().received().contains("*IDN?\n"); }, 5000));
        cfg_if_scpi_t::set_write_pause_ms(1);
        QVERIFY(!w->is_connected);
        press_it();
    }
    stuck_bound.stop();
    QVERIFY2(!stuck, "the transfer's prompt stayed up");
    const QStringList prompt = press.isEmpty() ? QStringList()
                               : QStringList(load ? "Please waiting for the file setting" : "Please waiting for the file saving");
    // Pressed during the read-back, the transfer's prompt replaces the
    // connection's.
    if (in_readback)
        boxes.seen.removeAll("Please waiting for the data initing");
    if (kind != "answers") {
        const QString why = kind == "lost" ? lost : wrong_resource;
        QTRY_VERIFY_WITH_TIMEOUT(boxes.seen.contains(why), 15000);
        QTest::qWait(1000); // a box about a load left would come within two status checks
        QCOMPARE(boxes.seen, prompt + QStringList(why));
        QCOMPARE(told, prompt.isEmpty() ? QStringList() : QStringList("Not carried out: no load was connected."));
        QVERIFY(!marked_connected);
        QVERIFY(!w->is_connected && !w->connected_item && !w->wait_prompt);
        QCOMPARE(QFile::exists(path), load);
        QCOMPARE(store->get_static_cc_i(), kind == "mute" ? 2.5 : 3.0);
        if (kind == "lost") {
            qInfo() << "the prompt closed" << closed_at - lost_at << "ms after the loss was seen";
            QVERIFY(lost_at >= 0 && closed_at - lost_at < 2000);
        }
        // Nothing was sent: the load (the one left, for a switch) holds its own values.
        if (kind != "silent") {
            for (const auto& v : values)
                QCOMPARE(cw->side_query(v.query).trimmed(), QString(v.held));
        }
        // Save is taken again: its file dialog opens.
        file_dialog_stub files;
        w->ui->actionSave->trigger();
        QCOMPARE(files.calls().size(), 1);
        return;
    }
    QVERIFY(w->is_connected);
    QVERIFY(cw->wait_for_polls(3));
    QCOMPARE(w->send_data_thread->last_failure(), Send_data_thread::no_failure);
    for (const auto& v : values)
        QCOMPARE(cw->side_query(v.query).trimmed(), QString(load ? v.loaded : v.held));
    QCOMPARE(store->get_static_cc_i(), load ? 1.75 : 2.5);
    const QString held = store->to_settings_text();
    if (!load) {
        QCOMPARE(QString::fromUtf8(read_file(path)), held);
        // The save's own questions came after the state read-back's.
        const QString got = cw->sim().received().join('|');
        const int state_read = got.indexOf("FUNC:MODE?|FUNC?|FUNC:TRAN?|TIME:TEST?");
        QVERIFY2(state_read >= 0 && state_read < got.indexOf("FUNC:MODE?|FUNC?|FUNC:TRAN?|EXT:MODE?"), qPrintable(got));
    }
    // Only the transfer's prompt showed (over the connection's read-back),
    // and the status line told nothing.
    QCOMPARE(boxes.seen, prompt);
    QVERIFY2(told.join("").isEmpty(), qPrintable(told.join(" | ")));

    // A new connection reads every setting back: the store held them all.
    cw->mark_connect_start();
    w->connect_tcpip_address("127.0.0.1");
    QVERIFY2(cw->wait_connected(), qPrintable(cw->error()));
    QCOMPARE(store->to_settings_text(), held);
}

// Battery page, capacity accumulated by an earlier discharge: the user
// switches the input on and presses Save at once. The question about the
// capacity comes during the save, and Yes is answered while the command
// thread still serves what was posted before the press ("busy"), or once it
// has ended ("ended"). That answer is the user's, made while the load is
// busy with the file: not carried out, then or later, and told so. Without
// a save the discharge starts.
void tst_transfer_e2e::an_answer_given_during_a_save_is_not_carried_out_data()
{
    QTest::addColumn<QString>("save"); // "", "busy" or "ended"
    QTest::newRow("no save") << "";
    QTest::newRow("save, the command thread busy") << "busy";
    QTest::newRow("save, the command thread ended") << "ended";
}

void tst_transfer_e2e::an_answer_given_during_a_save_is_not_carried_out()
{
    QFETCH(QString, save);
    const QString question = "Do you want to clean up the accumulated capacity?";
    // An earlier discharge on the load's fast clock: some mAh accumulated.
    QVERIFY2(cw->start({"--time-scale", "10"}, [&] {
        QVERIFY(cw->side_write({"BATT:FUNC", "BATT:LEV 5", "INP 1"}));
        QTest::qWait(500);
        QVERIFY(cw->side_write({"INP 0"}));
    }), qPrintable(cw->error()));
    MyMainWindow* w = cw->window();
    QCOMPARE(w->mode_page, 2);
    QVERIFY(cw->side_query("BATT:ADDCAP?").trimmed().toInt() > 0);
    QVERIFY(cw->wait_for_polls(2));
    const QString capacity_shown = w->ui->label_C_Add->text();

    // Yes, once the row's moment has come (late, and the row fails, when
    // it never does).
    bool in_moment = false;
    QElapsedTimer shown;
    box_watch boxes({});
    boxes.answer_when(question, QMessageBox::Yes, [&] {
        if (!shown.isValid())
            shown.start();
        in_moment = save == "busy"    ? w->cfg_thread->isRunning() && w->cfg_thread->held()
                    : save == "ended" ? !w->cfg_thread->carries_replies() && w->get_data_thread->isRunning()
                                      : true;
        return in_moment || shown.elapsed() > 5000;
    });
    QObject scope;
    QStringList told;
    connect(w->statusBar(), &QStatusBar::messageChanged, &scope, [&](const QString& text) { told << text; });

    // Every message takes its time: the command thread still serves the
    // values typed when the question comes, and the save's own exchange
    // outlasts an answer given after the thread ended.
    const int pause_ms = cfg_if_scpi_t::write_pause_ms();
    const auto undo = qScopeGuard([pause_ms] { cfg_if_scpi_t::set_write_pause_ms(pause_ms); });
    cfg_if_scpi_t::set_write_pause_ms(100);
    const int from = cw->received_count();
    QTest::mouseClick(w->load_switch, Qt::LeftButton);
    if (save == "busy") {
        type_and_leave(w->ui->doubleSpinBox_1_Battery, "4", w->ui->comboBox_Mode);
        type_and_leave(w->ui->doubleSpinBox_1_Battery, "3", w->ui->comboBox_Mode);
    }
    const bool saved = !save.isEmpty();
    if (saved) {
        file_dialog_stub files;
        files.answer(dir.filePath("answered.wlx"));
        w->ui->actionSave->trigger(); // returns when its prompt closed
        QVERIFY(QFile::exists(dir.filePath("answered.wlx")));
    }
    QTRY_VERIFY_WITH_TIMEOUT(shown.isValid() && !QApplication::activeModalWidget(), 10000);
    cfg_if_scpi_t::set_write_pause_ms(pause_ms);
    QVERIFY(in_moment);
    // Then and later.
    QVERIFY(cw->wait_for_polls(3));
    QCOMPARE(cw->received_since("INP 1", from), !saved);
    QCOMPARE(cw->received_since("BATT:ADDCAP:STAT 0", from), !saved);
    QCOMPARE(w->ui->label_C_Add->text(), saved ? capacity_shown : QString("Cap_Add:0mAh"));
    QCOMPARE(told, saved ? QStringList("Not carried out: the load was busy with the settings file.") : QStringList());
}

namespace {

// A control clicked, with what the load and the window then run. A later
// entry of the read-back may select the page's function as the load ran it
// before (Protect, External): then that is what both show.
const struct click_t {
    const char* name;
    const char* before; // what the load runs before the click
    const char* control;
    const char* query; // what the load runs after it
    const char* runs;
    int function;
    const char *undone_runs, *undone_control;
    int undone_function;
} clicks[] = {
    {"Basic CC", "FUNC VOLT", "radioButton_CC_Basic", "FUNC?", "CURRENT\n", 0, "", "", 0},
    {"Basic CV", "FUNC CURR", "radioButton_CV_Basic", "FUNC?", "VOLTAGE\n", 1, "", "", 0},
    {"Basic CR", "FUNC CURR", "radioButton_CR_Basic", "FUNC?", "RESISTANCE\n", 2, "", "", 0},
    {"Basic CP", "FUNC CURR", "radioButton_CP_Basic", "FUNC?", "POWER\n", 3, "", "", 0},
    {"Basic dynamic", "FUNC CURR", "checkBox_Dynamic_Basic", "FUNC:MODE?", "TRAN\n", 5, "", "", 0},
    {"Protect OPP", "OCP:FUNC", "radioButton_OPPT", "FUNC:MODE?", "OPP\n", 7, "OCP\n", "radioButton_OCPT", 6},
    {"Battery CP", "BATT:FUNC", "radioButton_CP_Battery", "BATT:MODE?", "POWER\n", 8, "", "", 0},
    {"List CV", "LIST:STAT:ON", "radioButton_CV_List", "LIST:MODE?", "VOLTAGE\n", 13, "", "", 0},
    {"External CV", "EXT:MODE EXTI", "radioButton_CV_Ext", "EXT:MODE?", "EXTV\n", 25, "EXTI\n", "radioButton_CC_Ext", 24},
};

} // namespace

// A control clicked as the prompt of a load, of a save or of a connection
// closes, before the state read-back that follows it (twice, as it may be,
// after a connection) is laid out: the window shows what the load runs,
// and goes by it (the function the poll and the Short button use).
void tst_transfer_e2e::a_click_as_a_prompt_closes_is_shown_data()
{
    QTest::addColumn<QString>("road"); // "load", "save" or "connect"
    QTest::addColumn<int>("row");      // in clicks[]
    for (const char* road : {"load", "save", "connect"}) {
        for (int row = 0; row < int(std::size(clicks)); ++row)
            QTest::addRow("%s after a %s", clicks[row].name, road) << QString(road) << row;
    }
}

void tst_transfer_e2e::a_click_as_a_prompt_closes_is_shown()
{
    QFETCH(QString, road);
    QFETCH(int, row);
    const click_t& c = clicks[row];
    QVERIFY2(cw->start_sim(), qPrintable(cw->error()));
    QVERIFY2(cw->side_write({c.before}), qPrintable(cw->error()));
    QVERIFY2(cw->make_window() && cw->add_lan_address(), qPrintable(cw->error()));
    MyMainWindow* w = cw->window();
    box_watch boxes({});
    auto* button = w->findChild<QAbstractButton*>(c.control);
    QVERIFY(button);
    auto click = [&] { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 8)); };
    bool clicked = false;
    if (road == "connect") {
        // Once the first state reply has been laid out and its prompt closed.
        connect(w->cfg_thread, &cfg_thread_t::send_result, w, [&](int op) {
            if (op == 31 && !clicked) {
                clicked = true;
                click();
            }
        }, Qt::QueuedConnection);
    }
    QVERIFY2(cw->connect_from_tree() && cw->wait_connected(), qPrintable(cw->error()));
    const int page = w->ui->comboBox_Mode->currentIndex();
    if (road != "connect") {
        file_dialog_stub files;
        files.answer(dir.filePath("as_it_closes.wlx")); // saved, then loaded
        files.answer(dir.filePath("as_it_closes.wlx"));
        w->ui->actionSave->trigger(); // returns when its prompt closed
        if (road == "load") {
            QVERIFY(cw->wait_for_polls(2));
            w->ui->actionLoad->trigger();
        }
        clicked = true;
        click();
    }
    QTRY_VERIFY(clicked);
    QVERIFY(cw->wait_for_polls(3));

    // The window shows what the load runs, and goes by it. A save reads
    // nothing back after it: what was clicked stays.
    const QString load_runs = cw->side_query(c.query);
    const bool undone = road != "save" && *c.undone_runs && load_runs == c.undone_runs;
    QCOMPARE(load_runs, QString(undone ? c.undone_runs : c.runs));
    QTRY_VERIFY(w->findChild<QAbstractButton*>(undone ? c.undone_control : c.control)->isChecked());
    QCOMPARE(w->func_code, undone ? c.undone_function : c.function);
    if (c.function < 5)
        QCOMPARE(w->basic_mode, c.function);
    QCOMPARE(w->is_dynamic, c.function == 5);
    QCOMPARE(w->ui->comboBox_Mode->currentIndex(), page);
    QCOMPARE(w->mode_page, page);
    for (const QString& text : boxes.seen)
        QVERIFY2(text.startsWith("Please waiting for the"), qPrintable(text));
}

namespace {

// What a run leaves shown at its end: the boxes seen (but for the save's
// prompt), the run state, a program's results, a discharge's capacity and
// time.
QStringList run_result(MyMainWindow* w, const QStringList& boxes)
{
    QStringList shown = boxes;
    shown.removeAll(QStringLiteral("Please waiting for the file saving"));
    shown << w->sbar_run_state->text() << w->ui->label_R->text() << w->ui->label_P->text();
    if (w->prog_result_win) {
        const QTableWidget* t = w->prog_result_win->result_table();
        for (int r = 0; r < t->rowCount(); ++r) {
            for (int c = 0; c < t->columnCount(); ++c)
                shown << (t->item(r, c) ? t->item(r, c)->text() : QString());
        }
    }
    return shown;
}

} // namespace

// A save while a list or a program runs, or an OCP, OPP or battery test: the
// run goes on and ends as the same run does without a save, with the same
// result; from the save's press to the run's end the load is only asked,
// never told anything.
void tst_transfer_e2e::a_save_during_a_run_leaves_it_running_data()
{
    QTest::addColumn<QStringList>("set_up"); // what the load runs, set before connecting
    QTest::addColumn<bool>("trigger");
    QTest::addColumn<QString>("running"); // the status line while it runs (empty: a test)
    // Saved as the test ends: once the poll has seen the input off twice, so
    // that the poll reply served during the hold asks the test's result.
    QTest::addColumn<bool>("at_end");
    QTest::newRow("list") << QStringList{"LIST:STAT:ON", "LIST:COUN 2"} << true << "List state:Running" << false;
    QTest::newRow("program") << QStringList{"PROG:STAT:ON"} << true << "Program state:Running" << false;
    QTest::newRow("OCP test") << QStringList{"OCP:FUNC"} << false << "" << false;
    QTest::newRow("OPP test") << QStringList{"OPP:FUNC"} << false << "" << false;
    QTest::newRow("battery test") << QStringList{"BATT:FUNC", "BATT:TIM:STAT 1", "BATT:TIM 4"} << false << "" << false;
    QTest::newRow("OCP test, saved as it ends") << QStringList{"OCP:FUNC"} << false << "" << true;
}

void tst_transfer_e2e::a_save_during_a_run_leaves_it_running()
{
    QFETCH(QStringList, set_up);
    QFETCH(bool, trigger);
    QFETCH(QString, running);
    QFETCH(bool, at_end);
    QStringList results[2];
    for (const bool save : {false, true}) {
        const QString pass = save ? "with the save" : "without a save";
        cw.reset(new connected_window);
        // The load's clock twice as fast: a run of some seconds.
        QVERIFY2(cw->start({"--time-scale", "2"}, [&] { QVERIFY(cw->side_write(set_up)); }), qPrintable(cw->error()));
        MyMainWindow* w = cw->window();
        // The page entered, a program's steps read.
        QVERIFY(cw->wait_for_polls(2));
        QTRY_VERIFY(w->mode_page != 4 || w->ui->spinBox_Step_Prog->value() > 0);
        box_watch boxes({{"List run complete !", QMessageBox::Ok},
                         {"Test complete!", QMessageBox::Ok},
                         {"Below limit, Test fail!", QMessageBox::Ok},
                         {"Over limit, Test fail!", QMessageBox::Ok},
                         {"Failure! The measured value did not meet the set value", QMessageBox::Ok}});
        QVERIFY(cw->switch_input(true));
        if (trigger)
            QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        auto runs = [&] {
            if (!w->load_switch->getSelectedItem())
                return false;
            if (!running.isEmpty())
                return w->sbar_run_state->text().startsWith(running);
            return w->ocp_test_state != 0 || w->opp_test_state != 0 || w->ui->label_R->text().endsWith("mAh");
        };
        QTRY_VERIFY2(runs(), qPrintable(pass));
        QObject scope;
        QStringList told;
        connect(w->statusBar(), &QStatusBar::messageChanged, &scope, [&](const QString& text) { told << text; });
        const QString file = dir.filePath(QString(QTest::currentDataTag()) + ".wlx");
        int from = -1;
        auto press_save = [&] {
            from = cw->received_count();
            file_dialog_stub files;
            files.answer(file);
            w->ui->actionSave->trigger(); // returns when its prompt closed
        };
        if (save && at_end) {
            connect(w->cfg_thread, &cfg_thread_t::send_result, &scope, [&](int op) {
                if (op == 183 && from < 0 && w->ocp_test_state == 3)
                    press_save();
            }, Qt::QueuedConnection); // after the window's own handling
        } else {
            // Some readings of the run (a list's or program's own poll, else the poll).
            const int replies = cw->reply_ops().size();
            QTRY_VERIFY(cw->reply_ops().size() >= replies + 3);
            from = cw->received_count();
        }
        if (save && !at_end) {
            QVERIFY2(runs(), "the run ended before the save");
            press_save();
            QVERIFY2(runs(), "the save ended the run");
        }
        // Its end, by itself: the input off, the result shown.
        QTRY_VERIFY_WITH_TIMEOUT(!w->load_switch->getSelectedItem(), 30000);
        QVERIFY(cw->wait_for_polls(4, 20000));
        QCOMPARE(QFile::exists(file), save);
        QCOMPARE(cw->side_query("INP?"), QString("0\n"));
        results[save] = run_result(w, boxes.seen);
        const QStringList commands = cw->sim().received().mid(from).filter(QRegularExpression("^[^?]*$"));
        QVERIFY2(commands.isEmpty(), qPrintable(pass + ": " + commands.join(" | ")));
        QVERIFY2(told.isEmpty(), qPrintable(pass + ": " + told.join(" | ")));
    }
    QCOMPARE(results[1], results[0]);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    use_program_font();
    tst_transfer_e2e t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_transfer_e2e.moc"
