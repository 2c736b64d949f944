// The External-control, Protect and Battery pages against the simulated
// load, driven as a user drives them: modes and ranges reach the load and
// come back, an OCP and an OPP test run to their verdict, a battery
// discharge starts with the capacity question, runs and stops, and the
// warnings while the input is on come where they belong.
//
// With WATTLEX_SHOT_DIR set, each page is saved there as a picture.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "connected_window.h"
#include "modal_answerer.h"
#include "program_look.h"
#include "uiPara.h"
#include "user_input.h"

#include <QAbstractSpinBox>
#include <QRegularExpression>
#include <QTest>

namespace {

// The number in a reading label ("12mAh" -> 12).
double number_in(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("[-0-9.]+"));
    return re.match(text).captured(0).toDouble();
}

// "01:02:05" -> 3725.
int seconds_in(const QString& hms)
{
    const QStringList parts = hms.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return -1;
    return parts.at(0).toInt() * 3600 + parts.at(1).toInt() * 60 + parts.at(2).toInt();
}

} // namespace

class tst_protect_e2e : public QObject
{
    Q_OBJECT

    connected_window cw;
    MyMainWindow* w = nullptr;

    // Types `text` into a value box and moves the focus away, as a user does.
    void type_into(QAbstractSpinBox* box, const QString& text) { type_and_leave(box, text, w->ui->comboBox_Mode); }

private slots:
    void initTestCase()
    {
        use_program_font();
        QVERIFY2(cw.start({QStringLiteral("--time-scale"), QStringLiteral("10")}), qPrintable(cw.error()));
        w = cw.window();
    }

    void external_control_modes_and_ranges()
    {
        Ui_MyMainWindow* ui = w->ui;
        int from = cw.received_count();
        ui->comboBox_Mode->setCurrentIndex(5);
        const int at = cw.wait_received(QStringLiteral("EXT:MODE EXTI"), from);
        QVERIFY(at >= 0);
        QVERIFY(cw.wait_received(QStringLiteral("EXT:MODE?"), at) > at);
        QTRY_COMPARE(w->func_code, 24);
        QVERIFY(ui->radioButton_CC_Ext->isChecked());
        // The poll now reads the external input (2 V on the simulated load).
        QTRY_VERIFY(ui->label_Ext->text().contains(QStringLiteral("2.000")));

        from = cw.received_count();
        QTest::mouseClick(ui->radioButton_CV_Ext, Qt::LeftButton);
        QVERIFY(cw.wait_received(QStringLiteral("EXT:MODE EXTV"), from) >= 0);
        QTRY_COMPARE(w->func_code, 25);
        QCOMPARE(uiPara::instance()->get_ext_mode(), 2);
        QVERIFY(ui->label_Ext_Set->text().startsWith(QStringLiteral("V_set")));
        QCOMPARE(cw.side_query(QStringLiteral("EXT:MODE?")), QStringLiteral("EXTV\n"));

        from = cw.received_count();
        QTest::mouseClick(ui->radioButton_150V_Ext, Qt::LeftButton);
        QTest::mouseClick(ui->radioButton_30A_Ext, Qt::LeftButton);
        QVERIFY(cw.wait_received(QStringLiteral("EXT:IRANG 30"), from) >= 0);
        QTRY_COMPARE(uiPara::instance()->get_ext_i_range(), 1);
        QCOMPARE(uiPara::instance()->get_ext_v_range(), 1);
        QVERIFY(ui->radioButton_150V_Ext->isChecked());
        QCOMPARE(cw.side_query(QStringLiteral("EXT:VRANG?")), QStringLiteral("150\n"));
        save_shot(w, "page_ext");

        // With the input on the load keeps its range; the page shows what
        // the load answered, then warns.
        QVERIFY(cw.switch_input(true));
        modal_answerer answerer;
        bool shown_when_warned = false;
        answerer.act([&](QWidget* box) {
            shown_when_warned = ui->radioButton_30A_Ext->isChecked();
            box->close();
        });
        from = cw.received_count();
        QTest::mouseClick(ui->radioButton_5A_Ext, Qt::LeftButton);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Please turn off the load !"));
        QVERIFY(shown_when_warned);
        QVERIFY(cw.received_since(QStringLiteral("EXT:IRANG 5"), from));
        QCOMPARE(uiPara::instance()->get_ext_i_range(), 1);
        // A mode change with the input on draws no warning.
        QTest::mouseClick(ui->radioButton_CC_Ext, Qt::LeftButton);
        QTRY_COMPARE(w->func_code, 24);
        QVERIFY(cw.switch_input(false));
        QCOMPARE(answerer.boxes().size(), 1);
    }

    void ocp_and_opp_tests()
    {
        Ui_MyMainWindow* ui = w->ui;
        uiPara* para = uiPara::instance();
        int from = cw.received_count();
        ui->comboBox_Mode->setCurrentIndex(1);
        QVERIFY(cw.wait_received(QStringLiteral("OCP:FUNC"), from) >= 0);
        QTRY_COMPARE(w->func_code, 6);
        QCOMPARE(ui->label_ValueName_Protect_Val->text(), QStringLiteral("OCP V:"));

        // The load's own values came with the connection; a changed limit
        // goes out with its read-back.
        QCOMPARE(ui->doubleSpinBox_Protect_End->value(), 5.0);
        from = cw.received_count();
        type_into(ui->doubleSpinBox_Protect_Max, QStringLiteral("4.8"));
        QVERIFY(cw.wait_received(QStringLiteral("OCP:MAX 4.8"), from) >= 0);
        QTRY_COMPARE(para->get_ocpt_i_max(), 4.8);

        // The sweep 0, 0.5, ... trips the source at 4.5 A: within 1..4.8.
        modal_answerer answerer;
        answerer.close_box();
        QVERIFY(cw.switch_input(true));
        QVERIFY(answerer.wait_answered(10000));
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Test complete!"));
        QVERIFY(!w->load_switch->getSelectedItem());
        QVERIFY(cw.received_since(QStringLiteral("PROG:TEST? 1"), from));

        // The OPP test, judged by its own limits: the 20 W trip is above 15 W.
        from = cw.received_count();
        QTest::mouseClick(ui->radioButton_OPPT, Qt::LeftButton);
        QCOMPARE(ui->label_unit_Protect_Max->text(), QStringLiteral("W"));
        QVERIFY(cw.wait_received(QStringLiteral("OPP:FUNC"), from) >= 0);
        QTRY_COMPARE(w->func_code, 7);
        QCOMPARE(ui->doubleSpinBox_Protect_End->value(), 30.0);
        type_into(ui->doubleSpinBox_Protect_Max, QStringLiteral("15"));
        QVERIFY(cw.wait_received(QStringLiteral("OPP:MAX 15"), from) >= 0);
        QTRY_COMPARE(para->get_oppt_p_max(), 15.0);
        answerer.close_box();
        QVERIFY(cw.switch_input(true));
        QVERIFY(answerer.wait_answered(10000));
        QCOMPARE(answerer.boxes().at(1).text, QStringLiteral("Over limit, Test fail!"));
        save_shot(w, "page_protect");
    }

    void protect_range_while_testing()
    {
        Ui_MyMainWindow* ui = w->ui;
        uiPara* para = uiPara::instance();
        int from = cw.received_count();
        if (!ui->radioButton_OPPT->isChecked()) {
            QTest::mouseClick(ui->radioButton_OPPT, Qt::LeftButton);
            QTRY_COMPARE(w->func_code, 7);
        }
        // A slow sweep keeps the input on.
        type_into(ui->doubleSpinBox_Protect_Delay, QStringLiteral("100"));
        QVERIFY(cw.wait_received(QStringLiteral("OPP:STEP:DEL 100"), from) >= 0);
        QTRY_COMPARE(para->get_oppt_delay(), 100.0);
        QVERIFY(cw.switch_input(true));

        // The range command goes out; the warning comes with its read-back,
        // before the unchanged range is stored.
        modal_answerer answerer;
        int stored_when_warned = -1;
        answerer.act([&](QWidget* box) {
            stored_when_warned = para->get_oppt_i_range();
            box->close();
        });
        from = cw.received_count();
        QTest::mouseClick(ui->radioButton_30A_Protect, Qt::LeftButton);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Please turn off the load !"));
        QVERIFY(cw.received_since(QStringLiteral("OPP:IRANG 30"), from));
        QCOMPARE(stored_when_warned, 0);
        QTRY_VERIFY(ui->radioButton_5A_Protect->isChecked());
        // Values go out without a warning.
        type_into(ui->doubleSpinBox_Protect_Min, QStringLiteral("12"));
        QVERIFY(cw.wait_received(QStringLiteral("OPP:MIN 12"), from) >= 0);
        QTRY_COMPARE(para->get_oppt_p_min(), 12.0);

        // Stopping the test by hand leaves it without a measured value.
        answerer.close_box();
        QVERIFY(cw.switch_input(false));
        QVERIFY(answerer.wait_answered(10000));
        QCOMPARE(answerer.boxes().at(1).text, QStringLiteral("Failure! The measured value did not meet the set value"));
        QCOMPARE(answerer.boxes().size(), 2);
    }

    void battery_discharge()
    {
        Ui_MyMainWindow* ui = w->ui;
        uiPara* para = uiPara::instance();
        int from = cw.received_count();
        ui->comboBox_Mode->setCurrentIndex(2);
        QVERIFY(cw.wait_received(QStringLiteral("BATT:FUNC"), from) >= 0);
        QTRY_COMPARE(w->func_code, 8);
        QCOMPARE(ui->label_ValueName_1_Battery->text(), QStringLiteral("Current :"));
        QVERIFY(ui->radioButton_30A_Battery->isChecked());

        type_into(ui->doubleSpinBox_1_Battery, QStringLiteral("5"));
        QVERIFY(cw.wait_received(QStringLiteral("BATT:LEV 5"), from) >= 0);
        QTRY_COMPARE(para->get_battery_level(), 5.0);
        QTest::mouseClick(ui->checkBox_T_Stop, Qt::LeftButton);
        QVERIFY(cw.wait_received(QStringLiteral("BATT:TIM:STAT 1"), from) >= 0);
        QTRY_VERIFY(ui->spinBox_TS_Battery->isEnabled());
        type_into(ui->spinBox_TS_Battery, QStringLiteral("7200"));
        QVERIFY(cw.wait_received(QStringLiteral("BATT:TIM 7200"), from) >= 0);
        QTRY_COMPARE(para->get_battery_t_stop(), 7200.0);

        // A first discharge: nothing accumulated yet, so no question.
        modal_answerer answerer;
        from = cw.received_count();
        QVERIFY(cw.switch_input(true));
        QVERIFY(cw.wait_received(QStringLiteral("INP 1"), from) >= 0);
        // (shown rounded: 3 means at least 2.5 mAh drawn)
        QTRY_VERIFY(number_in(ui->label_R->text()) >= 3);
        QVERIFY(ui->label_R->text().endsWith(QStringLiteral("mAh")));
        QVERIFY(cw.switch_input(false));
        QTRY_VERIFY(number_in(ui->label_C_Add->text()) >= 2);
        QVERIFY(answerer.boxes().isEmpty());

        // The second asks whether to clear what was accumulated: Yes.
        answerer.press(QMessageBox::Yes);
        from = cw.received_count();
        QVERIFY(cw.switch_input(true));
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Do you want to clean up the accumulated capacity?"));
        const int on_at = cw.wait_received(QStringLiteral("INP 1"), from);
        QVERIFY(on_at >= 0);
        QVERIFY(cw.wait_received(QStringLiteral("BATT:ADDCAP:STAT 0"), on_at) > on_at);
        QCOMPARE(ui->label_C_Add->text(), QStringLiteral("Cap_Add:0mAh"));

        // Capacity and time advance while it runs.
        QTRY_VERIFY(seconds_in(ui->label_P->text()) >= 1);
        const double cap1 = number_in(ui->label_R->text());
        const int time1 = seconds_in(ui->label_P->text());
        QTRY_VERIFY(number_in(ui->label_R->text()) > cap1 && seconds_in(ui->label_P->text()) > time1);

        // While it runs: a range change is refused before it is sent, the
        // page read back; a level is sent.
        answerer.close_box();
        answerer.leave_open(); // the read-back closes the wait
        from = cw.received_count();
        QTest::mouseClick(ui->radioButton_5A_Battery, Qt::LeftButton);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().at(1).text, QStringLiteral("Please turn off the load !"));
        QCOMPARE(answerer.boxes().at(2).text, QStringLiteral("Please waiting for the Battery initing"));
        QTRY_VERIFY(!w->wait_prompt);
        QVERIFY(cw.received_since(QStringLiteral("BATT:ADDCAP?"), from));
        QVERIFY(!cw.received_since(QStringLiteral("BATT:IRANG 5"), from));
        QVERIFY(ui->radioButton_30A_Battery->isChecked());
        // The discharge goes on.
        QVERIFY(!cw.received_since(QStringLiteral("BATT:FUNC"), from));
        QCOMPARE(cw.side_query(QStringLiteral("INP?")), QStringLiteral("1\n"));
        type_into(ui->doubleSpinBox_1_Battery, QStringLiteral("4"));
        QVERIFY(cw.wait_received(QStringLiteral("BATT:LEV 4"), from) >= 0);
        QTRY_COMPARE(para->get_battery_level(), 4.0);
        save_shot(w, "page_battery");

        // Stop: the accumulated capacity is read after the input went off.
        from = cw.received_count();
        QVERIFY(cw.switch_input(false));
        const int off_at = cw.wait_received(QStringLiteral("INP 0"), from);
        QVERIFY(off_at >= 0);
        QVERIFY(cw.wait_received(QStringLiteral("BATT:ADDCAP?"), off_at) > off_at);
        QTRY_VERIFY(number_in(ui->label_C_Add->text()) > 0);
        // Taken from a poll after the input went off (one still on its way
        // may show the last moments of the discharge), then held over more.
        QVERIFY(cw.wait_for_polls(1, 20000));
        const QString held = ui->label_R->text();
        QVERIFY(cw.wait_for_polls(2, 20000));
        QCOMPARE(ui->label_R->text(), held);
        QCOMPARE(answerer.boxes().size(), 3);
    }
};

QTEST_MAIN(tst_protect_e2e)
#include "tst_protect_e2e.moc"
