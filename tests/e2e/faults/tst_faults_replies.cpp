// Replies under faults: garbage and far too long replies during the
// settings read-back, during the poll and during list and program runs,
// and a load that drops the
// connection during the poll. The window never crashes, keeps no prompt
// open, records no reading the load did not give, keeps the settings it
// saves loadable, and connects again afterwards.
#include "fault_rig.h"

#include "mymainwindow.h"
#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "modal_answerer.h"
#include "uiPara.h"

#include <QAction>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString remote_on = QStringLiteral("SYST:REMOT:STAT 1");

// Replies of the cue and the next poll (six queries) go wrong, then the
// load answers normally again.
QStringList bad_poll(const QString& fault)
{
    return {"--fault-at", "*CLS", fault, "--fault-for", "7"};
}

// A run that lasts minutes (slow simulated time), whose next run-state set
// after the cue is garbage.
QStringList bad_run_state()
{
    return {"--fault-at", "*CLS", "--garbage", "--fault-for", "10", "--time-scale", "0.01"};
}

} // namespace

class tst_faults_replies : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // With the input on and a record running, the replies of one poll go
    // wrong; the load answers normally after them.
    void poll_goes_wrong(fault_rig& rig, const QString& name)
    {
        MyMainWindow* w = rig.w();
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        QVERIFY(rig.cw().wait_for_polls(2));
        const QString path = dir.filePath(name + ".csv");
        QVERIFY2(rig.start_record(path), qPrintable(rig.error()));
        QTRY_VERIFY(rig.sets_since_record() >= 3);

        modal_answerer answerer; // nothing is asked; a box is recorded and closed
        const int before = rig.sets_since_record();
        QVERIFY2(rig.trigger_now(), qPrintable(rig.error()));
        // The wrong replies reach the window; whether it goes on or lets the
        // load go, it settles.
        QTRY_VERIFY(rig.odd_sets() >= 1);
        const int polls = rig.cw().poll_replies();
        QVERIFY2(QTest::qWaitFor([&] { return rig.down() || rig.cw().poll_replies() >= polls + 3; }, 10000),
                 qPrintable(QString("connected %1 thread %2 timer %3 prompt %4 item %5 boxes %6")
                                .arg(w->is_connected)
                                .arg(w->cfg_thread->isRunning())
                                .arg(w->status_timer->isActive())
                                .arg(!w->wait_prompt.isNull())
                                .arg(w->connected_item != nullptr)
                                .arg(answerer.boxes().size())));
        if (rig.down()) {
            // The only box: the record ended with the connection.
            QTRY_VERIFY(!w->recording);
            QTRY_COMPARE(answerer.boxes().size(), 1);
            QVERIFY2(answerer.boxes()[0].text.contains("connection"), qPrintable(answerer.boxes()[0].text));
        } else {
            QVERIFY(w->recording);
            QCOMPARE(answerer.boxes().size(), 0);
        }
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));

        bool ok = false;
        const QStringList rows = fault_rig::rows_of(path, &ok);
        QVERIFY(ok);
        QVERIFY(rows.size() >= before);
        QCOMPARE(rows.mid(0, before), QVector<QString>(before, rows.first()).toList());
        QVERIFY(rows.first().section(',', 0, 0).toDouble() > 0);
        // No row holds a reading the load did not give.
        QCOMPARE(rows, QVector<QString>(rows.size(), rows.first()).toList());

        if (rig.down())
            QVERIFY2(rig.reconnect(false), qPrintable(rig.error()));
    }

    // With a record going and a list or program running, the replies of
    // one run-state set are garbage. The set is passed over: the run goes
    // on shown as running, no end of the run or of the session is read
    // from it, and no row is recorded from it.
    void run_state_goes_wrong(fault_rig& rig, const QString& name, const QString& running)
    {
        MyMainWindow* w = rig.w();
        const QString path = dir.filePath(name + ".csv");
        QVERIFY2(rig.start_record(path), qPrintable(rig.error()));
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w->sbar_run_state->text().startsWith(running), 5000);
        QTRY_VERIFY(rig.sets_since_record() >= 3);

        modal_answerer answerer; // nothing is asked
        QVERIFY2(rig.trigger_now(), qPrintable(rig.error()));
        QTRY_VERIFY(rig.odd_sets() >= 1);
        const int sets = rig.sets_since_record();
        QTRY_VERIFY(rig.sets_since_record() >= sets + 3);
        QVERIFY(w->is_connected);
        QVERIFY(w->recording);
        QVERIFY2(w->sbar_run_state->text().startsWith(running), qPrintable(w->sbar_run_state->text()));
        QCOMPARE(answerer.boxes().size(), 0);
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        // No results were asked: the run was never seen to end.
        for (const QString& line : rig.sim().log_lines())
            QVERIFY2(!line.contains(QStringLiteral("PROG:TEST:ALL?")), qPrintable(line));

        bool ok = false;
        const QStringList rows = fault_rig::rows_of(path, &ok);
        QVERIFY(ok);
        QVERIFY(rows.size() >= 6);
        for (const QString& row : rows)
            QVERIFY2(row.section(',', 1, 1).toDouble() > 0, qPrintable(row));
    }

    // The settings the window holds after a read-back gone wrong still make
    // a settings text that loads back.
    void settings_text_loads_back()
    {
        uiPara* store = uiPara::instance();
        const QString text = store->to_settings_text();
        QCOMPARE(text.count(',') + 1, uiPara::settings_field_count);
        QString why;
        QVERIFY2(store->from_settings_text(text, &why), qPrintable(why));
        QCOMPARE(store->to_settings_text(), text);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
        QVERIFY(dir.isValid());
    }

    void garbage_during_the_readback()
    {
        fault_rig rig;
        // Garbage for the first 59 queries of the read-back.
        QVERIFY2(rig.start({"--fault-at", remote_on, "--garbage", "--fault-for", "60"}), qPrintable(rig.error()));
        QVERIFY(rig.cw().wait_for_polls(3));
        QVERIFY(rig.w()->is_connected);
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        settings_text_loads_back();
    }

    void oversize_during_the_readback()
    {
        fault_rig rig;
        // Replies of more than 1 MiB for the first 19 queries of the read-back.
        QVERIFY2(rig.start({"--fault-at", remote_on, "--oversize", "--fault-for", "20"}), qPrintable(rig.error()));
        QVERIFY(rig.cw().wait_for_polls(3));
        QVERIFY(rig.w()->is_connected);
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        settings_text_loads_back();
    }

    void garbage_during_the_poll()
    {
        fault_rig rig;
        QVERIFY2(rig.start(bad_poll("--garbage")), qPrintable(rig.error()));
        poll_goes_wrong(rig, "garbage");
    }

    void oversize_during_the_poll()
    {
        fault_rig rig;
        QVERIFY2(rig.start(bad_poll("--oversize")), qPrintable(rig.error()));
        poll_goes_wrong(rig, "oversize");
    }

    void garbage_during_a_list_run()
    {
        fault_rig rig;
        QVERIFY2(rig.start(bad_run_state(), [&] { QVERIFY(rig.cw().side_write({"LIST:STAT:ON"})); }),
                 qPrintable(rig.error()));
        QTRY_COMPARE(rig.w()->func_code, 13);
        run_state_goes_wrong(rig, "list", "List state:Running 1/");
    }

    void garbage_during_a_program_run()
    {
        fault_rig rig;
        QVERIFY2(rig.start(bad_run_state(), [&] { QVERIFY(rig.cw().side_write({"PROG:STAT:ON"})); }),
                 qPrintable(rig.error()));
        QTRY_COMPARE(rig.w()->mode_page, 4);
        QTRY_VERIFY(rig.w()->ui->spinBox_Step_Prog->value() > 0);
        run_state_goes_wrong(rig, "program", "Program state:Running 1");
    }

    void dropped_during_the_poll_with_a_record_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::newRow("status check on its own time") << false;
        // The window is busy while the link goes: the load's last sets are
        // still queued when the status check finds the command thread gone.
        QTest::newRow("status check before the last sets") << true;
    }

    void dropped_during_the_poll_with_a_record()
    {
        QFETCH(bool, busy);
        fault_rig rig;
        // The connection closes at the message after the cue; the load
        // answers normally after it.
        QVERIFY2(rig.start({"--fault-at", "*CLS", "--drop-after", "1", "--fault-for", "2"}), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        const QString path = dir.filePath(QStringLiteral("dropped-%1.csv").arg(busy));
        QVERIFY2(rig.start_record(path), qPrintable(rig.error()));
        QTRY_VERIFY(rig.sets_since_record() >= 3);

        modal_answerer answerer;
        answerer.press(QMessageBox::Ok); // the record ended with the connection
        const int handled_before = rig.sets_since_record();
        if (busy) {
            QThread::msleep(100); // the poll's sets pile up unhandled
            QVERIFY2(rig.trigger_now(), qPrintable(rig.error()));
            QElapsedTimer held;
            held.start();
            while (w->cfg_thread->isRunning() && held.elapsed() < 5000)
                QThread::msleep(2);
            QVERIFY(!w->cfg_thread->isRunning());
            w->device_status();
        } else {
            QVERIFY2(rig.trigger_now(), qPrintable(rig.error()));
        }
        QVERIFY2(rig.wait_down(fault_rig::status_period_ms + fault_rig::slack_ms), qPrintable(rig.error()));
        QVERIFY(answerer.wait_answered(3000));
        QVERIFY2(answerer.boxes()[0].text.contains("connection"), qPrintable(answerer.boxes()[0].text));
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        if (busy)
            QVERIFY(rig.sets_since_record() > handled_before); // some sets were still queued
        // No set handled after the end shows a gone load's readings as live.
        QCOMPARE(w->ui->label_C->text(), QStringLiteral("-.----A"));
        QVERIFY(!w->load_switch->getSelectedItem());

        bool ok = false;
        const QStringList rows = fault_rig::rows_of(path, &ok);
        QVERIFY(ok);
        QCOMPARE(rows.size(), rig.sets_since_record());
        QCOMPARE(rows, QVector<QString>(rows.size(), rows.first()).toList());
        QVERIFY2(rig.reconnect(false), qPrintable(rig.error()));
    }
};

QTEST_MAIN(tst_faults_replies)
#include "tst_faults_replies.moc"
