// The older window against the simulated load, as a user drives it:
// connection through its dialogs, the mode read back, the poll, the input,
// short, trigger and help, the five function pages with their waits, the
// disconnect, a load lost in the middle of a poll, of a wait or of a save,
// and a settings load that fails.
#include "legacy_connected_window.h"

#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "Send_data_thread.h"
#include "cfg_if_scpi_t.h"
#include "cfg_thread_t.h"
#include "custom_label.h"
#include "custom_picture.h"
#include "file_dialog_stub.h"
#include "uiPara.h"
#include "Get_configure_value.h"
#include "ui_ipline_widget_t.h"
#include "device/drv_device_t.h"
#include "device/visa_session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <qwt_plot_curve.h>

namespace {

// Pictures only when asked for.
void save_shot(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("WATTLEX_SHOT_DIR");
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class tst_legacy_e2e : public QObject
{
    Q_OBJECT

private slots:
    void user_session();
    void function_pages_data();
    void function_pages();
    void load_lost_mid_poll();
    void load_lost_mid_wait();
    void storage_after_lost_link();
    void settings_load_fails_data();
    void settings_load_fails();
    void every_command_known();
    void connection_dialogs();
};

void tst_legacy_e2e::user_session()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    modal_answerer& a = cw.answerer();

    // the load starts in CC: read back and its page selected
    QCOMPARE(w->ui->current_function_label->text(), QStringLiteral("CC"));
    QCOMPARE(w->func_code, 0);
    QCOMPARE(w->ui->model_sel->currentIndex(), 0);
    QCOMPARE(w->ui->static_pattern->currentIndex(), 0);
    QVERIFY(cw.sim().received().contains(QStringLiteral("FUNC:MODE?")));
    QVERIFY(w->cfg_thread->isRunning());

    // the trend takes every poll's readings (its time axis stops growing
    // once the window is full, which a slow start can reach)
    const int samples = w->sample_counter;
    const int held = w->series_current.size();
    QVERIFY(cw.wait_for_polls(3));
    QVERIFY2(w->sample_counter >= samples + 3, "the trend did not move");
    QCOMPARE(w->series_current.size(), held + (w->sample_counter - samples));
    QVERIFY(w->curve_current->dataSize() > 0);

    // the input on: the load hears it and the switch follows the poll
    int from = cw.received_count();
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QVERIFY(cw.wait_received(QStringLiteral("INP 1"), from) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("ON"), 5000);
    // the readings are the load's: a current flows once the input is on
    QTRY_VERIFY_WITH_TIMEOUT(w->display_current_label->value_label->text().toDouble() > 0, 5000);
    QVERIFY(w->display_voltage_label->value_label->text().toDouble() > 0);
    QVERIFY(!w->series_current.isEmpty() && w->series_current.last() > 0);

    // short: the load is told and the button turns yellow from its reply
    from = cw.received_count();
    QTest::mouseClick(w->ui->short_button, Qt::LeftButton);
    QVERIFY(cw.wait_received(QStringLiteral("SHOR 1"), from) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->short_button->styleSheet(), QStringLiteral("color: yellow"), 5000);
    from = cw.received_count();
    QTest::mouseClick(w->ui->short_button, Qt::LeftButton);
    QVERIFY(cw.wait_received(QStringLiteral("SHOR 0"), from) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->short_button->styleSheet(), QStringLiteral("color: lightgrey"), 5000);

    // trigger with the input on: the bus source first, then the trigger
    from = cw.received_count();
    QTest::mouseClick(w->ui->trigger_button, Qt::LeftButton);
    const int source = cw.wait_received(QStringLiteral("TRIG:SOUR BUS"), from);
    QVERIFY(source >= 0);
    QVERIFY(cw.wait_received(QStringLiteral("*TRG"), source) > source);

    // the input off
    from = cw.received_count();
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QVERIFY(cw.wait_received(QStringLiteral("INP 0"), from) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("OFF"), 5000);

    // trigger with the input off is refused with a warning, nothing sent
    a.press(QMessageBox::Ok);
    from = cw.received_count();
    QTest::mouseClick(w->ui->trigger_button, Qt::LeftButton);
    QVERIFY(a.wait_answered());
    QCOMPARE(a.boxes().last().text, QStringLiteral("Please turn on the load!"));
    QTest::qWait(200);
    QVERIFY(!cw.sim().received().mid(from).contains(QStringLiteral("*TRG")));

    // help: the identity in the About window
    QString about_text;
    a.act([&about_text](QWidget* box) {
        if (QLabel* l = box->findChild<QLabel*>(QStringLiteral("small_label")))
            about_text = l->text();
        box->close();
    });
    from = cw.received_count();
    QTest::mouseClick(w->ui->help_button, Qt::LeftButton);
    QVERIFY(cw.wait_received(QStringLiteral("*IDN?"), from) >= 0);
    QVERIFY(a.wait_answered(5000));
    QVERIFY2(!about_text.isEmpty(), "no identity shown");

    // the poll still runs after all of it
    QVERIFY(cw.wait_for_polls(2));

    // disconnect: the question, then the load leaves remote control
    a.press(QMessageBox::Yes);
    from = cw.received_count();
    QTest::mouseClick(w->status_picture, Qt::LeftButton);
    QVERIFY(a.wait_answered());
    QCOMPARE(a.boxes().last().text, QStringLiteral("Do you want to disconnect the device?"));
    QVERIFY(!w->connected);
    QVERIFY(!w->cfg_thread->isRunning());
    QVERIFY(cw.wait_received(QStringLiteral("SYST:REMOT:STAT 0"), from) >= 0);
    QTest::qWait(50); // replies sent before the stop still arrive
    const int polls = cw.poll_replies();
    QTest::qWait(300);
    QCOMPARE(cw.poll_replies(), polls);
    QVERIFY2(a.unexpected().isEmpty(), qPrintable(a.unexpected().value(0).text));
}

void tst_legacy_e2e::function_pages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("switch_command");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("code");
    QTest::newRow("OCPT") << "ocpt" << "Ocp Dialog" << "Please waiting for the OCP initing" << "OCP:FUNC" << "OCP" << 6;
    QTest::newRow("OPPT") << "oppt" << "Opp Dialog" << "Please waiting for the OPP initing" << "OPP:FUNC" << "OPP" << 7;
    QTest::newRow("Battery") << "battery" << "Battery Dialog" << "Please waiting for the Battery initing"
                             << "BATT:FUNC" << "BATTERY" << 8;
    QTest::newRow("List") << "list" << "List Dialog" << "Please waiting for the List initing" << "LIST:STAT:ON"
                          << "LIST" << 13;
    QTest::newRow("Program") << "program" << "Program Dialog" << "Please waiting for the Program initing"
                             << "PROG:STAT:ON" << "PROGRAM" << 14;
}

void tst_legacy_e2e::function_pages()
{
    QFETCH(QString, button);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, switch_command);
    QFETCH(QString, label);
    QFETCH(int, code);

    legacy_connected_window cw;
    // replies a little late, so that the wait box is up long enough to be seen
    QVERIFY2(cw.start({"--delay-ms", "25"}), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    QPushButton* buttons[] = {w->ocpt_button, w->oppt_button, w->battery_button, w->list_button,
                              w->program_button};
    const QStringList names = {"ocpt", "oppt", "battery", "list", "program"};
    QPushButton* pressed = buttons[names.indexOf(button)];

    w->ui->model_sel->setCurrentIndex(2);
    cw.answerer().leave_open();
    const int from = cw.received_count();
    QElapsedTimer clock;
    clock.start();
    // The wait box is modal: the press returns once the read-back closed it.
    pressed->click();
    QVERIFY(cw.answerer().wait_answered());
    const auto box = cw.answerer().boxes().last();
    QCOMPARE(box.title, title);
    QCOMPARE(box.text, text);
    QVERIFY(box.buttons.isEmpty());
    QVERIFY(w->readback_box == nullptr);
    QVERIFY2(clock.elapsed() < 15000, "the wait closed only on its time-out");
    QVERIFY(cw.sim().received().indexOf(switch_command, from) >= 0);
    QCOMPARE(w->ui->current_function_label->text(), label);
    QCOMPARE(w->func_code, code);
    QTRY_VERIFY_WITH_TIMEOUT(cw.reply_ops().contains(code), 2000);
    // and the poll is back
    QVERIFY(cw.wait_for_polls(2));
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

// The link drops while the poll runs: no freeze, a message, the window
// disconnected and the command thread ended.
void tst_legacy_e2e::load_lost_mid_poll()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start({"--fault-at", "MEAS:POW?", "--drop-after", "12"}), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    cw.answerer().press(QMessageBox::Ok);
    QVERIFY(QTest::qWaitFor([w] { return !w->connected; }, 20000));
    QVERIFY(cw.answerer().wait_answered(10000));
    QVERIFY(cw.answerer().boxes().last().text.contains(QStringLiteral("connection is closed")));
    QTRY_VERIFY_WITH_TIMEOUT(!w->cfg_thread->isRunning(), 5000);
    QCOMPARE(w->status_label->text(), QStringLiteral("device status    disconnected"));
    QCOMPARE(w->ui->current_function_label->text(), QStringLiteral("disconnected"));
    // the window still answers the user
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

// The load stops answering once the OCP page is asked for: the wait box
// closes with its message instead of holding the window.
void tst_legacy_e2e::load_lost_mid_wait()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start({"--fault-at", "OCP:FUNC", "--stop-after", "0"}), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    const int boxes_before = cw.answerer().boxes().size();
    cw.answerer().leave_open();
    cw.answerer().press(QMessageBox::Ok);
    QElapsedTimer clock;
    clock.start();
    w->ocpt_button->click();
    QVERIFY(cw.answerer().wait_answered(20000));
    QVERIFY2(clock.elapsed() < 25000, "the wait outlived the link");
    QCOMPARE(cw.answerer().boxes().at(boxes_before).title, QStringLiteral("Ocp Dialog"));
    QVERIFY(w->readback_box == nullptr);
    QVERIFY(!cw.answerer().boxes().last().text.isEmpty());
    QVERIFY(!w->connected);
    QTRY_VERIFY_WITH_TIMEOUT(!w->cfg_thread->isRunning(), 5000);
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

// A list save waits for the load's block when the link goes: once
// connected again, Storage saves as before.
void tst_legacy_e2e::storage_after_lost_link()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start({"--fault-at", "LIST:EXPORT?", "--drop-after", "0"}), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    file_dialog_stub files;
    QTemporaryDir dir;
    files.answer(dir.filePath(QStringLiteral("lost.list")));
    cw.answerer().press(QMessageBox::Ok);
    QTest::mouseClick(w->list_storage_button, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([w] { return !w->connected; }, 20000));
    QVERIFY(cw.answerer().wait_answered(10000));
    QVERIFY2(cw.sim().restart(), qPrintable(cw.sim().error_string()));
    QVERIFY2(cw.connect_through_dialogs(), qPrintable(cw.error()));
    const QString saved = dir.filePath(QStringLiteral("saved.list"));
    files.answer(saved);
    QTest::mouseClick(w->list_storage_button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(saved).size(), qint64(1232), 5000);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("lost.list"))));
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

void tst_legacy_e2e::settings_load_fails_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::newRow("refused") << false;
    QTest::newRow("stopped by the user") << true;
}

// A settings file the load cannot take, or a load the user stops: the file
// is let go, the same connection goes on polling, the user is told, and a
// later save writes the whole settings text.
void tst_legacy_e2e::settings_load_fails()
{
    QFETCH(bool, stopped);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("load.wlx"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(stopped ? uiPara::instance()->to_settings_text().toUtf8() : QByteArray("not,a,settings,text"));
    file.close();
    file_dialog_stub files;
    files.answer(path);
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    modal_answerer& a = cw.answerer();
    bool went_on = false;
    if (stopped) {
        // slow writes, so that the Close of the wait box comes while they go on
        cfg_if_scpi_t::set_write_pause_ms(40);
        // Close pressed later, so that the message it brings is answered
        // too; the read-back after the stop reads the load's page under its
        // own wait. Before it, a box ended with another result stops nothing.
        a.act([w, &went_on](QWidget* box) {
            QPointer<QMessageBox> m = qobject_cast<QMessageBox*>(box);
            QTimer::singleShot(0, w, [w, &went_on, m] {
                w->deal_messagebox(QMessageBox::Ok);
                w->deal_messagebox(QDialog::Accepted);
                went_on = w->send_data_thread->isRunning() && !w->send_data_thread->stop_flag;
                if (m)
                    m->button(QMessageBox::Close)->click();
            });
        });
        a.press(QMessageBox::Ok).leave_open();
    } else {
        a.leave_open().press(QMessageBox::Close);
    }
    QTest::mouseClick(w->ui->recall_button, Qt::LeftButton);
    QVERIFY(a.wait_answered(20000));
    const QString told = stopped ? QStringLiteral("The settings load was stopped; the load may hold only part of "
                                                  "the file's settings.")
                                 : QStringLiteral("It's not the correct file!");
    QCOMPARE(a.boxes().value(1).text, told);
    QCOMPARE(went_on, stopped);
    QVERIFY(!w->settings_file->isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!w->readback_box, 10000);
    QVERIFY(cw.wait_for_polls(3));
    QVERIFY(w->connected);

    const QString saved = dir.filePath(QStringLiteral("saved.wlx"));
    files.answer(saved);
    // the save's wait, then the read-back's
    a.leave_open().leave_open();
    QTest::mouseClick(w->ui->save_button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), 10000);
    QFile out(saved);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(out.readAll()).split(QLatin1Char(',')).size(), uiPara::settings_field_count);
    QVERIFY(a.wait_answered(20000));
    QVERIFY(cw.wait_for_polls(2));
    QVERIFY(a.unexpected().isEmpty());
}

// Every command the window sends, from its table and from its buttons and
// test ends, is one the load knows: queried, it answers; written or asked,
// it leaves no error behind.
void tst_legacy_e2e::every_command_known()
{
    sim_process sim;
    QVERIFY2(sim.start(), qPrintable(sim.error_string()));
    MainWindow w;
    QStringList writes = {"INP 1", "INP 0", "SHOR 1", "SHOR 0", "TRIG:SOUR BUS", "*TRG", "BATT:ADDCAP:STAT 1"};
    QStringList queries = {"*IDN?", "SHOR?", "BATT:ADDCAP?", "PROG:TEST:ALL?", "TEST:STAT?", "PROG:TEST? 1",
                           "FUNC:TEST:RESULT?", "BATT:DISCHA:CAP?", "BATT:DISCHA:TIM?"};
    const struct
    {
        int function;
        bool timed;
    } polls[] = {{0, false}, {0, true}, {8, false}, {24, false}};
    for (const auto& p : polls) {
        w.func_code = p.function;
        w.tmon_on = p.timed;
        w.fill_cmd_list(183);
        queries << w.cmd_queries;
    }
    for (int op = 0; op < 183; ++op) {
        w.fill_cmd_list(op);
        writes << w.cmd_writes;
        queries << w.cmd_queries;
    }
    writes.removeAll(QString());
    queries.removeAll(QString());
    writes.removeDuplicates();
    queries.removeDuplicates();
    QVERIFY(queries.size() > 80);

    cfg_if_scpi_t scpi;
    const std::string resource = sim_process::resource().toStdString();
    drv_device_t device;
    ViSession s = VI_NULL;
    QVERIFY(device.open_session(resource, 2000, &s) >= VI_SUCCESS);
    scpi.set_resource(resource);
    QStringList unknown;
    auto errors_left = [&] {
        const QString e = QString::fromStdString(scpi.scpi_query(&s, "SYST:ERR?")).trimmed();
        return !(e.startsWith(QLatin1Char('0')) || e.startsWith(QLatin1String("+0")));
    };
    for (const QString& q : queries) {
        const std::string reply = scpi.scpi_query(&s, q.toStdString());
        if (reply.empty() || errors_left())
            unknown << q;
        QVERIFY2(s != VISA_NO_SESSION, qPrintable("the link closed after " + q));
    }
    for (const QString& c : writes) {
        scpi.scpi_write(s, c.toStdString());
        if (errors_left())
            unknown << c;
    }
    if (s != VISA_NO_SESSION)
        viClose(s);
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(", ")));
}

// The Connect Dialog's two ways, as a user meets them with no USB load: the
// USB way warns and closes, the VXI11 way offers the last address again.
void tst_legacy_e2e::connection_dialogs()
{
    MainWindow w;
    w.show();
    modal_answerer a;
    QStringList offered;
    a.act([&offered](QWidget* dialog) {
        save_shot(dialog, QStringLiteral("legacy_connect_dialog"));
        for (QPushButton* b : dialog->findChildren<QPushButton*>(QStringLiteral("fixed_button")))
            offered << b->text();
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            // later, so that the warning it raises is answered too
            if (b->text() == QLatin1String("USB"))
                QTimer::singleShot(0, b, &QPushButton::click);
        }
    });
    a.press(QMessageBox::Ok);
    QTest::mouseClick(w.ui->connect_device, Qt::LeftButton);
    QVERIFY(a.wait_answered(20000));
    QCOMPARE(offered, (QStringList{"USB", "VXI11"}));
    QCOMPARE(a.boxes().last().text, QStringLiteral("There's no  device"));
    QVERIFY(!w.connect_dialog_open);
    QVERIFY(w.usb_resources.isEmpty());
    // the USB window closed and went
    QTRY_VERIFY(w.usb_dialog_window.isNull());

    // the last confirmed address comes back in the IP window
    w.last_ip_sections = {"10", "20", "30", "40"};
    QStringList shown;
    a.act([](QWidget* dialog) {
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            if (b->text() == QLatin1String("VXI11"))
                b->click();
        }
    });
    a.act([&shown](QWidget* window) {
        if (auto* line = window->findChild<ui_ipline_widget_t*>())
            shown = line->get_value();
        save_shot(window, QStringLiteral("legacy_ip_address"));
        window->close();
    });
    QTest::mouseClick(w.ui->connect_device, Qt::LeftButton);
    QVERIFY(a.wait_answered(20000));
    QCOMPARE(shown, (QStringList{"10", "20", "30", "40"}));
    QVERIFY(!w.connected);
    QVERIFY(!w.configure_thread->isRunning());
}

QTEST_MAIN(tst_legacy_e2e)
#include "tst_legacy_e2e.moc"
