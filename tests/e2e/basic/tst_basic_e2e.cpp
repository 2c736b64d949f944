// The Basic page against the simulated load, driven as a user drives it:
// every static function's ranges, levels and slews, the dynamic form of
// every function with its transient modes, levels and widths, and the
// refusals while the input is on. Each change must reach the load, be read
// back, and show on the page as the load answered it. Last, a quick change
// from each page of the Function box to each other one and straight back.
//
// With WATTLEX_SHOT_DIR set, the page in each function and form is saved there.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "cfg_if_scpi_t.h"
#include "connected_window.h"
#include "modal_answerer.h"
#include "program_look.h"
#include "uiPara.h"
#include "user_input.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>

class tst_basic_e2e : public QObject
{
    Q_OBJECT

    connected_window cw;
    MyMainWindow* w = nullptr;

    Ui_MyMainWindow* ui() { return w->ui; }
    uiPara* para() { return uiPara::instance(); }

    QDoubleSpinBox* box(int n)
    {
        QDoubleSpinBox* const boxes[] = {ui()->doubleSpinBox_1_Basic, ui()->doubleSpinBox_2_Basic,
                                         ui()->doubleSpinBox_3_Basic, ui()->doubleSpinBox_4_Basic,
                                         ui()->doubleSpinBox_5_Basic, ui()->doubleSpinBox_6_Basic};
        return boxes[n - 1];
    }
    QString row_name(int n)
    {
        QLabel* const names[] = {ui()->label_ValueName_1_Basic, ui()->label_ValueName_2_Basic,
                                 ui()->label_ValueName_3_Basic, ui()->label_ValueName_4_Basic,
                                 ui()->label_ValueName_5_Basic, ui()->label_ValueName_6_Basic};
        return names[n - 1]->isHidden() ? QString() : names[n - 1]->text();
    }

    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    // A button that writes `set` and reads it back with `query`.
    void click_and_expect(QAbstractButton* b, const QString& set, const QString& query)
    {
        const int from = cw.received_count();
        click(b);
        const int at = cw.wait_received(set, from);
        QVERIFY2(at >= 0, qPrintable(set));
        if (!query.isEmpty())
            QVERIFY2(cw.wait_received(query, at) > at, qPrintable(query));
    }

    // A value typed into box `n`: the load gets `set` then `query`, holds
    // `held` when asked on its own link with `side`, and the page shows the
    // read-back `shown`.
    void type_and_expect(int n, const QString& typed, const QString& set, const QString& query,
                         const QString& side, const QString& held, double shown)
    {
        const int from = cw.received_count();
        type_and_enter(box(n), typed);
        const int at = cw.wait_received(set, from);
        QVERIFY2(at >= 0, qPrintable(set));
        QVERIFY2(cw.wait_received(query, at) > at, qPrintable(query));
        QTRY_COMPARE(box(n)->value(), shown);
        QCOMPARE(cw.side_query(side), held);
    }

    void shot(const QString& name) { save_shot(w, QStringLiteral("basic_") + name); }

    // What the window shows of the page and around it: the page, its
    // controls' enabled and checked states and texts, its labels, the
    // window's buttons and extra labels, the status line; and which page and
    // function the window takes itself to be in. The readings are left out.
    QStringList shown_state()
    {
        QStringList s;
        s << QStringLiteral("selector %1, page %2, function %3")
                 .arg(ui()->comboBox_Mode->currentIndex())
                 .arg(w->mode_page)
                 .arg(w->func_code);
        auto name = [](QWidget* x, int i) {
            return x->objectName().isEmpty() ? QStringLiteral("#%1").arg(i) : x->objectName();
        };
        auto state = [](QWidget* x) {
            return QString::fromLatin1(x->isVisible() ? " shown" : " hidden") +
                   QString::fromLatin1(x->isEnabled() ? " enabled" : " disabled");
        };
        for (QGroupBox* page : {ui()->groupBox_Config_Basic, ui()->groupBox_Config_Protect,
                                ui()->groupBox_Config_Battery, ui()->groupBox_Config_List,
                                ui()->groupBox_Config_Prog, ui()->groupBox_Config_Ext}) {
            s << page->objectName() + state(page);
            if (!page->isVisible())
                continue;
            int i = 0;
            for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
                s << name(b, i++) + state(b) + (b->isChecked() ? " checked" : "");
            for (QAbstractSpinBox* b : page->findChildren<QAbstractSpinBox*>())
                s << name(b, i++) + state(b) + ' ' + b->text();
            for (QLabel* l : page->findChildren<QLabel*>())
                s << name(l, i++) + state(l) + ' ' + l->text();
        }
        for (QWidget* x : {static_cast<QWidget*>(ui()->pushButton_Trig), static_cast<QWidget*>(ui()->pushButton_Short),
                           static_cast<QWidget*>(w->load_switch)})
            s << name(x, 0) + state(x);
        for (QLabel* l : {ui()->label_Ext, ui()->label_Ext_Set, ui()->label_C_Add})
            s << name(l, 0) + state(l) + ' ' + (l->isVisible() ? l->text() : QString());
        int i = 0;
        for (QLabel* l : ui()->statusBar->findChildren<QLabel*>())
            s << QStringLiteral("status #%1").arg(i++) + state(l) + ' ' + l->text();
        return s;
    }

    // The page `index` chosen in the Function box, its entry exchanged with
    // the load and the poll running again.
    void settle_on(int index)
    {
        ui()->comboBox_Mode->setCurrentIndex(index);
        QVERIFY(cw.wait_for_polls(3, 20000));
    }

    // Each page as a slow change shows it.
    QMap<int, QStringList> after_a_slow_change;

    // The static function of `button` (LED: CR with the LED box), laid out
    // from the load's answer.
    void select_static(QAbstractButton* button, const QString& func, const QString& first_row)
    {
        if (ui()->checkBox_Dynamic_Basic->isChecked()) {
            click(ui()->checkBox_Dynamic_Basic);
            QTRY_VERIFY(!w->is_dynamic);
        }
        click_and_expect(button, func, QString());
        QTRY_COMPARE(row_name(1), first_row);
    }

private slots:
    void initTestCase()
    {
        use_program_font();
        QVERIFY2(cw.start(), qPrintable(cw.error()));
        w = cw.window();
        QCOMPARE(ui()->comboBox_Mode->currentIndex(), 0);
        QVERIFY(!w->load_switch->getSelectedItem());
    }

    void static_cc()
    {
        select_static(ui()->radioButton_CC_Basic, QStringLiteral("FUNC CURR"), QStringLiteral("Current :"));
        click_and_expect(ui()->radioButton_30A_Basic, QStringLiteral("CURR:IRANG 30"), QStringLiteral("CURR:IRANG?"));
        QTRY_COMPARE(box(1)->maximum(), 30.0);
        QCOMPARE(cw.side_query(QStringLiteral("CURR:IRANG?")), QStringLiteral("30\n"));
        click_and_expect(ui()->radioButton_150V_Basic, QStringLiteral("CURR:VRANG 150"), QStringLiteral("CURR:VRANG?"));
        QTRY_COMPARE(para()->get_static_cc_v_range(), 1);
        QCOMPARE(ui()->doubleSpinBox_V_MAX->maximum(), 150.0);
        type_and_expect(1, QStringLiteral("12.5"), QStringLiteral("CURR 12.5"), QStringLiteral("CURRENT?"),
                        QStringLiteral("CURR?"), QStringLiteral("12.5\n"), 12.5);
        // The slews ask both edges back, the edited one first.
        type_and_expect(2, QStringLiteral("1.2"), QStringLiteral("CURR:SLEW:POS 1.2"), QStringLiteral("CURR:SLEW:POS?"),
                        QStringLiteral("CURR:SLEW:POS?"), QStringLiteral("1.2\n"), 1.2);
        type_and_expect(3, QStringLiteral("0.8"), QStringLiteral("CURR:SLEW:NEG 0.8"), QStringLiteral("CURR:SLEW:NEG?"),
                        QStringLiteral("CURR:SLEW:NEG?"), QStringLiteral("0.8\n"), 0.8);
        shot(QStringLiteral("cc"));
        // Back to 5 A: the load clamps level and slews, and so does the page.
        click_and_expect(ui()->radioButton_5A_Basic, QStringLiteral("CURR:IRANG 5"), QStringLiteral("CURR:IRANG?"));
        QTRY_COMPARE(box(1)->value(), 5.0);
        QCOMPARE(box(2)->value(), 0.5);
        QCOMPARE(cw.side_query(QStringLiteral("CURR?")), QStringLiteral("5\n"));
        QCOMPARE(cw.side_query(QStringLiteral("CURR:SLEW:POS?")), QStringLiteral("0.5\n"));
    }

    void static_cv_cr_cp()
    {
        select_static(ui()->radioButton_CV_Basic, QStringLiteral("FUNC VOLT"), QStringLiteral("Voltage :"));
        click_and_expect(ui()->radioButton_150V_Basic, QStringLiteral("VOLT:VRANG 150"), QStringLiteral("VOLT:VRANG?"));
        QTRY_COMPARE(box(1)->maximum(), 150.0);
        type_and_expect(1, QStringLiteral("120"), QStringLiteral("VOLT 120"), QStringLiteral("VOLT?"),
                        QStringLiteral("VOLT?"), QStringLiteral("120\n"), 120);
        click_and_expect(ui()->radioButton_30A_Basic, QStringLiteral("VOLT:IRANG 30"), QStringLiteral("VOLT:IRANG?"));
        QTRY_COMPARE(para()->get_static_cv_i_range(), 1);
        QCOMPARE(cw.side_query(QStringLiteral("VOLT:IRANG?")), QStringLiteral("30\n"));
        shot(QStringLiteral("cv"));

        select_static(ui()->radioButton_CR_Basic, QStringLiteral("FUNC RES"), QStringLiteral("Resistance :"));
        click_and_expect(ui()->radioButton_150V_Basic, QStringLiteral("RES:VRANG 150"), QStringLiteral("RES:VRANG?"));
        QTRY_COMPARE(para()->get_static_cr_v_range(), 1);
        type_and_expect(1, QStringLiteral("9999.5"), QStringLiteral("RES 9999.5"), QStringLiteral("RES?"),
                        QStringLiteral("RES?"), QStringLiteral("9999.5\n"), 9999.5);
        shot(QStringLiteral("cr"));

        select_static(ui()->radioButton_CP_Basic, QStringLiteral("FUNC POW"), QStringLiteral("Power :"));
        click_and_expect(ui()->radioButton_30A_Basic, QStringLiteral("POW:IRANG 30"), QStringLiteral("POW:IRANG?"));
        QTRY_COMPARE(para()->get_static_cp_i_range(), 1);
        type_and_expect(1, QStringLiteral("275"), QStringLiteral("POW 275"), QStringLiteral("POW?"),
                        QStringLiteral("POW?"), QStringLiteral("275\n"), 275);
        shot(QStringLiteral("cp"));
    }

    void static_led()
    {
        select_static(ui()->radioButton_CR_Basic, QStringLiteral("FUNC RES"), QStringLiteral("Resistance :"));
        click_and_expect(ui()->checkBox_LED_Basic, QStringLiteral("FUNC LED"), QString());
        QTRY_COMPARE(row_name(1), QStringLiteral("Io :"));
        QVERIFY(!ui()->checkBox_Dynamic_Basic->isEnabled());
        click_and_expect(ui()->radioButton_30A_Basic, QStringLiteral("LED:IRANG 30"), QStringLiteral("LED:IRANG?"));
        QTRY_COMPARE(box(1)->maximum(), 30.0);
        type_and_expect(1, QStringLiteral("20"), QStringLiteral("LED:CURR 20"), QStringLiteral("LED:CURR?"),
                        QStringLiteral("LED:CURR?"), QStringLiteral("20\n"), 20);
        click_and_expect(ui()->radioButton_150V_Basic, QStringLiteral("LED:VRANG 150"), QStringLiteral("LED:VRANG?"));
        QTRY_COMPARE(box(2)->maximum(), 150.0);
        type_and_expect(2, QStringLiteral("100"), QStringLiteral("LED:VOLT 100"), QStringLiteral("LED:VOLT?"),
                        QStringLiteral("LED:VOLT?"), QStringLiteral("100\n"), 100);
        type_and_expect(3, QStringLiteral("0.55"), QStringLiteral("LED:RCO 0.55"), QStringLiteral("LED:RCO?"),
                        QStringLiteral("LED:RCO?"), QStringLiteral("0.55\n"), 0.55);
        shot(QStringLiteral("led"));
        click_and_expect(ui()->checkBox_LED_Basic, QStringLiteral("FUNC RES"), QString());
        QTRY_COMPARE(row_name(1), QStringLiteral("Resistance :"));
        QCOMPARE(cw.side_query(QStringLiteral("FUNC?")), QStringLiteral("RESISTANCE\n"));
    }

    // Typed text reaches the load exactly as typed or not at all: "," is a
    // decimal point too, but not before three digits, where it may group
    // thousands; what a box cannot take leaves it as it was, the reason shown
    // beside the box at once and left on it.
    void typed_values_exactly_or_not_at_all_data()
    {
        QTest::addColumn<bool>("cr");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent"); // "": nothing
        QTest::addColumn<QString>("reason");
        QTest::newRow("comma point") << false << "1,5" << "CURR 1.5" << "";
        QTest::newRow("4 taken, 40 too big") << false << "40" << "" << "Out of range: 0 to 5";
        QTest::newRow("letter") << false << "2x" << "" << "Not a number";
        QTest::newRow("comma, two decimals") << false << "0,25" << "CURR 0.25" << "";
        const QString thousands = "A comma before three digits is read as a thousands separator: "
                                  "type the number without it, or with a point";
        QTest::newRow("comma, thousands") << true << "1,000" << "" << thousands;
        QTest::newRow("comma, thousands 12") << true << "12,500" << "" << thousands;
        QTest::newRow("comma, whole part 0") << true << "0,125" << "RES 0.125" << "";
        QTest::newRow("point, three digits") << true << "1.000" << "RES 1" << "";
        QTest::newRow("comma, four digits") << true << "10,0000" << "RES 10" << "";
        QTest::newRow("seven digits") << true << "9999.125" << "" << "At most 6 significant digits";
    }

    void typed_values_exactly_or_not_at_all()
    {
        QFETCH(bool, cr);
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        QFETCH(QString, reason);
        if (cr)
            select_static(ui()->radioButton_CR_Basic, QStringLiteral("FUNC RES"), QStringLiteral("Resistance :"));
        else
            select_static(ui()->radioButton_CC_Basic, QStringLiteral("FUNC CURR"), QStringLiteral("Current :"));
        const double before = box(1)->value();
        const int from = cw.received_count();
        type_and_enter(box(1), typed);
        if (!sent.isEmpty()) {
            QVERIFY2(cw.wait_received(sent, from) >= 0, qPrintable(cw.sim().received().mid(from).join('|')));
            return;
        }
        QVERIFY(cw.wait_for_polls(2));
        QCOMPARE(box(1)->value(), before);
        QVERIFY2(box(1)->toolTip().endsWith(reason), qPrintable(box(1)->toolTip()));
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), box(1)->toolTip());
        for (const QString& m : cw.sim().received().mid(from))
            QVERIFY2(!m.startsWith(cr ? "RES " : "CURR "), qPrintable(m));
    }

    // Short on: the load sinks what the source gives within the range (5 A
    // from 5 V behind 0.1 ohm); off: the set current again.
    void short_on_and_off()
    {
        QVERIFY(cw.side_write({QStringLiteral("SIM:SOUR:ILIM 0")})); // a source that never trips
        select_static(ui()->radioButton_CC_Basic, QStringLiteral("FUNC CURR"), QStringLiteral("Current :"));
        type_and_expect(1, QStringLiteral("3"), QStringLiteral("CURR 3"), QStringLiteral("CURRENT?"),
                        QStringLiteral("CURR?"), QStringLiteral("3\n"), 3);
        QVERIFY(cw.switch_input(true));
        QTRY_COMPARE(ui()->label_C->text(), QStringLiteral("3.0000A"));
        click_and_expect(ui()->pushButton_Short, QStringLiteral("SHOR 1"), QStringLiteral("SHOR?"));
        QTRY_COMPARE(ui()->label_C->text(), QStringLiteral("5.0000A"));
        QCOMPARE(ui()->label_V->text(), QStringLiteral("4.5000V"));
        QVERIFY(w->sbar_short->isEnabled());
        QCOMPARE(cw.side_query(QStringLiteral("SHOR?")), QStringLiteral("1\n"));
        click_and_expect(ui()->pushButton_Short, QStringLiteral("SHOR 0"), QStringLiteral("SHOR?"));
        QTRY_COMPARE(ui()->label_C->text(), QStringLiteral("3.0000A"));
        QVERIFY(!w->sbar_short->isEnabled());
        QCOMPARE(cw.side_query(QStringLiteral("SHOR?")), QStringLiteral("0\n"));
        QVERIFY(cw.switch_input(false));
        QVERIFY(cw.side_write({QStringLiteral("SIM:SOUR:ILIM 4")}));
        // A function selected ends the load's short: shown off, the next press shorts again.
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
                 ui()->radioButton_CV_Basic, ui()->checkBox_Dynamic_Basic, ui()->checkBox_Dynamic_Basic}) {
            click_and_expect(ui()->pushButton_Short, QStringLiteral("SHOR 1"), QStringLiteral("SHOR?"));
            QTRY_VERIFY(w->sbar_short->isEnabled());
            click(b);
            QTRY_VERIFY(!w->sbar_short->isEnabled());
        }
    }

    void dynamic_forms_data()
    {
        QTest::addColumn<int>("function");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("a_level");
        QTest::addColumn<QString>("b_level");
        QTest::newRow("CC") << 0 << "CURR" << "CURRENT" << "1.25" << "4.5";
        QTest::newRow("CV") << 1 << "VOLT" << "VOLTAGE" << "12" << "35.5";
        QTest::newRow("CR") << 2 << "RES" << "RESISTANCE" << "0.05" << "8000";
        QTest::newRow("CP") << 3 << "POW" << "POWER" << "150" << "299";
    }

    void dynamic_forms()
    {
        QFETCH(int, function);
        QFETCH(QString, prefix);
        QFETCH(QString, word);
        QFETCH(QString, a_level);
        QFETCH(QString, b_level);
        QAbstractButton* const modes[] = {ui()->radioButton_CC_Basic, ui()->radioButton_CV_Basic,
                                          ui()->radioButton_CR_Basic, ui()->radioButton_CP_Basic};
        const char* const first_rows[] = {"Current :", "Voltage :", "Resistance :", "Power :"};
        select_static(modes[function], QStringLiteral("FUNC ") + prefix, QString::fromLatin1(first_rows[function]));

        // Into the dynamic form: the function's transient word, read back.
        click_and_expect(ui()->checkBox_Dynamic_Basic, QStringLiteral("FUNC:TRAN ") + word, QStringLiteral("FUNC:TRAN?"));
        QTRY_VERIFY(w->is_dynamic);
        QTRY_COMPARE(row_name(1), QStringLiteral("A_Level :"));
        QCOMPARE(cw.side_query(QStringLiteral("FUNC:MODE?")), QStringLiteral("TRAN\n"));
        const QString t = prefix + QStringLiteral(":TRAN:");

        // CONTINUOUS: levels and both widths, down to the 20 us minimum.
        click_and_expect(ui()->radioButton_Cont_Basic, t + QStringLiteral("MODE CONTINUOUS"), t + QStringLiteral("MODE?"));
        type_and_expect(1, a_level, t + QStringLiteral("ALEV ") + a_level, t + QStringLiteral("ALEV?"),
                        t + QStringLiteral("ALEV?"), a_level + QLatin1Char('\n'), a_level.toDouble());
        type_and_expect(2, b_level, t + QStringLiteral("BLEV ") + b_level, t + QStringLiteral("BLEV?"),
                        t + QStringLiteral("BLEV?"), b_level + QLatin1Char('\n'), b_level.toDouble());
        type_and_expect(3, QStringLiteral("0.00002"), t + QStringLiteral("AWID 2e-05"), t + QStringLiteral("AWID?"),
                        t + QStringLiteral("AWID?"), QStringLiteral("2e-05\n"), 0.00002);
        type_and_expect(4, QStringLiteral("1.5"), t + QStringLiteral("BWID 1.5"), t + QStringLiteral("BWID?"),
                        t + QStringLiteral("BWID?"), QStringLiteral("1.5\n"), 1.5);
        QCOMPARE(para()->get_dyn_mode_by_function(function), 0);
        if (function == 0) {
            // Transient slews: two blanks before the value.
            type_and_expect(5, QStringLiteral("0.2"), QStringLiteral("CURR:TRAN:SLEW:POS  0.2"),
                            QStringLiteral("CURR:TRAN:SLEW:POS?"), QStringLiteral("CURR:TRAN:SLEW:POS?"),
                            QStringLiteral("0.2\n"), 0.2);
            type_and_expect(6, QStringLiteral("0.3"), QStringLiteral("CURR:TRAN:SLEW:NEG  0.3"),
                            QStringLiteral("CURR:TRAN:SLEW:NEG?"), QStringLiteral("CURR:TRAN:SLEW:NEG?"),
                            QStringLiteral("0.3\n"), 0.3);
        } else {
            QVERIFY(row_name(5).isEmpty());
        }
        shot(QStringLiteral("dyn_") + QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral("_cont"));

        // PULSE: one width, the load's B width, stored as the pulse width.
        click_and_expect(ui()->radioButton_Plus_Basic, t + QStringLiteral("MODE PULSE"), t + QStringLiteral("MODE?"));
        QTRY_COMPARE(row_name(3), QStringLiteral("Width :"));
        QCOMPARE(para()->get_dyn_mode_by_function(function), 1);
        type_and_expect(3, QStringLiteral("0.004"), t + QStringLiteral("BWID 0.004"), t + QStringLiteral("BWID?"),
                        t + QStringLiteral("BWID?"), QStringLiteral("0.004\n"), 0.004);
        shot(QStringLiteral("dyn_") + QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral("_pulse"));

        // TOGGLE: levels only (CC also its slews); the trigger serves it.
        click_and_expect(ui()->radioButton_Tog_Basic, t + QStringLiteral("MODE TOGGLE"), t + QStringLiteral("MODE?"));
        QTRY_VERIFY(ui()->pushButton_Trig->isEnabled());
        QCOMPARE(row_name(3), function == 0 ? QStringLiteral("Slew_RIS :") : QString());
        QCOMPARE(cw.side_query(t + QStringLiteral("MODE?")), QStringLiteral("TOGGLE\n"));
        shot(QStringLiteral("dyn_") + QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral("_toggle"));

        // A dynamic range, read back into the function's own field.
        click_and_expect(ui()->radioButton_30A_Basic, t + QStringLiteral("IRANG 30"), t + QStringLiteral("IRANG?"));
        const auto i_range = [&] {
            switch (function) {
            case 1: return para()->get_dyn_cv_i_range();
            case 2: return para()->get_dyn_cr_i_range();
            case 3: return para()->get_dyn_cp_i_range();
            default: return para()->get_dyn_cc_i_range();
            }
        };
        QTRY_COMPARE(i_range(), 1);
        QCOMPARE(cw.side_query(t + QStringLiteral("IRANG?")), QStringLiteral("30\n"));

        // Back to the static form.
        click_and_expect(ui()->checkBox_Dynamic_Basic, QStringLiteral("FUNC ") + prefix, QString());
        QTRY_VERIFY(!w->is_dynamic);
        QTRY_VERIFY(!ui()->pushButton_Trig->isEnabled());
    }

    void refusals_while_the_input_is_on()
    {
        select_static(ui()->radioButton_CC_Basic, QStringLiteral("FUNC CURR"), QStringLiteral("Current :"));
        QTRY_VERIFY(ui()->radioButton_5A_Basic->isChecked());
        QVERIFY(cw.switch_input(true));
        modal_answerer answerer;

        // A range change: warning, no range command, the page reads the load back.
        answerer.press(QMessageBox::Ok);
        int from = cw.received_count();
        click(ui()->radioButton_30A_Basic);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().last().text, QStringLiteral("Please turn off the load !"));
        const int read_back = cw.wait_received(QStringLiteral("FUNC?"), from);
        QVERIFY(read_back >= 0);
        QVERIFY(cw.wait_received(QStringLiteral("CURR:IRANG?"), read_back) > read_back);
        QTRY_VERIFY(ui()->radioButton_5A_Basic->isChecked());
        QVERIFY(!cw.sim().received().mid(from).contains(QStringLiteral("CURR:IRANG 30")));
        QCOMPARE(cw.side_query(QStringLiteral("CURR:IRANG?")), QStringLiteral("5\n"));

        // A level goes through.
        type_and_expect(1, QStringLiteral("2.5"), QStringLiteral("CURR 2.5"), QStringLiteral("CURRENT?"),
                        QStringLiteral("CURR?"), QStringLiteral("2.5\n"), 2.5);

        // The Dynamic box: refused, the page stays static.
        answerer.press(QMessageBox::Ok);
        from = cw.received_count();
        click(ui()->checkBox_Dynamic_Basic);
        QVERIFY(answerer.wait_answered());
        QVERIFY(cw.wait_received(QStringLiteral("FUNC?"), from) >= 0);
        QTRY_VERIFY(!ui()->checkBox_Dynamic_Basic->isChecked());
        QVERIFY(!w->is_dynamic);
        QVERIFY(!cw.sim().received().mid(from).contains(QStringLiteral("FUNC:TRAN CURRENT")));
        QVERIFY(w->load_switch->getSelectedItem());

        // Dynamic form with the input on: the transient mode is refused and
        // re-read, a level goes through.
        QVERIFY(cw.switch_input(false));
        click_and_expect(ui()->checkBox_Dynamic_Basic, QStringLiteral("FUNC:TRAN CURRENT"), QStringLiteral("FUNC:TRAN?"));
        QTRY_COMPARE(row_name(1), QStringLiteral("A_Level :"));
        QVERIFY(ui()->radioButton_Cont_Basic->isEnabled());
        click_and_expect(ui()->radioButton_Cont_Basic, QStringLiteral("CURR:TRAN:MODE CONTINUOUS"),
                         QStringLiteral("CURR:TRAN:MODE?"));
        QTRY_COMPARE(row_name(3), QStringLiteral("A_Width :"));
        QVERIFY(cw.switch_input(true));
        answerer.press(QMessageBox::Ok);
        from = cw.received_count();
        click(ui()->radioButton_Tog_Basic);
        QVERIFY(answerer.wait_answered());
        QVERIFY(cw.wait_received(QStringLiteral("FUNC:TRAN?"), from) >= 0);
        QTRY_VERIFY(ui()->radioButton_Cont_Basic->isChecked());
        QVERIFY(!cw.sim().received().mid(from).contains(QStringLiteral("CURR:TRAN:MODE TOGGLE")));
        type_and_expect(1, QStringLiteral("0.75"), QStringLiteral("CURR:TRAN:ALEV 0.75"),
                        QStringLiteral("CURR:TRAN:ALEV?"), QStringLiteral("CURR:TRAN:ALEV?"),
                        QStringLiteral("0.75\n"), 0.75);
        QVERIFY(cw.switch_input(false));
        QCOMPARE(answerer.boxes().size(), 3);
        QVERIFY(answerer.unexpected().isEmpty());
        click_and_expect(ui()->checkBox_Dynamic_Basic, QStringLiteral("FUNC CURR"), QString());
        QTRY_VERIFY(!w->is_dynamic);
    }

    // From each page to each other one and straight back, as quick keys or
    // the wheel over the Function box do: the reply to the page left in
    // between comes after the return and changes nothing shown; the page
    // ends as a slow change shows it. At the load's own write pace.
    void a_quick_change_there_and_back_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("between");
        const char* const names[] = {"Basic", "Protect", "Battery", "List", "Program", "External"};
        for (int page = 0; page < 6; ++page) {
            for (int between = 0; between < 6; ++between) {
                if (between != page)
                    QTest::addRow("%s, %s", names[page], names[between]) << page << between;
            }
        }
    }

    void a_quick_change_there_and_back()
    {
        QFETCH(int, page);
        QFETCH(int, between);
        cfg_if_scpi_t::set_write_pause_ms(25);
        if (!after_a_slow_change.contains(page)) {
            // Basic's own rows in the dynamic form that the trigger serves;
            // the others pass through Basic in the static CC form.
            if (ui()->comboBox_Mode->currentIndex() == 0 && w->is_dynamic != (page == 0)) {
                click(ui()->checkBox_Dynamic_Basic);
                QTRY_COMPARE(w->is_dynamic, page == 0);
                if (page == 0) {
                    QTRY_VERIFY(ui()->radioButton_Tog_Basic->isEnabled());
                    click_and_expect(ui()->radioButton_Tog_Basic, QStringLiteral("CURR:TRAN:MODE TOGGLE"),
                                     QStringLiteral("CURR:TRAN:MODE?"));
                }
                QTRY_COMPARE(ui()->pushButton_Trig->isEnabled(), page == 0);
            }
            if (ui()->comboBox_Mode->currentIndex() == page)
                settle_on((page + 1) % 6);
            settle_on(page);
            // The function the poll and the Short button go by is the page's.
            const int functions[] = {5, 6, 8, 13, 14, 24};
            QCOMPARE(w->func_code, functions[page]);
            after_a_slow_change[page] = shown_state();
        }
        modal_answerer answerer;
        ui()->comboBox_Mode->setCurrentIndex(between);
        ui()->comboBox_Mode->setCurrentIndex(page);
        QVERIFY(cw.wait_for_polls(3, 20000));
        QCOMPARE(shown_state(), after_a_slow_change.value(page));
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY(w->is_connected);
    }

    void cleanupTestCase()
    {
        // Every query the page sent got its answer: the link never broke.
        QVERIFY(w && w->is_connected);
    }
};

QTEST_MAIN(tst_basic_e2e)
#include "tst_basic_e2e.moc"
