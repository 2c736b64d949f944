// Closing the window while a load is connected ends the session as the
// Disconnect action does (the command thread first, then the remote-off,
// then the link), after the question about an input that is on.
#include "connected_window.h"
#include "mymainwindow.h"

#include "cfg_thread_t.h"
#include "modal_answerer.h"

#include <QtTest>

class tst_window_close : public QObject
{
    Q_OBJECT

private slots:
    void closing_while_connected_data()
    {
        QTest::addColumn<bool>("input_on");
        QTest::addColumn<int>("answer"); // NoButton: nothing is asked
        QTest::addColumn<QStringList>("last"); // what the load receives last; none: the window stays
        QTest::newRow("on, Yes") << true << int(QMessageBox::Yes) << QStringList{"INP 0", "SYST:REMOT:STAT 0"};
        QTest::newRow("on, No") << true << int(QMessageBox::No) << QStringList{"SYST:REMOT:STAT 0"};
        QTest::newRow("off") << false << int(QMessageBox::NoButton) << QStringList{"SYST:REMOT:STAT 0"};
        QTest::newRow("Cancel") << true << int(QMessageBox::Cancel) << QStringList();
    }
    void closing_while_connected()
    {
        QFETCH(bool, input_on);
        QFETCH(int, answer);
        QFETCH(QStringList, last);
        connected_window cw;
        QVERIFY2(cw.start(), qPrintable(cw.error()));
        MyMainWindow* w = cw.window();
        QVERIFY2(!input_on || cw.switch_input(true), qPrintable(cw.error()));
        modal_answerer answerer;
        if (answer != QMessageBox::NoButton)
            answerer.press(QMessageBox::StandardButton(answer));
        const int from = cw.received_count();
        w->close();
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(answerer.boxes().size(), input_on ? 1 : 0);
        if (input_on)
            QCOMPARE(answerer.boxes()[0].text, QStringLiteral("The load's input is on.\nSwitch it off before exiting?"));

        if (last.isEmpty()) {
            QVERIFY(cw.wait_for_polls(3));
            QVERIFY(w->isVisible() && w->isEnabled() && w->is_connected);
            QCOMPARE(cw.sim().received().indexOf(QRegularExpression("INP 0|SYST:REMOT:STAT 0"), from), -1);
            QCOMPARE(cw.side_query("INP?"), QStringLiteral("1\n"));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), 5000);
        QVERIFY(!w->cfg_thread->isRunning());
        // A whole poll set, then only the session's end.
        const QStringList got = cw.sim().received();
        w->fill_cmd_list(183);
        QCOMPARE(got.mid(got.size() - last.size() - w->query_list.size()), w->query_list + last);
        // The remote-off's link closes next and carries nothing more.
        const QStringList log = cw.sim().log_lines();
        const int off = log.lastIndexOf(QRegularExpression("\\S+ RX \\S+ SYST:REMOT:STAT 0"));
        const QString link = log.value(off).section(' ', 2, 2);
        const int next = log.indexOf(QRegularExpression("\\S+ \\S+ " + link + " .*"), off + 1);
        QVERIFY2(off >= 0 && log.value(next).section(' ', 1, 1) == "UNLINK", qPrintable(log.mid(off).join(" | ")));
        QCOMPARE(cw.side_query("INP?"), answer == QMessageBox::No ? QStringLiteral("1\n") : QStringLiteral("0\n"));
        QCOMPARE(cw.side_query("SYST:REMOT:STAT?"), QStringLiteral("0\n"));
    }
};

QTEST_MAIN(tst_window_close)
#include "tst_window_close.moc"
