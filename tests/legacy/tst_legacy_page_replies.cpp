// The older window's page replies without a load: the range rule of the
// test pages by input state, the sweep judgement, the external control
// reply, the configure switches that warn while the input is on, the pulse
// width caption and the boxes each dynamic form uses.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "modal_answerer.h"

#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <map>
#include <memory>

class tst_legacy_page_replies : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sweep_range_rule_data();
    void sweep_range_rule();
    void judgement_data();
    void judgement();
    void external_control_data();
    void external_control();
    void load_on_warning_data();
    void load_on_warning();
    void width_caption_data();
    void width_caption();
    void dynamic_boxes_data();
    void dynamic_boxes();

private:
    std::unique_ptr<modal_answerer> answerer;
    std::unique_ptr<MainWindow> w;
};

void tst_legacy_page_replies::init()
{
    answerer.reset(new modal_answerer);
    w.reset(new MainWindow);
    w->connected = true;
}

void tst_legacy_page_replies::cleanup()
{
    w.reset();
    answerer.reset();
}

void tst_legacy_page_replies::sweep_range_rule_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("checked");  // of the page's range radio; 2: unchanged (none)
    QTest::addColumn<int>("maximum");  // of the limit boxes of that quantity
    QTest::addColumn<bool>("warned");
    // the limit boxes start at 30 A and 36 V
    QTest::newRow("OCP 30A off") << 133 << "OFF" << "30\n" << 1 << 30 << false;
    QTest::newRow("OCP 5A off") << 133 << "OFF" << "5\n" << 0 << 5 << false;
    QTest::newRow("OCP 5A on") << 133 << "ON" << "5\n" << 0 << 30 << true;
    QTest::newRow("OPP 150V off") << 143 << "OFF" << "150\n" << 1 << 150 << false;
    QTest::newRow("OPP 150V on") << 143 << "ON" << "150\n" << 1 << 36 << true;
    QTest::newRow("OCP word garbled") << 134 << "OFF" << "150 \n" << 2 << 36 << false;
}

void tst_legacy_page_replies::sweep_range_rule()
{
    QFETCH(int, operation);
    QFETCH(QString, input);
    QFETCH(QString, reply);
    QFETCH(int, checked);
    QFETCH(int, maximum);
    QFETCH(bool, warned);
    w->ui->load_button->setText(input);
    const bool ocp = operation < 142;
    const bool current = operation == 133 || operation == 142;
    custom_radiobutton* radio = current ? (ocp ? w->ocp_i_range_radio : w->opp_i_range_radio)
                                        : (ocp ? w->ocp_v_range_radio : w->opp_v_range_radio);
    const int q = current ? 0 : 1;
    if (warned)
        answerer->press(QMessageBox::Ok);
    const int posted = w->cfg_thread->pending_requests();
    w->deal_cfg_thread(operation, {reply}, {}, 0);
    if (warned) {
        QVERIFY(answerer->wait_answered());
        QCOMPARE(answerer->boxes().last().text, QStringLiteral("Please turn off the load"));
    }
    QCOMPARE(radio->checked_index(), checked);
    QCOMPARE(w->limit_max_spin[q]->spin_box->maximum(), maximum);
    QCOMPARE(w->limit_min_spin[q]->spin_box->maximum(), maximum);
    // the poll is back, and the limit boxes reach their slots again
    QCOMPARE(w->cfg_thread->pending_requests(), posted + 1);
    const char* max_slot = current ? SLOT(deal_current_max_spinbox()) : SLOT(deal_voltage_max_spinbox());
    QVERIFY(QObject::disconnect(w->limit_max_spin[q], SIGNAL(valuechanged()), w.get(), max_slot));
    QVERIFY(answerer->unexpected().isEmpty());
}

void tst_legacy_page_replies::judgement_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("ocp_state");
    QTest::addColumn<int>("opp_state");
    QTest::addColumn<double>("value"); // current (OCP) or power (OPP)
    QTest::addColumn<double>("voltage");
    QTest::addColumn<QString>("shown"); // empty: nothing
    // boxes: OCP_V 12, I_MIN 1, I_MAX 3; OPP_V 12, P_MIN 10, P_MAX 30
    QTest::newRow("OCP complete") << 0 << true << "OCP\n" << 1 << 0 << 2.0 << 10.0 << "Test complete!";
    QTest::newRow("OCP on the max") << 0 << true << "OCP\n" << 1 << 0 << 3.0 << 12.0 << "Test complete!";
    QTest::newRow("OCP over") << 0 << true << "OCP\n" << 1 << 0 << 3.5 << 10.0 << "Over limit, Test fail!";
    QTest::newRow("OCP below") << 0 << true << "OCP\n" << 1 << 0 << 0.5 << 10.0 << "Below limit, Test fail!";
    QTest::newRow("OCP voltage") << 0 << true << "OCP\n" << 1 << 0 << 2.0 << 12.5
                                 << "Failure! The measured value did not meet the set valued";
    QTest::newRow("OPP voltage") << 0 << true << "OPP\n" << 0 << 1 << 20.0 << 13.0
                                 << "Failure! The measured value did not meet the set value";
    QTest::newRow("OPP over") << 0 << true << "OPP\n" << 0 << 1 << 31.0 << 10.0 << "Over limit, Test fail!";
    QTest::newRow("kind 1") << 1 << true << "OCP\n" << 1 << 0 << 2.0 << 10.0 << "";
    QTest::newRow("not pending") << 0 << false << "OCP\n" << 1 << 0 << 2.0 << 10.0 << "";
    QTest::newRow("OPP while OCP runs") << 0 << true << "OPP\n" << 1 << 0 << 20.0 << 10.0 << "";
}

void tst_legacy_page_replies::judgement()
{
    QFETCH(int, kind);
    QFETCH(bool, pending);
    QFETCH(QString, function);
    QFETCH(int, ocp_state);
    QFETCH(int, opp_state);
    QFETCH(double, value);
    QFETCH(double, voltage);
    QFETCH(QString, shown);
    w->ocp_v_spin->set_value(12);
    w->ocp_i_min_spin->set_value(1);
    w->ocp_i_max_spin->set_value(3);
    w->opp_v_spin->set_value(12);
    w->opp_p_min_spin->set_value(10);
    w->opp_p_max_spin->set_value(30);
    w->load_switched_on = pending;
    w->ocpt_state = ocp_state;
    w->oppt_state = opp_state;
    if (!shown.isEmpty())
        answerer->press(QMessageBox::Ok);
    const bool ocp = function == "OCP\n";
    w->deal_ocpt_oppt_value(kind, function, ocp ? value : 0, ocp ? 0 : value, voltage);
    if (!shown.isEmpty()) {
        QVERIFY(answerer->wait_answered());
        QCOMPARE(answerer->boxes().last().text, shown);
        QCOMPARE(ocp ? w->ocpt_state : w->oppt_state, 0);
    } else {
        QTest::qWait(50);
        QVERIFY(answerer->boxes().isEmpty());
        QCOMPARE(w->ocpt_state, ocp_state);
        QCOMPARE(w->oppt_state, opp_state);
    }
    // a judgement that acted ends the pending result
    QCOMPARE(w->load_switched_on, kind == 0 ? false : pending);
}

void tst_legacy_page_replies::external_control_data()
{
    QTest::addColumn<QString>("replies");
    QTest::addColumn<int>("func_code");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("ranges_shown");
    QTest::newRow("EXTV over CC") << "EXTV\n|BASIC\n|CURRENT\n" << 25 << "EXTV" << 2 << true;
    QTest::newRow("INT CP") << "INT\n|BASIC\n|POWER\n" << 3 << "CP" << 0 << false;
    QTest::newRow("INT dynamic") << "INT\n|TRAN\n|CURRENT\n" << 5 << "DYNAMIC" << 0 << false;
    QTest::newRow("INT BASIC OCP") << "INT\n|BASIC\n|OCP\n" << -1 << "before" << 0 << false;
    QTest::newRow("unknown") << "WHAT\n|BASIC\n|CURRENT\n" << -1 << "before" << 1 << true;
}

void tst_legacy_page_replies::external_control()
{
    QFETCH(QString, replies);
    QFETCH(int, func_code);
    QFETCH(QString, label);
    QFETCH(int, type);
    QFETCH(bool, ranges_shown);
    w->func_code = -1;
    w->ui->current_function_label->setText("before");
    w->type_combo->set_current_index(1);
    w->ext_range_panel->show();
    w->monitor_panel->hide();
    const int posted = w->cfg_thread->pending_requests();
    w->deal_cfg_thread(168, replies.split('|'), {}, 0);
    QCOMPARE(w->func_code, func_code);
    QCOMPARE(w->ui->current_function_label->text(), label);
    QCOMPARE(w->type_combo->current_index(), type);
    QCOMPARE(!w->ext_range_panel->isHidden(), ranges_shown);
    QCOMPARE(!w->monitor_panel->isHidden(), !ranges_shown);
    // the box set by the reply sent nothing of its own: only the poll
    QCOMPARE(w->cfg_thread->pending_requests(), posted + 1);
}

void tst_legacy_page_replies::load_on_warning_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("checked");
    QTest::newRow("162 sense") << 162 << "1\n" << 0;
    QTest::newRow("164 stop on fail") << 164 << "0\n" << 1;
    QTest::newRow("171 external current range") << 171 << "30\n" << 1;
    QTest::newRow("172 external voltage range") << 172 << "36\n" << 0;
}

// Changes the load takes only with the input off: the read-back shows the
// load's answer, warns once and puts the poll back once.
void tst_legacy_page_replies::load_on_warning()
{
    QFETCH(int, operation);
    QFETCH(QString, reply);
    QFETCH(int, checked);
    const std::map<int, custom_radiobutton*> radios = {{162, w->vrmt_radio},
                                                       {164, w->sof_radio},
                                                       {171, w->ext_current_range_radio},
                                                       {172, w->ext_voltage_range_radio}};
    custom_radiobutton* radio = radios.at(operation);
    radio->set_checked(1 - checked);
    w->ui->load_button->setText(QStringLiteral("ON"));
    answerer->press(QMessageBox::Ok);
    const int posted = w->cfg_thread->pending_requests();
    w->deal_cfg_thread(operation, {reply}, {}, 0);
    QVERIFY(answerer->wait_answered());
    QCOMPARE(answerer->boxes().size(), 1);
    QCOMPARE(answerer->boxes().last().text, QStringLiteral("Please turn off the load"));
    QCOMPARE(radio->checked_index(), checked);
    QCOMPARE(w->cfg_thread->pending_requests(), posted + 1);
}

void tst_legacy_page_replies::width_caption_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("stored");
    QTest::newRow("half a millisecond") << "0.0005\n" << "width\n0.500ms" << 0.0005;
    QTest::newRow("two seconds") << "2\n" << "width\n2.000s" << 2.0;
    // the sketch keeps showing the width it had
    QTest::newRow("garbled") << "2s\n" << "width\n7.000s" << 7.0;
}

void tst_legacy_page_replies::width_caption()
{
    QFETCH(QString, reply);
    QFETCH(QString, caption);
    QFETCH(double, stored);
    w->dynamic_labels[6]->setText("before");
    w->width_b = 7.0;
    w->deal_cfg_thread(109, {reply}, {}, 0);
    QCOMPARE(w->dynamic_labels[6]->text(), caption);
    QCOMPARE(w->width_b, stored);
}

void tst_legacy_page_replies::dynamic_boxes_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("enabled"); // A width, B width, width, rise, fall
    QTest::newRow("CC continuous") << 0 << 0 << "11011";
    QTest::newRow("CC pulse") << 0 << 1 << "00111";
    QTest::newRow("CV continuous") << 1 << 0 << "11000";
    QTest::newRow("CR toggle") << 2 << 2 << "00000";
    QTest::newRow("CP pulse") << 3 << 1 << "00100";
}

void tst_legacy_page_replies::dynamic_boxes()
{
    QFETCH(int, function);
    QFETCH(int, form);
    QFETCH(QString, enabled);
    w->_disconnect_dynamic();
    w->dynamic_function_combo->set_current_index(function);
    w->dynamic_mode_combo->set_current_index(form);
    w->show_and_hide();
    custom_spinbox* boxes[] = {w->dynamic_a_width_spin, w->dynamic_b_width_spin, w->dynamic_width_spin,
                               w->dynamic_slew_rise_spin, w->dynamic_slew_fall_spin};
    QString shown;
    for (custom_spinbox* b : boxes)
        shown += b->spin_box->isEnabled() ? '1' : '0';
    QCOMPARE(shown, enabled);
    QVERIFY(w->dynamic_a_level_spin->spin_box->isEnabled());
}

QTEST_MAIN(tst_legacy_page_replies)
#include "tst_legacy_page_replies.moc"
