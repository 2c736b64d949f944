// The utility settings window: loading from the store, the rows a user's
// changes select, the request OK posts, and the read-back parse.
#include "MyDoubleSpinBox.h"
#include "cfg_thread_t.h"
#include "recording_thread.h"
#include "uiPara.h"
#include "user_input.h"
#include "utilitySetting.h"
#include "ui_utilitysetting.h"

#include <QPointer>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

namespace {

// The 18 read-back replies of the load's defaults.
QList<QString> default_replies()
{
    return {"0\n", "0\n", "0\n", "6\n", "0\n", "MANUAL\n", "0\n", "0\n", "0\n",
            "0\n", "0\n", "10\n", "0\n", "30\n", "3\n", "0\n", "300\n", "3\n"};
}

// The command thread's answers as the window gets them, queued to this
// thread: a QSignalSpy would fill its list on the command thread while the
// test reads it.
class answers_t : public QObject
{
public:
    explicit answers_t(cfg_thread_t* thread)
    {
        connect(thread, &cfg_thread_t::send_result, this,
                [this](int code, QList<QString> replies, QList<QWidget*>, int) {
                    codes << code;
                    this->replies << replies;
                });
    }
    QList<int> codes;
    QList<QList<QString>> replies;
};

// Every control's state, to see what a step left alone.
QStringList controls(const QWidget* w)
{
    QStringList states;
    for (const QCheckBox* c : w->findChildren<QCheckBox*>())
        states << c->objectName() + "=" + QString::number(c->checkState());
    for (const QGroupBox* g : w->findChildren<QGroupBox*>())
        states << g->objectName() + "=" + QString::number(g->isChecked());
    for (const QComboBox* c : w->findChildren<QComboBox*>())
        states << c->objectName() + "=" + QString::number(c->currentIndex());
    for (const QDoubleSpinBox* b : w->findChildren<QDoubleSpinBox*>())
        states << b->objectName() + "=" + b->text();
    return states;
}

} // namespace

class tst_dialog_utility : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void form_and_ranges();
    void loads_the_store();
    void stored_trigger_and_averaging_are_sent_again();
    void one_value_changed();
    void time_test_with_switches();
    void every_row_changed();
    void typed_value_is_taken_by_ok();
    void refused_entry_keeps_the_window_open_data();
    void refused_entry_keeps_the_window_open();
    void ok_with_nothing_changed_posts_an_empty_request();
    void ok_while_disconnected_only_closes();
    void read_back_parse();
    void short_or_odd_read_back();

private:
    utilitySetting* open(recording_thread* thread = nullptr, bool connected = true);

    QScopedPointer<QWidget> m_host;
};

void tst_dialog_utility::init()
{
    QVERIFY(utilitySetting::store_utility_replies(default_replies()));
    m_host.reset(new QWidget);
    m_host->resize(700, 500);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.data()));
}

utilitySetting* tst_dialog_utility::open(recording_thread* thread, bool connected)
{
    auto* w = new utilitySetting(m_host.data());
    w->set_command_thread(thread);
    w->set_connected_probe([connected] { return connected; });
    w->init_utility_value();
    show_active(w);
    return w;
}

void tst_dialog_utility::form_and_ranges()
{
    utilitySetting w(m_host.data());
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(w.windowTitle(), QString("Utility"));
    QCOMPARE(w.size(), QSize(593, 378));
    QCOMPARE(w.windowModality(), Qt::WindowModal);
    Ui_utilitySetting* f = w.form();
    QCOMPARE(f->comboBox_Trig->count(), 3);
    QCOMPARE(f->comboBox_Aver->count(), 9);
    QCOMPARE(f->comboBox_Aver->itemText(4), QString("2^10"));
    // The load's own limits.
    const QList<QPair<QDoubleSpinBox*, double>> limits = {
        {f->doubleSpinBox_Von, 150},    {f->doubleSpinBox_V_Low, 150}, {f->doubleSpinBox_V_High, 150},
        {f->doubleSpinBox_C, 30},       {f->doubleSpinBox_C_Delay, 99.99},
        {f->doubleSpinBox_P, 300},      {f->doubleSpinBox_P_Delay, 99.99}};
    for (const auto& l : limits) {
        QCOMPARE(l.first->minimum(), 0.0);
        QCOMPARE(l.first->maximum(), l.second);
        QCOMPARE(l.first->decimals(), 3);
    }
    for (QGroupBox* g : {f->groupBox_TMon, f->groupBox_I_Protect, f->groupBox_P_Protect})
        QVERIFY(g->isCheckable() && !g->isChecked());
    // Nothing is flagged by building the form.
    for (int row = 0; row < utilitySetting::row_count; ++row)
        QVERIFY(!w.row_changed(row));
}

void tst_dialog_utility::loads_the_store()
{
    uiPara* p = uiPara::instance();
    p->set_utility_vrmt(true);
    p->set_utility_vol(true);
    p->set_utility_von(1.25);
    p->set_utility_ext_sw(true);
    p->set_utility_vmon(true);
    p->set_utility_tmon(true);
    p->set_utility_v_low(2.5);
    p->set_utility_v_high(12);
    p->set_utility_p_protect(true);
    p->set_utility_current(7.5);
    p->set_utility_i_delay(1.5);
    p->set_utility_power(120);
    p->set_utility_p_delay(0.25);
    utilitySetting* w = open();
    Ui_utilitySetting* f = w->form();
    QVERIFY(f->checkBox_Vrmt->isChecked() && !f->checkBox_SOF->isChecked() && f->checkBox_VOL->isChecked());
    QVERIFY(f->checkBox_ExtSwitch->isChecked() && !f->checkBox_I_M_ON->isChecked() && f->checkBox_V_M_ON->isChecked());
    QVERIFY(f->groupBox_TMon->isChecked() && !f->groupBox_I_Protect->isChecked() && f->groupBox_P_Protect->isChecked());
    QCOMPARE(f->doubleSpinBox_Von->value(), 1.25);
    QCOMPARE(f->doubleSpinBox_V_Low->value(), 2.5);
    QCOMPARE(f->doubleSpinBox_V_High->value(), 12.0);
    QCOMPARE(f->doubleSpinBox_C->value(), 7.5);
    QCOMPARE(f->doubleSpinBox_C_Delay->value(), 1.5);
    QCOMPARE(f->doubleSpinBox_P->value(), 120.0);
    QCOMPARE(f->doubleSpinBox_P_Delay->value(), 0.25);
    QVERIFY(!f->checkBox_short_en->isVisible());
    // An unchecked group disables its boxes.
    QVERIFY(!f->doubleSpinBox_C->isEnabled() && f->doubleSpinBox_P->isEnabled());
    for (int row = 0; row < utilitySetting::row_count; ++row)
        QVERIFY(!w->row_changed(row));
    QVERIFY(w->build_request().writes.isEmpty());
    delete w;
}

void tst_dialog_utility::stored_trigger_and_averaging_are_sent_again()
{
    uiPara::instance()->set_utility_trig(2);
    uiPara::instance()->set_utility_aver(4);
    utilitySetting* w = open();
    QCOMPARE(w->form()->comboBox_Trig->currentIndex(), 2);
    QCOMPARE(w->form()->comboBox_Aver->currentIndex(), 4);
    const utilitySetting::request_t req = w->build_request();
    QCOMPARE(req.writes, (QList<QString>{"TRIG:SOUR BUS", "SENS:AVER:COUN 10"}));
    QCOMPARE(req.queries, (QList<QString>{"", ""}));
    QCOMPARE(req.widgets, (QList<QWidget*>{w->form()->comboBox_Trig, w->form()->comboBox_Aver}));
    delete w;
}

void tst_dialog_utility::one_value_changed()
{
    uiPara::instance()->set_utility_tmon(true);
    utilitySetting* w = open();
    click_and_type(w->form()->doubleSpinBox_V_High, "12.5");
    const utilitySetting::request_t req = w->build_request();
    QCOMPARE(req.writes, (QList<QString>{"TIME:TEST:VOLT:HIGH 12.5"}));
    QCOMPARE(req.queries, (QList<QString>{""}));
    QCOMPARE(req.widgets, (QList<QWidget*>{w->form()->doubleSpinBox_V_High}));
    QVERIFY(!req.time_test_sent);
    QCOMPARE(req.time_test_position, 0);

    // Typing the value it already had is no change.
    utilitySetting* w2 = open();
    click_and_type(w2->form()->doubleSpinBox_V_Low, "0");
    QVERIFY(w2->build_request().writes.isEmpty());
    delete w2;
    delete w;
}

void tst_dialog_utility::time_test_with_switches()
{
    utilitySetting* w = open();
    click_check(w->form()->checkBox_Vrmt);
    click_check(w->form()->checkBox_SOF);
    click_group_check(w->form()->groupBox_TMon);
    QVERIFY(w->form()->groupBox_TMon->isChecked());
    const utilitySetting::request_t req = w->build_request();
    QCOMPARE(req.writes, (QList<QString>{"SYST:SENS ON", "STOP:ON:FAIL ON", "TIME:TEST 1"}));
    QCOMPARE(req.queries, (QList<QString>{"", "", "TIME:TEST?"}));
    QVERIFY(req.time_test_sent);
    QCOMPARE(req.time_test_position, 2);

    // A second click turns it off again: the state at OK counts.
    click_check(w->form()->checkBox_SOF);
    QCOMPARE(w->build_request().writes[1], QString("STOP:ON:FAIL OFF"));
    delete w;
}

void tst_dialog_utility::every_row_changed()
{
    utilitySetting* w = open();
    Ui_utilitySetting* f = w->form();
    for (QCheckBox* c : {f->checkBox_Vrmt, f->checkBox_SOF, f->checkBox_VOL, f->checkBox_ExtSwitch,
                         f->checkBox_I_M_ON, f->checkBox_V_M_ON})
        click_check(c);
    for (QGroupBox* g : {f->groupBox_TMon, f->groupBox_I_Protect, f->groupBox_P_Protect})
        click_group_check(g);
    f->comboBox_Trig->setFocus();
    QTest::keyClick(f->comboBox_Trig, Qt::Key_Down);
    f->comboBox_Aver->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(f->comboBox_Aver, Qt::Key_Down);
    click_and_type(f->doubleSpinBox_Von, "1.5");
    click_and_type(f->doubleSpinBox_V_Low, "2.25");
    click_and_type(f->doubleSpinBox_V_High, "99.5");
    click_and_type(f->doubleSpinBox_C, "29.123");
    click_and_type(f->doubleSpinBox_C_Delay, "0.5");
    click_and_type(f->doubleSpinBox_P, "150");
    click_and_type(f->doubleSpinBox_P_Delay, "1");

    const utilitySetting::request_t req = w->build_request();
    const QList<QString> expected = {
        "SYST:SENS ON", "STOP:ON:FAIL ON", "VOLT:LATCh 1", "TRIG:SOUR EXT", "SENS:AVER:COUN 10",
        "VOLT:ON 1.5", "EXT:INP 1", "SYST:IMONI:STAT 1", "SYST:VMONI:STAT 1", "TIME:TEST 1",
        "TIME:TEST:VOLT:LOW 2.25", "TIME:TEST:VOLT:HIGH 99.5", "CURR:PROT:STAT ON", "CURR:PROT:LEV 29.123",
        "CURR:PROT:DEL 0.5", "POW:PROT:STAT ON", "POW:PROT:LEV 150", "POW:PROT:DEL 1"};
    QCOMPARE(req.writes, expected);
    QCOMPARE(req.queries.size(), 18);
    QCOMPARE(req.widgets.size(), 18);
    QCOMPARE(req.queries.indexOf("TIME:TEST?"), 9);
    QCOMPARE(req.queries.count(""), 17);
    QCOMPARE(req.widgets[3], static_cast<QWidget*>(f->comboBox_Trig));
    QCOMPARE(req.widgets[17], static_cast<QWidget*>(f->doubleSpinBox_P_Delay));
    QCOMPARE(req.time_test_position, 9);
    delete w;
}

void tst_dialog_utility::typed_value_is_taken_by_ok()
{
    recording_thread thread;
    thread.start();
    QPointer<utilitySetting> w = open(&thread);
    QSignalSpy pending(w.data(), &utilitySetting::sig_pending_utility_a);
    answers_t answered(&thread);
    click_group_check(w->form()->groupBox_I_Protect);
    click_and_type(w->form()->doubleSpinBox_C, "5", false);
    QVERIFY(w->form()->doubleSpinBox_C->hasFocus());
    QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
    QTRY_VERIFY(!w);
    QTRY_COMPARE(answered.codes.size(), 1);
    const QList<cfg_request_t> served = thread.served();
    QCOMPARE(served.size(), 1);
    QCOMPARE(served[0].button_model, 161);
    QCOMPARE(served[0].write, (QList<QString>{"CURR:PROT:STAT ON", "CURR:PROT:LEV 5"}));
    QCOMPARE(served[0].query, (QList<QString>{"", ""}));
    QVERIFY(!served[0].repeat && !served[0].binary && served[0].private_data == 0);
    QCOMPARE(pending.size(), 1);
    QCOMPARE(pending[0][0].toBool(), false);
    QCOMPARE(pending[0][1].toInt(), 0);
}

void tst_dialog_utility::refused_entry_keeps_the_window_open_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter"); // the edit ended before OK, its tip gone since
    QTest::addColumn<QString>("reason"); // empty: taken
    QTest::addColumn<QString>("corrected");
    QTest::addColumn<QString>("sent");
    const QString range = "Out of range: 0 to %1";
    QTest::newRow("Von, thousands") << "doubleSpinBox_Von" << "1,000" << false
        << "A comma before three digits is read as a thousands separator: type the number without it, or with a point"
        << "1.5" << "VOLT:ON 1.5";
    QTest::newRow("V Low, letters") << "doubleSpinBox_V_Low" << "abc" << true << "Not a number" << "2,25"
                                    << "TIME:TEST:VOLT:LOW 2.25";
    QTest::newRow("V High, above") << "doubleSpinBox_V_High" << "150.001" << false << range.arg(150) << "150"
                                   << "TIME:TEST:VOLT:HIGH 150";
    QTest::newRow("Current, above") << "doubleSpinBox_C" << "30.001" << true << range.arg(30) << "30"
                                    << "CURR:PROT:LEV 30";
    QTest::newRow("Current, below") << "doubleSpinBox_C" << "-0.001" << false << range.arg(30) << "0"
                                    << "CURR:PROT:LEV 0";
    QTest::newRow("Current, top") << "doubleSpinBox_C" << "30" << false << "" << "" << "CURR:PROT:LEV 30";
    QTest::newRow("Current, bottom") << "doubleSpinBox_C" << "0" << false << "" << "" << "CURR:PROT:LEV 0";
    QTest::newRow("I delay, above") << "doubleSpinBox_C_Delay" << "99.991" << false << range.arg(99.99) << "99.99"
                                    << "CURR:PROT:DEL 99.99";
    QTest::newRow("Power, above") << "doubleSpinBox_P" << "300.001" << false << range.arg(300) << "300"
                                  << "POW:PROT:LEV 300";
    QTest::newRow("Power, decimals") << "doubleSpinBox_P" << "1.2345" << true << "At most 3 decimals" << "1.234"
                                     << "POW:PROT:LEV 1.234";
    QTest::newRow("P delay, below") << "doubleSpinBox_P_Delay" << "-1" << false << range.arg(99.99) << "0"
                                    << "POW:PROT:DEL 0";
    QTest::newRow("P delay, top") << "doubleSpinBox_P_Delay" << "99.99" << false << "" << "" << "POW:PROT:DEL 99.99";
}

// OK with an entry a box refused sends nothing, not even the rows changed
// before, and shows the reason at the box. That OK alone is held back: the
// next one, touching nothing, sends the rows changed, the refused box's old
// value not among them. Corrected, OK goes as usual.
void tst_dialog_utility::refused_entry_keeps_the_window_open()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(QString, reason);
    QFETCH(QString, corrected);
    QFETCH(QString, sent);
    uiPara* p = uiPara::instance();
    p->set_utility_tmon(true);
    p->set_utility_i_protect(true);
    p->set_utility_p_protect(true);
    p->set_utility_v_low(2.5);
    p->set_utility_current(7.5);
    p->set_utility_power(120);
    p->set_utility_p_delay(0.25);
    recording_thread thread;
    thread.start();
    QPointer<utilitySetting> w;
    QScopedPointer<QSignalSpy> pending;
    MyDoubleSpinBox* spin = nullptr;
    // Opened, Vrmt clicked, the entry typed and OK clicked.
    const auto typed_then_ok = [&] {
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        w = open(&thread);
        pending.reset(new QSignalSpy(w.data(), &utilitySetting::sig_pending_utility_a));
        spin = w->findChild<MyDoubleSpinBox*>(box);
        QVERIFY(spin && spin->isEnabled());
        click_check(w->form()->checkBox_Vrmt);
        const QStringList before = controls(w);
        click_and_type(spin, typed, enter);
        if (enter && !reason.isEmpty()) {
            QTRY_VERIFY(QToolTip::isVisible());
            QToolTip::hideText();
            QTRY_VERIFY(!QToolTip::isVisible());
        }
        QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
        if (reason.isEmpty())
            return;
        QVERIFY(w && w->isVisible());
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QString("\"%1\": %2").arg(typed, reason));
        QCOMPARE(spin->toolTip(), QToolTip::text());
        QVERIFY(thread.take_served().isEmpty());
        QVERIFY(pending->isEmpty());
        QCOMPARE(controls(w), before);
    };
    if (!reason.isEmpty()) {
        typed_then_ok();
        if (QTest::currentTestFailed())
            return;
        QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
        QTRY_VERIFY(!w);
        const QList<cfg_request_t> served = thread.take_served();
        QCOMPARE(served.size(), 1);
        QCOMPARE(served[0].write, QList<QString>{"SYST:SENS ON"});
        QCOMPARE(pending->size(), 1);
    }
    typed_then_ok();
    if (QTest::currentTestFailed())
        return;
    if (!reason.isEmpty()) {
        click_and_type(spin, corrected, false);
        QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
    }
    QTRY_VERIFY(!w);
    const QList<cfg_request_t> served = thread.take_served();
    QCOMPARE(served.size(), 1);
    QCOMPARE(served[0].write, (QList<QString>{"SYST:SENS ON", sent}));
    QCOMPARE(pending->size(), 1);
}

void tst_dialog_utility::ok_with_nothing_changed_posts_an_empty_request()
{
    recording_thread thread;
    thread.start();
    QPointer<utilitySetting> w = open(&thread);
    QSignalSpy pending(w.data(), &utilitySetting::sig_pending_utility_a);
    answers_t answered(&thread);
    QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
    QTRY_VERIFY(!w);
    // The answer to it is what brings the read-back.
    QTRY_COMPARE(answered.codes.size(), 1);
    QCOMPARE(answered.codes[0], 161);
    QVERIFY(answered.replies[0].isEmpty());
    const QList<cfg_request_t> served = thread.served();
    QCOMPARE(served.size(), 1);
    QVERIFY(served[0].write.isEmpty() && served[0].query.isEmpty() && served[0].widgets.isEmpty());
    QCOMPARE(pending.size(), 1);
    QCOMPARE(pending[0][0].toBool(), false);
    QCOMPARE(pending[0][1].toInt(), 0);
}

void tst_dialog_utility::ok_while_disconnected_only_closes()
{
    recording_thread thread;
    thread.start();
    QPointer<utilitySetting> w = open(&thread, false);
    QSignalSpy pending(w.data(), &utilitySetting::sig_pending_utility_a);
    click_check(w->form()->checkBox_VOL);
    QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
    QTRY_VERIFY(!w);
    QTest::qWait(3 * cfg_thread_t::idle_pause_ms);
    QVERIFY(thread.served().isEmpty());
    QVERIFY(pending.isEmpty());

    // Cancel sends nothing either.
    w = open(&thread, true);
    click_check(w->form()->checkBox_VOL);
    QTest::mouseClick(w->form()->pushButton_Cancel, Qt::LeftButton);
    QTRY_VERIFY(!w);
    QTest::qWait(3 * cfg_thread_t::idle_pause_ms);
    QVERIFY(thread.served().isEmpty());
}

void tst_dialog_utility::read_back_parse()
{
    uiPara* p = uiPara::instance();
    QSignalSpy trig(p, &uiPara::sig_utility_trig);
    const QList<QString> replies = {"1\n", "1\n", "0\n", "10\n", "2.5\n", "EXTERNAL\n", "1\n", "0\n", "1\n",
                                    "1\n", "1.5\n", "12.5\n", "1\n", "5.5\n", "0.25\n", "0\n", "150\n", "2\n"};
    QVERIFY(utilitySetting::store_utility_replies(replies));
    QVERIFY(p->get_utility_vrmt() && p->get_utility_sof() && !p->get_utility_vol());
    QCOMPARE(p->get_utility_aver(), 4);
    QCOMPARE(p->get_utility_von(), 2.5);
    QCOMPARE(p->get_utility_trig(), 1);
    QVERIFY(p->get_utility_ext_sw() && !p->get_utility_imon() && p->get_utility_vmon() && p->get_utility_tmon());
    QCOMPARE(p->get_utility_v_low(), 1.5);
    QCOMPARE(p->get_utility_v_high(), 12.5);
    QVERIFY(p->get_utility_i_protect() && !p->get_utility_p_protect());
    QCOMPARE(p->get_utility_current(), 5.5);
    QCOMPARE(p->get_utility_i_delay(), 0.25);
    QCOMPARE(p->get_utility_power(), 150.0);
    QCOMPARE(p->get_utility_p_delay(), 2.0);
    QCOMPARE(trig.size(), 1);

    for (const auto& t : {qMakePair(QString("MANUAL\n"), 0), qMakePair(QString("BUS\n"), 2)}) {
        QList<QString> r = default_replies();
        r[5] = t.first;
        QVERIFY(utilitySetting::store_utility_replies(r));
        QCOMPARE(p->get_utility_trig(), t.second);
    }

    // Through the slot: only the read-back's code is taken, and the poll
    // is asked for afterwards.
    utilitySetting w(m_host.data());
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    QSignalSpy measure(&w, &utilitySetting::sig_request_measure);
    QList<QString> r = default_replies();
    r[0] = "1\n";
    w.deal_utility_cfg(161, r, {}, 0);
    QVERIFY(!p->get_utility_vrmt());
    QVERIFY(measure.isEmpty());
    w.deal_utility_cfg(9, r, {}, 0);
    QVERIFY(p->get_utility_vrmt());
    QCOMPARE(measure.size(), 1);
}

void tst_dialog_utility::short_or_odd_read_back()
{
    uiPara* p = uiPara::instance();
    p->set_utility_trig(2);
    p->set_utility_aver(3);
    QList<QString> r = default_replies();
    r[5] = "bus\n";        // not the load's word
    r[3] = "99\n";         // no such averaging
    r[0] = "1\n";
    QVERIFY(utilitySetting::store_utility_replies(r));
    QCOMPARE(p->get_utility_trig(), 2);
    QCOMPARE(p->get_utility_aver(), 3);
    QVERIFY(p->get_utility_vrmt());

    // A short list stores nothing; the poll is asked for all the same.
    r = default_replies();
    r.removeLast();
    QVERIFY(!utilitySetting::store_utility_replies(r));
    QVERIFY(p->get_utility_vrmt());
    utilitySetting w(m_host.data());
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    QSignalSpy measure(&w, &utilitySetting::sig_request_measure);
    w.deal_utility_cfg(9, {}, {}, 0);
    QCOMPARE(measure.size(), 1);
    QVERIFY(p->get_utility_vrmt());
}

QTEST_MAIN(tst_dialog_utility)
#include "tst_dialog_utility.moc"
