// The older window's mode pages against the simulated load, as a user works
// them: the page shown through its tab or AUX button (read under its wait
// box), one value of each kind changed through the widget, then what the
// load received, what it now holds (asked on a link of its own) and what the
// page shows after the read-back. Also garbled replies, the refusals while
// the input is on, the OCP and OPP verdicts and a battery discharge.
#include "legacy_connected_window.h"
#include "legacy_page_boxes.h"

#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "connected_window.h"
#include "custom_combobox.h"
#include "custom_label.h"
#include "custom_lineedit.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "mycombobox.h"
#include "ui_preview_plot_t.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <qwt_scale_draw.h>

namespace {

void click_tab(QTabWidget* tabs, int index)
{
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

// Shows a page as a user does; true once its read-back has closed the wait.
bool show_page(legacy_connected_window& cw, const QString& page)
{
    MainWindow* w = cw.window();
    const QStringList statics = {"cc", "cv", "cr", "cp", "led"};
    const QStringList aux = {"ocp", "opp", "battery", "list"};
    const QStringList utility = {"configure", "sltm", "limit"};
    cw.answerer().leave_open();
    if (statics.contains(page)) {
        click_tab(w->ui->model_sel, 0);
        if (!QTest::qWaitFor([w] { return !w->readback_box; }, 5000) || !cw.wait_for_polls(1))
            return false;
        cw.answerer().clear();
        if (page != "cc") {
            cw.answerer().leave_open();
            click_tab(w->ui->static_pattern, statics.indexOf(page));
        }
    } else if (page == "dynamic") {
        click_tab(w->ui->model_sel, 1);
    } else if (aux.contains(page)) {
        click_tab(w->ui->model_sel, 2);
        QPushButton* buttons[] = {w->ocpt_button, w->oppt_button, w->battery_button, w->list_button};
        buttons[aux.indexOf(page)]->click();
    } else {
        click_tab(w->ui->model_sel, 3);
        if (page != "configure") {
            if (!QTest::qWaitFor([w] { return !w->readback_box; }, 5000) || !cw.wait_for_polls(1))
                return false;
            cw.answerer().clear();
            cw.answerer().leave_open();
            click_tab(w->ui->utility_tabwidget, utility.indexOf(page));
        }
    }
    // the page's read-back has ended the wait (a quick one before the answerer saw the box)
    const bool read = QTest::qWaitFor([w] { return !w->readback_box; }, 5000) && cw.wait_for_polls(1);
    const bool clean = cw.answerer().unexpected().isEmpty() && cw.answerer().errors().isEmpty();
    cw.answerer().clear();
    return read && clean;
}

// A radio's button ("A"/"B"), a value typed and Enter ("v:2.5"), an entry
// chosen ("i:2").
void act(QWidget* control, const QString& action)
{
    if (auto* radio = qobject_cast<custom_radiobutton*>(control)) {
        QTest::mouseClick(action == "A" ? radio->button_a : radio->button_b, Qt::LeftButton);
    } else if (auto* spin = qobject_cast<custom_spinbox*>(control)) {
        QDoubleSpinBox* box = spin->spin_box;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, action.mid(2));
        QTest::keyClick(box, Qt::Key_Return);
    } else if (auto* combo = qobject_cast<custom_combobox*>(control)) {
        combo->combo->setCurrentIndex(action.mid(2).toInt());
    }
}

// The load's own answer to `query`, on a link of its own.
QString ask_load(const QString& query)
{
    connected_window side;
    return side.side_query(query).trimmed();
}

bool same_value(const QString& a, const QString& b)
{
    bool ka = false, kb = false;
    const double x = a.toDouble(&ka), y = b.toDouble(&kb);
    return ka && kb ? qAbs(x - y) < 1e-9 : a == b;
}

} // namespace

class tst_legacy_pages : public QObject
{
    Q_OBJECT

private slots:
    void whole_page_readback_data();
    void whole_page_readback();
    void page_settings_data();
    void page_settings();
    void garbled_reply_data();
    void garbled_reply();
    void refused_while_on_data();
    void refused_while_on();
    void slew_bands_warn();
    void bnc_question_data();
    void bnc_question();
    void sweep_verdict_data();
    void sweep_verdict();
    void battery_discharge();
};

void tst_legacy_pages::whole_page_readback_data()
{
    QTest::addColumn<QString>("page");
    for (const page_fill_t& f : page_fills())
        QTest::newRow(f.page) << QString::fromLatin1(f.page);
}

// The load holds a value of its own in every field of the page: read back,
// every box shows its own.
void tst_legacy_pages::whole_page_readback()
{
    QFETCH(QString, page);
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    connected_window side;
    QVERIFY2(side.side_write(fill_of(page).load), qPrintable(side.error()));
    QVERIFY2(show_page(cw, page), "the page was not read");
    QCOMPARE(page_shows(cw.window(), page), fill_of(page).boxes);
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

void tst_legacy_pages::page_settings_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("sent");      // what the load must receive
    QTest::addColumn<QString>("state");     // asked afterwards
    QTest::addColumn<QString>("holds");     // its answer
    QTest::addColumn<QString>("shows");     // what the control shows after the read-back
    QTest::addColumn<QString>("wait");      // title of a wait box the change brings, if any

    // static: a range re-reads its page under the wait box, a level and a slew come back alone
    QTest::newRow("CC range") << "cc" << "cc_i_range_radio" << "B" << "CURR:IRANG 30" << "CURR:IRANG?" << "30" << "B"
                              << "Static Dialog";
    QTest::newRow("CC level") << "cc" << "cc_current_spin" << "v:2.5" << "CURR 2.5" << "CURR?" << "2.5" << "2.5" << "";
    QTest::newRow("CC slew") << "cc" << "cc_slew_rise_spin" << "v:0.2" << "CURR:SLEW:POS 0.2" << "CURR:SLEW:POS?"
                             << "0.2" << "0.2" << "";
    QTest::newRow("CV range") << "cv" << "cv_v_range_radio" << "B" << "VOLT:VRANG 150" << "VOLT:VRANG?" << "150" << "B"
                              << "Static Dialog";
    QTest::newRow("CV level") << "cv" << "cv_voltage_spin" << "v:12" << "VOLT 12" << "VOLT?" << "12" << "12" << "";
    QTest::newRow("CR range") << "cr" << "cr_i_range_radio" << "B" << "RES:IRANG 30" << "RES:IRANG?" << "30" << "B"
                              << "Static Dialog";
    QTest::newRow("CR level") << "cr" << "cr_resistance_spin" << "v:25" << "RES 25" << "RES?" << "25" << "25" << "";
    QTest::newRow("CP range") << "cp" << "cp_v_range_radio" << "B" << "POW:VRANG 150" << "POW:VRANG?" << "150" << "B"
                              << "Static Dialog";
    QTest::newRow("CP level") << "cp" << "cp_power_spin" << "v:40" << "POW 40" << "POW?" << "40" << "40" << "";
    // LED: ranges and values come back alone
    QTest::newRow("LED range") << "led" << "led_i_range_radio" << "B" << "LED:IRANG 30" << "LED:IRANG?" << "30" << "B"
                               << "";
    QTest::newRow("LED Vo") << "led" << "led_vo_spin" << "v:9.5" << "LED:VOLT 9.5" << "LED:VOLT?" << "9.5" << "9.5"
                            << "";
    QTest::newRow("LED Rco") << "led" << "led_rco_spin" << "v:0.25" << "LED:RCO 0.25" << "LED:RCO?" << "0.25"
                             << "0.25" << "";
    // dynamic: a level, a width and a slew alone; a range and a form re-read the set-up
    QTest::newRow("dynamic level") << "dynamic" << "dynamic_a_level_spin" << "v:1.5" << "CURR:TRAN:ALEV 1.5"
                                   << "CURR:TRAN:ALEV?" << "1.5" << "1.5" << "";
    QTest::newRow("dynamic width") << "dynamic" << "dynamic_b_width_spin" << "v:0.5" << "CURR:TRAN:BWID 0.5"
                                   << "CURR:TRAN:BWID?" << "0.5" << "0.5" << "";
    QTest::newRow("dynamic slew") << "dynamic" << "dynamic_slew_rise_spin" << "v:0.2" << "CURR:TRAN:SLEW:POS  0.2"
                                  << "CURR:TRAN:SLEW:POS?" << "0.2" << "0.2" << "";
    QTest::newRow("dynamic range") << "dynamic" << "dynamic_range_radio" << "B" << "CURR:TRAN:IRANG 30"
                                   << "CURR:TRAN:IRANG?" << "30" << "B" << "Dynamic Dialog";
    QTest::newRow("dynamic form") << "dynamic" << "dynamic_mode_combo" << "i:1" << "CURR:TRAN:MODE PULSE"
                                  << "CURR:TRAN:MODE?" << "PULSE" << "1" << "Dynamic Dialog";
    // battery
    QTest::newRow("battery function") << "battery" << "batt_function_combo" << "i:2" << "BATT:MODE POW"
                                      << "BATT:MODE?" << "POWER" << "2" << "";
    QTest::newRow("battery range") << "battery" << "batt_i_range_radio" << "B" << "BATT:IRANG 30" << "BATT:IRANG?"
                                   << "30" << "B" << "";
    QTest::newRow("battery level") << "battery" << "batt_level_spin" << "v:1.5" << "BATT:LEV 1.5" << "BATT:LEV?"
                                   << "1.5" << "1.5" << "";
    // OCP and OPP
    QTest::newRow("OCP step") << "ocp" << "ocp_i_step_spin" << "v:0.25" << "OCP:STEP 0.25" << "OCP:STEP?" << "0.25"
                              << "0.25" << "";
    QTest::newRow("OCP range") << "ocp" << "ocp_v_range_radio" << "B" << "OCP:VRANG 150" << "OCP:VRANG?" << "150"
                               << "B" << "";
    QTest::newRow("OCP delay") << "ocp" << "ocp_delay_spin" << "v:1.5" << "OCP:STEP:DEL 1.5" << "OCP:STEP:DEL?"
                               << "1.5" << "1.5" << "";
    QTest::newRow("OPP range") << "opp" << "opp_i_range_radio" << "B" << "OPP:IRANG 30" << "OPP:IRANG?" << "30" << "B"
                               << "";
    QTest::newRow("OPP max") << "opp" << "opp_p_max_spin" << "v:55" << "OPP:MAX 55" << "OPP:MAX?" << "55" << "55" << "";
    // list: a function or range re-reads the levels, a step count the list; counts stop at 255
    QTest::newRow("list function") << "list" << "list_function_combo" << "i:1" << "LIST:MODE VOLT" << "LIST:MODE?"
                                   << "VOLTAGE" << "1" << "List dialog";
    QTest::newRow("list range") << "list" << "list_irange_combo" << "i:1" << "LIST:IRANG 30" << "LIST:IRANG?" << "30"
                                << "1" << "List dialog";
    QTest::newRow("list steps") << "list" << "list_step_spin" << "v:300" << "LIST:STEP 255" << "LIST:STEP?" << "5"
                                << "5" << "List dialog";
    QTest::newRow("list count") << "list" << "list_count_spin" << "v:300" << "LIST:COUN 255" << "LIST:COUN?" << "255"
                                << "255" << "";
    // utility
    QTest::newRow("Von") << "configure" << "von_spin" << "v:1.5" << "VOLT:ON 1.5" << "VOLT:ON?" << "1.5" << "1.5" << "";
    QTest::newRow("sense") << "configure" << "vrmt_radio" << "A" << "SYST:SENS ON" << "SYST:SENS?" << "1" << "A" << "";
    QTest::newRow("trigger") << "configure" << "trigger_combo" << "i:1" << "TRIG:SOUR EXT" << "TRIG:SOUR?"
                             << "EXTERNAL" << "1" << "";
    QTest::newRow("average") << "configure" << "aver_combo" << "i:4" << "SENS:AVER:COUN 10" << "SENS:AVER:COUN?"
                             << "10" << "4" << "";
    QTest::newRow("timing test") << "sltm" << "tmon_radio" << "A" << "TIME:TEST 1" << "TIME:TEST?" << "1" << "A" << "";
    QTest::newRow("timing high") << "sltm" << "v_high_spin" << "v:12.5" << "TIME:TEST:VOLT:HIGH 12.5"
                                 << "TIME:TEST:VOLT:HIGH?" << "12.5" << "12.5" << "";
    QTest::newRow("power protect") << "limit" << "p_protect_switch_radio" << "A" << "POW:PROT:STAT ON"
                                   << "POW:PROT:STAT?" << "1" << "A" << "";
    QTest::newRow("power level") << "limit" << "p_protect_spin" << "v:45" << "POW:PROT:LEV 45" << "POW:PROT:LEV?"
                                 << "45" << "45" << "";
    QTest::newRow("current delay") << "limit" << "i_protect_delay_spin" << "v:2.5" << "CURR:PROT:DEL 2.5"
                                   << "CURR:PROT:DEL?" << "2.5" << "2.5" << "";
}

void tst_legacy_pages::page_settings()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, action);
    QFETCH(QString, sent);
    QFETCH(QString, state);
    QFETCH(QString, holds);
    QFETCH(QString, shows);
    QFETCH(QString, wait);

    legacy_connected_window cw;
    // replies a little late where a wait box comes, so that it is up long enough to be seen
    QVERIFY2(cw.start(wait.isEmpty() ? QStringList() : QStringList{"--delay-ms", "25"}), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    QVERIFY2(show_page(cw, page), "the page was not read");
    QWidget* widget = page_control(w, control);
    QVERIFY(widget->isVisibleTo(w) || page == "configure" || page == "sltm" || page == "limit");

    if (!wait.isEmpty())
        cw.answerer().leave_open();
    const QStringList others = page_shows(w, page, control);
    const int from = cw.received_count();
    const int boxes = cw.answerer().boxes().size();
    act(widget, action);
    QVERIFY2(cw.wait_received(sent, from) >= 0, qPrintable(QStringLiteral("not received: ") + sent));
    if (!wait.isEmpty()) {
        QVERIFY(cw.answerer().wait_answered(10000));
        QCOMPARE(cw.answerer().boxes().at(boxes).title, wait);
    }
    // the read-back is shown and the poll is back
    QTRY_COMPARE_WITH_TIMEOUT(shown(widget), shows, 5000);
    QVERIFY(cw.wait_for_polls(2));
    // the reply set its own box and no other
    QCOMPARE(page_shows(w, page, control), others);
    QVERIFY(!w->readback_box);
    QVERIFY2(same_value(ask_load(state), holds), qPrintable(ask_load(state)));
    QVERIFY2(cw.answerer().unexpected().isEmpty(), qPrintable(cw.answerer().unexpected().value(0).text));
    if (control == "list_function_combo") { // volts: no slew row, the axis counts volts
        QVERIFY(w->list_step_table->isRowHidden(3));
        QVERIFY(w->list_plot->axisScaleDraw(QwtPlot::yLeft)->label(2).text().endsWith(QLatin1Char('V')));
    }
}

void tst_legacy_pages::garbled_reply_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("fault_at"); // the change's command: it and its read-back are garbled
    QTest::newRow("CC level") << "cc" << "cc_current_spin" << "v:2.5" << "CURR 2.5";
    QTest::newRow("LED Rco") << "led" << "led_rco_spin" << "v:0.25" << "LED:RCO 0.25";
    QTest::newRow("battery level") << "battery" << "batt_level_spin" << "v:1.5" << "BATT:LEV 1.5";
    QTest::newRow("OPP max") << "opp" << "opp_p_max_spin" << "v:55" << "OPP:MAX 55";
    QTest::newRow("limit level") << "limit" << "p_protect_spin" << "v:45" << "POW:PROT:LEV 45";
    QTest::newRow("dynamic level") << "dynamic" << "dynamic_a_level_spin" << "v:1.5" << "CURR:TRAN:ALEV 1.5";
}

// A read-back that is no number changes no widget and leaves no wait.
void tst_legacy_pages::garbled_reply()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, action);
    QFETCH(QString, fault_at);

    legacy_connected_window cw;
    QVERIFY2(cw.start({"--garbage", "--fault-at", fault_at, "--fault-for", "2"}), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    QVERIFY2(show_page(cw, page), "the page was not read");
    QWidget* widget = page_control(w, control);
    const QStringList others = page_shows(w, page, control);
    const int replies = cw.reply_ops().size();
    act(widget, action);
    QVERIFY(cw.wait_received(fault_at) >= 0);
    QVERIFY(cw.wait_for_polls(2));
    QVERIFY(cw.reply_ops().size() > replies);
    // the box keeps what the user typed (the load took it), and the others theirs
    QCOMPARE(shown(widget), action.mid(2));
    QCOMPARE(page_shows(w, page, control), others);
    QVERIFY(!w->readback_box);
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

void tst_legacy_pages::refused_while_on_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("refused"); // no command beginning so is sent
    QTest::addColumn<QString>("wait");
    QTest::newRow("dynamic range") << "dynamic" << "dynamic_range_radio" << "CURR:TRAN:IRANG " << "Dynamic Dialog";
    QTest::newRow("dynamic form") << "dynamic" << "dynamic_mode_combo" << "CURR:TRAN:MODE " << "Dynamic Dialog";
    QTest::newRow("battery range") << "battery" << "batt_i_range_radio" << "BATT:IRANG " << "Battery Dialog";
    QTest::newRow("battery function") << "battery" << "batt_function_combo" << "BATT:MODE " << "Battery Dialog";
    // the list sends the change, the load keeps its own, and the levels are not read again
    QTest::newRow("list function") << "list" << "list_function_combo" << "LIST:LEV:ALL?" << "";
    QTest::newRow("list range") << "list" << "list_irange_combo" << "LIST:LEV:ALL?" << "";
}

// With the input on, these pages warn and show the load's setting again;
// `refused` never goes out (the list sends its change for the load to refuse,
// and reads no levels again).
void tst_legacy_pages::refused_while_on()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, refused);
    QFETCH(QString, wait);

    legacy_connected_window cw;
    QVERIFY2(cw.start({"--delay-ms", "25"}), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    QVERIFY2(show_page(cw, page), "the page was not read");
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("ON"), 5000);
    QWidget* widget = page_control(w, control);
    const QString before = shown(widget);
    const int from = cw.received_count();
    cw.answerer().press(QMessageBox::Ok);
    if (!wait.isEmpty())
        cw.answerer().leave_open();
    if (qobject_cast<custom_radiobutton*>(widget))
        act(widget, before == "A" ? "B" : "A");
    else
        act(widget, before == "1" ? "i:2" : "i:1");
    QVERIFY(cw.answerer().wait_answered(10000));
    const auto boxes = cw.answerer().boxes();
    QCOMPARE(boxes.at(boxes.size() - (wait.isEmpty() ? 1 : 2)).text, QStringLiteral("Please turn off the load"));
    if (!wait.isEmpty())
        QCOMPARE(boxes.last().title, wait);
    QTRY_VERIFY_WITH_TIMEOUT(!w->readback_box, 5000);
    for (const QString& m : cw.sim().received().mid(from))
        QVERIFY2(!m.startsWith(refused), qPrintable(m));
    // the page shows the load's setting again, and takes the user's changes again
    QCOMPARE(shown(widget), before);
    QVERIFY(cw.wait_for_polls(2));
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

// A CC rise slew in the other band than the fall warns after the read-back;
// both values stay as the load took them.
void tst_legacy_pages::slew_bands_warn()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    QVERIFY2(show_page(cw, "cc"), "the page was not read");
    QCOMPARE(w->cc_i_range_radio->checked_index(), 0);
    act(w->cc_slew_fall_spin, "v:0.005");
    QVERIFY(cw.wait_received("CURR:SLEW:NEG 0.005") >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(w->cc_slew_fall_spin->value(), 0.005, 5000);
    // leaving the box finishes its edit once more; let that exchange end first
    w->cc_slew_fall_spin->spin_box->clearFocus();
    QVERIFY(cw.wait_for_polls(3));
    cw.answerer().press(QMessageBox::Ok);
    act(w->cc_slew_rise_spin, "v:0.05");
    const QString warning = QStringLiteral("Slope are adjust to the same\nrange!(0.001~0.01 or 0.01~0.5)");
    QVERIFY(cw.answerer().wait_answered(5000));
    QCOMPARE(cw.answerer().boxes().last().text, warning);
    QCOMPARE(w->cc_slew_rise_spin->value(), 0.05);
    QCOMPARE(w->cc_slew_fall_spin->value(), 0.005);
    // the box took the focus, which finishes the edit once more: the same
    // value, the same warning, nothing else
    QVERIFY(cw.wait_for_polls(3));
    for (const auto& box : cw.answerer().unexpected())
        QCOMPARE(box.text, warning);
    QCOMPARE(w->cc_slew_rise_spin->value(), 0.05);
}

void tst_legacy_pages::bnc_question_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("shows");
    QTest::newRow("current monitor, wired") << "imon_radio" << int(QMessageBox::Yes) << "SYST:IMONI:STAT 1" << "A";
    QTest::newRow("voltage monitor, not wired") << "vmon_radio" << int(QMessageBox::No) << "SYST:VMONI:STAT 0"
                                                << "B";
}

// A monitor output switched on asks whether the BNC is wired; No keeps the
// output off. The question goes away with its answer.
void tst_legacy_pages::bnc_question()
{
    QFETCH(QString, control);
    QFETCH(int, answer);
    QFETCH(QString, sent);
    QFETCH(QString, shows);
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    QVERIFY2(show_page(cw, "configure"), "the page was not read");
    QWidget* widget = page_control(cw.window(), control);
    QPointer<QWidget> question;
    cw.answerer().act([&question, answer](QWidget* box) {
        question = box;
        if (auto* m = qobject_cast<QMessageBox*>(box))
            m->button(QMessageBox::StandardButton(answer))->click();
    });
    const int from = cw.received_count();
    act(widget, "A");
    QVERIFY(cw.answerer().wait_answered());
    QCOMPARE(cw.answerer().boxes().last().text, QStringLiteral("Please confirm that the BNC is connected"));
    QVERIFY2(cw.wait_received(sent, from) >= 0, qPrintable(sent));
    QTRY_COMPARE_WITH_TIMEOUT(shown(widget), shows, 5000);
    QTRY_VERIFY(question.isNull());
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

void tst_legacy_pages::sweep_verdict_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("settings"); // control=value, typed in this order
    QTest::addColumn<QString>("verdict");
    // a trigger voltage above the source's (5 V) trips the sweep at its first step (0.5)
    QTest::newRow("OCP complete") << "ocp"
                                  << QStringList{"ocp_i_start_spin=0.5", "ocp_i_end_spin=2", "ocp_i_step_spin=0.5",
                                                 "ocp_i_min_spin=0.25", "ocp_i_max_spin=1", "ocp_v_spin=6"}
                                  << "Test complete!";
    // a trigger voltage of 0 is never reached: the sweep ends without a result
    QTest::newRow("OPP no trip") << "opp"
                                 << QStringList{"opp_p_start_spin=1", "opp_p_end_spin=2", "opp_p_step_spin=0.5",
                                                "opp_delay_spin=0.5", "opp_v_spin=0"}
                                 << "Failure! The measured value did not meet the set value";
}

// A sweep set up on its page runs in the load and ends in its verdict.
void tst_legacy_pages::sweep_verdict()
{
    QFETCH(QString, page);
    QFETCH(QStringList, settings);
    QFETCH(QString, verdict);
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    QVERIFY2(show_page(cw, page), "the page was not read");
    for (const QString& s : settings) {
        auto* box = qobject_cast<custom_spinbox*>(page_control(w, s.section('=', 0, 0)));
        const double value = s.section('=', 1).toDouble();
        act(box, QStringLiteral("v:") + s.section('=', 1));
        QTRY_COMPARE_WITH_TIMEOUT(box->value(), value, 5000);
        box->spin_box->clearFocus();
        QVERIFY(cw.wait_for_polls(2));
    }
    cw.answerer().press(QMessageBox::Ok);
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QVERIFY(cw.answerer().wait_answered(30000));
    QCOMPARE(cw.answerer().boxes().last().text, verdict);
    QCOMPARE(w->ui->load_button->text(), QStringLiteral("OFF"));
    QVERIFY(cw.answerer().unexpected().isEmpty());
}

// A discharge with a time stop: it starts, the load ends it, and the
// discharged capacity is shown.
void tst_legacy_pages::battery_discharge()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start({"--time-scale", "20"}), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    QVERIFY2(show_page(cw, "battery"), "the page was not read");
    act(w->batt_level_spin, "v:2");
    QTRY_COMPARE_WITH_TIMEOUT(w->batt_level_spin->value(), 2.0, 5000);
    act(w->batt_stop_radios[2], "A");
    QTRY_VERIFY_WITH_TIMEOUT(w->batt_stop_spins[2]->spin_box->isEnabled(), 5000);
    act(w->batt_stop_spins[2], "v:60");
    QTRY_COMPARE_WITH_TIMEOUT(w->batt_stop_spins[2]->value(), 60.0, 5000);
    QCOMPARE(ask_load("BATT:TIM:STAT?"), QStringLiteral("1"));
    cw.answerer().press(QMessageBox::Ok);
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("ON"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("OFF"), 20000);
    QVERIFY(cw.answerer().wait_answered(10000));
    QCOMPARE(cw.answerer().boxes().last().text, QStringLiteral("Battery test complete!"));
    // the discharged capacity: 2 A for 60 s is 33 mAh
    QVERIFY(cw.wait_for_polls(2));
    const double capacity = w->display_resistance_label->value_label->text().section(' ', 0, 0).toDouble();
    QVERIFY2(capacity > 30 && capacity < 36, qPrintable(w->display_resistance_label->value_label->text()));
}

QTEST_MAIN(tst_legacy_pages)
#include "tst_legacy_pages.moc"
