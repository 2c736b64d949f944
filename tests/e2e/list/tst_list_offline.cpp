// List panel without a load: the page follows the parameter store, the run
// display and the preview follow run-state replies (of a run the window has
// left, for another page or by a new trigger: not at all), and .list files
// are checked before anything is sent or written.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "ListPreviewWin.h"
#include "ProgResultWin.h"
#include "SwitchButton.h"
#include "block_check.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "modal_answerer.h"
#include "recording_thread.h"
#include "ui_preview_plot_t.h"
#include "uiPara.h"
#include "user_input.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QDoubleSpinBox* cell(MyMainWindow* w, int row, int column)
{
    return qobject_cast<QDoubleSpinBox*>(w->ui->tableWidget_List->cellWidget(row, column));
}

QColor step_colour(MyMainWindow* w, int row)
{
    return w->ui->tableWidget_List->item(row, 0)->foreground().color();
}

// Rows of a run's table whose step is coloured other than the normal colour.
QList<int> marked_steps(MyMainWindow* w, QTableWidget* table)
{
    QList<int> rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        if (table->item(r, 0) && table->item(r, 0)->foreground().color() != QColor(w->enabled_colour))
            rows << r;
    }
    return rows;
}

// A list block as the load sends it: any body, byte 0 the NOT of the XOR of the rest.
QByteArray valid_block(char fill)
{
    QByteArray block(1232, fill);
    block[5] = 2;
    block[0] = static_cast<char>(block_check::check_byte(block));
    return block;
}

void set_levels(const QStringList& levels)
{
    uiPara* para = uiPara::instance();
    for (int i = 0; i < levels.size(); ++i)
        para->set_list_set_by_index(levels.at(i), i);
}

} // namespace

class tst_list_offline : public QObject
{
    Q_OBJECT

    enum road_t { road_run_reply, road_poll_reply, road_session_lost, road_basic_page, road_prog_page };
    enum run_kind_t { list_run, prog_run };
    enum late_t { late_running, late_ended, late_then_poll, late_trigger };

    std::unique_ptr<MyMainWindow> w;
    QTemporaryDir dir;

    // What the window does with a list run-state reply.
    void run_state(int step, int stop, int load)
    {
        w->deal_list_trigger_thread(step, stop, load);
        emit w->sig_list_trigger_thread(step, stop, load);
    }

    // The window's requests go to a recorder and stay unanswered: the test
    // hands each reply back with what its request carried.
    recording_thread* record_posts()
    {
        auto* rec = new recording_thread;
        rec->setParent(w.get());
        w->cfg_thread = rec;
        rec->start();
        w->is_connected = true;
        return rec;
    }

    static cfg_request_t served_op(const QList<cfg_request_t>& served, int op)
    {
        for (const cfg_request_t& r : served) {
            if (r.button_model == op)
                return r;
        }
        return cfg_request_t();
    }

    static QList<int> ops_of(const QList<cfg_request_t>& served)
    {
        QList<int> ops;
        for (const cfg_request_t& r : served)
            ops << r.button_model;
        return ops;
    }

    void open_list_page()
    {
        w->ui->comboBox_Mode->setCurrentIndex(3);
        QCOMPARE(w->mode_page, 3);
    }

private slots:
    void init()
    {
        uiPara* para = uiPara::instance();
        para->set_list_mode(0);
        para->set_list_i_range(0);
        para->set_list_v_range(0);
        para->set_list_count(1);
        para->set_list_step(5);
        w.reset(new MyMainWindow);
        w->show();
    }

    void cleanup()
    {
        w.reset();
    }

    // The page shows what the store holds, by mode, range and count.
    void page_follows_store()
    {
        uiPara* para = uiPara::instance();
        set_levels({"1.5", "2", "0.25"});
        para->set_list_width_by_index("3\n", 1);
        open_list_page();
        QTableWidget* table = w->ui->tableWidget_List;
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(table->item(4, 0)->text(), QStringLiteral("5"));
        QVERIFY(!(table->item(0, 0)->flags() & Qt::ItemIsEditable));
        QCOMPARE(cell(w.get(), 0, 1)->value(), 1.5);
        QCOMPARE(cell(w.get(), 1, 2)->value(), 3.0);
        QCOMPARE(w->ui->spinBox_Step_List->value(), 5);

        struct mode_case { int mode; const char* header; bool om; bool slew; double level_max; };
        const mode_case cases[] = {{1, "Set(V)", false, false, 36.0}, {2, "Set(Ω)", true, false, 10000.0},
                                   {3, "Set(W)", false, false, 300.0}, {0, "Set(A)", false, true, 5.0}};
        for (const mode_case& c : cases) {
            para->set_list_mode(c.mode);
            QCOMPARE(table->horizontalHeaderItem(1)->text(), QString::fromUtf8(c.header));
            QCOMPARE(w->ui->radioButton_om_List->isEnabled(), c.om);
            QCOMPARE(table->isColumnHidden(3), !c.slew);
            QCOMPARE(cell(w.get(), 2, 1)->maximum(), c.level_max);
        }
        QVERIFY(w->ui->radioButton_CC_List->isChecked());
        para->set_list_mode(7); // not a mode: nothing changes
        QVERIFY(w->ui->radioButton_CC_List->isChecked());
        para->set_list_mode(0);

        para->set_list_i_range(1);
        QVERIFY(w->ui->radioButton_30A_List->isChecked());
        QCOMPARE(w->ui->doubleSpinBox_C_MAX->maximum(), 30.0);
        QCOMPARE(cell(w.get(), 0, 1)->maximum(), 30.0);
        para->set_list_v_range(1);
        QVERIFY(w->ui->radioButton_150V_List->isChecked());
        QCOMPARE(w->ui->doubleSpinBox_V_MIN->maximum(), 150.0);

        para->set_list_count(0);
        QVERIFY(!w->ui->label_infinite_List->isHidden());
        para->set_list_count(3);
        QVERIFY(w->ui->label_infinite_List->isHidden());
        QCOMPARE(w->ui->spinBox_Count_List->value(), 3);

        // Shrinking drops rows, growing builds them with the stored values.
        para->set_list_step(2);
        QCOMPARE(table->rowCount(), 2);
        para->set_list_step(4);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(cell(w.get(), 2, 1)->value(), 0.25);
        // A count the store cannot hold gives no rows past its 100 steps.
        para->set_list_step(150);
        QCOMPARE(table->rowCount(), 100);
        para->set_list_step(5);

        // By-index updates outside the table are ignored.
        w->update_list_set_by_index(QStringLiteral("4"), 99);
        w->update_list_set_by_index(QStringLiteral("4"), -1);
        para->set_list_set_by_index(QStringLiteral("4.5\n"), 4);
        QCOMPARE(cell(w.get(), 4, 1)->value(), 4.5);

        // Another page ignores the store.
        w->ui->comboBox_Mode->setCurrentIndex(0);
        para->set_list_mode(1);
        QVERIFY(w->ui->radioButton_CC_List->isChecked());
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Set(A)"));
        para->set_list_mode(0);
    }

    // Without a load the mode buttons only change the resistance range button.
    void not_connected_posts_nothing()
    {
        open_list_page();
        const int before = w->cfg_thread->pending_requests();
        QTest::mouseClick(w->ui->radioButton_CR_List, Qt::LeftButton);
        QVERIFY(w->ui->radioButton_om_List->isEnabled());
        QTest::mouseClick(w->ui->radioButton_CV_List, Qt::LeftButton);
        QVERIFY(!w->ui->radioButton_om_List->isEnabled());
        QTest::mouseClick(w->ui->radioButton_CR_List, Qt::LeftButton);
        QTest::mouseClick(w->ui->radioButton_CC_List, Qt::LeftButton);
        QVERIFY(!w->ui->radioButton_om_List->isEnabled());
        QTest::mouseClick(w->ui->radioButton_30A_List, Qt::LeftButton);
        QDoubleSpinBox* level = cell(w.get(), 1, 1);
        level->setFocus();
        QTest::keyClick(level, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(level, "2.5");
        w->ui->spinBox_Step_List->setFocus();
        QCOMPARE(level->value(), 2.5); // kept, not undone
        file_dialog_stub files;
        QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
        QTest::mouseClick(w->ui->pushButton_Inport_List, Qt::LeftButton);
        QCOMPARE(files.calls().size(), 0);
        QCOMPARE(w->cfg_thread->pending_requests(), before);
    }

    // The running step is green, a halted one red; the end is announced once per run.
    void run_display()
    {
        uiPara::instance()->set_list_step(20);
        open_list_page();
        QTableWidget* table = w->ui->tableWidget_List;
        QTest::qWait(1); // the table lays its new rows out
        const QColor white(w->enabled_colour);
        for (int step : {1, 2, 3})
            w->deal_list_trigger_thread(step, 0, 1);
        for (int r = 0; r < 20; ++r)
            QCOMPARE(step_colour(w.get(), r), r == 2 ? QColor(Qt::green) : white);
        QCOMPARE(table->verticalScrollBar()->value(), 2);

        w->deal_list_trigger_thread(4, 1, 1);
        QCOMPARE(step_colour(w.get(), 3), QColor(w->halted_colour));
        QCOMPARE(step_colour(w.get(), 2), white);

        // Steps the list does not have colour nothing and do not fail.
        w->deal_list_trigger_thread(0, 0, 1);
        w->deal_list_trigger_thread(250, 0, 1);
        for (int r = 0; r < 20; ++r)
            QCOMPARE(step_colour(w.get(), r), white);
        w->deal_list_trigger_thread(5, 7, 1); // other stop value: only the scroll
        QCOMPARE(step_colour(w.get(), 4), white);

        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        w->deal_list_trigger_thread(20, 0, 0);
        QVERIFY(answerer.wait_answered());
        w->deal_list_trigger_thread(20, 0, 0);
        QTest::qWait(50);
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("List run complete !"));
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("List state:Stop 0/20"));
        for (int r = 0; r < 20; ++r)
            QCOMPARE(step_colour(w.get(), r), white);

        // The next run may announce its end again.
        w->deal_list_trigger_thread(1, 0, 1);
        answerer.press(QMessageBox::Ok);
        w->deal_list_trigger_thread(1, 0, 0);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().size(), 2);
        QVERIFY(answerer.unexpected().isEmpty());
    }

    // The preview plots the levels as steps and marks the running step.
    void preview()
    {
        uiPara* para = uiPara::instance();
        para->set_list_step(3);
        set_levels({"1", "2", "1.5"});
        open_list_page();
        QTest::mouseClick(w->ui->pushButton_Preview_List, Qt::LeftButton);
        ListPreviewWin* preview = w->list_preview_win;
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->windowTitle(), QStringLiteral("List Preview"));
        QCOMPARE(preview->size(), QSize(1106, 259));
        QCOMPARE(preview->plot()->geometry(), QRect(20, 20, 1066, 219));
        QCOMPARE(preview->level_x(), (QVector<double>{0, 1, 2, 3}));
        QCOMPARE(preview->level_y(), (QVector<double>{1, 1, 2, 1.5}));
        QCOMPARE(preview->plot()->axisInterval(QwtPlot::xBottom).maxValue(), 3.0);
        QCOMPARE(preview->plot()->axisInterval(QwtPlot::yLeft).maxValue(), 2.0);

        // A level redraws it, a width or a slew does not.
        para->set_list_set_by_index(QStringLiteral("12.3\n"), 1);
        QCOMPARE(preview->level_y().at(2), 12.3);
        QCOMPARE(preview->plot()->axisInterval(QwtPlot::yLeft).maxValue(), 13.0);
        QCOMPARE(preview->plot()->axisStepSize(QwtPlot::yLeft), 2.0);
        para->set_list_step(4);
        QCOMPARE(preview->level_x().size(), 5);
        const QVector<double> before = preview->level_y();
        para->set_list_width_by_index(QStringLiteral("7"), 0);
        para->set_list_slew_by_index(QStringLiteral("0.2"), 0);
        QCOMPARE(preview->level_y(), before);

        // Running step 2: a segment from x 1 to 2 at its level; input off removes it.
        run_state(2, 0, 1);
        QCOMPARE(preview->running_x(), (QVector<double>{2, 1}));
        QCOMPARE(preview->running_y(), (QVector<double>{12.3, 12.3}));
        run_state(9, 0, 1); // no such step: no marker
        QVERIFY(preview->running_x().isEmpty());
        run_state(2, 0, 1);
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        run_state(2, 0, 0);
        QVERIFY(answerer.wait_answered());
        QVERIFY(preview->running_x().isEmpty());

        // An open preview behind the main window comes to the front.
        QVERIFY(show_active(w.get()));
        QTest::mouseClick(w->ui->pushButton_Preview_List, Qt::LeftButton);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(preview));

        // Units follow the mode; the window is kept and shown again.
        para->set_list_mode(2);
        preview->close();
        QTest::mouseClick(w->ui->pushButton_Preview_List, Qt::LeftButton);
        QCOMPARE(w->list_preview_win, preview);
        QVERIFY(preview->isVisible());
        if (!qEnvironmentVariableIsEmpty("WATTLEX_SHOT_DIR")) {
            w->grab().save(qEnvironmentVariable("WATTLEX_SHOT_DIR") + "/list_page_offline.png");
            preview->grab().save(qEnvironmentVariable("WATTLEX_SHOT_DIR") + "/list_preview_offline.png");
        }
        para->set_list_mode(0);
    }

    // Every road that shows the run stopped (or no run at all) takes the
    // running-step marker off the preview.
    void preview_marker_ends_with_the_run_data()
    {
        QTest::addColumn<int>("road");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("box");
        QTest::newRow("run-state reply, input off") << int(road_run_reply) << "List state:Stop 0/4"
                                                    << "List run complete !";
        QTest::newRow("measurement reply, input off") << int(road_poll_reply) << "List state:Stop 0/4" << "";
        QTest::newRow("session lost") << int(road_session_lost) << "" << "The connection to the load was lost.";
        QTest::newRow("Basic page") << int(road_basic_page) << "" << "";
        QTest::newRow("Program page") << int(road_prog_page) << "Program state:Stop 0" << "";
    }

    void preview_marker_ends_with_the_run()
    {
        QFETCH(int, road);
        QFETCH(QString, status);
        QFETCH(QString, box);
        uiPara::instance()->set_list_step(4);
        set_levels({"1", "3", "2", "4"});
        open_list_page();
        QTest::mouseClick(w->ui->pushButton_Preview_List, Qt::LeftButton);
        ListPreviewWin* preview = w->list_preview_win;
        QVERIFY(preview);
        const QStringList readings = {"1\n", "5\n", "5\n", "5\n"};
        // Sets of the run the page shows.
        const int run = w->run_number;
        w->deal_cfg_thread(15, QStringList({"2\n", "0\n", "1\n"}) + readings, {}, run);
        QCOMPARE(preview->running_points(), 2);
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("List state:Running 2/4"));

        modal_answerer answerer;
        if (!box.isEmpty())
            answerer.press(QMessageBox::Ok);
        switch (road) {
        case road_run_reply:
            w->deal_cfg_thread(15, QStringList({"2\n", "0\n", "0\n"}) + readings, {}, run);
            break;
        case road_poll_reply: // the load halted the run; the poll sees the input off
            w->deal_cfg_thread(183, {"0\n", "0\n", "5\n", "0\n", "0\n", "1\n"}, {}, 0);
            break;
        case road_session_lost:
            w->is_connected = true; // with no command thread running: the status check ends it
            w->device_status();
            break;
        case road_basic_page:
            w->ui->comboBox_Mode->setCurrentIndex(0);
            break;
        case road_prog_page:
            w->ui->comboBox_Mode->setCurrentIndex(4);
            break;
        }
        if (!box.isEmpty()) {
            QVERIFY(answerer.wait_answered());
            QCOMPARE(answerer.boxes().last().text, box);
        }
        QCOMPARE(w->sbar_run_state->text(), status);
        QCOMPARE(preview->running_points(), 0);
        QVERIFY(preview->running_x().isEmpty());
        QCOMPARE(preview->level_y(), (QVector<double>{1, 1, 3, 2, 4}));
        QVERIFY(answerer.unexpected().isEmpty());
    }

    // A run-state reply already on its way when the user chose another page
    // (posted before the change, handled after) belongs to a run the window
    // no longer shows: it changes nothing shown and asks nothing. So does
    // the poll's reply after it, and so does the reply of a trigger pressed
    // before the change. Coming back to the run's page shows a new, stopped
    // run: the old run's replies are as late there.
    void late_run_reply_after_a_page_change_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("late");
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("results"); // the results asked before the change arrive
        const QList<int> basic{0};
        QTest::newRow("list running, Basic") << int(list_run) << int(late_running) << basic << "" << "1.0000A" << false;
        QTest::newRow("list ended, Basic") << int(list_run) << int(late_ended) << basic << "" << "1.0000A" << false;
        QTest::newRow("list, then the poll, Basic") << int(list_run) << int(late_then_poll) << basic << ""
                                                    << "0.0000A" << false;
        QTest::newRow("list running, Program") << int(list_run) << int(late_running) << QList<int>{4}
                                               << "Program state:Stop 0" << "1.0000A" << false;
        QTest::newRow("program running, Basic") << int(prog_run) << int(late_running) << basic << "" << "1.0000A"
                                                << false;
        QTest::newRow("program ended with its results, Basic")
            << int(prog_run) << int(late_ended) << basic << "" << "1.0000A" << true;
        QTest::newRow("program, then the poll, Basic") << int(prog_run) << int(late_then_poll) << basic << ""
                                                       << "0.0000A" << false;
        QTest::newRow("program running, List") << int(prog_run) << int(late_running) << QList<int>{3}
                                               << "List state:Stop 0/4" << "1.0000A" << false;
        // Left and entered again (as the mouse wheel over the selector does).
        QTest::newRow("list running, Basic and back") << int(list_run) << int(late_running) << QList<int>{0, 3}
                                                      << "List state:Stop 0/4" << "1.0000A" << false;
        QTest::newRow("list ended, Basic and back") << int(list_run) << int(late_ended) << QList<int>{0, 3}
                                                    << "List state:Stop 0/4" << "1.0000A" << false;
        QTest::newRow("program running, External and back")
            << int(prog_run) << int(late_running) << QList<int>{5, 4} << "Program state:Stop 0" << "1.0000A" << false;
        QTest::newRow("program ended, External and back")
            << int(prog_run) << int(late_ended) << QList<int>{5, 4} << "Program state:Stop 0" << "1.0000A" << false;
        // Trig pressed again, and the page changed before its reply.
        QTest::newRow("list trigger, Program") << int(list_run) << int(late_trigger) << QList<int>{4}
                                               << "Program state:Stop 0" << "1.0000A" << false;
        QTest::newRow("list trigger, Basic and back") << int(list_run) << int(late_trigger) << QList<int>{0, 3}
                                                      << "List state:Stop 0/4" << "1.0000A" << false;
        QTest::newRow("program trigger, List") << int(prog_run) << int(late_trigger) << QList<int>{3}
                                               << "List state:Stop 0/4" << "1.0000A" << false;
        QTest::newRow("program trigger, External and back")
            << int(prog_run) << int(late_trigger) << QList<int>{5, 4} << "Program state:Stop 0" << "1.0000A" << false;
    }

    void late_run_reply_after_a_page_change()
    {
        QFETCH(int, kind);
        QFETCH(int, late);
        QFETCH(QList<int>, pages);
        QFETCH(QString, status);
        QFETCH(QString, current);
        QFETCH(bool, results);
        uiPara* para = uiPara::instance();
        para->set_list_step(4);
        para->set_program_step(4);
        set_levels({"1", "3", "2", "4"});
        recording_thread* rec = record_posts();
        open_list_page();
        QTest::mouseClick(w->ui->pushButton_Preview_List, Qt::LeftButton);
        ListPreviewWin* preview = w->list_preview_win;
        QVERIFY(preview);

        // The run as the window shows it: triggered with the input on, step 2
        // running. Each reply comes back with what its request carried.
        const bool list = kind == list_run;
        const int run_op = list ? 15 : 16;
        w->ui->comboBox_Mode->setCurrentIndex(list ? 3 : 4);
        w->load_switch->setSelectedItem(true);
        QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        w->deal_cfg_thread(82, {}, {}, served_op(rec->take_served(), 82).private_data);
        const cfg_request_t run_poll = served_op(rec->take_served(), run_op);
        QCOMPARE(run_poll.button_model, run_op);
        QTableWidget* table = list ? w->ui->tableWidget_List : w->ui->tableWidget_Prog;
        if (list)
            w->deal_cfg_thread(15, {"2\n", "0\n", "1\n", "1\n", "5\n", "5\n", "5\n"}, {}, run_poll.private_data);
        else
            w->deal_cfg_thread(16, {"2\n", "0\n", "1\n", "1\n", "5\n", "5\n", "5\n", "1\n", "0\n"}, {},
                               run_poll.private_data);
        QCOMPARE(w->sbar_run_state->text(), list ? QString("List state:Running 2/4") : QString("Program state:Running 2"));
        QCOMPARE(marked_steps(w.get(), table), QList<int>{1});
        QCOMPARE(preview->running_points(), list ? 2 : 0);

        // Trig again, its reply not yet handled when the page changes.
        cfg_request_t trigger;
        if (late == late_trigger) {
            QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
            trigger = served_op(rec->take_served(), 82);
            QCOMPARE(trigger.button_model, 82);
        }
        for (int page : pages)
            w->ui->comboBox_Mode->setCurrentIndex(page);
        rec->take_served(); // the pages' own requests
        modal_answerer answerer;
        if (late == late_trigger) {
            w->deal_cfg_thread(82, {}, {}, trigger.private_data);
        } else {
            // Sets read before the change: step 3, other readings; ended: the input off.
            const char* input = late == late_ended ? "0\n" : "1\n";
            for (int set = 0; set < (late == late_ended && !list ? 2 : 1); ++set) {
                if (list)
                    w->deal_cfg_thread(15, {"3\n", "0\n", input, "1.2345\n", "6\n", "6\n", "6\n"}, {},
                                       run_poll.private_data);
                else
                    w->deal_cfg_thread(16, {"3\n", "0\n", input, "1.2345\n", "6\n", "6\n", "6\n", "1\n", "0\n"}, {},
                                       run_poll.private_data);
            }
        }
        QCOMPARE(ops_of(rec->take_served()), QList<int>());
        if (results) // asked before the change: shown wherever the user went
            w->deal_cfg_thread(66, {"0.5,2.5,3.0,4500,\n"}, {}, 0);
        if (late == late_then_poll) // the new page's poll: the input went off
            w->deal_cfg_thread(183, {"0\n", "0\n", "5\n", "0\n", "0\n", "1\n"}, {}, 0);

        QCOMPARE(w->sbar_run_state->text(), status);
        QCOMPARE(marked_steps(w.get(), w->ui->tableWidget_List), QList<int>());
        QCOMPARE(marked_steps(w.get(), w->ui->tableWidget_Prog), QList<int>());
        QCOMPARE(preview->running_points(), 0);
        QCOMPARE(w->ui->label_C->text(), current);
        QCOMPARE(w->ui->label_V->text(), QStringLiteral("5.0000V"));
        QCOMPARE(w->prog_result_win && w->prog_result_win->isVisible(), results);
        QVERIFY(answerer.unexpected().isEmpty());
        w->is_connected = false;
    }

    // Files are checked before anything goes to the load or to the disk.
    void files_are_checked()
    {
        open_list_page();
        w->is_connected = true; // the posts stay in the (not running) command thread
        file_dialog_stub files;
        modal_answerer answerer;
        const int start = w->cfg_thread->pending_requests();

        // Cancelled dialogs post nothing.
        QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
        QTest::mouseClick(w->ui->pushButton_Inport_List, Qt::LeftButton);
        QCOMPARE(files.calls().size(), 2);
        QVERIFY(files.calls().at(0).save);
        QCOMPARE(files.calls().at(0).filter, QStringLiteral("list(*.list)"));
        QCOMPARE(w->cfg_thread->pending_requests(), start);

        // Wrong sizes and a wrong check byte are refused: a poll, the warning, no import.
        QByteArray good = valid_block('\x21');
        QByteArray bad_check = good;
        bad_check[700] = static_cast<char>(bad_check.at(700) ^ 0x01);
        const QList<QByteArray> wrong = {good.left(1231), good + QByteArray(1, good.at(1)), bad_check};
        for (const QByteArray& content : wrong) {
            const QString path = dir.filePath(QStringLiteral("wrong.list"));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
            f.close();
            files.answer(path);
            answerer.press(QMessageBox::Ok);
            const int before = w->cfg_thread->pending_requests();
            QTest::mouseClick(w->ui->pushButton_Inport_List, Qt::LeftButton);
            QVERIFY(answerer.wait_answered());
            QCOMPARE(answerer.boxes().last().text, QStringLiteral("It's not the correct file !"));
            QCOMPARE(w->cfg_thread->pending_requests(), before + 1);
            QVERIFY(!w->wait_prompt);
        }

        // An export block is written only when it is a valid list.
        const QString out = dir.filePath(QStringLiteral("out.list"));
        files.answer(out);
        QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
        QVERIFY(w->list_export_waiting);
        // A second export waits for the first.
        QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
        QCOMPARE(files.calls().size(), 6);
        answerer.press(QMessageBox::Ok);
        w->deal_list_storage_operating_button(good.left(1231));
        QVERIFY(answerer.wait_answered());
        QVERIFY(!QFile::exists(out));
        files.answer(out);
        QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
        // A terminator after the block is not part of the list.
        w->deal_list_storage_operating_button(good + "\n");
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), good);
        // A block nobody waits for writes nothing.
        QVERIFY(!w->list_export_waiting);
        QVERIFY(QFile::remove(out));
        w->deal_list_storage_operating_button(good);
        QVERIFY(!QFile::exists(out));

        // The export that never gets its block is forgotten when the link ends.
        files.answer(out);
        QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
        QVERIFY(w->list_export_waiting);
        w->cfg_thread->close_session(); // drops the posts, as a disconnect does
        w->cfg_thread->start();
        w->cfg_thread->stop_and_wait();
        QTRY_VERIFY(!w->list_export_waiting);
        QVERIFY(answerer.unexpected().isEmpty());
        w->is_connected = false;
    }
};

QTEST_MAIN(tst_list_offline)
#include "tst_list_offline.moc"
