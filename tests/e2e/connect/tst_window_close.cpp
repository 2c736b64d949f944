// Closing the window while a load is connected ends the session as the
// Disconnect action does (the command thread first, then the remote-off,
// then the link), after the question about an input that is on. Every other
// road out of a session asks that question the same way.
#include "connected_window.h"
#include "mymainwindow.h"

#include "ui_connectwindow.h"
#include "ui_mymainwindow.h"

#include "cfg_thread_t.h"
#include "connectWindow.h"
#include "modal_answerer.h"

#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>

namespace {

// The input question of a road, naming what the user is doing.
QString input_question_before(const char* doing)
{
    return QStringLiteral("The load's input is on.\nSwitch it off before %1?").arg(QLatin1String(doing));
}

// Takes a road out of the session as a user does. The load listens on
// 127.0.0.1 only: a connection to 127.0.0.2 is refused.
void take_road(connected_window& cw, const QString& road)
{
    MyMainWindow* w = cw.window();
    if (road == "elsewhere") {
        QVERIFY(cw.choose_from_menu(cw.lan_item("127.0.0.2"), w->action_connect->text()));
    } else if (road == "dialog") {
        QVERIFY2(cw.connect_from_dialog("127.0.0.2"), qPrintable(cw.error()));
    } else if (road == "delete") {
        QVERIFY(cw.choose_from_menu(cw.lan_item(), w->action_delete->text()));
    } else if (road == "disconnect") {
        QVERIFY(cw.choose_from_menu(cw.lan_item(), w->action_disconnect->text()));
    } else if (road == "refresh") {
        w->ui->actionRefresh->trigger();
    } else if (road == "button") {
        w->on_pushButton_Disconnect_clicked();
    }
}

} // namespace

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
        if (input_on) {
            QCOMPARE(answerer.boxes()[0].text, input_question_before("exiting"));
            QCOMPARE(answerer.boxes()[0].title, QStringLiteral("Exit"));
        }

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

    void leaving_a_session_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<bool>("input_on");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("title");    // of the one box asked
        QTest::addColumn<QString>("question"); // the one box asked; none with the input off
        const QList<QPair<int, const char*>> answers = {
            {QMessageBox::Yes, "Yes"}, {QMessageBox::No, "No"}, {QMessageBox::Cancel, "Cancel"}};
        const struct {
            const char* road;
            const char* title;
            const char* doing;
        } roads[] = {{"elsewhere", "Connect", "connecting to another load"},
                     {"dialog", "Connect", "connecting to another load"},
                     {"delete", "Delete Resource", "deleting the resource"},
                     {"disconnect", "Disconnect", "disconnecting"},
                     {"refresh", "Refresh", "refreshing"}};
        for (const auto& road : roads) {
            for (const auto& answer : answers)
                QTest::addRow("%s, %s", road.road, answer.second)
                    << road.road << true << answer.first << road.title << input_question_before(road.doing);
        }
        // The road's own question gives way to the input's.
        QTest::newRow("button, Yes") << "button" << true << int(QMessageBox::Yes) << "Disconnect"
                                     << input_question_before("disconnecting");
        QTest::newRow("button, input off") << "button" << false << int(QMessageBox::Yes) << "disconnect_dialog"
                                           << QStringLiteral("Do you want to disconnect the device?");
        QTest::newRow("delete, input off") << "delete" << false << int(QMessageBox::NoButton) << QString() << QString();
    }
    void leaving_a_session()
    {
        QFETCH(QString, road);
        QFETCH(bool, input_on);
        QFETCH(int, answer);
        QFETCH(QString, title);
        QFETCH(QString, question);
        connected_window cw;
        QVERIFY2(cw.start(), qPrintable(cw.error()));
        MyMainWindow* w = cw.window();
        if (road == "elsewhere")
            QVERIFY2(cw.add_lan_address("127.0.0.2"), qPrintable(cw.error()));
        QVERIFY2(!input_on || cw.switch_input(true), qPrintable(cw.error()));
        const bool cancel = answer == QMessageBox::Cancel;
        const bool switch_off = input_on && answer == QMessageBox::Yes;
        const bool connects = road == "elsewhere" || road == "dialog";
        modal_answerer answerer;
        if (!question.isEmpty())
            answerer.press(QMessageBox::StandardButton(answer));
        if (connects && !cancel)
            answerer.press_on("It's not the correct resource !", QMessageBox::Ok);
        if (road == "refresh" && !cancel)
            answerer.leave_open("Refreshing devices, please wait.");
        const QString resource = w->current_resource;
        const int from = cw.received_count();
        take_road(cw, road);
        QVERIFY(answerer.wait_answered(5000));
        QCOMPARE(answerer.boxes().value(0).text, question);
        QCOMPARE(answerer.boxes().value(0).title, title);

        if (cancel) {
            QVERIFY(cw.wait_for_polls(3));
            QVERIFY(w->is_connected && w->connected_item == cw.lan_item() && cw.lan_item());
            QCOMPARE(w->current_resource, resource);
            QCOMPARE(cw.sim().received().indexOf(QRegularExpression("INP 0|SYST:REMOT:STAT 0"), from), -1);
            QCOMPARE(cw.side_query("INP?"), QStringLiteral("1\n"));
            QCOMPARE(cw.side_query("SYST:REMOT:STAT?"), QStringLiteral("1\n"));
        } else {
            QVERIFY2(cw.wait_disconnected(8000), qPrintable(cw.error()));
            const QStringList got = cw.sim().received();
            const int off = got.indexOf("SYST:REMOT:STAT 0", from);
            const int input_off = got.indexOf("INP 0", from);
            QVERIFY2(off >= 0, qPrintable(got.mid(from).join(" | ")));
            QCOMPARE(input_off >= 0, switch_off);
            QVERIFY(input_off < off);
            QCOMPARE(cw.side_query("INP?"), input_on && !switch_off ? QStringLiteral("1\n") : QStringLiteral("0\n"));
            QCOMPARE(cw.side_query("SYST:REMOT:STAT?"), QStringLiteral("0\n"));
            QCOMPARE(cw.lan_item() != nullptr, road != "delete");
        }
        // One question at most, and no box of a connection opened after a Cancel.
        QVERIFY(answerer.unexpected().isEmpty());
        QCOMPARE(std::count_if(answerer.boxes().begin(), answerer.boxes().end(),
                               [](const modal_answerer::box_record& b) { return b.text.startsWith("The load's input is on."); }),
                 input_on ? 1 : 0);
    }
};

QTEST_MAIN(tst_window_close)
#include "tst_window_close.moc"
