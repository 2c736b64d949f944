// The connection under faults: a load that stops answering during the
// settings read-back, a load that hangs during the poll (the link's own
// time-out), a load that drops the connection during the read-back, one that
// refuses the link and one that answers garbage to the identification. The
// window never freezes, keeps no prompt open, shows the disconnected state in
// time, keeps the record's rows, and connects again afterwards.
#include "fault_rig.h"

#include "mymainwindow.h"
#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "modal_answerer.h"
#include "uiPara.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The connection's last message before the read-back.
const QString remote_on = QStringLiteral("SYST:REMOT:STAT 1");
const QString wrong_resource = QStringLiteral("It's not the correct resource !");

} // namespace

class tst_faults_connect : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
        QVERIFY(dir.isValid());
    }

    void silent_during_the_readback()
    {
        fault_rig rig;
        // The load answers 40 messages of the read-back, then nothing.
        QVERIFY2(rig.prepare(QStringList{"--fault-at", remote_on, "--stop-after", "41"} + fault_rig::quick_timeouts()),
                 qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        {
            modal_answerer answerer;
            // The read-back's wait prompt (the window closes it), then the
            // loss is told.
            answerer.leave_open("Please waiting for the data initing").press(QMessageBox::Ok);
            rig.watch_log("IGN");
            QVERIFY2(rig.cw().connect_from_tree(), qPrintable(rig.cw().error()));
            QVERIFY2(rig.wait_down(fault_rig::silent_bound_ms()), qPrintable(rig.error()));
            QVERIFY(answerer.wait_answered(3000));
            QVERIFY2(rig.quiet(), qPrintable(rig.error()));
            QCOMPARE(answerer.boxes().size(), 2);
            QCOMPARE(answerer.boxes()[1].text, QStringLiteral("The connection to the load was lost."));
        }
        // The store drives the window again.
        uiPara::instance()->set_utility_sof(true);
        QVERIFY(w->sbar_sof->isEnabled());
        uiPara::instance()->set_utility_sof(false);
        QVERIFY(!w->sbar_sof->isEnabled());
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    // A load that hangs entirely (the process held): writes are not taken
    // either, so the link's own 5 s time-out ends the exchange.
    void hung_during_the_poll_with_a_record()
    {
        fault_rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        QVERIFY(rig.cw().wait_for_polls(2));
        const QString path = dir.filePath("hung.csv");
        QVERIFY2(rig.start_record(path), qPrintable(rig.error()));
        QTRY_VERIFY(rig.sets_since_record() >= 5);

        modal_answerer answerer;
        answerer.press(QMessageBox::Ok); // the record stopped with the connection
        QVERIFY2(rig.freeze(), qPrintable(rig.error()));
        // The exchange in progress times out (a read, then the query asked
        // again), then the session is closed.
        const int bound = 2 * (fault_rig::link_timeout_ms + 250) + 1250 + fault_rig::status_period_ms
                          + fault_rig::slack_ms;
        QVERIFY2(rig.wait_down(bound), qPrintable(rig.error()));
        qInfo() << "hung load: disconnected after" << rig.fault_to_down() << "ms";
        QVERIFY(answerer.wait_answered(3000));
        QVERIFY2(answerer.boxes()[0].text.contains("connection"), qPrintable(answerer.boxes()[0].text));
        QVERIFY(!w->recording);
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));

        bool ok = false;
        const QStringList rows = fault_rig::rows_of(path, &ok);
        QVERIFY(ok);
        QCOMPARE(rows.size(), rig.sets_since_record());
        QVERIFY(rows.first().section(',', 0, 0).toDouble() > 0); // the input was on
        for (const QString& row : rows)
            QCOMPARE(row, rows.first());

        // The load answers again: connecting again works.
        QVERIFY2(rig.reconnect(false), qPrintable(rig.error()));
        QVERIFY(rig.cw().wait_for_polls(2));
        QCOMPARE(fault_rig::rows_of(path, &ok).size(), rows.size()); // the file is left alone
    }

    void dropped_during_the_readback()
    {
        fault_rig rig;
        // The connection closes at the 31st message of the read-back; the
        // load answers normally after that.
        QVERIFY2(rig.prepare({"--fault-at", remote_on, "--drop-after", "31", "--fault-for", "32"}),
                 qPrintable(rig.error()));
        {
            modal_answerer answerer;
            answerer.leave_open("Please waiting for the data initing").press(QMessageBox::Ok);
            rig.watch_log("DROP");
            QVERIFY2(rig.cw().connect_from_tree(), qPrintable(rig.cw().error()));
            QVERIFY2(rig.wait_down(fault_rig::status_period_ms + fault_rig::slack_ms), qPrintable(rig.error()));
            QVERIFY(answerer.wait_answered(3000));
            QVERIFY2(rig.quiet(), qPrintable(rig.error()));
            QCOMPARE(answerer.boxes().size(), 2);
            QCOMPARE(answerer.boxes()[1].text, QStringLiteral("The connection to the load was lost."));
        }
        QVERIFY2(rig.reconnect(false), qPrintable(rig.error()));
    }

    void refused_link()
    {
        fault_rig rig;
        QVERIFY2(rig.prepare({"--refuse-link"}), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        {
            modal_answerer answerer;
            answerer.press(QMessageBox::Ok);
            QVERIFY2(rig.cw().connect_from_tree(), qPrintable(rig.cw().error()));
            QVERIFY(answerer.wait_answered(5000));
            QCOMPARE(answerer.boxes()[0].text, wrong_resource);
            QVERIFY(answerer.unexpected().isEmpty());
        }
        QVERIFY(!w->is_connected);
        QVERIFY(!w->connected_item);
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    void garbage_to_the_identification()
    {
        fault_rig rig;
        QVERIFY2(rig.prepare({"--garbage"}), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        {
            modal_answerer answerer;
            answerer.press(QMessageBox::Ok);
            QVERIFY2(rig.cw().connect_from_tree(), qPrintable(rig.cw().error()));
            QVERIFY(answerer.wait_answered(5000));
            QCOMPARE(answerer.boxes()[0].text, wrong_resource);
            QVERIFY(answerer.unexpected().isEmpty());
        }
        QVERIFY(!w->is_connected);
        QVERIFY(!w->cfg_thread->isRunning());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }
};

QTEST_MAIN(tst_faults_connect)
#include "tst_faults_connect.moc"
