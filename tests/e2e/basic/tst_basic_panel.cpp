// The Basic page without a load: the requests its widgets post, the
// refusals while the input is on, the replies it stores and the page's
// shape per function and form.
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
#include <QTest>

#include <memory>

namespace {

struct row_look {
    QString name; // empty: hidden
    QString unit;
};

} // namespace

class tst_basic_panel : public QObject
{
    Q_OBJECT

    std::unique_ptr<MyMainWindow> w;
    recording_thread* recorder = nullptr;
    QString default_settings;

    Ui_MyMainWindow* ui() { return w->ui; }
    uiPara* para() { return uiPara::instance(); }

    // Connected to a load whose input is `input_on`; the requests go to the recorder.
    void connect_recorder(bool input_on = false)
    {
        recorder = attach_recorder(w.get());
        w->load_switch->setSelectedItem(input_on);
    }

    // The requests posted since the last call, in order.
    QList<cfg_request_t> posts() { return recorder->take_served(); }

    QList<row_look> rows()
    {
        QList<row_look> out;
        const QList<QLabel*> names = {ui()->label_ValueName_1_Basic, ui()->label_ValueName_2_Basic,
                                      ui()->label_ValueName_3_Basic, ui()->label_ValueName_4_Basic,
                                      ui()->label_ValueName_5_Basic, ui()->label_ValueName_6_Basic};
        const QList<QLabel*> units = {ui()->label_unit_1_Basic, ui()->label_unit_2_Basic, ui()->label_unit_3_Basic,
                                      ui()->label_unit_4_Basic, ui()->label_unit_5_Basic, ui()->label_unit_6_Basic};
        for (int i = 0; i < 6; ++i) {
            if (names[i]->isHidden())
                out << row_look{};
            else
                out << row_look{names[i]->text(), units[i]->text()};
        }
        return out;
    }
    QStringList row_names()
    {
        QStringList out;
        for (const row_look& r : rows())
            out << r.name;
        return out;
    }

    void lay_out(int mode, bool dynamic, bool led)
    {
        w->basic_mode = mode;
        w->is_dynamic = dynamic;
        w->is_led = led;
        w->init_Basic_Config_By_Mode(mode);
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c()); // typed numbers use a point
        default_settings = para()->to_settings_text();
    }

    void init()
    {
        QVERIFY(para()->from_settings_text(default_settings));
        w = std::make_unique<MyMainWindow>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    void cleanup()
    {
        if (recorder) {
            recorder->stop_and_wait();
            recorder = nullptr;
        }
        w.reset();
    }

    void offline_page_and_layout_only_clicks()
    {
        // The page entry's offline defaults.
        QVERIFY(ui()->radioButton_CC_Basic->isChecked());
        QVERIFY(ui()->radioButton_5A_Basic->isChecked());
        QVERIFY(ui()->radioButton_36V_Basic->isChecked());
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 3.0);
        QCOMPARE(ui()->doubleSpinBox_2_Basic->value(), 0.5);
        QCOMPARE(ui()->doubleSpinBox_3_Basic->value(), 0.5);
        QCOMPARE(row_names(), QStringList({"Current :", "Slew_RIS :", "Slew_FAL :", "", "", ""}));
        QCOMPARE(rows().at(1).unit, QStringLiteral("A/us"));
        QVERIFY(!ui()->checkBox_LED_Basic->isEnabled());
        QVERIFY(!ui()->radioButton_om_Basic->isEnabled());
        QVERIFY(!ui()->pushButton_Trig->isEnabled());
        QVERIFY(!ui()->radioButton_Tog_Basic->isEnabled());

        // Not connected: the mode buttons and the boxes only lay the page out.
        QTest::mouseClick(ui()->radioButton_CR_Basic, Qt::LeftButton);
        QCOMPARE(w->basic_mode, 2);
        QCOMPARE(rows().at(0).name, QStringLiteral("Resistance :"));
        QCOMPARE(rows().at(0).unit, QString::fromUtf8("\xce\xa9"));
        QVERIFY(ui()->checkBox_LED_Basic->isEnabled());
        QTest::mouseClick(ui()->checkBox_LED_Basic, Qt::LeftButton);
        QVERIFY(w->is_led);
        QCOMPARE(row_names(), QStringList({"Io :", "Vo :", "Rco :", "", "", ""}));
        QVERIFY(!ui()->checkBox_Dynamic_Basic->isEnabled());
        QVERIFY(!ui()->radioButton_om_Basic->isEnabled());
        QTest::mouseClick(ui()->checkBox_LED_Basic, Qt::LeftButton);
        QTest::mouseClick(ui()->checkBox_Dynamic_Basic, Qt::LeftButton);
        QVERIFY(w->is_dynamic);
        QCOMPARE(row_names(), QStringList({"A_Level :", "B_Level :", "A_Width :", "B_Width :", "", ""}));
        // The only resistance range cannot be unchecked.
        QTest::mouseClick(ui()->radioButton_om_Basic, Qt::LeftButton);
        QVERIFY(ui()->radioButton_om_Basic->isChecked());
    }

    void layout_per_function_and_form_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("dynamic");
        QTest::addColumn<bool>("led");
        QTest::addColumn<int>("tran");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<bool>("trig");
        const QString ohm = QString::fromUtf8("\xce\xa9");
        QTest::newRow("CV static") << 1 << false << false << 0 << QStringList({"Voltage :", "", "", "", "", ""})
                                   << QStringList({"V", "", "", "", "", ""}) << false;
        QTest::newRow("CP static") << 3 << false << false << 0 << QStringList({"Power :", "", "", "", "", ""})
                                   << QStringList({"W", "", "", "", "", ""}) << false;
        QTest::newRow("LED") << 2 << false << true << 0 << QStringList({"Io :", "Vo :", "Rco :", "", "", ""})
                             << QStringList({"A", "V", "", "", "", ""}) << false;
        QTest::newRow("CC continuous")
            << 0 << true << false << 0
            << QStringList({"A_Level :", "B_Level :", "A_Width :", "B_Width :", "Slew_RIS :", "Slew_FAL :"})
            << QStringList({"A", "A", "s", "s", "A/us", "A/us"}) << false;
        QTest::newRow("CC pulse") << 0 << true << false << 1
                                  << QStringList({"A_Level :", "B_Level :", "Width :", "Slew_RIS :", "Slew_FAL :", ""})
                                  << QStringList({"A", "A", "s", "A/us", "A/us", ""}) << false;
        QTest::newRow("CC toggle") << 0 << true << false << 2
                                   << QStringList({"A_Level :", "B_Level :", "Slew_RIS :", "Slew_FAL :", "", ""})
                                   << QStringList({"A", "A", "A/us", "A/us", "", ""}) << true;
        QTest::newRow("CV toggle") << 1 << true << false << 2 << QStringList({"A_Level :", "B_Level :", "", "", "", ""})
                                   << QStringList({"V", "V", "", "", "", ""}) << true;
        QTest::newRow("CP pulse") << 3 << true << false << 1
                                  << QStringList({"A_Level :", "B_Level :", "Width :", "", "", ""})
                                  << QStringList({"W", "W", "s", "", "", ""}) << false;
        // LED counts only in the static form.
        QTest::newRow("CR dynamic with LED set")
            << 2 << true << true << 0 << QStringList({"A_Level :", "B_Level :", "A_Width :", "B_Width :", "", ""})
            << QStringList({ohm, ohm, "s", "s", "", ""}) << false;
    }

    void layout_per_function_and_form()
    {
        QFETCH(int, mode);
        QFETCH(bool, dynamic);
        QFETCH(bool, led);
        QFETCH(int, tran);
        QFETCH(QStringList, names);
        QFETCH(QStringList, units);
        QFETCH(bool, trig);
        para()->set_dyn_cc_mode(tran);
        para()->set_dyn_cv_mode(tran);
        para()->set_dyn_cr_mode(tran);
        para()->set_dyn_cp_mode(tran);
        lay_out(mode, dynamic, led);
        QStringList shown_units;
        for (const row_look& r : rows())
            shown_units << r.unit;
        QCOMPARE(row_names(), names);
        QCOMPARE(shown_units, units);
        QCOMPARE(ui()->pushButton_Trig->isEnabled(), trig);
        QCOMPARE(ui()->radioButton_Plus_Basic->isEnabled(), dynamic);
        QCOMPARE(ui()->checkBox_Dynamic_Basic->isChecked(), dynamic);
        QCOMPARE(ui()->checkBox_LED_Basic->isEnabled(), mode == 2 && !dynamic);
        QCOMPARE(ui()->checkBox_Dynamic_Basic->isEnabled(), !(mode == 2 && !dynamic && led));
        QCOMPARE(ui()->radioButton_om_Basic->isEnabled(), mode == 2 && (dynamic || !led));
        const QList<QRadioButton*> trans = {ui()->radioButton_Cont_Basic, ui()->radioButton_Plus_Basic,
                                            ui()->radioButton_Tog_Basic};
        QVERIFY(trans.at(dynamic ? tran : 0)->isChecked());
    }

    void time_test_labels_only_for_static_non_led()
    {
        w->time_test_flag = true;
        lay_out(0, false, false);
        QVERIFY(!ui()->label_Ext->isHidden());
        QVERIFY(!ui()->label_Ext_Set->isHidden());
        lay_out(0, true, false);
        QVERIFY(ui()->label_Ext->isHidden());
        lay_out(2, false, true);
        QVERIFY(ui()->label_Ext_Set->isHidden());
    }

    void boxes_hold_what_the_load_ranges_need()
    {
        // CV in 150 V, CP up to 300 W, CR up to 10 kOhm: the boxes show them.
        para()->set_static_cv_v_range(1);
        lay_out(1, false, false);
        ui()->doubleSpinBox_1_Basic->setValue(150);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 150.0);
        QCOMPARE(ui()->doubleSpinBox_V_MAX->maximum(), 150.0);
        lay_out(3, false, false);
        ui()->doubleSpinBox_1_Basic->setValue(300);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 300.0);
        lay_out(2, false, false);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->minimum(), 0.03);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->maximum(), 10000.0);

        // The dynamic widths go down to 20 us without rounding to 0.
        para()->set_dyn_cv_mode(0);
        lay_out(1, true, false);
        for (QDoubleSpinBox* box : {ui()->doubleSpinBox_3_Basic, ui()->doubleSpinBox_4_Basic}) {
            box->setValue(0.00002);
            QCOMPARE(box->value(), 0.00002);
            QCOMPARE(box->minimum(), 0.00002);
            QCOMPARE(box->maximum(), 999.0);
        }
        para()->set_dyn_cv_mode(1);
        QCOMPARE(row_names().at(2), QStringLiteral("Width :"));
        ui()->doubleSpinBox_3_Basic->setValue(0.00003);
        QCOMPARE(ui()->doubleSpinBox_3_Basic->value(), 0.00003);

        // A 5 A range clamps a level above 5 and slews above 0.5 (static CC).
        para()->set_static_cc_i_range(1);
        para()->set_static_cc_i(20);
        para()->set_static_cc_ris(2);
        lay_out(0, false, false);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 20.0);
        QCOMPARE(ui()->doubleSpinBox_2_Basic->value(), 2.0);
        para()->set_static_cc_i_range(0);
        QVERIFY(ui()->radioButton_5A_Basic->isChecked());
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 5.0);
        QCOMPARE(ui()->doubleSpinBox_2_Basic->value(), 0.5);
        QCOMPARE(ui()->doubleSpinBox_C_MAX->maximum(), 5.0);
        // Dynamic CC in TOGGLE: the slews sit in rows 3 and 4 with the range's limits.
        para()->set_dyn_cc_mode(2);
        para()->set_dyn_cc_i_range(1);
        lay_out(0, true, false);
        QCOMPARE(ui()->doubleSpinBox_3_Basic->maximum(), 2.5);
        QCOMPARE(ui()->doubleSpinBox_4_Basic->minimum(), 0.001);
        QCOMPARE(ui()->doubleSpinBox_2_Basic->maximum(), 30.0);
    }

    void updates_draw_only_the_shown_function()
    {
        lay_out(0, false, false);
        ui()->doubleSpinBox_1_Basic->setValue(1.5);
        para()->set_static_cv_v(12);       // CV not shown
        para()->set_dyn_cc_a_level(4);     // dynamic form not shown
        para()->set_static_led_io(2);      // LED not shown
        para()->set_static_cc_v_range(7);  // not a range
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 1.5);
        QVERIFY(ui()->radioButton_36V_Basic->isChecked());
        para()->set_static_cc_i(2.25);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 2.25);
        lay_out(1, false, false);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 12.0);

        // CR shown: an LED field changes nothing; LED shown: a CR field changes nothing.
        lay_out(2, false, false);
        para()->set_static_led_io(0.7);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), para()->get_static_cr_r());
        lay_out(2, false, true);
        para()->set_static_cr_r(55);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 0.7);

        // Dynamic CV in PULSE: the A/B widths have no row, the single width has.
        para()->set_dyn_cv_mode(1);
        lay_out(1, true, false);
        para()->set_dyn_cv_width(0.25);
        QCOMPARE(ui()->doubleSpinBox_3_Basic->value(), 0.25);
        para()->set_dyn_cv_a_width(0.75);
        para()->set_dyn_cv_b_width(0.5);
        QCOMPARE(ui()->doubleSpinBox_3_Basic->value(), 0.25);
        QCOMPARE(ui()->doubleSpinBox_4_Basic->isHidden(), true);
        // Another function's transient mode does not lay the page out again...
        para()->set_dyn_cc_mode(2);
        QCOMPARE(row_names().at(2), QStringLiteral("Width :"));
        // ...the shown one's does.
        para()->set_dyn_cv_mode(0);
        QCOMPARE(row_names().at(2), QStringLiteral("A_Width :"));
        QCOMPARE(ui()->doubleSpinBox_3_Basic->value(), 0.75);

        // A layout for an index other than basic_mode fills nothing.
        w->basic_mode = 3;
        ui()->doubleSpinBox_1_Basic->setValue(1);
        w->init_Basic_Config_By_Mode(1);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 1.0);
    }

    void static_requests_from_the_widgets_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("led");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("op");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QStringList>("queries");
        QTest::newRow("CC level") << 0 << false << 1 << "2.5" << 36 << QStringList({"CURR 2.5"}) << QStringList({"CURRENT?"});
        QTest::newRow("CC rise") << 0 << false << 2 << "0.05" << 37 << QStringList({"CURR:SLEW:POS 0.05", ""})
                                 << QStringList({"CURR:SLEW:POS?", "CURR:SLEW:NEG?"});
        QTest::newRow("CC fall") << 0 << false << 3 << "0.2" << 38 << QStringList({"CURR:SLEW:NEG 0.2", ""})
                                 << QStringList({"CURR:SLEW:NEG?", "CURR:SLEW:POS?"});
        QTest::newRow("CV") << 1 << false << 1 << "12.345" << 41 << QStringList({"VOLT 12.345"}) << QStringList({"VOLT?"});
        QTest::newRow("CR") << 2 << false << 1 << "1500" << 44 << QStringList({"RES 1500"}) << QStringList({"RES?"});
        QTest::newRow("CP") << 3 << false << 1 << "250" << 47 << QStringList({"POW 250"}) << QStringList({"POW?"});
        QTest::newRow("LED Io") << 2 << true << 1 << "1.2" << 69 << QStringList({"LED:CURR 1.2"})
                                << QStringList({"LED:CURR?"});
        QTest::newRow("LED Vo") << 2 << true << 2 << "24" << 70 << QStringList({"LED:VOLT 24"}) << QStringList({"LED:VOLT?"});
        QTest::newRow("LED Rco") << 2 << true << 3 << "0.35" << 71 << QStringList({"LED:RCO 0.35"})
                                 << QStringList({"LED:RCO?"});
    }

    void static_requests_from_the_widgets()
    {
        QFETCH(int, mode);
        QFETCH(bool, led);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(int, op);
        QFETCH(QStringList, writes);
        QFETCH(QStringList, queries);
        connect_recorder(true); // values go out with the input on
        lay_out(mode, false, led);
        QDoubleSpinBox* boxes[] = {ui()->doubleSpinBox_1_Basic, ui()->doubleSpinBox_2_Basic,
                                   ui()->doubleSpinBox_3_Basic};
        type_and_enter(boxes[box - 1], typed);
        const QList<cfg_request_t> got = posts();
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].button_model, op);
        QCOMPARE(got[0].write, writes);
        QCOMPARE(got[0].query, queries);
        QCOMPARE(got[0].widgets.value(0), static_cast<QWidget*>(boxes[box - 1]));
        QVERIFY(!got[0].repeat);
    }

    void boxes_without_meaning_send_nothing()
    {
        connect_recorder();
        lay_out(1, false, false);
        // Hidden in CV: a finished edit of box 2 or 3 has no command.
        w->on_doubleSpinBox_2_Basic_sigUpdateValue();
        w->on_doubleSpinBox_3_Basic_sigUpdateValue();
        para()->set_dyn_cv_mode(2);
        lay_out(1, true, false);
        w->on_doubleSpinBox_3_Basic_sigUpdateValue();
        w->on_doubleSpinBox_4_Basic_sigUpdateValue();
        QCOMPARE(posts().size(), 0);
    }

    void function_range_and_transient_requests()
    {
        connect_recorder();
        // Static function buttons: the "FUNC" word alone, no read-back query.
        QTest::mouseClick(ui()->radioButton_CV_Basic, Qt::LeftButton);
        QTest::mouseClick(ui()->radioButton_CR_Basic, Qt::LeftButton);
        w->is_led = true;
        QTest::mouseClick(ui()->radioButton_CR_Basic, Qt::LeftButton);
        // Ranges, static LED then dynamic CV.
        QTest::mouseClick(ui()->radioButton_150V_Basic, Qt::LeftButton);
        lay_out(1, true, false);
        QTest::mouseClick(ui()->radioButton_150V_Basic, Qt::LeftButton);
        QTest::mouseClick(ui()->radioButton_30A_Basic, Qt::LeftButton);
        // CP dynamic: PULSE, then box 3 (the pulse width) and box 1.
        para()->set_dyn_cp_mode(1);
        lay_out(3, true, false);
        QTest::mouseClick(ui()->radioButton_Plus_Basic, Qt::LeftButton);
        type_and_enter(ui()->doubleSpinBox_3_Basic, QStringLiteral("0.00002"));
        type_and_enter(ui()->doubleSpinBox_1_Basic, QStringLiteral("123.5"));
        // CC dynamic TOGGLE: box 3 is the rise slew (two blanks before the value).
        para()->set_dyn_cc_mode(2);
        lay_out(0, true, false);
        type_and_enter(ui()->doubleSpinBox_3_Basic, QStringLiteral("0.02"));
        // CC dynamic PULSE: box 3 is the single width.
        para()->set_dyn_cc_mode(1);
        type_and_enter(ui()->doubleSpinBox_3_Basic, QStringLiteral("0.25"));
        // Back to the static form from CR with LED: "FUNC LED".
        w->is_led = true;
        lay_out(2, true, true);
        QTest::mouseClick(ui()->checkBox_Dynamic_Basic, Qt::LeftButton);
        // And into the dynamic form of CR.
        QTest::mouseClick(ui()->checkBox_Dynamic_Basic, Qt::LeftButton);
        // Dynamic mode button: the "FUNC:TRAN" word alone.
        QTest::mouseClick(ui()->radioButton_CP_Basic, Qt::LeftButton);

        struct expect_t {
            int op;
            QStringList writes;
            QStringList queries;
        };
        const QList<expect_t> expected = {
            {1, QStringList({"FUNC VOLT"}), QStringList({""})},
            {2, QStringList({"FUNC RES"}), QStringList({""})},
            {4, QStringList({"FUNC LED"}), QStringList({""})},
            {68, QStringList({"LED:VRANG 150"}), QStringList({"LED:VRANG?"})},
            {102, QStringList({"VOLT:TRAN:VRANG 150"}), QStringList({"VOLT:TRAN:VRANG?"})},
            {98, QStringList({"VOLT:TRAN:IRANG 30"}), QStringList({"VOLT:TRAN:IRANG?"})},
            {93, QStringList({"POW:TRAN:MODE PULSE", ""}), QStringList({"", "POW:TRAN:MODE?"})},
            {127, QStringList({"POW:TRAN:BWID 2e-05"}), QStringList({"POW:TRAN:BWID?"})},
            {111, QStringList({"POW:TRAN:ALEV 123.5"}), QStringList({"POW:TRAN:ALEV?"})},
            {130, QStringList({"CURR:TRAN:SLEW:POS  0.02", ""}),
             QStringList({"CURR:TRAN:SLEW:POS?", "CURR:TRAN:SLEW:NEG?"})},
            {126, QStringList({"CURR:TRAN:BWID 0.25"}), QStringList({"CURR:TRAN:BWID?"})},
            {4, QStringList({"FUNC LED"}), QStringList({""})},
            {91, QStringList({"FUNC:TRAN RESISTANCE"}), QStringList({"FUNC:TRAN?"})},
            {89, QStringList({"FUNC:TRAN POWER"}), QStringList({""})},
        };
        const QList<cfg_request_t> got = posts();
        QCOMPARE(got.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const QByteArray at = "request " + QByteArray::number(i);
            QVERIFY2(got[i].button_model == expected[i].op, at.constData());
            QCOMPARE(got[i].write, expected[i].writes);
            QCOMPARE(got[i].query, expected[i].queries);
        }
        QCOMPARE(got[3].widgets.value(0), static_cast<QWidget*>(ui()->radioButton_150V_Basic));
        QCOMPARE(got[6].widgets.value(0), static_cast<QWidget*>(ui()->radioButton_Plus_Basic));
        QCOMPARE(w->basic_mode, 3);
    }

    void refusals_while_the_input_is_on()
    {
        connect_recorder(true);
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok).press(QMessageBox::Ok).press(QMessageBox::Ok).press(QMessageBox::Ok);

        // Static range: warning, poll, "FUNC?"; no range command.
        QTest::mouseClick(ui()->radioButton_30A_Basic, Qt::LeftButton);
        // Static function change goes out.
        QTest::mouseClick(ui()->radioButton_CV_Basic, Qt::LeftButton);
        // The Dynamic box: refused, the form unchanged.
        QTest::mouseClick(ui()->checkBox_Dynamic_Basic, Qt::LeftButton);
        QVERIFY(!w->is_dynamic);
        // Dynamic form: transient mode and function refused, re-read with "FUNC:TRAN?".
        lay_out(1, true, false);
        QTest::mouseClick(ui()->radioButton_Tog_Basic, Qt::LeftButton);
        QTest::mouseClick(ui()->radioButton_CC_Basic, Qt::LeftButton);
        QCOMPARE(w->basic_mode, 1);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().size(), 4);
        for (const modal_answerer::box_record& box : answerer.boxes())
            QCOMPARE(box.text, QStringLiteral("Please turn off the load !"));

        const QList<int> ops = {183, 26, 1, 183, 26, 183, 28, 183, 28};
        const QList<cfg_request_t> got = posts();
        QCOMPARE(got.size(), ops.size());
        for (int i = 0; i < ops.size(); ++i)
            QCOMPARE(got[i].button_model, ops[i]);
        QVERIFY(got[0].repeat);
        QCOMPARE(got[1].query, QStringList({"FUNC?"}));
        QCOMPARE(got[6].query, QStringList({"FUNC:TRAN?"}));
        for (const cfg_request_t& r : got) {
            for (const QString& text : r.write)
                QVERIFY2(!text.contains(QLatin1String("RANG")) && !text.contains(QLatin1String("TRAN")),
                         qPrintable(text));
        }
    }

    void replies_reach_the_store_and_the_page()
    {
        connect_recorder();
        lay_out(0, false, false);
        w->deal_basic_operating_button(34, {QStringLiteral("30\n")}, {});
        QCOMPARE(para()->get_static_cc_i_range(), 1);
        QVERIFY(ui()->radioButton_30A_Basic->isChecked());
        QCOMPARE(ui()->doubleSpinBox_1_Basic->maximum(), 30.0);
        w->deal_basic_operating_button(36, {QStringLiteral("12.5\n")}, {});
        QCOMPARE(para()->get_static_cc_i(), 12.5);
        QCOMPARE(ui()->doubleSpinBox_1_Basic->value(), 12.5);
        // A range word without its line end is the low range; a non-number is 0.
        w->deal_basic_operating_button(68, {QStringLiteral("150")}, {});
        QCOMPARE(para()->get_static_led_v_range(), 0);
        w->deal_basic_operating_button(41, {QStringLiteral("abc\n")}, {});
        QCOMPARE(para()->get_static_cv_v(), 0.0);
        // A short reply list stores nothing.
        para()->set_static_cr_r(33);
        w->deal_basic_operating_button(44, {}, {});
        w->deal_basic_operating_button(37, {QStringLiteral("0.1\n")}, {});
        QCOMPARE(para()->get_static_cr_r(), 33.0);
        // Each handler restarted the poll, after a short list too.
        QList<cfg_request_t> got = posts();
        QVERIFY(!got.isEmpty());
        for (const cfg_request_t& r : got)
            QCOMPARE(r.button_model, 183);
        // Codes the Basic panel does not own, or owns without a handler: no
        // store, no poll.
        for (int op : {33, 50, 104, 132, 183})
            w->deal_basic_operating_button(op, {QStringLiteral("7\n"), QStringLiteral("7\n")}, {});
        QCOMPARE(posts().size(), 0);

        // Dynamic: transient mode word, range, the pulse width apart from the B width.
        para()->set_dyn_cp_mode(0);
        lay_out(3, true, false);
        w->deal_basic_operating_button(93, {QStringLiteral("PULSE\n")}, {});
        QCOMPARE(para()->get_dyn_cp_mode(), 1);
        QVERIFY(ui()->radioButton_Plus_Basic->isChecked());
        QCOMPARE(row_names().at(2), QStringLiteral("Width :"));
        w->deal_basic_operating_button(95, {QStringLiteral("pulse\n")}, {});
        QCOMPARE(para()->get_dyn_cr_mode(), 0);
        QVERIFY(ui()->radioButton_Plus_Basic->isChecked());
        w->deal_basic_operating_button(102, {QStringLiteral("150\n")}, {});
        QCOMPARE(para()->get_dyn_cv_v_range(), 1);
        para()->set_dyn_cc_b_width(0.5);
        w->deal_basic_operating_button(126, {QStringLiteral("0.25\n")}, {});
        QCOMPARE(para()->get_dyn_cc_width(), 0.25);
        QCOMPARE(para()->get_dyn_cc_b_width(), 0.5);
        // (the rise box of CONTINUOUS, row 5, on the same side: no warning)
        ui()->doubleSpinBox_5_Basic->setValue(0.4);
        w->deal_basic_operating_button(131, {QStringLiteral("0.3\n"), QStringLiteral("0.4\n")}, {});
        QCOMPARE(para()->get_dyn_cc_fal(), 0.3);
        QCOMPARE(para()->get_dyn_cc_ris(), 0.4);
        // The function reply puts the page into that dynamic function.
        w->is_dynamic = false;
        w->deal_basic_operating_button(90, {}, {});
        QCOMPARE(w->basic_mode, 1);
        QVERIFY(w->is_dynamic);
        QVERIFY(ui()->radioButton_CV_Basic->isChecked());

        got = posts();
        QVERIFY(!got.isEmpty());
        for (const cfg_request_t& r : got)
            QCOMPARE(r.button_model, 183);
    }

    void slope_rule_warns_across_the_threshold()
    {
        connect_recorder();
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok).press(QMessageBox::Ok);
        lay_out(0, false, false); // 5 A: threshold 0.01
        ui()->doubleSpinBox_3_Basic->setValue(0.005);
        w->deal_basic_operating_button(37, {QStringLiteral("0.05\n"), QStringLiteral("0.005\n")}, {});
        QCOMPARE(para()->get_static_cc_ris(), 0.05);
        QCOMPARE(para()->get_static_cc_fal(), 0.005);
        // Exactly on the threshold: no warning.
        ui()->doubleSpinBox_3_Basic->setValue(0.01);
        w->deal_basic_operating_button(37, {QStringLiteral("0.05\n"), QStringLiteral("0.01\n")}, {});
        // Dynamic TOGGLE: the fall box (row 4) is read after the store.
        para()->set_dyn_cc_mode(2);
        para()->set_dyn_cc_i_range(0);
        lay_out(0, true, false);
        w->deal_basic_operating_button(130, {QStringLiteral("0.02\n"), QStringLiteral("0.005\n")}, {});
        QCOMPARE(ui()->doubleSpinBox_4_Basic->value(), 0.005);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().size(), 2);
        QCOMPARE(answerer.boxes().at(0).text,
                 QStringLiteral("Slope are adjust to the same range!(0.001~0.01 or 0.01~0.5)"));
        QCOMPARE(answerer.boxes().at(1).text, answerer.boxes().at(0).text);
        QVERIFY(answerer.unexpected().isEmpty());
    }
};

QTEST_MAIN(tst_basic_panel)
#include "tst_basic_panel.moc"
