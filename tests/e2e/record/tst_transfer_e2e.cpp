// Settings transfers that meet other work, against the simulated load: a
// save or load pressed while a load is being identified, a click made as a
// transfer's or a connection's prompt closes, a save while a run goes on.
#include "connected_window.h"
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "ProgResultWin.h"
#include "Send_data_thread.h"
#include "SwitchButton.h"
#include "box_watch.h"
#include "cfg_if_scpi_t.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "program_look.h"
#include "record_file.h"
#include "uiPara.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
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
    void a_click_as_a_prompt_closes_is_shown_data();
    void a_click_as_a_prompt_closes_is_shown();
    void a_save_during_a_run_leaves_it_running_data();
    void a_save_during_a_run_leaves_it_running();

private:
    QTemporaryDir dir;
    std::unique_ptr<connected_window> cw;
};

// A save or a load pressed while a slow load is being identified waits for
// the connection's read-back, under its own prompt: the store then holds
// what the load holds (as a new connection reads it back), and so does a
// saved file. Nothing the user did was refused. A load that does not answer
// is not connected: nothing is saved or loaded, and the status line says why.
void tst_transfer_e2e::a_transfer_pressed_while_a_load_is_identified_data()
{
    QTest::addColumn<bool>("load");
    QTest::addColumn<bool>("answers");
    QTest::newRow("save") << false << true;
    QTest::newRow("load") << true << true;
    QTest::newRow("save, the load not answering") << false << false;
    QTest::newRow("load, the load not answering") << true << false;
}

void tst_transfer_e2e::a_transfer_pressed_while_a_load_is_identified()
{
    QFETCH(bool, load);
    QFETCH(bool, answers);
    const QString wrong_resource = "It's not the correct resource !";
    // Not answering, it tells so quickly (its reads cut short).
    const QStringList silent = {"--stop-after", "0", "--max-read-wait", "300"};
    QVERIFY2(cw->start_sim(answers ? QStringList() : silent), qPrintable(cw->error()));
    if (answers)
        QVERIFY2(cw->side_write({"CURR 2.5", "VOLT 21", "LIST:COUN 7", "OCP:STAR 1.5"}), qPrintable(cw->error()));
    QVERIFY2(cw->make_window() && cw->add_lan_address(), qPrintable(cw->error()));
    MyMainWindow* w = cw->window();
    uiPara* store = uiPara::instance();
    const QString path = dir.filePath(answers ? "identified.wlx" : "not_identified.wlx");
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
    box_watch boxes({{wrong_resource, QMessageBox::Ok}});
    QStringList told;
    connect(w->statusBar(), &QStatusBar::messageChanged, w, [&](const QString& text) { told << text; });

    // Pressed once the identification has begun: its result is handled
    // only after the press.
    cfg_if_scpi_t::set_write_pause_ms(150);
    QVERIFY2(cw->connect_from_tree(), qPrintable(cw->error()));
    QVERIFY(QTest::qWaitFor([&] { return cw->sim().received().contains("*IDN?\n"); }, 5000));
    cfg_if_scpi_t::set_write_pause_ms(1);
    QVERIFY(!w->is_connected);
    {
        file_dialog_stub files;
        files.answer(path);
        (load ? w->ui->actionLoad : w->ui->actionSave)->trigger(); // returns when its prompt closed
    }
    const QString prompt = load ? "Please waiting for the file setting" : "Please waiting for the file saving";
    if (!answers) {
        QTRY_COMPARE(boxes.seen, QStringList({prompt, wrong_resource}));
        QCOMPARE(told, QStringList({"Not carried out: no load was connected."}));
        QVERIFY(!w->is_connected);
        QVERIFY(!w->wait_prompt);
        QCOMPARE(QFile::exists(path), load);
        QCOMPARE(store->get_static_cc_i(), 3.0);
        return;
    }
    QVERIFY(w->is_connected);
    QVERIFY(cw->wait_for_polls(3));
    QCOMPARE(w->send_data_thread->last_failure(), Send_data_thread::no_failure);
    const struct {
        const char *query, *held, *loaded;
    } values[] = {{"CURR?", "2.5", "1.75"}, {"VOLT?", "21", "12"}, {"LIST:COUN?", "7", "5"}, {"OCP:STAR?", "1.5", "0.75"}};
    for (const auto& v : values)
        QCOMPARE(cw->side_query(v.query).trimmed(), QString(load ? v.loaded : v.held));
    QCOMPARE(store->get_static_cc_i(), load ? 1.75 : 2.5);
    const QString held = store->to_settings_text();
    if (!load)
        QCOMPARE(QString::fromUtf8(read_file(path)), held);
    // Only the transfer's prompt showed (over the connection's read-back),
    // and the status line told nothing.
    QCOMPARE(boxes.seen, QStringList({prompt}));
    QVERIFY2(told.join("").isEmpty(), qPrintable(told.join(" | ")));

    // A new connection reads every setting back: the store held them all.
    cw->mark_connect_start();
    w->connect_tcpip_address("127.0.0.1");
    QVERIFY2(cw->wait_connected(), qPrintable(cw->error()));
    QCOMPARE(store->to_settings_text(), held);
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
    QTest::newRow("list") << QStringList{"LIST:STAT:ON", "LIST:COUN 2"} << true << "List state:Running";
    QTest::newRow("program") << QStringList{"PROG:STAT:ON"} << true << "Program state:Running";
    QTest::newRow("OCP test") << QStringList{"OCP:FUNC"} << false << "";
    QTest::newRow("OPP test") << QStringList{"OPP:FUNC"} << false << "";
    QTest::newRow("battery test") << QStringList{"BATT:FUNC", "BATT:TIM:STAT 1", "BATT:TIM 4"} << false << "";
}

void tst_transfer_e2e::a_save_during_a_run_leaves_it_running()
{
    QFETCH(QStringList, set_up);
    QFETCH(bool, trigger);
    QFETCH(QString, running);
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
        // Some readings of the run (a list's or program's own poll, else the poll).
        const int replies = cw->reply_ops().size();
        QTRY_VERIFY(cw->reply_ops().size() >= replies + 3);
        const int from = cw->received_count();
        if (save) {
            QVERIFY2(runs(), "the run ended before the save");
            file_dialog_stub files;
            files.answer(dir.filePath("run.wlx"));
            w->ui->actionSave->trigger(); // returns when its prompt closed
            QVERIFY(QFile::exists(dir.filePath("run.wlx")));
            QVERIFY2(runs(), "the save ended the run");
        }
        // Its end, by itself: the input off, the result shown.
        QTRY_VERIFY_WITH_TIMEOUT(!w->load_switch->getSelectedItem(), 30000);
        QVERIFY(cw->wait_for_polls(4, 20000));
        QCOMPARE(cw->side_query("INP?"), QString("0\n"));
        results[save] = run_result(w, boxes.seen);
        const QStringList commands = cw->sim().received().mid(from).filter(QRegularExpression("^[^?]*$"));
        QVERIFY2(commands.isEmpty(), qPrintable(pass + ": " + commands.join(" | ")));
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
