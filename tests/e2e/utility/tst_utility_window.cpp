// The utility settings as a user reaches them: Utility > Setting in the
// connected window, controls changed by mouse and keyboard, OK. The load gets
// exactly the changed rows in their fixed order, holds them, and the status
// line shows its read-back; the measurement poll goes on afterwards.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"
#include "ui_utilitysetting.h"

#include "cfg_thread_t.h"
#include "connected_window.h"
#include "uiPara.h"
#include "user_input.h"
#include "utilitySetting.h"

#include <QLabel>
#include <QPointer>
#include <QtTest>

namespace {

// The read-back the window asks for after OK, in order.
const QStringList read_back = {
    "SYST:SENS?", "STOP:ON:FAIL?", "VOLT:LATCh?", "SENS:AVER:COUN?", "VOLT:ON?", "TRIG:SOUR?",
    "EXT:INP?", "SYST:IMONI:STAT?", "SYST:VMONI:STAT?", "TIME:TEST?", "TIME:TEST:VOLT:LOW?",
    "TIME:TEST:VOLT:HIGH?", "CURR:PROT:STAT?", "CURR:PROT:LEV?", "CURR:PROT:DEL?", "POW:PROT:STAT?",
    "POW:PROT:LEV?", "POW:PROT:DEL?"};

// One line, so that a failed comparison shows the messages.
QString joined(const QStringList& messages)
{
    return messages.join(QStringLiteral(" | "));
}

// Steps a closed combo box with the arrow keys.
void step_combo(QComboBox* box, int steps)
{
    box->setFocus();
    for (int i = 0; i < qAbs(steps); ++i)
        QTest::keyClick(box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
}

} // namespace

class tst_utility_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void changed_rows_reach_the_load_and_the_status_line();
    void reopened_dialog_shows_the_load_values();
    void an_alarm_goes_with_its_cause();
    void ok_without_change_keeps_the_readings_live();
    void cancel_sends_nothing();
    void ok_while_disconnected_only_closes();

private:
    // Utility > Setting from the menu bar; the dialog once it is shown.
    utilitySetting* open_from_menu();
    // Presses OK and waits for the read-back and the next poll replies;
    // returns what the load got from the first utility message on.
    QStringList press_ok(utilitySetting* dialog, const QString& first_message);
    MyMainWindow* w() const { return m_cw->window(); }

    std::unique_ptr<connected_window> m_cw;
};

void tst_utility_window::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
    m_cw.reset(new connected_window);
    QVERIFY2(m_cw->start(), qPrintable(m_cw->error()));
    // Connecting selects the bus trigger.
    QCOMPARE(uiPara::instance()->get_utility_trig(), 2);
    QCOMPARE(w()->sbar_trig->text(), QString("Trig:Bus"));
    QCOMPARE(w()->sbar_aver->text(), QString("Average:2^6"));
}

void tst_utility_window::cleanupTestCase()
{
    m_cw.reset();
}

utilitySetting* tst_utility_window::open_from_menu()
{
    if (!choose_from_menu(w()->menuBar(), w()->ui->menuUtility, w()->ui->actionSetting))
        return nullptr;
    utilitySetting* dialog = nullptr;
    if (!QTest::qWaitFor([&] { return (dialog = w()->findChild<utilitySetting*>()) && dialog->isVisible(); }, 3000))
        return nullptr;
    show_active(dialog, 1000);
    return dialog;
}

QStringList tst_utility_window::press_ok(utilitySetting* dialog, const QString& first_message)
{
    QPointer<utilitySetting> guard(dialog);
    const int ops_before = m_cw->reply_ops().size();
    QTest::mouseClick(dialog->form()->pushButton_OK, Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return !guard; }, 3000))
        return {"<dialog still open>"};
    // 161, then its read-back 9, then the poll again.
    const bool answered = QTest::qWaitFor(
        [&] {
            const QList<int> ops = m_cw->reply_ops().mid(ops_before);
            const int read = ops.indexOf(9, qMax(0, ops.indexOf(161)));
            return ops.indexOf(161) >= 0 && read > 0 && ops.indexOf(183, read) > read;
        },
        10000);
    if (!answered)
        return {"<no read-back>"};
    const QStringList got = m_cw->sim().received();
    const int from = got.indexOf(first_message);
    return from < 0 ? got : QStringList(got.mid(from));
}

void tst_utility_window::changed_rows_reach_the_load_and_the_status_line()
{
    utilitySetting* dialog = open_from_menu();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    Ui_utilitySetting* f = dialog->form();
    QVERIFY(!f->checkBox_short_en->isVisible());
    QCOMPARE(f->comboBox_Trig->currentIndex(), 2);

    // In no particular order, as a user goes about it.
    click_group_check(f->groupBox_I_Protect);
    click_and_type(f->doubleSpinBox_C, "12.5");
    step_combo(f->comboBox_Trig, -1);          // Bus -> Ext
    click_check(f->checkBox_VOL);
    click_and_type(f->doubleSpinBox_C_Delay, "0.5");
    click_group_check(f->groupBox_TMon);
    click_and_type(f->doubleSpinBox_V_Low, "1.5");
    step_combo(f->comboBox_Aver, 4);           // 2^6 -> 2^10
    click_check(f->checkBox_I_M_ON);
    click_check(f->checkBox_Vrmt);
    click_and_type(f->doubleSpinBox_Von, "2.5");

    m_cw->sim().clear_log();
    const QStringList got = press_ok(dialog, "SYST:SENS ON");
    const QStringList sent = {"SYST:SENS ON", "VOLT:LATCh 1", "TRIG:SOUR EXT", "SENS:AVER:COUN 10", "VOLT:ON 2.5",
                              "SYST:IMONI:STAT 1", "TIME:TEST 1", "TIME:TEST?", "TIME:TEST:VOLT:LOW 1.5",
                              "CURR:PROT:STAT ON", "CURR:PROT:LEV 12.5", "CURR:PROT:DEL 0.5"};
    QCOMPARE(joined(got.mid(0, sent.size())), joined(sent));
    QCOMPARE(joined(got.mid(sent.size(), read_back.size())), joined(read_back));
    // Then the poll, nothing else.
    QVERIFY(got.size() > sent.size() + read_back.size());
    QVERIFY2(got.mid(sent.size() + read_back.size()).contains("MEAS:VOLT?"), qPrintable(got.join(" | ")));

    // The load holds them (asked on a link of its own).
    QCOMPARE(m_cw->side_query("TRIG:SOUR?"), QString("EXTERNAL\n"));
    QCOMPARE(m_cw->side_query("CURR:PROT:LEV?").toDouble(), 12.5);
    QCOMPARE(m_cw->side_query("CURR:PROT:DEL?").toDouble(), 0.5);
    QCOMPARE(m_cw->side_query("SENS:AVER:COUN?"), QString("10\n"));

    // The status line shows the read-back.
    QCOMPARE(w()->sbar_trig->text(), QString("Trig:External"));
    QCOMPARE(w()->sbar_aver->text(), QString("Average:2^10"));
    QVERIFY(w()->sbar_sense->isEnabled());
    QVERIFY(!w()->sbar_sof->isEnabled());
    QVERIFY(w()->sbar_vol->isEnabled());
    QVERIFY(!w()->sbar_ext_sw->isEnabled());
    QVERIFY(w()->sbar_imon->isEnabled());
    QVERIFY(!w()->sbar_vmon->isEnabled());
    QVERIFY(w()->sbar_tmon->isEnabled());
    QVERIFY(w()->sbar_iprotect->isEnabled());
    QVERIFY(!w()->sbar_pprotect->isEnabled());
    // The time test on the CC page adds its two readings.
    QCOMPARE(w()->mode_page, 0);
    QVERIFY(w()->time_test_flag);
    QVERIFY(w()->ui->label_Ext->isVisible());
    QVERIFY(w()->ui->label_Ext_Set->isVisible());

    uiPara* p = uiPara::instance();
    QCOMPARE(p->get_utility_von(), 2.5);
    QCOMPARE(p->get_utility_v_low(), 1.5);
    QCOMPARE(p->get_utility_current(), 12.5);
    QCOMPARE(p->get_utility_i_delay(), 0.5);
    QVERIFY(m_cw->wait_for_polls(2));
}

void tst_utility_window::reopened_dialog_shows_the_load_values()
{
    utilitySetting* dialog = open_from_menu();
    QVERIFY(dialog);
    Ui_utilitySetting* f = dialog->form();
    QVERIFY(f->checkBox_Vrmt->isChecked());
    QVERIFY(!f->checkBox_SOF->isChecked());
    QVERIFY(f->checkBox_VOL->isChecked());
    QCOMPARE(f->comboBox_Trig->currentIndex(), 1);
    QCOMPARE(f->comboBox_Aver->currentText(), QString("2^10"));
    QCOMPARE(f->doubleSpinBox_Von->value(), 2.5);
    QVERIFY(f->groupBox_TMon->isChecked());
    QCOMPARE(f->doubleSpinBox_V_Low->value(), 1.5);
    QVERIFY(f->groupBox_I_Protect->isChecked());
    QCOMPARE(f->doubleSpinBox_C->value(), 12.5);
    QVERIFY(!f->groupBox_P_Protect->isChecked());
    QVERIFY(!f->doubleSpinBox_P->isEnabled());

    // Back to the manual trigger and the shortest averaging, time test off.
    step_combo(f->comboBox_Trig, -1);
    step_combo(f->comboBox_Aver, -4);
    click_group_check(f->groupBox_TMon);
    m_cw->sim().clear_log();
    const QStringList got = press_ok(dialog, "TRIG:SOUR MANUAL");
    const QStringList sent = {"TRIG:SOUR MANUAL", "SENS:AVER:COUN 6", "TIME:TEST 0", "TIME:TEST?"};
    QCOMPARE(joined(got.mid(0, sent.size() + read_back.size())), joined(sent + read_back));

    QCOMPARE(w()->sbar_trig->text(), QString("Trig:Manual"));
    QCOMPARE(w()->sbar_aver->text(), QString("Average:2^6"));
    QVERIFY(!w()->sbar_tmon->isEnabled());
    QVERIFY(!w()->time_test_flag);
    QVERIFY(!w()->ui->label_Ext->isVisible());
}

// An alarm in the status line goes with its cause: the current protection
// switched off takes its own alarm away, a function change the rest.
void tst_utility_window::an_alarm_goes_with_its_cause()
{
    QVERIFY(m_cw->switch_input(true));
    QVERIFY(m_cw->side_write({"SIM:ALARM 5120"})); // the protect current and over voltage
    QTRY_COMPARE(w()->sbar_alarm->text(), QString("Over the protect current ! Over voltage !"));
    utilitySetting* dialog = open_from_menu();
    QVERIFY(dialog);
    click_group_check(dialog->form()->groupBox_I_Protect);
    QVERIFY(press_ok(dialog, "CURR:PROT:STAT OFF").contains("CURR:PROT:STAT?"));
    QVERIFY(!w()->sbar_iprotect->isEnabled());
    QCOMPARE(w()->sbar_alarm->text(), QString("Over voltage !"));
    QTest::mouseClick(w()->ui->radioButton_CV_Basic, Qt::LeftButton);
    QTRY_COMPARE(w()->sbar_alarm->text(), QString());
}

void tst_utility_window::ok_without_change_keeps_the_readings_live()
{
    // Manual trigger and index 0 stored: opening marks nothing.
    utilitySetting* dialog = open_from_menu();
    QVERIFY(dialog);
    for (int row = 0; row < utilitySetting::row_count; ++row)
        QVERIFY(!dialog->row_changed(row));
    m_cw->sim().clear_log();
    const QStringList got = press_ok(dialog, read_back.first());
    // Nothing is written; the settings are read back all the same.
    QCOMPARE(joined(got.mid(0, read_back.size())), joined(read_back));
    const QStringList all = m_cw->sim().received();
    for (const QString& message : all)
        QVERIFY2(message.endsWith('?'), qPrintable("written: " + message));
    QVERIFY(m_cw->wait_for_polls(3));
    QVERIFY(w()->is_connected);
}

void tst_utility_window::cancel_sends_nothing()
{
    utilitySetting* dialog = open_from_menu();
    QVERIFY(dialog);
    QPointer<utilitySetting> guard(dialog);
    click_check(dialog->form()->checkBox_SOF);
    click_and_type(dialog->form()->doubleSpinBox_Von, "7");
    m_cw->sim().clear_log();
    const int ops_before = m_cw->reply_ops().size();
    QTest::mouseClick(dialog->form()->pushButton_Cancel, Qt::LeftButton);
    QTRY_VERIFY(!guard);
    QVERIFY(m_cw->wait_for_polls(3));
    QVERIFY(!m_cw->reply_ops().mid(ops_before).contains(161));
    for (const QString& message : m_cw->sim().received())
        QVERIFY2(message.endsWith('?'), qPrintable("written: " + message));
    QVERIFY(!uiPara::instance()->get_utility_sof());
}

void tst_utility_window::ok_while_disconnected_only_closes()
{
    QVERIFY2(m_cw->disconnect(), qPrintable(m_cw->error()));
    w()->set_pending_utility_a(false, 0);
    utilitySetting* dialog = open_from_menu();
    QVERIFY(dialog);
    QPointer<utilitySetting> guard(dialog);
    click_group_check(dialog->form()->groupBox_TMon);
    m_cw->sim().clear_log();
    QTest::mouseClick(dialog->form()->pushButton_OK, Qt::LeftButton);
    QTRY_VERIFY(!guard);
    QVERIFY(!w()->pending_utility_a);
    QCOMPARE(w()->cfg_thread->pending_requests(), 0);
    QCOMPARE(m_cw->sim().received(), QStringList());
}

QTEST_MAIN(tst_utility_window)
#include "tst_utility_window.moc"
