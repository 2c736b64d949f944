// The Protect, External-control and Battery panels without a load: what
// their widgets post, how their routers store the read-backs, and what the
// pages show. Requests are caught by a command thread that records them.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "cfg_thread_t.h"
#include "modal_answerer.h"
#include "recording_thread.h"
#include "uiPara.h"
#include "user_input.h"
#include "window_steps.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

class tst_protect_panels : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MyMainWindow> w;
    recording_thread* rec = nullptr;

    // Waits until `count` requests other than the poll were served.
    cfg_request_t post_at(int count)
    {
        const QList<cfg_request_t> posts = rec->wait_posts(count);
        return posts.size() >= count ? posts.at(count - 1) : cfg_request_t{-1, {}, {}, {}, false, 0, false, {}};
    }
    void connect_window()
    {
        rec = attach_recorder(w.get());
    }

private slots:
    void init()
    {
        w.reset(new MyMainWindow);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup()
    {
        if (rec) {
            rec->stop_and_wait();
            rec = nullptr;
        }
        w.reset();
    }

    void protect_test_choice_and_values()
    {
        Ui_MyMainWindow* ui = w->ui;
        uiPara* para = uiPara::instance();
        // Offline the page shows its fixed values and sends nothing.
        ui->comboBox_Mode->setCurrentIndex(1);
        QVERIFY(ui->radioButton_5A_Protect->isChecked());
        QVERIFY(ui->radioButton_36V_Protect->isChecked());
        QCOMPARE(ui->doubleSpinBox_Protect_Max->value(), 5.0);
        QCOMPARE(ui->doubleSpinBox_Protect_Start->value(), 0.0);

        connect_window();
        para->set_oppt_p_end(300); // watts beyond the form's two-digit default
        para->set_oppt_v(120.5);
        QTest::mouseClick(ui->radioButton_OPPT, Qt::LeftButton);
        // Laid out at once, before the load answers.
        QCOMPARE(ui->label_ValueName_Protect_Val->text(), QStringLiteral("OPP V:"));
        QCOMPARE(ui->label_unit_Protect_End->text(), QStringLiteral("W"));
        QCOMPARE(ui->doubleSpinBox_Protect_End->value(), 300.0);
        QCOMPARE(ui->doubleSpinBox_Protect_Val->value(), 120.5);
        cfg_request_t req = post_at(1);
        QCOMPARE(req.button_model, 132);
        QCOMPARE(req.write, QList<QString>({"OPP:FUNC"}));
        QCOMPARE(req.query, QList<QString>({"FUNC:MODE?"}));

        w->deal_over_protect_test_operating_button(132, QList<QString>({"OPP\n"}), {});
        QCOMPARE(w->func_code, 7);
        QCOMPARE(w->protect_mode, 1);
        QCOMPARE(w->mode_page, 1);

        type_and_leave(ui->doubleSpinBox_Protect_Start, QStringLiteral("2.5"));
        req = post_at(2);
        QCOMPARE(req.button_model, 146);
        QCOMPARE(req.write, QList<QString>({"OPP:STAR 2.5"}));
        QCOMPARE(req.query, QList<QString>({"OPP:STAR?"}));
        QCOMPARE(req.widgets.value(0), static_cast<QWidget*>(ui->doubleSpinBox_Protect_Start));

        // The read-back is what is stored and shown, a non-number as 0.
        w->deal_over_protect_test_operating_button(146, QList<QString>({"2.4\n"}), {});
        QCOMPARE(para->get_oppt_p_start(), 2.4);
        QCOMPARE(ui->doubleSpinBox_Protect_Start->value(), 2.4);
        w->deal_over_protect_test_operating_button(136, QList<QString>({"abc\n"}), {});
        QCOMPARE(para->get_ocpt_i_step(), 0.0);
        // The OCP field changed while the OPP test is shown: the box keeps its value.
        QCOMPARE(ui->doubleSpinBox_Protect_Step->value(), para->get_oppt_p_step());
        QTRY_VERIFY(rec->polled());

        // Codes of other panels pass through.
        const double before = para->get_oppt_p_min();
        w->deal_over_protect_test_operating_button(151, QList<QString>({"7\n"}), {});
        w->deal_over_protect_test_operating_button(131, QList<QString>({"7\n"}), {});
        QCOMPARE(para->get_oppt_p_min(), before);
    }

    void protect_reply_for_a_page_no_longer_shown()
    {
        Ui_MyMainWindow* ui = w->ui;
        connect_window();
        ui->comboBox_Mode->setCurrentIndex(1);
        QCOMPARE(post_at(1).button_model, 132);
        ui->comboBox_Mode->setCurrentIndex(0);
        w->deal_over_protect_test_operating_button(132, QList<QString>({"OCP\n"}), {});
        QCOMPARE(w->mode_page, 0);
        QCOMPARE(w->func_code, 6);
        // A reply with no text at all is ignored, not read.
        w->deal_over_protect_test_operating_button(132, {}, {});
        w->deal_over_protect_test_operating_button(141, {}, {});
        QCOMPARE(w->mode_page, 0);
    }

    void protect_range_warns_while_input_on()
    {
        Ui_MyMainWindow* ui = w->ui;
        uiPara* para = uiPara::instance();
        connect_window();
        ui->comboBox_Mode->setCurrentIndex(1);
        QCOMPARE(post_at(1).button_model, 132);
        w->deal_over_protect_test_operating_button(132, QList<QString>({"OCP\n"}), {});
        rec->forget();
        para->set_ocpt_v_range(1);
        QVERIFY(ui->radioButton_150V_Protect->isChecked());
        w->load_switch->setSelectedItem(true);

        // The command goes out whatever the input state.
        QTest::mouseClick(ui->radioButton_36V_Protect, Qt::LeftButton);
        cfg_request_t req = post_at(1);
        QCOMPARE(req.button_model, 134);
        QCOMPARE(req.write, QList<QString>({"OCP:VRANG 36"}));
        QCOMPARE(req.query, QList<QString>({"OCP:VRANG?"}));

        // The warning comes before the read-back is stored.
        modal_answerer answerer;
        int range_when_warned = -1;
        answerer.act([&](QWidget* box) {
            range_when_warned = para->get_ocpt_v_range();
            box->close();
        });
        w->deal_over_protect_test_operating_button(134, QList<QString>({"36\n"}), {});
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Please turn off the load !"));
        QCOMPARE(range_when_warned, 1);
        QCOMPARE(para->get_ocpt_v_range(), 0);
        QVERIFY(ui->radioButton_36V_Protect->isChecked());
        QCOMPARE(ui->doubleSpinBox_V_MAX->maximum(), 36.0);

        // With the input off the current range is stored and limits the trend axis.
        w->load_switch->setSelectedItem(false);
        w->deal_over_protect_test_operating_button(133, QList<QString>({"30\n"}), {});
        QCOMPARE(para->get_ocpt_i_range(), 1);
        QVERIFY(ui->radioButton_30A_Protect->isChecked());
        QCOMPARE(ui->doubleSpinBox_C_MAX->maximum(), 30.0);
        QCOMPARE(answerer.boxes().size(), 1);
    }

    void protect_test_result_asked_after_the_run()
    {
        connect_window();
        w->func_code = 6;
        w->follow_protect_test(0); // no test seen running: nothing to ask
        w->follow_protect_test(1);
        w->follow_protect_test(0);
        w->follow_protect_test(0);
        QTest::qWait(30);
        QVERIFY(rec->posts().isEmpty());
        w->follow_protect_test(0);
        const cfg_request_t req = post_at(1);
        QCOMPARE(req.button_model, 29);
        QCOMPARE(req.query, QList<QString>({"PROG:TEST? 1"}));
        QCOMPARE(req.private_data, 6);
        QCOMPARE(w->ocp_test_state, 0);
        // Leaving the test's function forgets a running test.
        w->follow_protect_test(1);
        w->func_code = 7;
        for (int i = 0; i < 4; ++i)
            w->follow_protect_test(0);
        w->func_code = 6;
        w->follow_protect_test(0);
        QTest::qWait(30);
        QCOMPARE(rec->posts().size(), 1);
    }

    // An OCP or OPP test's verdict at its limits (limits included) and one
    // step of the measured value either side.
    void protect_test_verdict_at_its_limits_data()
    {
        QTest::addColumn<int>("test"); // 6 OCP (1 to 4.8 A), 7 OPP (12 to 15 W)
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("verdict");
        const QString below = QStringLiteral("Below limit, Test fail!");
        const QString pass = QStringLiteral("Test complete!");
        const QString over = QStringLiteral("Over limit, Test fail!");
        QTest::newRow("OCP below min") << 6 << "0.999" << below;
        QTest::newRow("OCP min") << 6 << "1" << pass;
        QTest::newRow("OCP above min") << 6 << "1.001" << pass;
        QTest::newRow("OCP below max") << 6 << "4.799" << pass;
        QTest::newRow("OCP max") << 6 << "4.8" << pass;
        QTest::newRow("OCP above max") << 6 << "4.801" << over;
        QTest::newRow("OPP below min") << 7 << "11.999" << below;
        QTest::newRow("OPP min") << 7 << "12" << pass;
        QTest::newRow("OPP max") << 7 << "15" << pass;
        QTest::newRow("OPP above max") << 7 << "15.001" << over;
    }
    void protect_test_verdict_at_its_limits()
    {
        QFETCH(int, test);
        QFETCH(QString, value);
        QFETCH(QString, verdict);
        uiPara* para = uiPara::instance();
        para->set_ocpt_i_min(1);
        para->set_ocpt_i_max(4.8);
        para->set_oppt_p_min(12);
        para->set_oppt_p_max(15);
        connect_window();
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        w->deal_cfg_thread(29, {value + QLatin1Char('\n')}, {}, test);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().at(0).text, verdict);
    }

    // A protection switched off (the utility settings' read-back says so)
    // takes its own alarm out of the status line, and only its own.
    void a_protection_switched_off_takes_its_alarm_away_data()
    {
        QTest::addColumn<QString>("i_protect");
        QTest::addColumn<QString>("p_protect");
        QTest::addColumn<QString>("alarm");
        QTest::newRow("current off") << "0" << "1" << "Over the protect power ! Over voltage !";
        QTest::newRow("power off") << "1" << "0" << "Over the protect current ! Over voltage !";
        QTest::newRow("both on") << "1" << "1" << "Over the protect power ! Over the protect current ! Over voltage !";
    }
    void a_protection_switched_off_takes_its_alarm_away()
    {
        QFETCH(QString, i_protect);
        QFETCH(QString, p_protect);
        QFETCH(QString, alarm);
        connect_window();
        uiPara::instance()->set_utility_i_protect(true);
        uiPara::instance()->set_utility_p_protect(true);
        // The load's answer to "TEST:STAT?" after it switched its input off.
        w->deal_message_cmd({QStringLiteral("0x1600\n")}, 183);
        QCOMPARE(w->sbar_alarm->text(), QStringLiteral("Over the protect power ! Over the protect current ! Over voltage !"));
        QList<QString> utility;
        for (int i = 0; i < 18; ++i)
            utility << QStringLiteral("0\n");
        utility[12] = i_protect + QLatin1Char('\n');
        utility[15] = p_protect + QLatin1Char('\n');
        w->deal_cfg_thread(9, utility, {}, 0);
        QCOMPARE(w->sbar_alarm->text(), alarm);
    }

    void external_modes_and_ranges()
    {
        Ui_MyMainWindow* ui = w->ui;
        uiPara* para = uiPara::instance();
        // Offline: laid out from what the window knows, nothing posted.
        w->ext_mode_code = 24;
        ui->comboBox_Mode->setCurrentIndex(5);
        QVERIFY(ui->radioButton_CC_Ext->isChecked());
        QCOMPARE(ui->label_Ext_Set->text(), QStringLiteral("I_set : 0.000A"));

        connect_window();
        w->ext_mode_code = 25;
        w->battery_start_state = 1;
        w->init_Ext();
        cfg_request_t req = post_at(1);
        QCOMPARE(req.button_model, 23);
        QCOMPARE(req.write, QList<QString>({"EXT:MODE EXTV", ""}));
        QCOMPARE(req.query, QList<QString>({"", "EXT:MODE?"}));
        QCOMPARE(w->battery_start_state, 0);
        QVERIFY(ui->radioButton_CV_Ext->isChecked());

        QTest::mouseClick(ui->radioButton_CC_Ext, Qt::LeftButton);
        req = post_at(2);
        QCOMPARE(req.button_model, 168);
        QCOMPARE(req.write, QList<QString>({"EXT:MODE EXTI", "", ""}));
        QCOMPARE(req.query, QList<QString>({"EXT:MODE?", "FUNC:MODE?", "FUNC?"}));
        w->deal_ext_operating_button(168, QList<QString>({"EXTI\n", "BASIC\n", "CURRENT\n"}), {});
        QCOMPARE(para->get_ext_mode(), 1);
        QCOMPARE(w->func_code, 24);
        QCOMPARE(w->ext_mode_code, 24);
        QCOMPARE(ui->label_Ext_Set->text(), QStringLiteral("I_set : 0.000A"));
        // INT changes nothing.
        w->deal_ext_operating_button(168, QList<QString>({"INT\n", "BASIC\n", "CURRENT\n"}), {});
        QCOMPARE(w->func_code, 24);
        QCOMPARE(para->get_ext_mode(), 1);

        // A range read-back while the input is on: stored first, then the warning.
        para->set_ext_i_range(0);
        w->load_switch->setSelectedItem(true);
        QTest::mouseClick(ui->radioButton_30A_Ext, Qt::LeftButton);
        req = post_at(3);
        QCOMPARE(req.write, QList<QString>({"EXT:IRANG 30"}));
        modal_answerer answerer;
        bool checked_when_warned = false;
        answerer.act([&](QWidget* box) {
            checked_when_warned = ui->radioButton_30A_Ext->isChecked() && para->get_ext_i_range() == 1;
            box->close();
        });
        w->deal_ext_operating_button(171, QList<QString>({"30\n"}), {});
        QVERIFY(answerer.wait_answered());
        QVERIFY(checked_when_warned);
        // An unknown range word keeps the stored range.
        answerer.close_box();
        w->deal_ext_operating_button(172, QList<QString>({"20\n"}), {});
        QVERIFY(answerer.wait_answered());
        QCOMPARE(para->get_ext_v_range(), 0);
        QCOMPARE(answerer.boxes().size(), 2);
        // Operation 23 belongs to the window's own handler.
        w->deal_ext_operating_button(23, QList<QString>({"EXTV\n"}), {});
        QCOMPARE(w->func_code, 24);
    }

    void battery_set_up()
    {
        Ui_MyMainWindow* ui = w->ui;
        uiPara* para = uiPara::instance();
        para->set_battery_mode(0);
        ui->comboBox_Mode->setCurrentIndex(2);
        // Offline a mode click lays the page out locally.
        QTest::mouseClick(ui->radioButton_CP_Battery, Qt::LeftButton);
        QCOMPARE(ui->label_ValueName_1_Battery->text(), QStringLiteral("Power :"));
        QCOMPARE(ui->label_unit_1_Battery->text(), QStringLiteral("W"));
        QVERIFY(!ui->radioButton_om_Battery->isEnabled());
        ui->checkBox_T_Stop->setChecked(true);
        QTest::mouseClick(ui->checkBox_T_Stop, Qt::LeftButton);
        QVERIFY(!ui->spinBox_TS_Battery->isEnabled());
        QCOMPARE(ui->label_unit_T_Battery->styleSheet(), QStringLiteral("color:#909090"));

        connect_window();
        QTest::mouseClick(ui->radioButton_CR_Battery, Qt::LeftButton);
        cfg_request_t req = post_at(1);
        QCOMPARE(req.button_model, 151);
        QCOMPARE(req.write, QList<QString>({"BATT:MODE RES"}));
        QCOMPARE(req.query, QList<QString>({"BATT:MODE?"}));
        w->deal_battery_operating_button(151, QList<QString>({"RESISTANCE\n"}), {});
        QCOMPARE(para->get_battery_mode(), 2);
        QVERIFY(ui->radioButton_om_Battery->isEnabled());
        // The level box holds the load's resistance span.
        w->deal_battery_operating_button(154, QList<QString>({"10000\n"}), {});
        QCOMPARE(ui->doubleSpinBox_1_Battery->value(), 10000.0);

        QTest::mouseClick(ui->radioButton_30A_Battery, Qt::LeftButton);
        req = post_at(2);
        QCOMPARE(req.button_model, 152);
        QCOMPARE(req.write, QList<QString>({"BATT:IRANG 30", ""}));
        QCOMPARE(req.query, QList<QString>({"BATT:IRANG?", "BATT:LEV?"}));
        w->deal_battery_operating_button(152, QList<QString>({"30\n", "12.5\n"}), {});
        QCOMPARE(para->get_battery_i_range(), 1);
        QCOMPARE(para->get_battery_level(), 12.5);
        QCOMPARE(ui->doubleSpinBox_C_MIN->maximum(), 30.0);
        // One reply where two are read: ignored.
        w->deal_battery_operating_button(153, QList<QString>({"36\n"}), {});
        QCOMPARE(para->get_battery_level(), 12.5);

        // A stop switch ungreys its value only once the load said so.
        para->set_battery_v_stop_sw(false);
        QTest::mouseClick(ui->checkBox_V_Stop, Qt::LeftButton);
        req = post_at(3);
        QCOMPARE(req.write, QList<QString>({"BATT:VOLT:STAT 1"}));
        QCOMPARE(req.query, QList<QString>({"BATT:VOLT:STAT?"}));
        QVERIFY(!ui->doubleSpinBox_VS_Battery->isEnabled());
        w->deal_battery_operating_button(155, QList<QString>({"1\n"}), {});
        QVERIFY(ui->doubleSpinBox_VS_Battery->isEnabled());
        w->deal_battery_operating_button(158, QList<QString>({"120.25\n"}), {});
        QCOMPARE(ui->doubleSpinBox_VS_Battery->value(), 120.25);
        w->deal_battery_operating_button(159, QList<QString>({"2000.7\n"}), {});
        QCOMPARE(ui->spinBox_CS_Battery->value(), 2000);

        w->deal_battery_operating_button(157, QList<QString>({"1\n"}), {});
        type_and_leave(ui->spinBox_TS_Battery, QStringLiteral("3600"));
        req = post_at(4);
        QCOMPARE(req.button_model, 160);
        QCOMPARE(req.write, QList<QString>({"BATT:TIM 3600"}));
    }

    void battery_refuses_changes_while_input_on()
    {
        Ui_MyMainWindow* ui = w->ui;
        uiPara::instance()->set_battery_mode(0);
        connect_window();
        ui->comboBox_Mode->setCurrentIndex(2);
        const cfg_request_t entry = post_at(1); // the page entry asks for the mode
        QCOMPARE(entry.button_model, 8);
        QCOMPARE(entry.write, QList<QString>({"BATT:FUNC", ""}));
        QCOMPARE(entry.query, QList<QString>({"", "BATT:MODE?"}));
        w->load_switch->setSelectedItem(true);
        rec->forget();

        modal_answerer answerer;
        answerer.close_box();
        // The wait prompt ends when the read-back is handled.
        answerer.act([&](QWidget*) { QTimer::singleShot(0, w.get(), [&] { w->close_wait_prompt(); }); });
        QTest::mouseClick(ui->radioButton_30A_Battery, Qt::LeftButton);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Please turn off the load !"));
        QCOMPARE(answerer.boxes().at(1).text, QStringLiteral("Please waiting for the Battery initing"));
        const cfg_request_t req = post_at(1);
        QCOMPARE(req.button_model, 8);
        // The twelve read-back queries, without selecting the function again
        // (that would end a running discharge).
        QVERIFY(!req.write.contains(QStringLiteral("BATT:FUNC")));
        QCOMPARE(req.query.size(), 12);
        QCOMPARE(req.query.value(0), QStringLiteral("BATT:MODE?"));
        QVERIFY(!req.query.contains(QString()));
        QVERIFY(rec->polled());
        for (const cfg_request_t& r : rec->posts())
            QVERIFY(!r.write.contains(QStringLiteral("BATT:IRANG 30")));

        // Levels go out with the input on.
        type_and_leave(ui->doubleSpinBox_1_Battery, QStringLiteral("2.5"));
        QCOMPARE(post_at(2).write, QList<QString>({"BATT:LEV 2.5"}));
    }

    void discharge_time_text()
    {
        QCOMPARE(MyMainWindow::seconds_to_hms(0), QStringLiteral("00:00:00"));
        QCOMPARE(MyMainWindow::seconds_to_hms(59.99), QStringLiteral("00:00:59"));
        QCOMPARE(MyMainWindow::seconds_to_hms(3725.9), QStringLiteral("01:02:05"));
        QCOMPARE(MyMainWindow::seconds_to_hms(360000), QStringLiteral("100:00:00"));
        // Replies that are no time do not overflow.
        QCOMPARE(MyMainWindow::seconds_to_hms(-5), QStringLiteral("00:00:00"));
        QCOMPARE(MyMainWindow::seconds_to_hms(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("00:00:00"));
        QVERIFY(MyMainWindow::seconds_to_hms(1e300).endsWith(QStringLiteral(":46:40")));
    }
};

QTEST_MAIN(tst_protect_panels)
#include "tst_protect_panels.moc"
