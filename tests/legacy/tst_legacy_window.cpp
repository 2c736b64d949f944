// The older main window built offscreen: what its constructor shows, its
// trend and record, its prompts and ends, and (with WATTLEX_SHOT_DIR set)
// pictures of every page in English and Chinese.
#include "mainwindow.h"
#include "uiPara.h"

#include "ui_mainwindow.h"

#include "FreezeTableWidget.h"
#include "MyTitleBar.h"
#include "cfg_thread_t.h"
#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_label.h"
#include "custom_lineedit.h"
#include "Get_configure_value.h"
#include "Get_data_thread.h"
#include "SCPI_write_and_read.h"
#include "Send_data_thread.h"
#include "ui_qwt_picker_t.h"
#include "custom_picture.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "uiPara.h"
#include "file_dialog_stub.h"
#include "init_ui_font_names.h"
#include "ip_address_dialog.h"
#include "modal_answerer.h"
#include "program_look.h"
#include "legacy_recorder.h"
#include "recording_thread.h"
#include "ui_preview_plot_t.h"

#include "mycombobox.h"
#include "newframe.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>
#include <qwt_plot_curve.h>

#include <memory>

namespace {

QStringList tab_texts(QTabWidget* tabs)
{
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

QStringList blanks(int n)
{
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << QString();
    return l;
}

QString read_file(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Whether `w` lies in what a view scrolls, below `root`.
bool in_viewport(QWidget* w, QWidget* root)
{
    for (QWidget* up = w->parentWidget(); up && up != root; up = up->parentWidget()) {
        auto* area = qobject_cast<QAbstractScrollArea*>(up->parentWidget());
        if (area && area->viewport() == up)
            return true;
    }
    return false;
}

// Visible widgets under `root` that reach past their parent's edge (and so
// are cut there), one line each.
QStringList outside_parents(QWidget* root)
{
    QStringList out;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        QWidget* parent = child->parentWidget();
        if (!child->isVisibleTo(root) || child->isWindow() || parent->rect().contains(child->geometry())
            || in_viewport(child, root))
            continue;
        const QRect g = child->geometry();
        out << QString("%1 (%2) at %3,%4 %5x%6 in %7 (%8) %9x%10")
                   .arg(child->objectName(), child->metaObject()->className())
                   .arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())
                   .arg(parent->objectName(), parent->metaObject()->className())
                   .arg(parent->width()).arg(parent->height());
    }
    return out;
}

} // namespace

class tst_legacy_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void constructor_shows_its_start_state();
    void pages_carry_their_texts_and_limits();
    void style_names_and_controls();
    void wiring();
    void command_table_data();
    void command_table();
    void format_decimals_data();
    void format_decimals();
    void trend_takes_sets_and_scales_them();
    void trend_limits_and_windows();
    void record_file();
    void settings_file_save_and_load();
    void connect_success_posts_read_back_and_polls();
    void connect_failures_are_told();
    void secondary_windows_closing();
    void frees_what_it_made();
    void disconnect_asks_then_ends_the_command_thread();
    void close_asks_then_stops_every_thread();
    void dynamic_diagram_follows_the_settings();
    void program_result_form();
    void wait_box_holds_until_the_reply();
    void pictures_data();
    void pictures();

private:
    std::unique_ptr<QTranslator> m_translator;
};

void tst_legacy_window::initTestCase()
{
    QVERIFY(!use_program_font().isEmpty());
}

void tst_legacy_window::constructor_shows_its_start_state()
{
    MainWindow w;
    // its own frameless title bar exists but is hidden; the window keeps a normal frame
    QVERIFY(w.title_bar);
    QVERIFY(w.title_bar->isHidden());
    QCOMPARE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.windowTitle(), QString("  Wattlex"));
    // the form's maximum height below its minimum: one fixed size instead
    QCOMPARE(w.minimumSize(), QSize(1200, 700));
    QCOMPARE(w.maximumSize(), QSize(1200, 700));
    // the form's tool bar is kept, empty and hidden: the pages start under the menu bar
    QVERIFY(w.ui->mainToolBar);
    QVERIFY(w.ui->mainToolBar->isHidden());
    QVERIFY(w.ui->mainToolBar->actions().isEmpty());
    w.layout()->activate();
    QCOMPARE(w.centralWidget()->y(), w.ui->menuBar->height());

    // status bar: the label, then the disconnect picture
    QCOMPARE(w.status_label->text(), QString("device status    disconnected"));
    QCOMPARE(w.status_label->parentWidget(), w.status_picture->parentWidget());
    QVERIFY(w.status_label->x() < w.status_picture->x() || !w.isVisible());
    QVERIFY(!w.status_picture->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(w.ui->current_function_label->text(), QString("disconnected"));

    QCOMPARE(w.cr_ranges_low, QList<QString>({"0.2ohm~6ohm", "6ohm~60ohm", "50ohm~240ohm", "240ohm~2500ohm"}));
    QCOMPARE(w.cr_ranges_high.value(3), QString("1kohm~10kohm"));
    QCOMPARE(w.cr_ranges_3.value(0), QString("0.03ohm~1.2ohm"));
    QCOMPARE(w.cr_ranges_4.value(3), QString("150ohm~1800ohm"));
    QCOMPARE(w.step_texts, QList<QString>({"00", "00", "00", "00"}));
    QCOMPARE(w.model_name, QString("WLX1200X"));

    // curves: colours, none attached yet, the spare never
    const QList<QPair<QwtPlotCurve*, QColor>> curves = {{w.curve_spare, Qt::green},   {w.curve_current, Qt::green},
                                                        {w.curve_voltage, Qt::red},   {w.curve_resistance, Qt::cyan},
                                                        {w.curve_power, Qt::yellow}};
    for (const auto& c : curves) {
        QCOMPARE(c.first->pen().color(), c.second);
        QCOMPARE(c.first->style(), QwtPlotCurve::Lines);
        QVERIFY(!c.first->plot());
    }
    for (QCheckBox* check : w.curve_checks)
        QVERIFY(check->isChecked());

    // page order and start tabs
    QCOMPARE(tab_texts(w.ui->model_sel), QStringList({"Static", "Dynamic", "AUX", "Utility"}));
    QCOMPARE(tab_texts(w.ui->static_pattern), QStringList({"CC", "CV", "CR", "CP", "LED"}));
    QCOMPARE(tab_texts(w.ui->utility_tabwidget), QStringList({"Configure", "SLTM", "Limit"}));
    QCOMPARE(w.ui->model_sel->currentIndex(), 1);
    QCOMPARE(w.ui->static_pattern->currentIndex(), 4);
    QCOMPARE(w.ui->utility_tabwidget->currentIndex(), 2);

    // no thread runs, no timer
    QVERIFY(!w.cfg_thread->isRunning());
    QVERIFY(!w.status_timer->isActive());
    QVERIFY(!w.connected);
    QVERIFY(!w.readback_box);
    QCOMPARE(w.wait_box->text(), QString("waiting"));
    QVERIFY(w.wait_box->button(QMessageBox::Ok)->isHidden());
}

void tst_legacy_window::pages_carry_their_texts_and_limits()
{
    MainWindow w;
    struct range_t
    {
        custom_radiobutton* radio;
        const char* label;
        const char* a;
        const char* b;
    };
    const range_t ranges[] = {
        {w.cc_i_range_radio, "I_Range", "5A", "30A"},   {w.cv_v_range_radio, "V_Range", "36V", "150V"},
        {w.led_i_range_radio, "I_Range", "5A", "30A"},  {w.ocp_v_range_radio, "V_Range", "36V", "150V"},
        {w.dynamic_range_radio, "I_Range", "5A", "30A"}, {w.record_radio, "Record", "ON", "OFF"},
        {w.tmon_radio, "TMon", "ON", "OFF"},            {w.p_protect_switch_radio, "Switch", "ON", "OFF"},
        {w.batt_stop_radios[1], "C_Stop", "ON", "OFF"},
    };
    for (const range_t& r : ranges) {
        QCOMPARE(r.radio->name_label->text(), QString(r.label));
        QCOMPARE(r.radio->button_a->text(), QString(r.a));
        QCOMPARE(r.radio->button_b->text(), QString(r.b));
    }

    struct spin_t
    {
        custom_spinbox* box;
        const char* label;
        const char* unit;
        int decimals;
        double step, minimum, maximum;
    };
    const spin_t spins[] = {
        {w.cc_current_spin, "Current", "A", 3, 1.0, 0, 9999},      {w.cc_slew_fall_spin, "Slew_FAL", "A/us", 3, 0.1, 0, 9999},
        {w.cr_resistance_spin, "Resis", "Ω", 3, 1.0, 0, 99999},    {w.cp_power_spin, "Power", "W", 2, 1.0, 0, 9999},
        {w.led_rco_spin, "Rco", "", 2, 0.1, 0, 9999},              {w.ocp_v_spin, "OCP_V", "V", 2, 1.0, 0, 999},
        {w.ocp_delay_spin, "Delay", "s", 1, 1.0, 0.5, 9999},       {w.opp_p_max_spin, "P_MAX", "W", 3, 1.0, 0, 9999},
        {w.dynamic_a_width_spin, "A_Width", "s", 6, 1.0, 0, 99999}, {w.batt_level_spin, "Current", "A", 3, 1.0, 0, 999},
        {w.batt_stop_spins[2], "T_Stop", "s", 0, 1.0, 0, 9999},    {w.v_high_spin, "V_High", "V", 3, 1.0, 0, 999},
        {w.p_protect_spin, "Power", "W", 2, 1.0, 0, 999},          {w.von_spin, "Von", "V", 2, 1.0, 0, 9999},
    };
    for (const spin_t& s : spins) {
        QCOMPARE(s.box->name_label->text(), QString::fromUtf8(s.label));
        QCOMPARE(s.box->unit_label->text(), QString::fromUtf8(s.unit));
        QCOMPARE(s.box->spin_box->decimals(), s.decimals);
        QCOMPARE(s.box->spin_box->singleStep(), s.step);
        QCOMPARE(s.box->spin_box->minimum(), s.minimum);
        QCOMPARE(s.box->spin_box->maximum(), s.maximum);
    }
    QCOMPARE(w.list_count_spin->spin_box->specialValueText(), QString("Infinite"));

    // the static pages' pictures on the right of their frames
    for (QLabel* p : {w.cc_picture, w.cv_picture, w.cr_picture, w.cp_picture, w.led_picture}) {
        QCOMPARE(p->geometry(), QRect(400, 0, 234, 187));
        QVERIFY(!p->pixmap(Qt::ReturnByValue).isNull());
    }
    QCOMPARE(w.cr_range_edit->line_edit->text(), QString::fromUtf8("30mΩ~10kΩ"));

    // combo items
    QCOMPARE(w.time_combo->combo->count(), 7);
    QCOMPARE(w.time_combo->combo->itemText(6), QString("24hour"));
    QCOMPARE(w.dynamic_mode_combo->combo->itemText(0), QString("continues"));
    QCOMPARE(w.batt_function_combo->combo->count(), 3);
    QCOMPARE(w.aver_combo->combo->itemText(8), QString("2^14"));

    // readings: four shown at zero, the two extra ones hidden
    QCOMPARE(w.display_current_label->value_label->text(), QString("0.0000"));
    QCOMPARE(w.display_resistance_label->unit_label->text(), QString::fromUtf8("Ω"));
    QCOMPARE(w.display_power_label->value_label->text(), QString("0.00"));
    QVERIFY(w.display_aux_label_1->isHidden());
    QVERIFY(w.display_aux_label_2->isHidden());
    QCOMPARE(w.display_group->title(), QString("display data"));

    // the list table's row titles and first step
    QCOMPARE(w.list_step_table->rowCount(), 4);
    QCOMPARE(w.list_step_table->columnCount(), 6);
    QCOMPARE(w.list_step_table->item(3, 0)->text(), QString("Slo(A/us)"));
    QCOMPARE(w.list_step_table->item(0, 1)->text(), QString("1"));
    QVERIFY(qobject_cast<QDoubleSpinBox*>(w.list_step_table->cellWidget(2, 1)));

    // program table: 16 row titles, the corner covered, the frozen column over it
    QCOMPARE(w.program_result_table->rowCount(), 16);
    QCOMPARE(w.program_result_table->item(15, 0)->text(), QString("Rco"));
    QCOMPARE(w.program_corner_label->text(), QString("step"));
    QCOMPARE(w.program_corner_label->parentWidget(), static_cast<QWidget*>(w.program_result_table));
    QVERIFY(w.program_freeze);
    QCOMPARE(w.program_result_table->objectName(), QString("list_tablewidget"));

    // the four frames of the AUX tab share one rectangle
    for (QWidget* f : {static_cast<QWidget*>(w.aux_button_frame), static_cast<QWidget*>(w.ocp_frame),
                       static_cast<QWidget*>(w.opp_frame), static_cast<QWidget*>(w.program_page),
                       static_cast<QWidget*>(w.battery_page), static_cast<QWidget*>(w.list_page)}) {
        QCOMPARE(f->parentWidget(), w.ui->aux_tab);
        QCOMPARE(f->geometry(), QRect(0, 0, 790, 228));
    }
    // the display plot and its axis: 150 points in steps of 15
    QCOMPARE(w.plot->geometry(), QRect(100, 340, 710, 330));
    w.plot->updateAxes();
    QCOMPARE(w.plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 150.0);
    QCOMPARE(w.plot->axisScaleDiv(QwtPlot::xBottom).ticks(QwtScaleDiv::MajorTick).value(1), 15.0);
}

void tst_legacy_window::style_names_and_controls()
{
    MainWindow w;
    QCOMPARE(w.ui->model_sel->objectName(), QString("model"));
    QCOMPARE(w.ui->static_pattern->objectName(), QString("static"));
    QCOMPARE(w.ui->utility_tabwidget->objectName(), QString("utility"));
    QCOMPARE(w.ui->trigger_button->objectName(), QString("fixed_button"));
    QCOMPARE(w.ui->help_button->objectName(), QString("top_button"));
    QCOMPARE(w.ui->load_button->objectName(), QString("short_load_button"));
    QCOMPARE(w.program_button->objectName(), QString("aux_button"));
    QCOMPARE(w.display_current_label->value_label->objectName(), QString("big_label"));
    QCOMPARE(w.display_power_label->unit_label->objectName(), QString("middle_label"));
    QCOMPARE(w.display_aux_label_2->name_label->objectName(), QString("small_label"));

    // a disabled program page keeps its table scrollable
    w.enable_program_controls(false);
    QVERIFY(!w.program_storage_button->isEnabled());
    QVERIFY(!w.program_result_table->viewport()->isEnabled());
    QVERIFY(w.program_result_table->horizontalScrollBar()->isEnabled());
    w.enable_program_controls(true);
    QVERIFY(w.program_result_table->viewport()->isEnabled());

    w.enable_list_controls(false);
    QVERIFY(!w.list_step_table->isEnabled());
    QVERIFY(!w.list_count_spin->isEnabled());

    // the automatic range takes no typing in the limit boxes
    w.set_limit_spinbox_focus(0);
    QCOMPARE(w.limit_max_spin[2]->spin_box->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(w.auto_range_radio->button_b, Qt::LeftButton);
    QCOMPARE(w.limit_min_spin[3]->spin_box->focusPolicy(), Qt::StrongFocus);

    // pause toggles by its text
    QTest::mouseClick(w.pause_button, Qt::LeftButton);
    QVERIFY(w.paused);
    QCOMPARE(w.pause_button->text(), QString("Start"));
    QTest::mouseClick(w.pause_button, Qt::LeftButton);
    QVERIFY(!w.paused);

    // the caption follows the function and mode replies
    w.deal_fixed_value(QString(), "BASIC\n", "RESISTANCE\n", 1, 1, QString());
    QCOMPARE(w.ui->current_function_label->text(), QString("CR"));
    QCOMPARE(w.ui->short_button->styleSheet(), QString("color: yellow"));
    QCOMPARE(w.ui->load_button->text(), QString("ON"));
    w.deal_fixed_value(QString(), "BASIC\n", "NONSENSE\n", 0, 0, QString());
    QCOMPARE(w.ui->current_function_label->text(), QString("CR"));
    QCOMPARE(w.function_text, QString("CR"));
    QCOMPARE(w.ui->load_button->text(), QString("OFF"));
    w.deal_fixed_value(QString(), "TRAN\n", QString(), 0, 0, QString());
    QCOMPARE(w.ui->current_function_label->text(), QString("DYNAMIC"));

    // the extra readouts
    w.deal_sltm_value(60.5, 60);
    QVERIFY(w.display_aux_label_1->isVisibleTo(&w));
    QCOMPARE(w.display_aux_label_1->name_label->text(), QString("T_Rise: "));
    w.deal_layout("EXTV\n", QString(), 0, QString());
    QVERIFY(w.display_aux_label_2->isVisibleTo(&w));
    w.deal_layout("BASIC\n", "BASIC\n", 1, "LED\n");
    QVERIFY(!w.display_aux_label_2->isVisibleTo(&w));
}

// Every connection the constructor makes, found by taking it away again.
void tst_legacy_window::wiring()
{
    MainWindow w;
    struct link_t
    {
        QObject* sender;
        const char* signal;
        const char* slot;
    };
    const link_t links[] = {
        {w.ui->help_button, SIGNAL(clicked(bool)), SLOT(deal_help_button())},
        {w.ui->trigger_button, SIGNAL(clicked(bool)), SLOT(deal_trigger_button())},
        {w.ui->recall_button, SIGNAL(clicked(bool)), SLOT(deal_open_button())},
        {w.ui->save_button, SIGNAL(clicked(bool)), SLOT(deal_save_button())},
        {w.ui->load_button, SIGNAL(clicked(bool)), SLOT(deal_load_button())},
        {w.ui->short_button, SIGNAL(clicked(bool)), SLOT(deal_short_button())},
        {w.ui->connect_device, SIGNAL(clicked()), SLOT(on_connect_device_clicked())},
        {w.ui->utility_tabwidget, SIGNAL(tabBarClicked(int)), SLOT(deal_utility(int))},
        {w.ui->model_sel, SIGNAL(tabBarClicked(int)), SLOT(deal_model_sel(int))},
        {w.ui->static_pattern, SIGNAL(tabBarClicked(int)), SLOT(deal_static_pattern(int))},
        {w.pause_button, SIGNAL(clicked(bool)), SLOT(deal_display_pause_button())},
        {w.clear_button, SIGNAL(clicked(bool)), SLOT(deal_display_clear_button())},
        {w.time_combo, SIGNAL(currentindex_changed(int)), SLOT(deal_display_time_combobox(int))},
        {w.record_radio, SIGNAL(buttonA_clicked()), SLOT(deal_record_on())},
        {w.record_radio, SIGNAL(buttonB_clicked()), SLOT(deal_record_off())},
        {w.auto_range_radio, SIGNAL(buttonA_clicked()), SLOT(deal_display_auto_spinbox_a_button())},
        {w.auto_range_radio, SIGNAL(buttonB_clicked()), SLOT(deal_display_auto_spinbox_b_button())},
        {w.curve_checks[0], SIGNAL(clicked(bool)), SLOT(deal_current_checkbox())},
        {w.curve_checks[3], SIGNAL(clicked(bool)), SLOT(deal_power_checkbox())},
        {w.limit_max_spin[2], SIGNAL(valuechanged()), SLOT(deal_resis_max_spinbox())},
        {w.limit_min_spin[1], SIGNAL(valuechanged()), SLOT(deal_voltage_min_spinbox())},
        {w.program_storage_button, SIGNAL(clicked(bool)), SLOT(deal_storage_button())},
        {w.program_recall_button, SIGNAL(clicked(bool)), SLOT(deal_recall_button())},
        {w.ocpt_button, SIGNAL(clicked(bool)), SLOT(deal_ocpt_button())},
        {w.program_button, SIGNAL(clicked(bool)), SLOT(deal_program_button())},
        {w.status_picture, SIGNAL(clicked()), SLOT(deal_disconnect_label())},
        {w.status_timer, SIGNAL(timeout()), SLOT(device_status())},
        {w.plot->picker(), SIGNAL(pos_update_signal(fp64, fp64)), SLOT(deal_pos_update(double, double))},
        {w.configure_thread, SIGNAL(send_connect_success(int)), SLOT(deal_connect_success())},
        {w.configure_thread, SIGNAL(send_connect_fail(int)), SLOT(deal_connect_fail())},
        {w.configure_thread, SIGNAL(send_connect_no_exist(int)), SLOT(deal_connect_no_exist())},
        {w.send_data_thread, SIGNAL(send_end()), SLOT(deal_send_data_thread())},
        {w.send_data_thread, SIGNAL(send_error()), SLOT(deal_send_error())},
        {w.get_data_thread, SIGNAL(send_end()), SLOT(deal_get_data_thread())},
        {w.scpi_rw_thread, SIGNAL(send_result(int, QList<QString>, QList<QWidget*>)),
         SLOT(deal_scpi_rw(int, QList<QString>, QList<QWidget*>))},
        {w.cfg_thread, SIGNAL(send_result(int, QList<QString>, QList<QWidget*>, int)),
         SLOT(deal_cfg_thread(int, QList<QString>, QList<QWidget*>, int))},
        {w.cfg_thread, SIGNAL(send_byte_result(int, QByteArray)), SLOT(deal_cfg_thread_bytedata(int, QByteArray))},
        {w.cfg_thread, SIGNAL(send_message_cmd(QList<QString>, int)),
         SLOT(deal_cfg_thread_message_data(QList<QString>, int))},
        {w.title_bar, SIGNAL(signalButtonCloseClicked()), SLOT(onBaseButtonCloseClicked())},
        {w.title_bar, SIGNAL(signalButtonMaxClicked()), SLOT(onBaseButtonMaxClicked())},
    };
    for (const link_t& l : links)
        QVERIFY2(QObject::disconnect(l.sender, l.signal, &w, l.slot), l.slot);
}

void tst_legacy_window::command_table_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("func_code");
    QTest::addColumn<bool>("tmon");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QStringList>("queries");
    QTest::newRow("3") << 3 << 0 << false << QStringList({"FUNC POW", "", "", ""})
                       << QStringList({"", "POW:IRANG?", "POW:VRANG?", "POW?"});
    QTest::newRow("26") << 26 << 0 << false << QStringList({""}) << QStringList({"FUNC?"});
    QTest::newRow("poll") << 183 << 0 << false << blanks(6)
                          << QStringList({"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
                                          "SYST:REMOT:STAT?"});
    QTest::newRow("poll time test") << 183 << 2 << true << blanks(8)
                                    << QStringList({"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
                                                    "SYST:REMOT:STAT?", "TIME:TEST:RISE?", "TIME:TEST:FALL?"});
    QTest::newRow("poll LED time test") << 183 << 4 << true << blanks(6)
                                        << QStringList({"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?",
                                                        "MEAS:POW?", "SYST:REMOT:STAT?"});
    QTest::newRow("poll battery") << 183 << 8 << true << blanks(8)
                                  << QStringList({"INP?", "MEAS:CURR?", "MEAS:VOLT?", "BATT:DISCHA:CAP?",
                                                  "BATT:DISCHA:TIM?", "SYST:REMOT:STAT?", "MEAS:RES?", "MEAS:POW?"});
    QTest::newRow("poll external") << 183 << 24 << false << blanks(7)
                                   << QStringList({"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
                                                   "SYST:REMOT:STAT?", "MEAS:EXT?"});
    QTest::newRow("no entry") << 5 << 0 << false << QStringList() << QStringList();
}

void tst_legacy_window::command_table()
{
    QFETCH(int, operation);
    QFETCH(int, func_code);
    QFETCH(bool, tmon);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, queries);
    MainWindow w;
    w.fill_cmd_list(14); // a list left from an earlier call never leaks
    QCOMPARE(w.cmd_queries.size(), 16);
    QCOMPARE(w.cmd_writes.value(0), QString("INP 0"));
    QCOMPARE(w.cmd_queries.last(), QString("PROG:STEP?"));
    w.func_code = func_code;
    w.tmon_on = tmon;
    w.fill_cmd_list(operation);
    QCOMPARE(QStringList(w.cmd_writes), writes);
    QCOMPARE(QStringList(w.cmd_queries), queries);
}

void tst_legacy_window::format_decimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("cut to 0") << 123.45 << 0 << "123";
    QTest::newRow("cut to 1") << 123.45 << 1 << "123.4";
    QTest::newRow("whole") << 5.0 << 2 << "5.00";
    QTest::newRow("padded") << 0.5 << 3 << "0.500";
    QTest::newRow("floor") << 0.00001 << 4 << "0.0001";
    QTest::newRow("negative") << -0.25 << 1 << "-0.2";
    QTest::newRow("exponent") << 1.5e-7 * -1 << 3 << "-0.000";
    // the floor is for positive values only
    QTest::newRow("zero") << 0.0 << 4 << "0.0000";
}

void tst_legacy_window::format_decimals()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(MainWindow::format_decimals(value, decimals), text);
}

void tst_legacy_window::trend_takes_sets_and_scales_them()
{
    MainWindow w;
    // input off: current, resistance and power count as 0
    w.take_measurement(1.23456, 12.345678, 10.0, 15.25, 0, 0);
    QCOMPARE(w.series_current.value(0), 0.0);
    QCOMPARE(w.series_voltage.value(0), 12.3457);
    QCOMPARE(w.series_power.value(0), 0.0);
    w.take_measurement(1.23456, 12.0, 9.87654, 15.256, 0, 1);
    QCOMPARE(w.series_current.value(1), 1.2346);
    QCOMPARE(w.series_resistance.value(1), 9.877);
    QCOMPARE(w.series_power.value(1), 15.26);
    QCOMPARE(w.sample_counter, 2);
    QCOMPARE(w.time_axis, QVector<double>({0, 1}));

    // automatic range: limits in tenths, written into the limit boxes
    QCOMPARE(w.auto_range_radio->checked_index(), 2); // neither yet: raw limits, nothing stored
    QCOMPARE(w.axis_max[0], 0.0);
    w.auto_range_radio->set_checked(0);
    w.take_measurement(0.35, 1.23, 0, 0, 0, 1);
    QCOMPARE(w.axis_min[0], 0.0);    // the window's minimum 0 stays 0
    QCOMPARE(w.axis_max[1], 12.4);   // 12.3457 up to a tenth
    QCOMPARE(w.axis_min[1], 1.2);    // ceil(12.3 - 1) / 10
    QCOMPARE(w.limit_max_spin[1]->value(), 12.4);
    QCOMPARE(w.mid_labels[1]->text(), QString("6.8 V"));
    QCOMPARE(w.stat_labels[3 + 1]->text(), QString("1.2300")); // voltage minimum, 4 decimals
    QVERIFY(w.curve_current->plot() == w.plot);
    QCOMPARE(w.curve_voltage->dataSize(), size_t(3));
    QCOMPARE(w.curve_voltage->sample(2).y(), (1.23 - 1.2) * 100 / (12.4 - 1.2));

    // pause: readings go on, the plot stands
    QTest::mouseClick(w.pause_button, Qt::LeftButton);
    w.take_measurement(2, 2, 2, 2, 0, 1);
    QCOMPARE(w.series_current.size(), 4);
    QCOMPARE(w.curve_voltage->dataSize(), size_t(3));
    QTest::mouseClick(w.pause_button, Qt::LeftButton);

    // a curve switched off leaves the plot with its limit boxes
    w.curve_checks[2]->click();
    QVERIFY(!w.curve_resistance->plot());
    QVERIFY(w.limit_max_spin[2]->isHidden());
    QVERIFY(!w.curve_shown[2]);
    w.take_measurement(2, 2, 2, 2, 0, 1);
    QVERIFY(!w.curve_resistance->plot());

    // clear
    QTest::mouseClick(w.clear_button, Qt::LeftButton);
    QCOMPARE(w.sample_counter, 0);
    QVERIFY(w.series_power.isEmpty());
    QVERIFY(w.time_axis.isEmpty());
    QCOMPARE(w.curve_current->dataSize(), size_t(0));
}

void tst_legacy_window::trend_limits_and_windows()
{
    MainWindow w;
    w.auto_range_radio->set_checked(1); // manual
    w.axis_max[0] = 2;
    w.axis_min[0] = 1;
    for (int i = 0; i < 20; ++i)
        w.take_measurement(1.5, 0, 0, 0, 0, 1);
    QCOMPARE(w.curve_current->sample(0).y(), 50.0);

    // an upper limit typed below the lower one becomes the lower one
    w.limit_max_spin[0]->set_value(0.5);
    emit w.limit_max_spin[0]->valuechanged();
    QCOMPARE(w.axis_max[0], 1.0);
    QCOMPARE(w.limit_max_spin[0]->value(), 1.0);
    // a flat range: above it off the top; the rescale keeps the window's x
    QCOMPARE(w.curve_current->sample(0).y(), 200.0);
    QCOMPARE(w.curve_current->dataSize(), size_t(20));
    QCOMPARE(w.curve_current->sample(19).x(), 19.0);
    w.limit_min_spin[0]->set_value(3);
    emit w.limit_min_spin[0]->valuechanged();
    QCOMPARE(w.axis_min[0], 1.0);

    // the rolling limit
    w.series_limit = 25;
    for (int i = 0; i < 10; ++i)
        w.take_measurement(i, 0, 0, 0, 0, 1);
    QCOMPARE(w.series_current.size(), 25);
    QCOMPARE(w.series_current.last(), 9.0);

    // "24hour": one time point per 25 sets, a window of 10000 points
    w.deal_display_clear_button();
    w.time_combo->set_current_index(6);
    QCOMPARE(w.window_points, 10000);
    QCOMPARE(w.time_mode, 7);
    for (int i = 0; i < 60; ++i)
        w.take_measurement(1, 1, 1, 1, 0, 1);
    QCOMPARE(w.time_axis, QVector<double>({0, 1, 2}));
    QCOMPARE(w.sample_counter, 60);
    QVERIFY(w.curve_current->dataSize() > 0);
    // back to "1min": the axis is rebuilt from the count
    w.time_combo->set_current_index(0);
    QCOMPARE(w.window_points, 150);
    QCOMPARE(w.time_axis.size(), 60);
    w.plot->updateAxes();
    QCOMPARE(w.plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 150.0);
    // an index the selector does not offer changes nothing
    w.deal_display_time_combobox(9);
    QCOMPARE(w.window_points, 150);
}

void tst_legacy_window::record_file()
{
    QTemporaryDir dir;
    MainWindow w;
    file_dialog_stub files;
    modal_answerer answerer;

    // not connected: nothing asked
    w.deal_record_on();
    QCOMPARE(files.calls().size(), 0);

    w.connected = true;
    QTest::mouseClick(w.record_radio->button_a, Qt::LeftButton); // cancelled
    QCOMPARE(w.record_radio->checked_index(), 1);
    QVERIFY(!w.record_file->isOpen());

    const QString path = dir.filePath("rec.csv");
    files.answer(path);
    QTest::mouseClick(w.record_radio->button_a, Qt::LeftButton);
    QVERIFY(w.record_file->isOpen());
    QCOMPARE(files.calls().last().filter, QString("csv(*.csv)"));
    w.take_measurement(1.5, 2.25, 3.5, 4.75, 0, 1);
    w.take_measurement(1.5, 2.25, 3.5, 4.75, 0, 0);
    answerer.press(QMessageBox::Ok);
    QTest::mouseClick(w.record_radio->button_b, Qt::LeftButton);
    QVERIFY(answerer.wait_answered());
    QCOMPARE(answerer.boxes().value(0).text, QString("Save Complete"));
    const QStringList lines = read_file(path).split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QString("time, Current(A), Voltage(V), Resis(ohm), Power(W),"));
    QVERIFY(lines[1].endsWith(",1.5,2.25,3.5,4.75,"));
    QVERIFY(lines[2].endsWith(",0,2.25,0,0"));
    QCOMPARE(lines[2].section(',', 0, 0).size(), 8); // hh:mm:ss

    // record off with no record: no message
    w.deal_record_off();
    QCOMPARE(answerer.boxes().size(), 1);

    // a file that cannot be made is said so, and the record stays off
    files.answer(dir.filePath("no/such/folder/rec.csv"));
    answerer.press(QMessageBox::Ok);
    QTest::mouseClick(w.record_radio->button_a, Qt::LeftButton);
    QVERIFY(answerer.wait_answered());
    QVERIFY(answerer.boxes().value(1).text.contains("cannot be opened"));
    QVERIFY(!w.record_file->isOpen());
    QCOMPARE(w.record_radio->checked_index(), 1);
    QVERIFY(answerer.unexpected().isEmpty());
}

void tst_legacy_window::settings_file_save_and_load()
{
    QTemporaryDir dir;
    MainWindow w;
    legacy_recorder r(w);
    file_dialog_stub files;
    modal_answerer answerer;

    // not connected: nothing asked
    QTest::mouseClick(w.ui->save_button, Qt::LeftButton);
    QTest::mouseClick(w.ui->recall_button, Qt::LeftButton);
    QCOMPARE(files.calls().size(), 0);

    w.connected = true;
    const QString path = dir.filePath("settings.wlx");
    files.answer(path);
    // the wait box, closed when the text is written (perhaps before it is seen)
    answerer.act([](QWidget*) {});
    QTest::mouseClick(w.ui->save_button, Qt::LeftButton);
    QVERIFY(w.file_wait_box);
    QCOMPARE(w.file_wait_box->text(), QString("Please waiting for the file saving"));
    QVERIFY(!w.file_wait_box->isVisible());
    answerer.clear();
    QCOMPARE(files.calls().value(0).filter, QString("wlx(*.wlx)"));
    const QString text = read_file(path);
    QCOMPARE(text, w.get_data_thread->settings_text());
    QCOMPARE(text.split(QLatin1Char(',')).size(), uiPara::settings_field_count);
    QVERIFY(!w.settings_file->isOpen());
    // the command thread, stopped for the save, reads the load back again
    QVERIFY(r.rec->isRunning());
    QCOMPARE(r.rec->wait_posts(1).value(0).button_model, 31);

    // a settings file that cannot be read is said so
    files.answer(dir.filePath("missing.wlx"));
    answerer.press(QMessageBox::Ok);
    QTest::mouseClick(w.ui->recall_button, Qt::LeftButton);
    QVERIFY(answerer.wait_answered());
    QCOMPARE(answerer.boxes().value(0).text, QString("The file cannot be opened."));
    // a file that cannot be written is said so, and nothing is left open
    // (the wait box may close before it is seen: each answer takes either)
    files.answer(dir.filePath("no/such/folder/settings.wlx"));
    bool warned = false;
    const auto either = [&warned](QWidget* box) {
        QMessageBox* m = qobject_cast<QMessageBox*>(box);
        if (m && m->text() == "The file cannot be written.") {
            warned = true;
            m->button(QMessageBox::Ok)->click();
        }
    };
    answerer.act(either).act(either);
    QTest::mouseClick(w.ui->save_button, Qt::LeftButton);
    QVERIFY(warned);
    QVERIFY(!w.settings_file->isOpen());
    QVERIFY(answerer.unexpected().isEmpty());
}

void tst_legacy_window::connect_success_posts_read_back_and_polls()
{
    MainWindow w;
    legacy_recorder r(w);
    w.sample_counter = 7;
    w.pause_button->setText("Start");
    w.paused = true;
    w.deal_connect_success();
    QVERIFY(w.connected);
    QCOMPARE(w.auto_range_radio->checked_index(), 0);
    QCOMPARE(w.sample_counter, 0);
    QVERIFY(!w.paused);
    QVERIFY(w.status_timer->isActive());
    QCOMPARE(w.status_timer->interval(), 500);
    const QList<cfg_request_t> posts = r.rec->wait_posts(1);
    QCOMPARE(posts.value(0).button_model, 31);
    QVERIFY(posts.value(0).repeat);
    QCOMPARE(posts.value(0).private_data, 1);
    QCOMPARE(posts.value(0).query.value(0), QString("FUNC:MODE?"));

    w.start_threads();
    QTRY_VERIFY(r.rec->polled());
}

void tst_legacy_window::connect_failures_are_told()
{
    MainWindow w;
    legacy_recorder r(w);
    w.connected = true;
    modal_answerer answerer;
    answerer.press(QMessageBox::Ok).press(QMessageBox::Ok);
    w.deal_connect_no_exist(); // only told
    QVERIFY(w.connected);
    QVERIFY(r.rec->isRunning());
    w.deal_connect_fail(); // told, and the session ends
    QVERIFY(answerer.wait_answered());
    QCOMPARE(answerer.boxes().size(), 2);
    for (const modal_answerer::box_record& b : answerer.boxes()) {
        QCOMPARE(b.title, QString("Warning"));
        QCOMPARE(b.text, QString("It's not the correct resource"));
        QCOMPARE(b.buttons, QStringList({"OK"}));
    }
    QVERIFY(!w.connected);
    QVERIFY(!r.rec->isRunning());
}

void tst_legacy_window::secondary_windows_closing()
{
    MainWindow w;
    QWidget connect_window, usb_window, other;
    for (QWidget* x : {&connect_window, &usb_window, &other}) {
        x->installEventFilter(&w);
        x->show();
    }
    w.connect_dialog_window = &connect_window;
    w.connect_dialog_open = true;
    w.usb_dialog_window = &usb_window;
    w.usb_resources = {"USB0::1::INSTR"};
    w.usb_names = {"WLX"};
    QVERIFY(connect_window.close());
    QVERIFY(!w.connect_dialog_open);
    QVERIFY(!connect_window.isVisible());
    QVERIFY(usb_window.close());
    QVERIFY(w.usb_resources.isEmpty());
    QVERIFY(w.usb_names.isEmpty());
    QVERIFY(other.close());
    QVERIFY(!w.isVisible()); // the window's own close question was not asked
}

// Windows made for a while go when closed, and the frozen program view with
// the window.
void tst_legacy_window::frees_what_it_made()
{
    QPointer<QWidget> frozen;
    {
        MainWindow w;
        frozen = w.program_freeze;
        w.device_list = {QStringLiteral("USB0::0x5AB5::0x0E11::WX3A000001::INSTR")};
        for (int opening = 0; opening < 2; ++opening) {
            w.deal_usb_button();
            QPointer<QWidget> usb = w.usb_dialog_window;
            QVERIFY(usb && usb->isVisible());
            QVERIFY(usb->close());
            QTRY_VERIFY(usb.isNull());
        }
        QVERIFY(frozen);
    }
    QVERIFY(frozen.isNull());
}

void tst_legacy_window::disconnect_asks_then_ends_the_command_thread()
{
    MainWindow w;
    legacy_recorder r(w);
    w.connected = true;
    w.status_timer->start(500);
    modal_answerer answerer;

    answerer.press(QMessageBox::No);
    QTest::mouseClick(w.status_picture, Qt::LeftButton);
    QVERIFY(answerer.wait_answered());
    QCOMPARE(answerer.boxes().value(0).title, QString("disconnect_dialog"));
    QCOMPARE(answerer.boxes().value(0).text, QString("Do you want to disconnect the device?"));
    QVERIFY(w.connected);
    QVERIFY(r.rec->isRunning());

    answerer.press(QMessageBox::Yes);
    QTest::mouseClick(w.status_picture, Qt::LeftButton);
    QVERIFY(answerer.wait_answered());
    QVERIFY(!w.connected);
    QVERIFY(!r.rec->isRunning()); // ended before the session closed
    QVERIFY(!w.status_timer->isActive());
    QVERIFY(answerer.unexpected().isEmpty());
}

void tst_legacy_window::close_asks_then_stops_every_thread()
{
    MainWindow w;
    legacy_recorder r(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    modal_answerer answerer;

    answerer.press(QMessageBox::No);
    QVERIFY(!w.close());
    QVERIFY(answerer.wait_answered());
    QCOMPARE(answerer.boxes().value(0).title, QString("Exit dialog"));
    QCOMPARE(answerer.boxes().value(0).text, QString("Do you make sure to exit?"));
    QVERIFY(w.isVisible());
    QVERIFY(r.rec->isRunning());

    answerer.press(QMessageBox::Yes);
    QVERIFY(w.close());
    QVERIFY(answerer.wait_answered());
    QVERIFY(!w.isVisible());
    QVERIFY(!r.rec->isRunning()); // the command thread too
    QVERIFY(!w.configure_thread->isRunning());
    QVERIFY(answerer.unexpected().isEmpty());
}

void tst_legacy_window::dynamic_diagram_follows_the_settings()
{
    MainWindow w;
    QLabel** l = w.dynamic_labels;
    newframe* d = w.dynamic_diagram;

    // continuous current, A above B, the low range
    w.dynamic_function = 0;
    w.level_a = 4;
    w.level_b = 1.5;
    w.width_a = 1.0;
    w.width_b = 0.5;
    w.slew_1 = 0.5;
    w.slew_2 = 0.2;
    w.dynamic_mode_text = "CONTINUOUS\n";
    w.dynamic_range_radio->set_checked(0);
    w.set_position();
    QVERIFY(d->level_a_on_top);
    QCOMPARE(d->wave_kind, 1);
    QCOMPARE(l[3]->text(), QString("A_level\n4.000A"));
    QCOMPARE(l[2]->text(), QString("B_level\n1.500A"));
    QCOMPARE(l[4]->text(), QString("A_width\n1.000s"));
    QCOMPARE(l[5]->text(), QString("B_width\n500.000ms"));
    QCOMPARE(l[1]->pos(), QPoint(110, 100));
    QCOMPARE(l[0]->pos(), QPoint(40, 70));
    QCOMPARE(l[0]->text(), QString("0.200A/us"));
    QCOMPARE(d->slew_factor_1, 0.0); // 5 - 10 x 0.5
    QCOMPARE(d->slew_factor_2, 3.0);
    QVERIFY(!l[6]->isVisibleTo(d) && !w.trigger_marks[0]->isVisibleTo(d));

    // toggle voltage, equal levels (B on top), the high range
    w.dynamic_function = 1;
    w.level_b = 4;
    w.dynamic_mode_text = "TOGGLE\n";
    w.dynamic_range_radio->set_checked(1);
    w.set_position();
    QVERIFY(!d->level_a_on_top);
    QCOMPARE(d->wave_kind, 2);
    QVERIFY(!d->show_slew);
    QVERIFY(!l[0]->isVisibleTo(d) && !l[1]->isVisibleTo(d));
    QVERIFY(!l[4]->isVisibleTo(d) && !l[6]->isVisibleTo(d));
    QVERIFY(w.trigger_marks[0]->isVisibleTo(d) && w.trigger_marks[1]->isVisibleTo(d));
    QCOMPARE(l[6]->pos(), QPoint(170, 180));
    QCOMPARE(l[3]->text(), QString("B_level\n4.000V"));
    QCOMPARE(d->slew_factor_1, 4.0); // 5 - 2 x 0.5

    // an unknown form keeps the drawing's kind and the labels' places
    w.dynamic_function = 0;
    w.dynamic_mode_text = "SOMETHING\n";
    w.slew_1 = 1.0;
    w.set_position();
    QCOMPARE(d->wave_kind, 2);
    QCOMPARE(l[1]->text(), QString("1.000A/us"));
    QCOMPARE(d->slew_factor_1, 3.0);
    QVERIFY(w.trigger_marks[1]->isVisibleTo(d));
}

void tst_legacy_window::program_result_form()
{
    MainWindow w;
    w.program_steps_spin->set_value(3);
    w.program_results = {{"1", "Pass", "ok"}, {"2", "Fail", "low"}, {"3", "", ""}, {"4", "Pass", "extra"}};
    w.deal_prog_result_button();
    QVERIFY(w.program_form->isVisible());
    QVERIFY(w.program_form_open);
    QTableWidget* t = w.program_table;
    QCOMPARE(t->rowCount(), 6);
    QCOMPARE(t->item(0, 2)->text(), QString("Remarks"));
    QCOMPARE(t->item(1, 1)->foreground().color(), QColor(Qt::green));
    QCOMPARE(t->item(2, 2)->foreground().color(), QColor(Qt::red));
    QCOMPARE(t->item(3, 0)->text(), QString("3"));
    QCOMPARE(t->item(3, 1)->data(Qt::ForegroundRole), QVariant()); // default colour
    QCOMPARE(t->item(4, 0)->text(), QString()); // only as many results as steps
    QCOMPARE(t->item(1, 0)->flags(), Qt::NoItemFlags);
    // closing the form is noticed by the window
    w.program_form->close();
    QVERIFY(!w.program_form_open);
}

void tst_legacy_window::wait_box_holds_until_the_reply()
{
    MainWindow w;
    modal_answerer answerer;
    answerer.leave_open();
    bool open_during_wait = false;
    QTimer::singleShot(100, &w, [&] {
        open_during_wait = w.readback_box && w.readback_box->isVisible();
        w.close_wait_box(); // as the read-back's reply handler does
    });
    w.show_wait_box("Ocp Dialog", "Please waiting for the OCP initing");
    QVERIFY(open_during_wait);
    QVERIFY(!w.readback_box);
    QVERIFY(answerer.wait_answered());
    const modal_answerer::box_record box = answerer.boxes().value(0);
    QCOMPARE(box.title, QString("Ocp Dialog"));
    QCOMPARE(box.text, QString("Please waiting for the OCP initing"));
    QVERIFY(box.buttons.isEmpty());
    w.close_wait_box(); // none open: nothing happens
    QVERIFY(w.wait_box); // the constructor's box is another one
}

void tst_legacy_window::pictures_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::newRow("en") << false;
    QTest::newRow("zh") << true;
}

void tst_legacy_window::pictures()
{
    QFETCH(bool, chinese);
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    m_translator.reset(new QTranslator);
    QVERIFY(m_translator->load(chinese ? ":/languages/Wattlex_zh.qm" : ":/languages/Wattlex_en.qm"));
    QCoreApplication::installTranslator(m_translator.get());
    const auto names = init_ui_font_names();
    use_program_font(chinese ? names.second : names.first);

    // the program's dark theme, as the running program sets it
    const program_style_sheet_t theme;
    QVERIFY(theme.ok);

    MainWindow w;
    // the texts of the form go through the catalogue
    if (chinese)
        QVERIFY(w.ui->save_button->text() != QString("Save"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (int i = 0; i < 30; ++i)
        w.take_measurement(1 + 0.01 * i, 12 - 0.02 * i, 8 + 0.1 * (i % 5), 12 + 0.2 * i, 0, 1);
    const QString lang = chinese ? "zh" : "en";
    save_shot(&w, "legacy_window_" + lang);
    QVERIFY2(clipped_texts(&w).isEmpty(), qPrintable(clipped_texts(&w).join("; ")));

    struct page_t
    {
        const char* name;
        int main_tab;
        int sub_tab;     // static or utility tab
        QWidget* frame;  // AUX frame shown alone
    };
    const page_t pages[] = {
        {"cc", 0, 0, nullptr},     {"cv", 0, 1, nullptr},       {"cr", 0, 2, nullptr},         {"cp", 0, 3, nullptr},
        {"led", 0, 4, nullptr},    {"dynamic", 1, -1, nullptr}, {"aux", 2, -1, w.aux_button_frame},
        {"ocp", 2, -1, w.ocp_frame}, {"opp", 2, -1, w.opp_frame}, {"battery", 2, -1, w.battery_page},
        {"list", 2, -1, w.list_page}, {"program", 2, -1, w.program_page}, {"configure", 3, 0, nullptr},
        {"sltm", 3, 1, nullptr},   {"limit", 3, 2, nullptr},
    };
    QWidget* aux_frames[] = {w.aux_button_frame, w.ocp_frame, w.opp_frame, w.battery_page, w.list_page,
                             w.program_page};
    for (const page_t& p : pages) {
        w.ui->model_sel->setCurrentIndex(p.main_tab);
        if (p.main_tab == 0)
            w.ui->static_pattern->setCurrentIndex(p.sub_tab);
        if (p.main_tab == 3)
            w.ui->utility_tabwidget->setCurrentIndex(p.sub_tab);
        for (QWidget* f : aux_frames)
            f->setVisible(f == p.frame);
        QVERIFY(w.ui->model_sel->currentWidget()->isVisible());
        save_shot(w.ui->model_sel, QString("legacy_page_%1_%2").arg(p.name, lang));
        const QStringList clipped = clipped_texts(w.ui->model_sel->currentWidget());
        QVERIFY2(clipped.isEmpty(), qPrintable(QString("%1: %2").arg(p.name, clipped.join("; "))));
        const QStringList cut = outside_parents(w.ui->model_sel->currentWidget());
        QVERIFY2(cut.isEmpty(), qPrintable(QString("%1: %2").arg(p.name, cut.join("; "))));
    }

    // The windows of their own: the USB list (one load found), the address
    // entry and a program run's results.
    w.device_list = {QStringLiteral("USB0::0x5AB5::0x0E11::WX3A000001::INSTR")};
    w.deal_usb_button();
    w.last_ip_sections = {"192", "168", "1", "20"};
    w.deal_vxi11_button();
    w.program_steps_spin->set_value(2);
    w.program_results = {{"1", "Pass", "1.500(CC)"}, {"2", "Fail", "Below MIN: 0.500(CC)"}};
    w.deal_prog_result_button();
    const std::pair<QWidget*, const char*> windows[] = {
        {w.usb_dialog_window, "usb"}, {w.ip_window, "ip_address"}, {w.program_form, "program_results"}};
    for (const auto& [window, name] : windows) {
        QVERIFY2(window && window->isVisible(), name);
        save_shot(window, QString("legacy_%1_%2").arg(name, lang));
        const QStringList cut = outside_parents(window) + clipped_texts(window) + low_contrast_texts(window);
        QVERIFY2(cut.isEmpty(), qPrintable(QString("%1: %2").arg(name, cut.join("; "))));
        window->close();
    }
}

QTEST_MAIN(tst_legacy_window)
#include "tst_legacy_window.moc"
