// A load that answers late, against the link's own 5 s time-out: one reply
// just inside it, one just outside it, and every reply outside it. With a
// record running, the window goes on (inside; outside once, where the query
// asked again is answered) or shows the disconnected state once the link
// has given the load up, keeps every row and connects again; closed while a
// reply is late, the window waits for it without freezing.
#include "fault_rig.h"

#include "mymainwindow.h"
#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "modal_answerer.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Inside by a second: a busy machine (sanitizers, two cores) can take a few
// hundred milliseconds between the load's reply and the link's read.
const int just_inside_ms = fault_rig::link_timeout_ms - 1000;
const int just_outside_ms = fault_rig::link_timeout_ms + 300;

// From the test's cue on, replies come `delay_ms` late; for the cue and one
// more message only when `once`.
QStringList late(int delay_ms, bool once)
{
    QStringList args{"--fault-at", "*CLS", "--delay-ms", QString::number(delay_ms)};
    if (once)
        args << "--fault-for" << "2";
    return args;
}

} // namespace

class tst_faults_slow : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // Input on, a record running, then the cue.
    void record_then_cue(fault_rig& rig, const QString& path)
    {
        MyMainWindow* w = rig.w();
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        QVERIFY(rig.cw().wait_for_polls(2));
        QVERIFY2(rig.start_record(path), qPrintable(rig.error()));
        QTRY_VERIFY(rig.sets_since_record() >= 3);
        rig.reset_stall();
        QVERIFY2(rig.trigger_now(), qPrintable(rig.error()));
    }

    // The late reply is waited for off the window's thread: the window stays
    // connected and responsive, and the poll goes on afterwards.
    void survives(int delay_ms, const QString& name)
    {
        fault_rig rig;
        QVERIFY2(rig.start(late(delay_ms, true)), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        const QString path = dir.filePath(name + ".csv");
        modal_answerer answerer; // nothing is asked
        record_then_cue(rig, path);
        // The poll waits for the late reply (or the time-out) ...
        QTest::qWait(500);
        const int waiting = rig.cw().poll_replies();
        const int wait_ms = qMin(delay_ms, fault_rig::link_timeout_ms) - 1000;
        QTest::qWait(wait_ms);
        QCOMPARE(rig.cw().poll_replies(), waiting);
        QVERIFY(w->is_connected);
        // ... and goes on after it.
        QVERIFY(rig.cw().wait_for_polls(3, fault_rig::link_timeout_ms));
        QVERIFY(w->is_connected);
        QVERIFY(w->recording);
        QVERIFY(answerer.boxes().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY2(rig.longest_stall() < fault_rig::freeze_ms, qPrintable(QString::number(rig.longest_stall())));

        bool ok = false;
        const QStringList rows = fault_rig::rows_of(path, &ok);
        QVERIFY(ok);
        QCOMPARE(rows.size(), rig.sets_since_record());
        QCOMPARE(rows, QVector<QString>(rows.size(), rows.first()).toList());
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
        QVERIFY(dir.isValid());
    }

    void one_reply_just_inside_the_timeout()
    {
        survives(just_inside_ms, "inside");
    }

    // The read times out; the query asked again is answered at once.
    void one_reply_just_outside_the_timeout()
    {
        survives(just_outside_ms, "outside_once");
    }

    void every_reply_outside_the_timeout()
    {
        fault_rig rig;
        QVERIFY2(rig.start(late(just_outside_ms, false)), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        const QString path = dir.filePath("outside.csv");
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok); // the record ended with the connection
        record_then_cue(rig, path);
        // Each of the query's four reads waits out the time-out.
        const int bound = fault_rig::reads_per_query * (fault_rig::link_timeout_ms + 100)
                          + fault_rig::status_period_ms + fault_rig::slack_ms;
        QVERIFY2(rig.wait_down(bound), qPrintable(rig.error()));
        qInfo() << "late load: disconnected after" << rig.fault_to_down() << "ms";
        QVERIFY(rig.fault_to_down() >= fault_rig::reads_per_query * fault_rig::link_timeout_ms);
        QVERIFY(answerer.wait_answered(3000));
        QVERIFY2(answerer.boxes()[0].text.contains("connection"), qPrintable(answerer.boxes()[0].text));
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY2(rig.longest_stall() < fault_rig::freeze_ms, qPrintable(QString::number(rig.longest_stall())));
        QVERIFY(!w->recording);

        bool ok = false;
        const QStringList rows = fault_rig::rows_of(path, &ok);
        QVERIFY(ok);
        QCOMPARE(rows.size(), rig.sets_since_record());
        QCOMPARE(rows, QVector<QString>(rows.size(), rows.first()).toList());
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    // Closed while the poll waits for a late reply: the window goes on
    // painting, takes nothing more, and closes once the exchange has ended,
    // after the input off and the remote-off; the record keeps every row
    // and tells nothing more.
    void closing_while_a_reply_is_late()
    {
        const int delay_ms = fault_rig::freeze_ms + 1000; // a waiting window would show as frozen
        fault_rig rig;
        QVERIFY2(rig.start(late(delay_ms, true)), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        const QString path = dir.filePath("closed.csv");
        modal_answerer answerer;
        answerer.press(QMessageBox::Yes);
        record_then_cue(rig, path);
        QTest::qWait(300);
        const int sets = rig.sets_since_record();
        const int from = rig.sim().received().size();
        w->close();
        w->close(); // asks nothing again
        QVERIFY(w->isVisible() && !w->isEnabled() && !w->recording);
        QTest::qWait(delay_ms / 2);
        QCOMPARE(rig.sim().received().size(), from);
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), delay_ms + fault_rig::slack_ms);
        QCOMPARE(rig.sim().received().mid(rig.sim().received().size() - 2), QStringList({"INP 0", "SYST:REMOT:STAT 0"}));
        QVERIFY2(rig.longest_stall() < fault_rig::freeze_ms, qPrintable(QString::number(rig.longest_stall())));
        QCOMPARE(answerer.boxes().size(), 1);
        bool ok = false;
        QCOMPARE(fault_rig::rows_of(path, &ok).size(), sets);
        QVERIFY(ok);
    }
};

QTEST_MAIN(tst_faults_slow)
#include "tst_faults_slow.moc"
