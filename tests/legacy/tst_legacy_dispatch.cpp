// The older window's reply side without a load: every operation the window
// posts has matching command lists and reaches its handler; replies that
// are cut or garbled are passed over; alarms and verdicts read right; the
// added capacity and the side thread's trigger reply.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "Get_configure_value.h"
#include "SCPI_write_and_read.h"
#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_label.h"
#include "custom_lineedit.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "legacy_recorder.h"
#include "modal_answerer.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <qwt_plot.h>
#include <qwt_scale_div.h>
#include "ui_preview_plot_t.h"
#include <QPushButton>
#include <QtTest>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

using check_t = std::function<QString(MainWindow*)>; // empty when right

QString expect(bool ok, const QString& what)
{
    return ok ? QString() : what;
}

QStringList replies_of(const QString& joined)
{
    return joined.split(QLatin1Char('|'));
}

// The text of the last About window the test saw.
QString about_text;

} // namespace

Q_DECLARE_METATYPE(check_t)

class tst_legacy_dispatch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void command_lists_data();
    void command_lists();
    void reply_reaches_handler_data();
    void reply_reaches_handler();
    void cut_or_garbled_replies_data();
    void cut_or_garbled_replies();
    void message_replies_data();
    void message_replies();
    void test_end_detection();
    void device_operations_post_data();
    void device_operations_post();
    void battery_start_data();
    void battery_start();
    void battery_end_data();
    void battery_end();
    void added_capacity_data();
    void added_capacity();
    void trigger_reply_data();
    void trigger_reply();
    void program_run_state();
    void list_run_view();
    void wait_ends_on_unusable_reply_data();
    void wait_ends_on_unusable_reply();

private:
    std::unique_ptr<modal_answerer> answerer;
    std::unique_ptr<MainWindow> w;
};

void tst_legacy_dispatch::init()
{
    answerer.reset(new modal_answerer);
    w.reset(new MainWindow);
}

void tst_legacy_dispatch::cleanup()
{
    w.reset();
    answerer.reset();
}

// ---- command table

// The page read-backs' lists are checked by what the pages show after a
// read from the load; here the poll's choice by function and time test, and
// codes without lists.
void tst_legacy_dispatch::command_lists_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("function");
    QTest::addColumn<bool>("time_test");
    QTest::addColumn<QStringList>("queries");
    const QStringList base = {"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?", "SYST:REMOT:STAT?"};
    const QStringList timed = base + QStringList{"TIME:TEST:RISE?", "TIME:TEST:FALL?"};
    QTest::newRow("poll CC") << 183 << 0 << false << base;
    QTest::newRow("poll CP timed") << 183 << 3 << true << timed;
    QTest::newRow("poll LED timed") << 183 << 4 << true << base;
    QTest::newRow("poll battery timed")
        << 183 << 8 << true
        << QStringList{"INP?",     "MEAS:CURR?",       "MEAS:VOLT?", "BATT:DISCHA:CAP?", "BATT:DISCHA:TIM?",
                       "SYST:REMOT:STAT?", "MEAS:RES?", "MEAS:POW?"};
    QTest::newRow("poll EXTI") << 183 << 24 << false << base + QStringList{"MEAS:EXT?"};
    QTest::newRow("poll EXTV timed") << 183 << 25 << true << base + QStringList{"MEAS:EXT?"};
    QTest::newRow("no list: 5") << 5 << 0 << false << QStringList();
    QTest::newRow("no list: 30") << 30 << 0 << false << QStringList();
    QTest::newRow("no list: 184") << 184 << 0 << false << QStringList();
}

void tst_legacy_dispatch::command_lists()
{
    QFETCH(int, operation);
    QFETCH(int, function);
    QFETCH(bool, time_test);
    QFETCH(QStringList, queries);
    // a list left from an earlier call must not leak into this one
    w->fill_cmd_list(14);
    w->func_code = function;
    w->tmon_on = time_test;
    w->fill_cmd_list(operation);
    QCOMPARE(w->cmd_queries, queries);
    QCOMPARE(w->cmd_writes, QVector<QString>(queries.size()).toList());
}

// ---- own switch

void tst_legacy_dispatch::reply_reaches_handler_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("replies");
    QTest::addColumn<int>("sub");
    QTest::addColumn<check_t>("check");

    QTest::newRow("31 CC") << 31 << "BASIC\n|CURRENT\n|0\n|0\n|INT\n|5\n|36\n" << 1 << check_t([](MainWindow* w) {
        return expect(w->func_code == 0 && w->ui->current_function_label->text() == "CC" &&
                          w->ui->static_pattern->currentIndex() == 0 && w->ui->model_sel->currentIndex() == 0,
                      "CC page not selected");
    });
    QTest::newRow("31 LED") << 31 << "BASIC\n|LED\n|1\n|1\n|INT\n|30\n|150\n" << 1 << check_t([](MainWindow* w) {
        return expect(w->func_code == 4 && w->ui->current_function_label->text() == "LED" &&
                          w->ui->static_pattern->currentIndex() == 4 && w->tmon_on &&
                          w->ui->short_button->styleSheet() == "color: yellow" &&
                          w->ext_current_range_radio->checked_index() == 1,
                      "LED read-back wrong");
    });
    // time test and short "2": neither read as "0" (both were on before)
    QTest::newRow("31 EXTV") << 31 << "BASIC\n|CURRENT\n|2\n|2\n|EXTV\n|5\n|36\n" << 1 << check_t([](MainWindow* w) {
        return expect(w->func_code == 25 && w->ui->current_function_label->text() == "EXTV" &&
                          w->type_combo->current_index() == 2 && w->tmon_on &&
                          w->ui->short_button->styleSheet() == "color: yellow" &&
                          w->ext_current_range_radio->checked_index() == 0 &&
                          w->ext_voltage_range_radio->checked_index() == 0 && !w->ext_range_panel->isHidden() &&
                          w->monitor_panel->isHidden() && w->ui->model_sel->currentIndex() == 1,
                      "EXTV read-back wrong");
    });
    QTest::newRow("31 unknown mode") << 31 << "WHAT\n|CURRENT\n|0\n|0\n|INT\n|5\n|36\n" << 1
                                     << check_t([](MainWindow* w) {
                                            return expect(w->func_code == -1 &&
                                                              w->cfg_thread->pending_requests() == 1,
                                                          "unknown mode changed the code or posted no poll");
                                        });
    QTest::newRow("33 short on") << 33 << "1\n" << 0 << check_t([](MainWindow* w) {
        return expect(w->ui->short_button->styleSheet() == "color: yellow", "short not shown");
    });
    QTest::newRow("6 OCP") << 6 << "5\n|150\n|12\n|0.5\n|1\n|4\n|2\n|3\n|0.2\n" << 0 << check_t([](MainWindow* w) {
        return expect(w->func_code == 6 && w->ui->current_function_label->text() == "OCP" &&
                          w->ocp_i_range_radio->checked_index() == 0 && w->ocp_v_range_radio->checked_index() == 1 &&
                          w->ocp_v_spin->value() == 12 && w->ocp_i_min_spin->value() == 2 &&
                          w->ocp_i_max_spin->value() == 3 && !w->ocp_frame->isHidden() && w->opp_frame->isHidden(),
                      "OCP read-back wrong");
    });
    QTest::newRow("8 battery") << 8 << "POWER\n|30\n|36\n|0\n|10\n|1\n|0\n|0\n|2.5\n|100\n|60\n|12.9\n" << 0
                               << check_t([](MainWindow* w) {
                                      return expect(w->func_code == 8 && w->batt_function_combo->current_index() == 2 &&
                                                        w->batt_stop_radios[0]->checked_index() == 0 &&
                                                        w->batt_stop_radios[1]->checked_index() == 1 &&
                                                        w->batt_capacity_edit->line_edit->text() == "12mAh" &&
                                                        w->batt_level_spin->value() == 10,
                                                    "battery read-back wrong");
                                  });
    QTest::newRow("10 configure") << 10 << "1\n|0\n|1\n|5\n|150\n|10\n|2.5\n|BUS\n|INT\n|0\n|1\n|0\n" << 0
                                  << check_t([](MainWindow* w) {
                                         return expect(w->aver_combo->current_index() == 4 &&
                                                           w->trigger_combo->current_index() == 2 &&
                                                           w->vrmt_radio->checked_index() == 0 &&
                                                           w->sof_radio->checked_index() == 1 &&
                                                           w->von_spin->value() == 2.5,
                                                       "configure read-back wrong");
                                     });
    QTest::newRow("13 list") << 13 << "VOLTAGE\n|5\n|36\n|2\n|3\n|1,2,3,\n|0.1,0.2,0.3,\n|1,1,1,\n" << 0
                             << check_t([](MainWindow* w) {
                                    return expect(w->func_code == 13 && w->list_levels == QStringList{"1", "2", "3"} &&
                                                      w->list_function_combo->current_index() == 1 &&
                                                      w->list_step_spin->value() == 3,
                                                  "list read-back wrong");
                                });
    QTest::newRow("83 identity") << 83 << "Tervane,WLX1300X,123,1.0,2.0\n" << 0 << check_t([](MainWindow* w) {
        return expect(w->model_name == "WLX1300X" && w->cp_power_spin->spin_box->maximum() == 300.0 &&
                          about_text == "Tervane\nWLX1300X\n123\n1.0\n2.0\n\n",
                      "identity not shown field by field: " + about_text);
    });
    QTest::newRow("185 battery on") << 185 << "" << 0 << check_t([](MainWindow* w) {
        return expect(w->battery_test_running == 1, "battery test not armed");
    });
    QTest::newRow("32 battery off") << 32 << "42\n" << 186 << check_t([](MainWindow* w) {
        return expect(w->batt_capacity_edit->line_edit->text() == "42mAh" && w->battery_test_running == 2,
                      "added capacity not shown");
    });
    QTest::newRow("183 input on") << 183 << "1\n|1.25\n|12\n|9.6\n|15\n|1\n" << 0 << check_t([](MainWindow* w) {
        return expect(w->ui->load_button->text() == "ON" && w->input_on_seen == 1 &&
                          w->display_current_label->value_label->text().startsWith("1.25") &&
                          w->time_axis.size() == 1,
                      "poll reply not shown");
    });
    QTest::newRow("183 remote off") << 183 << "0\n|0\n|0\n|0\n|0\n|0\n" << 0 << check_t([](MainWindow* w) {
        return expect(!w->connected && w->ui->current_function_label->text() == "disconnected",
                      "a load out of remote control still shown as connected");
    });
}

void tst_legacy_dispatch::reply_reaches_handler()
{
    QFETCH(int, operation);
    QFETCH(QString, replies);
    QFETCH(int, sub);
    QFETCH(check_t, check);
    w->connected = true;
    w->func_code = -1;
    w->ui->short_button->setStyleSheet(QStringLiteral("color: grey"));
    // the remote-off row warns once
    if (QByteArray(QTest::currentDataTag()) == "183 remote off")
        answerer->press(QMessageBox::Ok);
    if (QByteArray(QTest::currentDataTag()) == "31 EXTV") {
        w->tmon_on = true;
        w->ui->short_button->setStyleSheet(QStringLiteral("color: yellow"));
    }
    // the About window is modal: read and close it once seen
    about_text.clear();
    if (operation == 83) {
        answerer->act([](QWidget* box) {
            if (QLabel* label = box->findChild<QLabel*>(QStringLiteral("small_label")))
                about_text = label->text();
            box->close();
        });
    }
    // a static mode's page is read under its wait box; here no load answers,
    // so the box is closed as that read-back would close it
    const bool static_page = operation == 31 && sub == 1 && replies.startsWith(QLatin1String("BASIC")) &&
                             replies.contains(QLatin1String("|INT\n"));
    QString wait_title;
    if (static_page) {
        answerer->act([this, &wait_title](QWidget* box) {
            wait_title = box->windowTitle();
            w->close_wait_box();
        });
    }
    w->deal_cfg_thread(operation, replies.isEmpty() ? QList<QString>() : replies_of(replies), {}, sub);
    if (answerer->pending())
        QVERIFY(answerer->wait_answered());
    if (static_page)
        QCOMPARE(wait_title, QStringLiteral("Static Dialog"));
    const QString wrong = check(w.get());
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QVERIFY(answerer->unexpected().isEmpty());
}

// ---- cut or garbled replies are passed over

void tst_legacy_dispatch::cut_or_garbled_replies_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("replies");
    QTest::newRow("poll short") << 183 << "1\n|2\n|3\n";
    QTest::newRow("poll not a number") << 183 << "1\n|2A\n|3\n|4\n|5\n|1\n";
    QTest::newRow("mode short") << 31 << "BASIC\n|CURRENT\n";
    QTest::newRow("OCP short") << 6 << "5\n|36\n|1\n";
    QTest::newRow("list step count not a number") << 13 << "CURRENT\n|5\n|36\n|1\n|4x\n|1,2,\n|1,1,\n|1,1,\n";
    QTest::newRow("program step count not a number")
        << 14 << "1,|1,|1,|1,|1,|1,|1,|1,|1,|1,|1,|1,|1,|3x\n";
    QTest::newRow("list run not a number") << 15 << "x|0\n|1\n|1\n|1\n|1\n|1\n|1\n";
}

void tst_legacy_dispatch::cut_or_garbled_replies()
{
    QFETCH(int, operation);
    QFETCH(QString, replies);
    w->connected = true;
    w->func_code = 7;
    w->list_levels = {"9"};
    w->ui->load_button->setText(QStringLiteral("OFF"));
    w->ui->current_function_label->setText(QStringLiteral("OPP"));
    const int samples = w->time_axis.size();
    w->deal_cfg_thread(operation, replies_of(replies), {}, 1);
    // nothing was taken from it, and no box stays open
    QCOMPARE(w->ui->load_button->text(), QStringLiteral("OFF"));
    QCOMPARE(w->ui->current_function_label->text(), QStringLiteral("OPP"));
    QCOMPARE(w->func_code, 7);
    QCOMPARE(w->list_levels, QList<QString>{"9"});
    QCOMPARE(w->time_axis.size(), samples);
    QVERIFY(w->readback_box == nullptr);
    QVERIFY(w->connected);
    QVERIFY(answerer->boxes().isEmpty());
}

// ---- message replies: alarms and verdicts

void tst_legacy_dispatch::message_replies_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("replies");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("no alarm, poll kind") << 183 << "0x0\n|5\n" << QStringList();
    QTest::newRow("protect power") << 6 << "0x200\n|2.5\n" << QStringList{"Over the protect power !"};
    QTest::newRow("two alarms") << 6 << "0x1200\n|2.5\n"
                                << QStringList{"Over the protect power !\nOver voltage !"};
    QTest::newRow("bit 8 then verdict") << 6 << "0x100\n|2.5\n" << QStringList{"Test complete!"};
    QTest::newRow("at the minimum") << 6 << "0\n|2\n" << QStringList{"Test complete!"};
    QTest::newRow("at the maximum") << 7 << "0\n|30\n" << QStringList{"Test complete!"};
    QTest::newRow("zero") << 6 << "0\n|0\n" << QStringList{"Failure! The measured value did not meet the set value"};
    QTest::newRow("below") << 6 << "0\n|1.5\n" << QStringList{"Below limit, Test fail!"};
    QTest::newRow("over") << 7 << "0\n|31\n" << QStringList{"Over limit, Test fail!"};
    QTest::newRow("battery, two stops hold") << 8 << "0\n|2.0\n|500\n|10\n" << QStringList{"Battery test complete!"};
    QTest::newRow("battery, none holds") << 8 << "0\n|9.0\n|10\n|10\n" << QStringList();
    QTest::newRow("battery at V_Stop") << 8 << "0\n|2.5\n|10\n|10\n" << QStringList{"Battery test complete!"};
    QTest::newRow("battery just above V_Stop") << 8 << "0\n|2.501\n|10\n|10\n" << QStringList();
    QTest::newRow("battery just below V_Stop") << 8 << "0\n|2.499\n|10\n|10\n" << QStringList{"Battery test complete!"};
    QTest::newRow("battery cut") << 8 << "0\n|2.0\n" << QStringList();
    QTest::newRow("status unreadable") << 6 << "zz\n|2.5\n" << QStringList();
}

void tst_legacy_dispatch::message_replies()
{
    QFETCH(int, kind);
    QFETCH(QString, replies);
    QFETCH(QStringList, shown);
    w->ocp_i_min_spin->set_value(2);
    w->ocp_i_max_spin->set_value(3);
    w->opp_p_max_spin->set_maximum(1000);
    w->opp_p_min_spin->set_value(20);
    w->opp_p_max_spin->set_value(30);
    // V_Stop at 2.5 V and C_Stop at 100 mAh on, T_Stop off
    w->batt_stop_radios[0]->set_checked(0);
    w->batt_stop_spins[0]->set_value(2.5);
    w->batt_stop_radios[1]->set_checked(0);
    w->batt_stop_spins[1]->set_maximum(100000);
    w->batt_stop_spins[1]->set_value(100);
    w->batt_stop_radios[2]->set_checked(1);
    for (int i = 0; i < shown.size(); ++i)
        answerer->press(QMessageBox::Ok);
    const int posted = w->cfg_thread->pending_requests();
    w->deal_cfg_thread_message_data(replies_of(replies), kind);
    QVERIFY(answerer->wait_answered());
    QStringList texts;
    for (const auto& b : answerer->boxes())
        texts << b.text;
    QCOMPARE(texts, shown);
    // the poll is posted again whatever the reply held
    QCOMPARE(w->cfg_thread->pending_requests(), posted + 1);
}

// The input seen on and then off asks for the test's result: at once after
// a plain run, on the third off poll after an OCP test, counting only polls
// that come back after the load had the switch-on.
void tst_legacy_dispatch::test_end_detection()
{
    w->connected = true;
    const QList<QString> on = replies_of("1\n|1\n|1\n|1\n|1\n|1\n");
    const QList<QString> off = replies_of("0\n|0\n|1\n|0\n|0\n|1\n");
    w->func_code = 0;
    w->deal_cfg_thread(183, on, {}, 0);
    QCOMPARE(w->input_on_seen, 1);
    w->deal_cfg_thread(183, off, {}, 0);
    QCOMPARE(w->input_on_seen, 0);
    QCOMPARE(w->ui->load_button->text(), QStringLiteral("OFF"));

    w->func_code = 6;
    w->ui->current_function_label->setText(QStringLiteral("OCP"));
    w->test_end_countdown = 2; // left over from a test dropped earlier
    w->deal_load_button();
    QCOMPARE(w->ocpt_state, 1);
    // polls queued before the switch-on reply were taken before the test
    for (int i = 0; i < 4; ++i)
        w->deal_cfg_thread(183, off, {}, 0);
    QCOMPARE(w->ocpt_state, 1);
    w->deal_cfg_thread(32, {}, {}, 0);
    QCOMPARE(w->test_end_countdown, 3);
    w->deal_cfg_thread(183, on, {}, 0);
    w->deal_cfg_thread(183, off, {}, 0);
    w->deal_cfg_thread(183, off, {}, 0);
    QCOMPARE(w->ocpt_state, 1);
    QCOMPARE(w->test_end_countdown, 1);
    w->deal_cfg_thread(183, off, {}, 0);
    QCOMPARE(w->ocpt_state, 0);
    QCOMPARE(w->test_end_countdown, 3);
    QCOMPARE(w->input_on_seen, 0);

    // leaving the OCP page drops a started test without asking
    w->ocpt_state = 1;
    w->func_code = 0;
    w->deal_cfg_thread(183, off, {}, 0);
    QCOMPARE(w->ocpt_state, 0);
}

// ---- what the front panel posts (the command thread is not running: the
// request waits in its mailbox)

void tst_legacy_dispatch::device_operations_post_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("operation"); // of the one request posted; 0: none
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QStringList>("queries");
    QTest::addColumn<int>("sub"); // the request's private data
    const QStringList none;
    QTest::newRow("input on") << "load" << "OFF" << "CC" << "" << 32 << QStringList{"INP 1"} << QStringList{""} << 0;
    QTest::newRow("input off") << "load" << "ON" << "CV" << "" << 32 << QStringList{"INP 0"} << QStringList{""} << 0;
    // the battery's input goes on only after its added capacity is known
    QTest::newRow("battery on asks the capacity") << "load" << "OFF" << "BATTERY" << "" << 32 << QStringList{""}
                                                  << QStringList{"BATT:ADDCAP?"} << 185;
    QTest::newRow("battery off asks the capacity") << "load" << "ON" << "BATTERY" << "" << 32
                                                   << QStringList{"INP 0", ""} << QStringList{"", "BATT:ADDCAP?"}
                                                   << 186;
    QTest::newRow("short refused in a test") << "short" << "OFF" << "OCP" << "Short is invalid in present state!" << 0
                                             << none << none << 0;
    QTest::newRow("short") << "short" << "OFF" << "CV" << "" << 33 << QStringList{"SHOR 1"} << QStringList{"SHOR?"}
                           << 0;
    QTest::newRow("trigger refused while off") << "trigger" << "OFF" << "CC" << "Please turn on the load!" << 0 << none
                                               << none << 0;
    QTest::newRow("trigger") << "trigger" << "ON" << "CC" << "" << 82 << QStringList{"TRIG:SOUR BUS", "*TRG"}
                             << QStringList{"", ""} << 0;
    QTest::newRow("help") << "help" << "OFF" << "CC" << "" << 83 << QStringList{"", "INP 0"}
                          << QStringList{"*IDN?", ""} << 0;
}

// Each front-panel button posts its one request, as the command thread
// receives it, or nothing (and a warning) where the state refuses it.
void tst_legacy_dispatch::device_operations_post()
{
    QFETCH(QString, button);
    QFETCH(QString, load);
    QFETCH(QString, page);
    QFETCH(QString, warning);
    QFETCH(int, operation);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, queries);
    QFETCH(int, sub);
    QPushButton* buttons[] = {w->ui->load_button, w->ui->short_button, w->ui->trigger_button, w->ui->help_button};
    const QStringList names = {"load", "short", "trigger", "help"};
    QPushButton* b = buttons[names.indexOf(button)];
    w->ui->load_button->setText(load);
    w->ui->current_function_label->setText(page);
    w->show_short_state(false);
    legacy_recorder r(*w);
    // nothing at all while not connected
    b->click();
    QVERIFY(r.rec->take_served().isEmpty());
    w->connected = true;
    if (!warning.isEmpty())
        answerer->press(QMessageBox::Ok);
    b->click();
    QVERIFY(answerer->wait_answered());
    if (!warning.isEmpty())
        QCOMPARE(answerer->boxes().last().text, warning);
    const QList<cfg_request_t> posted = r.rec->take_served();
    QCOMPARE(posted.size(), operation ? 1 : 0);
    if (!operation)
        return;
    QCOMPARE(posted[0].button_model, operation);
    QCOMPARE(posted[0].write, writes);
    QCOMPARE(posted[0].query, queries);
    QCOMPARE(posted[0].private_data, sub);
    QVERIFY(!posted[0].repeat);
}

// The load switch in the battery page: the added capacity decides whether
// the user is asked to clear it before the input goes on.
void tst_legacy_dispatch::battery_start_data()
{
    QTest::addColumn<QString>("capacity");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none added") << "0\n" << 0 << QStringList{"INP 1"} << "7mAh";
    QTest::newRow("cleared") << "250\n" << int(QMessageBox::Yes) << QStringList{"INP 1", "BATT:ADDCAP:STAT 0"}
                             << "0mAh";
    QTest::newRow("kept") << "250\n" << int(QMessageBox::No) << QStringList{"INP 1", "BATT:ADDCAP:STAT 1"}
                          << "7mAh";
}

void tst_legacy_dispatch::battery_start()
{
    QFETCH(QString, capacity);
    QFETCH(int, answer);
    QFETCH(QStringList, writes);
    QFETCH(QString, shown);
    w->connected = true;
    w->batt_capacity_edit->set_text(QStringLiteral("7mAh"));
    if (answer)
        answerer->press(QMessageBox::StandardButton(answer));
    w->deal_cfg_thread(32, {capacity}, {}, 185);
    QVERIFY(answerer->wait_answered());
    if (answer)
        QCOMPARE(answerer->boxes().last().text, QStringLiteral("Do you want to clean up the accumulated capacity?"));
    else
        QVERIFY(answerer->boxes().isEmpty());
    QCOMPARE(w->cmd_writes, writes);
    QCOMPARE(w->cmd_queries.size(), writes.size());
    QCOMPARE(w->batt_capacity_edit->line_edit->text(), shown);
    // the switch-on request waits behind the poll (with a question) or alone
    QCOMPARE(w->cfg_thread->pending_requests(), answer ? 2 : 1);
    // its reply arms the test end
    w->deal_cfg_thread(185, {}, {}, 0);
    QCOMPARE(w->battery_test_running, 1);
}

// The end of a battery test asks the load through the command thread, not
// from the window's thread. Its result replaces the voltage (shown, and
// judged against V_Stop: a discharge V_Stop ended is at or below it); the
// added capacity only fills its box, C_Stop is judged on the capacity the
// readings brought.
void tst_legacy_dispatch::battery_end_data()
{
    QTest::addColumn<double>("voltage");  // of the readings
    QTest::addColumn<double>("capacity"); // of the readings
    QTest::addColumn<QString>("added");   // "BATT:ADDCAP?"
    QTest::addColumn<QString>("result");  // "FUNC:TEST:RESULT?"
    QTest::addColumn<bool>("complete");
    // V_Stop 12 V and C_Stop 200 mAh, both on; T_Stop off
    QTest::newRow("readings reach C_Stop") << 13.0 << 200.0 << "150\n" << "12.5\n" << true;
    QTest::newRow("only the added capacity reaches it") << 13.0 << 199.0 << "250\n" << "12.5\n" << false;
    QTest::newRow("result at V_Stop") << 13.0 << 150.0 << "150\n" << "12\n" << true;
    QTest::newRow("result just above V_Stop") << 11.0 << 150.0 << "150\n" << "12.001\n" << false;
    QTest::newRow("result just below V_Stop") << 13.0 << 150.0 << "150\n" << "11.999\n" << true;
    QTest::newRow("only the readings' voltage reaches it") << 3.0 << 150.0 << "150\n" << "12.5\n" << false;
}

void tst_legacy_dispatch::battery_end()
{
    QFETCH(double, voltage);
    QFETCH(double, capacity);
    QFETCH(QString, added);
    QFETCH(QString, result);
    QFETCH(bool, complete);
    w->connected = true;
    w->battery_test_running = 1;
    w->ui->load_button->setText(QStringLiteral("OFF"));
    w->batt_stop_spins[0]->set_value(12);
    w->batt_stop_spins[1]->set_maximum(100000);
    w->batt_stop_spins[1]->set_value(200);
    w->batt_stop_radios[0]->set_checked(0);
    w->batt_stop_radios[1]->set_checked(0);
    w->batt_stop_radios[2]->set_checked(1);
    w->deal_batt_value(0, 1.0, voltage, capacity, 75);
    QCOMPARE(w->battery_test_running, 0);
    QCOMPARE(w->cmd_queries, (QList<QString>{"BATT:ADDCAP?", "FUNC:TEST:RESULT?"}));
    QCOMPARE(w->cfg_thread->pending_requests(), 1);
    QCOMPARE(w->ui->load_button->text(), QStringLiteral("OFF"));
    QCOMPARE(w->display_resistance_label->unit_label->text(), QStringLiteral("mAh"));
    QCOMPARE(w->display_voltage_label->value_label->text(), QString::number(voltage, 'f', 4));
    if (complete)
        answerer->press(QMessageBox::Ok);
    w->deal_cfg_thread(MainWindow::battery_end_operation, {added, result}, {}, 0);
    if (complete) {
        QVERIFY(answerer->wait_answered());
        QCOMPARE(answerer->boxes().last().text, QStringLiteral("Battery test complete!"));
    } else {
        QTest::qWait(50);
        QVERIFY(answerer->boxes().isEmpty());
    }
    QCOMPARE(w->batt_capacity_edit->line_edit->text(), added.trimmed() + QStringLiteral("mAh"));
    QCOMPARE(w->display_voltage_label->value_label->text(), QString::number(result.toDouble(), 'f', 4));
    QCOMPARE(w->display_voltage_label->unit_label->text(), QStringLiteral("V"));
}

// The added capacity is a whole number read as C's atoi reads it, the same
// on each road: the switch-off's read, the end of a test, and the
// switch-on's, where it decides the question about clearing it.
void tst_legacy_dispatch::added_capacity_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a fraction") << "12.9\n" << "12mAh";
    QTest::newRow("blank first") << " 7\n" << "7mAh";
    QTest::newRow("negative") << "-3\n" << "-3mAh";
    QTest::newRow("no digits") << "abc\n" << "0mAh";
    QTest::newRow("a unit after it") << "12mAh\n" << "12mAh";
    QTest::newRow("under one") << "0.9\n" << "0mAh";
}

void tst_legacy_dispatch::added_capacity()
{
    QFETCH(QString, reply);
    QFETCH(QString, shown);
    w->connected = true;
    w->batt_capacity_edit->set_text(QStringLiteral("before"));
    w->deal_cfg_thread(32, {reply}, {}, 186);
    QCOMPARE(w->batt_capacity_edit->line_edit->text(), shown);

    w->batt_capacity_edit->set_text(QStringLiteral("before"));
    w->battery_test_running = 1;
    w->ui->load_button->setText(QStringLiteral("OFF"));
    w->batt_stop_radios[0]->set_checked(1);
    w->batt_stop_radios[1]->set_checked(1);
    w->batt_stop_radios[2]->set_checked(1);
    w->deal_batt_value(0, 0.0, 3.0, 10.0, 5);
    w->deal_cfg_thread(MainWindow::battery_end_operation, {reply, QStringLiteral("3\n")}, {}, 0);
    QCOMPARE(w->batt_capacity_edit->line_edit->text(), shown);

    // anything added is offered for clearing before the input goes on
    const bool asked = shown != QLatin1String("0mAh");
    if (asked)
        answerer->press(QMessageBox::No);
    w->deal_cfg_thread(32, {reply}, {}, 185);
    QVERIFY(answerer->wait_answered());
    QCOMPARE(answerer->boxes().size(), asked ? 1 : 0);
    QCOMPARE(w->cmd_writes.size(), asked ? 2 : 1);
}

void tst_legacy_dispatch::trigger_reply_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("replies"); // source, stepping, step
    QTest::addColumn<int>("step");        // the connect thread's step field after it; 7 before
    QTest::addColumn<bool>("triggered");
    QTest::addColumn<QString>("warning");
    QTest::newRow("source not the bus") << "PROGRAM" << "MANUAL\n|1\n|3\n" << 7 << false
                                        << "Please set trigger as bus model";
    QTest::newRow("from the start") << "PROGRAM" << "BUS\n|1\n|0\n" << 1 << true << "";
    QTest::newRow("steps on") << "PROGRAM" << "BUS\n|1\n|3\n" << 4 << true << "";
    QTest::newRow("stays on its step") << "PROGRAM" << "BUS\n|0\n|3\n" << 7 << true << "";
    QTest::newRow("not the program page") << "LIST" << "BUS\n|1\n|0\n" << 7 << false << "";
}

// The side thread's trigger reply: on the bus source the step is kept or
// stepped on, the load triggered, the program page locked, and the connect
// thread handed its task code and started after a pause that is a timer.
void tst_legacy_dispatch::trigger_reply()
{
    QFETCH(QString, page);
    QFETCH(QString, replies);
    QFETCH(int, step);
    QFETCH(bool, triggered);
    QFETCH(QString, warning);
    w->connected = true;
    w->ui->current_function_label->setText(page);
    w->configure_thread->step = 7;
    w->program_results.push_back({QStringLiteral("1"), QStringLiteral("Pass"), QString()});
    if (!warning.isEmpty())
        answerer->press(QMessageBox::Ok);
    emit w->scpi_rw_thread->send_result(82, replies_of(replies), {});
    QVERIFY(answerer->wait_answered());
    if (!warning.isEmpty())
        QCOMPARE(answerer->boxes().last().text, warning);
    else
        QVERIFY(answerer->boxes().isEmpty());
    QCOMPARE(int(w->configure_thread->step), step);
    QCOMPARE(w->program_results.empty(), step == 1);
    QCOMPARE(w->program_steps_spin->isEnabled(), !triggered);
    // the poll after a refusal, the trigger otherwise
    QCOMPARE(w->cfg_thread->pending_requests(), page == QLatin1String("PROGRAM") ? 1 : 0);
    QCOMPARE(int(w->configure_thread->request_code), triggered ? 16 : 0);
    // not started at once: the pause before it is a timer
    QVERIFY(!w->configure_thread->isRunning() && !w->configure_thread->isFinished());
    if (!triggered)
        return;
    QCOMPARE(w->cmd_writes, QList<QString>{"*TRG"});
    QTRY_VERIFY_WITH_TIMEOUT(w->configure_thread->isFinished(), 20000);
}

// Stop on fail is a setting: only a stopped step under it ends the run with
// the message; the input going off ends it with the results asked.
void tst_legacy_dispatch::program_run_state()
{
    w->connected = true;
    w->build_prog_result_form(1);
    const QList<QString> running = replies_of("2\n|0\n|1\n|1\n|2\n|3\n|4\n|1\n|1\n");
    w->deal_cfg_thread(16, running, {}, 0);
    QVERIFY(answerer->boxes().isEmpty());
    QCOMPARE(w->cfg_thread->pending_requests(), 0);
    QCOMPARE(w->program_progress->value(), 2);

    answerer->press(QMessageBox::Ok);
    w->deal_cfg_thread(16, replies_of("2\n|1\n|1\n|1\n|2\n|3\n|4\n|1\n|1\n"), {}, 0);
    QVERIFY(answerer->wait_answered());
    QCOMPARE(answerer->boxes().last().text, QStringLiteral("SOF set to on\nTest failed, stop running"));
    QCOMPARE(w->cfg_thread->pending_requests(), 1);

    w->deal_cfg_thread(16, replies_of("3\n|0\n|0\n|0\n|0\n|0\n|0\n|1\n|0\n"), {}, 0);
    QCOMPARE(w->cmd_queries, (QList<QString>{"PROG:TEST:ALL?"}));
    QCOMPARE(w->cfg_thread->pending_requests(), 2);
    QCOMPARE(answerer->boxes().size(), 1);
}

// The list run view: five steps shown around the running one, its number
// red while stopped, the preview's axes following the window of steps.
void tst_legacy_dispatch::list_run_view()
{
    w->list_step_spin->set_maximum(100);
    w->list_step_spin->set_value(3);
    w->list_levels = {"1", "4", "2"};
    w->list_step_table->setColumnCount(6);
    w->deal_list_trigger_thread(2, 1, 1);
    QCOMPARE(w->list_step_table->item(0, 1)->text(), QStringLiteral("1"));
    QCOMPARE(w->list_step_table->item(0, 3)->text(), QStringLiteral("3"));
    QCOMPARE(w->list_step_table->item(0, 2)->foreground().color(), QColor(Qt::red));
    QCOMPARE(w->list_step_table->item(0, 1)->foreground().color(), QColor(Qt::white));
    QCOMPARE(w->list_curve_y.value(2), 4.0);
    QCOMPARE(w->list_marker_x, (QVector<double>{2, 1}));
    QCOMPARE(w->list_plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 5.0);
    QCOMPARE(w->list_plot->axisScaleDiv(QwtPlot::yLeft).upperBound(), 4.0);
    QCOMPARE(w->cfg_thread->pending_requests(), 1);

    // a step beyond the count is held to it; state 0 is green and posts nothing
    w->deal_list_trigger_thread(9, 0, 1);
    QCOMPARE(w->list_step_table->item(0, 3)->foreground().color(), QColor(Qt::green));
    QCOMPARE(w->cfg_thread->pending_requests(), 1);
}

// A page's wait ends when its reply is cut or names an unknown function:
// the window is never left locked.
void tst_legacy_dispatch::wait_ends_on_unusable_reply_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("replies");
    QTest::addColumn<QString>("message");
    QTest::newRow("cut OCP read-back") << 6 << "5\n|36\n" << "The load's reply could not be read.";
    QTest::newRow("unknown static function") << 26 << "EXTV\n" << "";
    QTest::newRow("list steps missing") << 13 << "CURRENT\n|5\n|36\n|1\n|5\n|1,\n|1,\n|1,\n" << "";
}

void tst_legacy_dispatch::wait_ends_on_unusable_reply()
{
    QFETCH(int, operation);
    QFETCH(QString, replies);
    QFETCH(QString, message);
    w->connected = true;
    answerer->leave_open();
    if (!message.isEmpty())
        answerer->press(QMessageBox::Ok);
    QTimer::singleShot(100, w.get(), [this, operation, replies] {
        w->deal_cfg_thread(operation, replies_of(replies), {}, 0);
    });
    QElapsedTimer clock;
    clock.start();
    // no load: the reply above is the only one that comes
    w->ocpt_button->click();
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(answerer->wait_answered());
    QVERIFY(w->readback_box == nullptr);
    QCOMPARE(answerer->boxes().first().title, QStringLiteral("Ocp Dialog"));
    QCOMPARE(answerer->boxes().size(), message.isEmpty() ? 1 : 2);
    if (!message.isEmpty())
        QCOMPARE(answerer->boxes().last().text, message);
}

QTEST_MAIN(tst_legacy_dispatch)
#include "tst_legacy_dispatch.moc"
