// The older window's page replies without a load: the range rule of the
// test pages by input state, the sweep judgement, the external control
// reply, the configure switches that warn while the input is on, the pulse
// width caption, the boxes each dynamic form uses, and each setting's reply
// setting its own box and no other, from the command thread and from the
// side thread.
#include "legacy_page_boxes.h"
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "SCPI_write_and_read.h"
#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_lineedit.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "modal_answerer.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTableWidget>
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
    void single_reply_sets_its_own_box_data();
    void single_reply_sets_its_own_box();

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
    QTest::newRow("OCP on the min") << 0 << true << "OCP\n" << 1 << 0 << 1.0 << 10.0 << "Test complete!";
    QTest::newRow("OPP on the min") << 0 << true << "OPP\n" << 0 << 1 << 10.0 << 10.0 << "Test complete!";
    QTest::newRow("OPP just below the min") << 0 << true << "OPP\n" << 0 << 1 << 9.99 << 10.0
                                            << "Below limit, Test fail!";
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
    QTest::newRow("one second") << "1\n" << "width\n1.000s" << 1.0;
    QTest::newRow("just under a second") << "0.9995\n" << "width\n999.500ms" << 0.9995;
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

namespace {

enum road_t { command_thread, side_thread };

// A row: the handler's reply as the command thread (or the side thread)
// hands it (the replies split on '|', from the cell `sender` when one sent
// it) and every box or cell it changes, as "box=shown".
void reply_row(const char* handler, int operation, const QString& replies, const QStringList& changes,
               const QString& sender = QString(), const QString& input = QStringLiteral("OFF"),
               road_t road = command_thread)
{
    QTest::newRow(handler) << operation << replies << sender << input << changes << int(road) << 0;
}

// A switch's reply in either word ("1\n" button A, "0\n" button B), each
// from the other button, so that a word read wrongly, or the wrong word
// read, or none, shows.
void switch_rows(const char* handler, int operation, const QString& box)
{
    const QString name = QString::fromLatin1(handler);
    QTest::newRow(qPrintable(name + QStringLiteral(": B word"))) << operation << QStringLiteral("0\n") << QString()
                                                                 << QStringLiteral("OFF") << QStringList{box + "=B"}
                                                                 << int(command_thread) << 0;
    QTest::newRow(qPrintable(name + QStringLiteral(": A word"))) << operation << QStringLiteral("1\n") << QString()
                                                                 << QStringLiteral("OFF") << QStringList{box + "=A"}
                                                                 << int(command_thread) << 1;
}

void side_row(const char* handler, int operation, const QString& replies, const QStringList& changes,
              const QString& sender = QString())
{
    reply_row(handler, operation, replies, changes, sender, QStringLiteral("OFF"), side_thread);
}

QString cell_shows(QWidget* cell)
{
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(cell))
        return QString::number(spin->value());
    if (auto* combo = qobject_cast<QComboBox*>(cell))
        return combo->currentText();
    if (auto* button = qobject_cast<QPushButton*>(cell))
        return button->text();
    return QString();
}

// Every box of every page, the list and program cells ("list row,column",
// "prog row,step") and their step lists.
QMap<QString, QString> everything_shown(MainWindow* w)
{
    QMap<QString, QString> all;
    for (const QString& name : page_control_names())
        all[name] = shown(page_control(w, name));
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 5; ++c)
            all[QStringLiteral("list %1,%2").arg(r).arg(c)] = cell_shows(w->list_step_table->cellWidget(r, c));
    all["levels"] = w->list_levels.join(',');
    all["times"] = w->list_times.join(',');
    all["slews"] = w->list_slews.join(',');
    for (int r = 1; r <= 15; ++r)
        for (int k = 1; k < w->program_result_table->columnCount(); ++k)
            all[QStringLiteral("prog %1,%2").arg(r).arg(k)] = cell_shows(w->program_result_table->cellWidget(r, k));
    static const char* const lists[MainWindow::prog_list_count] = {
        "mode", "irange", "vrange", "pause", "short", "ton", "toff", "tdelay",
        "min",  "max",    "set",    "range", "vo",    "io",  "rco"};
    for (int i = 0; i < MainWindow::prog_list_count; ++i)
        all[lists[i]] = w->prog_columns[i].join(',');
    // the trend's limit boxes, which the range replies re-limit
    auto limit_shown = [](custom_input_spinbox* box) {
        return QString::number(box->value()) + QStringLiteral(" of ") + QString::number(box->spin_box->maximum());
    };
    for (int q = 0; q < MainWindow::quantities; ++q) {
        all[QStringLiteral("limit max %1").arg(q)] = limit_shown(w->limit_max_spin[q]);
        all[QStringLiteral("limit min %1").arg(q)] = limit_shown(w->limit_min_spin[q]);
    }
    all["program_steps_spin"] = shown(w->program_steps_spin);
    all["batt_capacity_edit"] = w->batt_capacity_edit->line_edit->text();
    return all;
}

} // namespace

void tst_legacy_page_replies::single_reply_sets_its_own_box_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("replies");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<int>("road");
    QTest::addColumn<int>("start"); // the button every switch shows first
    // static: a range is taken as read only while the input is on (with the
    // warning); a slew comes back with its twin
    reply_row("deal_cc_i_range_reply", 34, "30\n", {"cc_i_range_radio=B"}, "", "ON");
    reply_row("deal_cc_v_range_reply", 35, "150\n", {"cc_v_range_radio=B"}, "", "ON");
    reply_row("deal_cc_current_reply", 36, "1.25\n", {"cc_current_spin=1.25"});
    reply_row("deal_cc_slew_rise_reply", 37, "0.35\n|0.45\n", {"cc_slew_rise_spin=0.35", "cc_slew_fall_spin=0.45"});
    reply_row("deal_cc_slew_fall_reply", 38, "0.55\n|0.65\n", {"cc_slew_fall_spin=0.55", "cc_slew_rise_spin=0.65"});
    reply_row("deal_cv_i_range_reply", 39, "30\n", {"cv_i_range_radio=B"}, "", "ON");
    reply_row("deal_cv_v_range_reply", 40, "150\n", {"cv_v_range_radio=B"}, "", "ON");
    reply_row("deal_cv_voltage_reply", 41, "12.5\n", {"cv_voltage_spin=12.5"});
    reply_row("deal_cr_i_range_reply", 42, "30\n", {"cr_i_range_radio=B"}, "", "ON");
    reply_row("deal_cr_v_range_reply", 43, "150\n", {"cr_v_range_radio=B"}, "", "ON");
    reply_row("deal_cr_resis_reply", 44, "33.25\n", {"cr_resistance_spin=33.25"});
    reply_row("deal_cp_i_range_reply", 45, "30\n", {"cp_i_range_radio=B"}, "", "ON");
    reply_row("deal_cp_v_range_reply", 46, "150\n", {"cp_v_range_radio=B"}, "", "ON");
    reply_row("deal_cp_power_reply", 47, "44.75\n", {"cp_power_spin=44.75"});
    // LED
    reply_row("deal_led_i_range_reply", 67, "30\n", {"led_i_range_radio=B"});
    reply_row("deal_led_v_range_reply", 68, "150\n", {"led_v_range_radio=B"});
    reply_row("deal_led_io_reply", 69, "1.75\n", {"led_io_spin=1.75"});
    reply_row("deal_led_vo_reply", 70, "22.5\n", {"led_vo_spin=22.5"});
    reply_row("deal_led_rco_reply", 71, "0.35\n", {"led_rco_spin=0.35"});
    // dynamic: a range, function or form reads the whole set-up again
    reply_row("deal_dyn_setting_reply", 86, "30\n", {});
    reply_row("deal_dyn_v_range_reply", 87, "150\n", {});
    reply_row("deal_dyn_a_level_reply", 105, "2.25\n", {"dynamic_a_level_spin=2.25"});
    reply_row("deal_dyn_b_level_reply", 106, "3.25\n", {"dynamic_b_level_spin=3.25"});
    reply_row("deal_dyn_a_width_reply", 107, "0.15\n", {"dynamic_a_width_spin=0.15"});
    reply_row("deal_dyn_b_width_reply", 108, "0.35\n", {"dynamic_b_width_spin=0.35"});
    reply_row("deal_dyn_width_reply", 109, "0.45\n", {"dynamic_width_spin=0.45"});
    reply_row("deal_dyn_slew_rise_reply", 130, "0.125\n|0.25\n",
              {"dynamic_slew_rise_spin=0.125", "dynamic_slew_fall_spin=0.25"});
    reply_row("deal_dyn_slew_fall_reply", 131, "0.375\n|0.5\n",
              {"dynamic_slew_fall_spin=0.375", "dynamic_slew_rise_spin=0.5"});
    // battery: a range comes back with the level
    reply_row("deal_batt_mode_reply", 151, "POWER\n", {"batt_function_combo=2"});
    reply_row("deal_batt_i_range_reply", 152, "30\n|4.5\n", {"batt_i_range_radio=B", "batt_level_spin=4.5"});
    reply_row("deal_batt_v_range_reply", 153, "150\n|5.5\n", {"batt_v_range_radio=B", "batt_level_spin=5.5"});
    reply_row("deal_batt_level_reply", 154, "6.5\n", {"batt_level_spin=6.5"});
    switch_rows("deal_batt_v_stop_state_reply", 155, "batt_stop_radios[0]");
    switch_rows("deal_batt_c_stop_state_reply", 156, "batt_stop_radios[1]");
    switch_rows("deal_batt_t_stop_state_reply", 157, "batt_stop_radios[2]");
    reply_row("deal_batt_v_stop_value_reply", 158, "2.75\n", {"batt_stop_spins[0]=2.75"});
    reply_row("deal_batt_c_stop_value_reply", 159, "333\n", {"batt_stop_spins[1]=333"});
    reply_row("deal_batt_t_stop_value_reply", 160, "444\n", {"batt_stop_spins[2]=444"});
    // OCP and OPP: a range re-limits the trend's limit boxes
    reply_row("deal_ocp_i_range_reply", 133, "30\n",
              {"ocp_i_range_radio=B", "limit max 0=0 of 30", "limit min 0=0 of 30"});
    reply_row("deal_ocp_v_range_reply", 134, "150\n",
              {"ocp_v_range_radio=B", "limit max 1=0 of 150", "limit min 1=0 of 150"});
    reply_row("deal_ocp_v_reply", 135, "5.5\n", {"ocp_v_spin=5.5"});
    reply_row("deal_ocp_step_reply", 136, "0.1\n", {"ocp_i_step_spin=0.1"});
    reply_row("deal_ocp_start_reply", 137, "1.5\n", {"ocp_i_start_spin=1.5"});
    reply_row("deal_ocp_end_reply", 138, "4.5\n", {"ocp_i_end_spin=4.5"});
    reply_row("deal_ocp_min_reply", 139, "2.5\n", {"ocp_i_min_spin=2.5"});
    reply_row("deal_ocp_max_reply", 140, "3.5\n", {"ocp_i_max_spin=3.5"});
    reply_row("deal_ocp_delay_reply", 141, "0.7\n", {"ocp_delay_spin=0.7"});
    reply_row("deal_opp_i_range_reply", 142, "30\n",
              {"opp_i_range_radio=B", "limit max 0=0 of 30", "limit min 0=0 of 30"});
    reply_row("deal_opp_v_range_reply", 143, "150\n",
              {"opp_v_range_radio=B", "limit max 1=0 of 150", "limit min 1=0 of 150"});
    reply_row("deal_opp_v_reply", 144, "6.6\n", {"opp_v_spin=6.6"});
    reply_row("deal_opp_step_reply", 145, "1.25\n", {"opp_p_step_spin=1.25"});
    reply_row("deal_opp_start_reply", 146, "2.25\n", {"opp_p_start_spin=2.25"});
    reply_row("deal_opp_end_reply", 147, "25.5\n", {"opp_p_end_spin=25.5"});
    reply_row("deal_opp_min_reply", 148, "12.5\n", {"opp_p_min_spin=12.5"});
    reply_row("deal_opp_max_reply", 149, "20.5\n", {"opp_p_max_spin=20.5"});
    reply_row("deal_opp_delay_reply", 150, "1.5\n", {"opp_delay_spin=1.5"});
    // list: the input state comes first; a cell's reply sets the cell and its step
    reply_row("deal_list_level_reply", 72, "0\n|2.75\n", {"list 1,2=2.75", "levels=1,2.75"}, "list 1,2");
    reply_row("deal_list_width_reply", 73, "0\n|3.5\n", {"list 2,1=3.5", "times=3.5,4"}, "list 2,1");
    reply_row("deal_list_slew_reply", 74, "0\n|0.125\n", {"list 3,2=0.125", "slews=0.5,0.125"}, "list 3,2");
    reply_row("deal_list_mode_reply", 75, "1\n|VOLTAGE\n", {"list_function_combo=1"});
    reply_row("deal_list_irange_reply", 76, "0\n|30\n",
              {"list_irange_combo=1", "limit max 0=0 of 30", "limit min 0=0 of 30"});
    reply_row("deal_list_vrange_reply", 77, "0\n|150\n",
              {"list_vrange_combo=1", "limit max 1=0 of 150", "limit min 1=0 of 150"});
    reply_row("deal_list_step_reply", 78, "5\n", {});
    reply_row("deal_list_count_reply", 79, "0\n|12\n", {"list_count_spin=12"});
    reply_row("deal_list_count_reply, garbled", 79, "0\n|12x\n", {});
    // program: steps 1 CC, 2 LED, 3 of a mode the table does not know (all its cells are boxes)
    reply_row("deal_prog_mode_reply", 48, "0\n|POWER\n|3.25\n|LOW\n|0.5\n|0.25\n",
              {"prog 1,1=CP", "prog 11,1=3.25", "mode=POWER,LED,?"}, "prog 1,1");
    reply_row("deal_prog_irange_reply", 49, "30\n", {"prog 2,1=30A", "irange=30,5,5"}, "prog 2,1");
    reply_row("deal_prog_vrange_reply", 50, "150\n", {"prog 3,2=150V", "vrange=36,150,36"}, "prog 3,2");
    reply_row("deal_prog_pause_reply", 51, "0\n", {"prog 4,1=OFF", "pause=OFF,OFF,ON"}, "prog 4,1");
    reply_row("deal_prog_short_reply", 52, "1\n", {"prog 5,3=ON", "short=OFF,OFF,ON"}, "prog 5,3");
    reply_row("deal_prog_ton_reply", 53, "1.5\n", {"prog 6,2=1.5", "ton=1,1.5,1"}, "prog 6,2");
    reply_row("deal_prog_toff_reply", 54, "2.5\n", {"prog 7,3=2.5", "toff=2,2,2.5"}, "prog 7,3");
    reply_row("deal_prog_tdelay_reply", 55, "3.5\n", {"prog 8,1=3.5", "tdelay=3.5,3,3"}, "prog 8,1");
    reply_row("deal_prog_min_reply", 56, "0.75\n", {"prog 9,2=0.75", "min=0.5,0.75,0.5"}, "prog 9,2");
    reply_row("deal_prog_max_reply", 57, "9.5\n", {"prog 10,3=9.5", "max=9,9,9.5"}, "prog 10,3");
    reply_row("deal_prog_set_reply", 58, "7.25\n", {"prog 11,1=7.25", "set=7.25,8,6"}, "prog 11,1");
    reply_row("deal_prog_range_reply", 59, "HIGH\n", {"prog 12,3=High", "range=,,HIGH"}, "prog 12,3");
    reply_row("deal_prog_vo_reply", 60, "8.5\n", {"prog 13,2=8.5", "vo=7,8.5,6"}, "prog 13,2");
    reply_row("deal_prog_io_reply", 61, "0.875\n", {"prog 14,2=0.875", "io=0.5,0.875,0.5"}, "prog 14,2");
    reply_row("deal_prog_rco_reply", 62, "0.0625\n", {"prog 15,2=0.0625", "rco=0.25,0.0625,0.25"}, "prog 15,2");
    // the step count: the third step's column goes
    QStringList third_step_gone{"program_steps_spin=2"};
    for (int r = 1; r <= 15; ++r)
        third_step_gone << QStringLiteral("prog %1,3=").arg(r);
    reply_row("deal_prog_step_reply", 63, "2\n", third_step_gone);
    // utility: switches, value boxes and combo boxes
    switch_rows("sense", 162, "vrmt_radio");
    switch_rows("Von latch", 163, "vol_radio");
    switch_rows("stop on fail", 164, "sof_radio");
    reply_row("Von", 165, "1.5\n", {"von_spin=1.5"});
    reply_row("trigger source", 166, "BUS\n", {"trigger_combo=2"});
    reply_row("averaging", 167, "10\n", {"aver_combo=4"});
    reply_row("external control", 168, "EXTV\n|BASIC\n|CURRENT\n", {"type_combo=2"});
    switch_rows("current monitor", 169, "imon_radio");
    switch_rows("voltage monitor", 170, "vmon_radio");
    reply_row("external current range", 171, "30\n", {"ext_current_range_radio=B"});
    reply_row("external voltage range", 172, "150\n", {"ext_voltage_range_radio=B"});
    switch_rows("external input", 173, "extswitch_radio");
    switch_rows("current protection", 174, "i_protect_switch_radio");
    switch_rows("power protection", 175, "p_protect_switch_radio");
    reply_row("current protection level", 176, "11.5\n", {"i_protect_spin=11.5"});
    reply_row("power protection level", 177, "55.5\n", {"p_protect_spin=55.5"});
    reply_row("current protection delay", 178, "2.5\n", {"i_protect_delay_spin=2.5"});
    reply_row("power protection delay", 179, "3.5\n", {"p_protect_delay_spin=3.5"});
    switch_rows("timing test", 180, "tmon_radio");
    reply_row("timing test low", 181, "1.5\n", {"v_low_spin=1.5"});
    reply_row("timing test high", 182, "12.5\n", {"v_high_spin=12.5"});
    // the side thread's replies reach every page, in its own order, and
    // never the window's own handlers
    side_row("side: list", 79, "0\n|12\n", {"list_count_spin=12"});
    side_row("side: program", 58, "7.25\n", {"prog 11,1=7.25", "set=7.25,8,6"}, "prog 11,1");
    side_row("side: static", 36, "1.25\n", {"cc_current_spin=1.25"});
    side_row("side: dynamic", 105, "2.25\n", {"dynamic_a_level_spin=2.25"});
    side_row("side: OCP", 135, "5.5\n", {"ocp_v_spin=5.5"});
    side_row("side: OPP", 144, "6.6\n", {"opp_v_spin=6.6"});
    side_row("side: battery", 158, "2.75\n", {"batt_stop_spins[0]=2.75"});
    side_row("side: utility", 176, "11.5\n", {"i_protect_spin=11.5"});
    side_row("side: not the battery read-back", 8, "POWER\n|30\n|36\n|0\n|10\n|1\n|0\n|0\n|2.5\n|100\n|60\n|12\n", {});
}

// One reply, handed on as the command thread hands it, sets its own box
// (or cell and step) and leaves every other box of every page as it was.
void tst_legacy_page_replies::single_reply_sets_its_own_box()
{
    QFETCH(int, operation);
    QFETCH(QString, replies);
    QFETCH(QString, sender);
    QFETCH(QString, input);
    QFETCH(QStringList, changes);
    QFETCH(int, road);
    QFETCH(int, start);
    w->deal_list_readback({"CURRENT\n", "5\n", "36\n", "1\n", "2\n", "1,2,\n", "3,4,\n", "0.5,0.25,\n"});
    w->deal_prog_readback({"ON,OFF,ON,\n", "CURRENT,LED,?,\n", "5,5,5,\n", "36,36,36,\n", "OFF,OFF,OFF,\n",
                           "1,1,1,\n", "2,2,2,\n", "3,3,3,\n", "0.5,0.5,0.5,\n", "9,9,9,\n", "7,8,6,\n",
                           "0.5,0.5,0.5,\n", "0.25,0.25,0.25,\n", "3\n"});
    for (const QString& name : page_control_names())
        if (auto* radio = qobject_cast<custom_radiobutton*>(page_control(w.get(), name)))
            radio->set_checked(start);
    w->ui->load_button->setText(input);
    QList<QWidget*> widgets;
    if (sender.startsWith("list")) {
        widgets << w->ui->load_button;
        widgets << w->list_step_table->cellWidget(sender.mid(5, 1).toInt(), sender.mid(7).toInt());
    } else if (sender.startsWith("prog")) {
        widgets << w->program_result_table->cellWidget(sender.mid(5).section(',', 0, 0).toInt(),
                                                       sender.section(',', 1).toInt());
    }
    QVERIFY(!widgets.contains(nullptr));
    const QMap<QString, QString> before = everything_shown(w.get());
    if (road == side_thread)
        emit w->scpi_rw_thread->send_result(operation, replies.split('|'), widgets);
    else
        emit w->cfg_thread->send_result(operation, replies.split('|'), widgets, 0);
    const QMap<QString, QString> after = everything_shown(w.get());
    // a cell that went shows as empty
    QMap<QString, QString> all = before;
    all.insert(after);
    QStringList changed;
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        if (before.value(it.key()) != after.value(it.key()) || before.contains(it.key()) != after.contains(it.key()))
            changed << it.key() + QLatin1Char('=') + after.value(it.key());
    changes.sort();
    QCOMPARE(changed, changes);
}

QTEST_MAIN(tst_legacy_page_replies)
#include "tst_legacy_page_replies.moc"
