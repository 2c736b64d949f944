// Runs under faults: the load stops answering while a list runs, while a
// program runs and while a battery discharges, with a record running. The
// window shows the disconnected state in time, announces no end of a run it
// did not see, keeps every row recorded before the fault, leaves no prompt
// open and connects again afterwards. However a session ends mid-run (lost
// or closed by the user), no run is left shown as running.
#include "fault_rig.h"

#include "mymainwindow.h"
#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "modal_answerer.h"

#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Slow simulated time keeps a run going for minutes; the load goes silent
// at the test's "*CLS".
QStringList silent_on_cue()
{
    return QStringList{"--fault-at", "*CLS", "--stop-after", "1", "--time-scale", "0.01"} + fault_rig::quick_timeouts();
}

// What the window still shows as running (none: empty): the run state in
// the status line, a marked step in the list or program table, a test or
// discharge it still follows, the input on, a discharge's capacity.
QString run_shown(MyMainWindow* w)
{
    QStringList shown;
    const QString state = w->sbar_run_state->text();
    if (state.contains("Running") || state.contains("Pause"))
        shown << state;
    for (QTableWidget* t : {w->ui->tableWidget_List, w->ui->tableWidget_Prog}) {
        for (int row = 0; row < t->rowCount(); ++row) {
            const QTableWidgetItem* item = t->item(row, 0);
            const QColor c = item ? item->foreground().color() : QColor();
            if (c == QColor(Qt::green) || c == QColor(w->halted_colour))
                shown << t->objectName() + " step " + item->text();
        }
    }
    if (w->ocp_test_state || w->opp_test_state || w->battery_start_state)
        shown << QString("test states %1 %2 %3").arg(w->ocp_test_state).arg(w->opp_test_state).arg(w->battery_start_state);
    if (w->load_switch->getSelectedItem())
        shown << "input on";
    if (w->ui->label_R->text().endsWith("mAh"))
        shown << "discharged " + w->ui->label_R->text();
    return shown.join(", ");
}

} // namespace

class tst_faults_runs : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // Records, switches the input on (and triggers on the list and program
    // pages) until `running` holds, lets a few sets be recorded, silences the
    // load and checks what the window is left with.
    void run_then_silence(fault_rig& rig, const QString& name, bool trigger, const std::function<bool()>& running)
    {
        MyMainWindow* w = rig.w();
        const QString path = dir.filePath(name + ".csv");
        QVERIFY2(rig.start_record(path), qPrintable(rig.error()));
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        if (trigger)
            QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(running(), 5000);
        const int before = rig.sets_since_record();
        QTRY_VERIFY(rig.sets_since_record() >= before + 3);

        modal_answerer answerer;
        answerer.press(QMessageBox::Ok); // the record ends with the connection
        QVERIFY2(rig.trigger_now(), qPrintable(rig.error()));
        QVERIFY2(rig.wait_down(fault_rig::silent_bound_ms()), qPrintable(rig.error()));
        QVERIFY(answerer.wait_answered(3000));
        QVERIFY2(answerer.boxes()[0].text.contains("connection"), qPrintable(answerer.boxes()[0].text));
        // Nothing else: no end of the run is announced, no box stays open.
        QTest::qWait(fault_rig::status_period_ms);
        QCOMPARE(answerer.boxes().size(), 1);
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY(!w->recording);
        QCOMPARE(run_shown(w), QString());

        bool ok = false;
        const QStringList rows = fault_rig::rows_of(path, &ok);
        QVERIFY(ok);
        QCOMPARE(rows.size(), rig.sets_since_record());
        QVERIFY(rows.size() >= 3);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
        QVERIFY(dir.isValid());
    }

    // The load's function chosen before connecting; the run started as a
    // user starts it and shown; the session lost or closed with Disconnect.
    void an_ended_session_shows_no_run_running_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<bool>("trigger");
        QTest::addColumn<QString>("running"); // a part of run_shown() while it runs
        QTest::addColumn<bool>("lost");
        QTest::newRow("list, disconnected") << "LIST:STAT:ON" << true << "tableWidget_List step" << false;
        QTest::newRow("program, disconnected") << "PROG:STAT:ON" << true << "tableWidget_Prog step" << false;
        QTest::newRow("battery, disconnected") << "BATT:FUNC" << false << "discharged" << false;
        QTest::newRow("OCP, disconnected") << "OCP:FUNC" << false << "test states 1 0" << false;
        QTest::newRow("OPP, disconnected") << "OPP:FUNC" << false << "test states 0 1" << false;
        // (list, program and battery lost: the silent_during_* tests)
        QTest::newRow("OCP, lost") << "OCP:FUNC" << false << "test states 1 0" << true;
        QTest::newRow("OPP, lost") << "OPP:FUNC" << false << "test states 0 1" << true;
    }
    void an_ended_session_shows_no_run_running()
    {
        QFETCH(QString, function);
        QFETCH(bool, trigger);
        QFETCH(QString, running);
        QFETCH(bool, lost);
        fault_rig rig;
        QVERIFY2(rig.start(silent_on_cue(), [&] { QVERIFY(rig.cw().side_write({function})); }), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        if (trigger)
            QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        QTRY_VERIFY2_WITH_TIMEOUT(run_shown(w).contains(running), qPrintable(run_shown(w)), 5000);

        modal_answerer answerer;
        if (lost) {
            answerer.press(QMessageBox::Ok);
            QVERIFY2(rig.trigger_now(), qPrintable(rig.error()));
            QVERIFY2(rig.wait_down(fault_rig::silent_bound_ms()), qPrintable(rig.error()));
            QVERIFY(answerer.wait_answered(3000));
        } else {
            // Asked about the input on the way out: switched off.
            answerer.act([](QWidget* box) {
                auto* b = qobject_cast<QMessageBox*>(box);
                if (b && b->button(QMessageBox::Yes))
                    b->button(QMessageBox::Yes)->click();
                else
                    box->close();
            });
            QVERIFY2(rig.cw().disconnect(), qPrintable(rig.cw().error()));
        }
        QTest::qWait(fault_rig::status_period_ms);
        QCOMPARE(run_shown(w), QString());
    }

    void silent_during_a_list_run()
    {
        fault_rig rig;
        QVERIFY2(rig.start(silent_on_cue(), [&] { QVERIFY(rig.cw().side_write({"LIST:STAT:ON"})); }),
                 qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTRY_COMPARE(w->func_code, 13);
        run_then_silence(rig, "list", true, [w] { return w->sbar_run_state->text().startsWith("List state:Running 1/"); });
        QVERIFY(!w->list_recall_waiting);
        QVERIFY(!w->list_export_waiting);
        // The load starts afresh: connecting again works.
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    void silent_during_a_program_run()
    {
        fault_rig rig;
        QVERIFY2(rig.start(silent_on_cue(), [&] { QVERIFY(rig.cw().side_write({"PROG:STAT:ON"})); }),
                 qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTRY_COMPARE(w->mode_page, 4);
        QTRY_VERIFY(w->ui->spinBox_Step_Prog->value() > 0);
        run_then_silence(rig, "program", true,
                         [w] { return w->sbar_run_state->text().startsWith("Program state:Running 1"); });
        // The load starts afresh: connecting again works.
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    void silent_during_a_battery_test()
    {
        fault_rig rig;
        QVERIFY2(rig.start(silent_on_cue(), [&] { QVERIFY(rig.cw().side_write({"BATT:FUNC"})); }),
                 qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTRY_COMPARE(w->func_code, 8);
        run_then_silence(rig, "battery", false, [w] { return w->ui->label_R->text().endsWith("mAh"); });
        QCOMPARE(w->battery_start_state, 0);
        // The load starts afresh: connecting again works.
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }
};

QTEST_MAIN(tst_faults_runs)
#include "tst_faults_runs.moc"
