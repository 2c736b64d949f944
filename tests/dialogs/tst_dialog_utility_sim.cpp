// The utility settings window against the simulated load: a user's changes
// reach the load as exactly the changed rows in their fixed order, the
// read-back brings them into the store, and OK without a change sends
// nothing yet is still answered.
#include "cfg/Get_configure_value.h"
#include "cfg/cfg_thread_t.h"
#include "cfg/thread_order.h"
#include "device/visa_session.h"
#include "harness/sim_process.h"
#include "uiPara.h"
#include "ui_utilitysetting.h"
#include "user_input.h"
#include "utilitySetting.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The utility read-back (operation 9), in reply order.
const QList<QString> read_back_queries = {
    "SYST:SENS?", "STOP:ON:FAIL?", "VOLT:LATCh?", "SENS:AVER:COUN?", "VOLT:ON?", "TRIG:SOUR?",
    "EXT:INP?", "SYST:IMONI:STAT?", "SYST:VMONI:STAT?", "TIME:TEST?", "TIME:TEST:VOLT:LOW?",
    "TIME:TEST:VOLT:HIGH?", "CURR:PROT:STAT?", "CURR:PROT:LEV?", "CURR:PROT:DEL?", "POW:PROT:STAT?",
    "POW:PROT:LEV?", "POW:PROT:DEL?"};

struct answer_t
{
    int code;
    QList<QString> replies;
};

} // namespace

class tst_dialog_utility_sim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void ok_without_change_is_answered_and_sends_nothing();
    void changed_rows_reach_the_load_in_order();
    void a_refused_entry_holds_back_every_row();

private:
    utilitySetting* open();
    // Waits for the next answer with `code`; returns its replies.
    bool wait_answer(int code, QList<QString>* replies);
    void read_back();

    sim_process m_sim;
    cfg_thread_t m_thread;
    QList<answer_t> m_answers;
    QScopedPointer<QWidget> m_host;
};

void tst_dialog_utility_sim::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
    QVERIFY2(m_sim.start(), qPrintable(m_sim.error_string()));

    Get_configure_value connector;
    QSignalSpy success(&connector, &Get_configure_value::send_connect_success);
    connector.resource = sim_process::resource().toStdString();
    connector.request_code = Get_configure_value::code_connect;
    connector.start();
    QVERIFY(thread_order::wait(&connector, 20000));
    QTRY_COMPARE(success.size(), 1);

    connect(&m_thread, &cfg_thread_t::send_result, this,
            [this](int code, QList<QString> replies, QList<QWidget*>, int) { m_answers.append({code, replies}); });
    m_thread.set_resource(sim_process::resource().toStdString());
    m_thread.start();

    m_host.reset(new QWidget);
    m_host->resize(700, 500);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.data()));

    // Connecting set the bus trigger; with any source but the manual one
    // the window sends the source again on every OK, so start from manual.
    m_thread.add_request(0, {"TRIG:SOUR MANUAL"}, {""}, {}, false, 0, false, {});
    QList<QString> replies;
    QVERIFY(wait_answer(0, &replies));
    // The store starts from the load's own settings.
    read_back();
    QCOMPARE(uiPara::instance()->get_utility_trig(), 0);
    QCOMPARE(uiPara::instance()->get_utility_aver(), 0);
}

void tst_dialog_utility_sim::cleanupTestCase()
{
    m_thread.stop_and_wait();
    close_visa_session();
    m_sim.stop();
}

bool tst_dialog_utility_sim::wait_answer(int code, QList<QString>* replies)
{
    const bool got = QTest::qWaitFor([&] { return !m_answers.isEmpty(); }, 10000);
    if (!got || m_answers.first().code != code)
        return false;
    *replies = m_answers.takeFirst().replies;
    return true;
}

void tst_dialog_utility_sim::read_back()
{
    QList<QString> writes;
    for (int i = 0; i < read_back_queries.size(); ++i)
        writes.append(QString());
    m_thread.add_request(utilitySetting::op_utility_read, writes, read_back_queries, {}, false, 0, false, {});
    QList<QString> replies;
    QVERIFY(wait_answer(utilitySetting::op_utility_read, &replies));
    QVERIFY(utilitySetting::store_utility_replies(replies));
}

utilitySetting* tst_dialog_utility_sim::open()
{
    auto* w = new utilitySetting(m_host.data());
    w->set_command_thread(&m_thread);
    w->set_connected_probe([] { return true; });
    w->init_utility_value();
    show_active(w);
    return w;
}

void tst_dialog_utility_sim::ok_without_change_is_answered_and_sends_nothing()
{
    m_sim.clear_log();
    QPointer<utilitySetting> w = open();
    QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
    QTRY_VERIFY(!w);
    QList<QString> replies = {"x"};
    QVERIFY(wait_answer(utilitySetting::op_utility_set, &replies));
    QVERIFY(replies.isEmpty());
    QCOMPARE(m_sim.received(), QStringList());
}

void tst_dialog_utility_sim::changed_rows_reach_the_load_in_order()
{
    m_sim.clear_log();
    QPointer<utilitySetting> w = open();
    QSignalSpy pending(w.data(), &utilitySetting::sig_pending_utility_a);
    Ui_utilitySetting* f = w->form();
    // In no particular order, as a user goes about it.
    click_group_check(f->groupBox_P_Protect);
    click_and_type(f->doubleSpinBox_P_Delay, "2.25");
    QTest::mouseClick(f->checkBox_SOF, Qt::LeftButton, {}, QPoint(6, 11));
    click_group_check(f->groupBox_TMon);
    click_and_type(f->doubleSpinBox_V_High, "12.5");
    f->comboBox_Aver->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(f->comboBox_Aver, Qt::Key_Down);
    f->comboBox_Trig->setFocus();
    QTest::keyClick(f->comboBox_Trig, Qt::Key_Down);
    QTest::mouseClick(f->checkBox_Vrmt, Qt::LeftButton, {}, QPoint(6, 11));
    click_group_check(f->groupBox_I_Protect);
    click_and_type(f->doubleSpinBox_C, "5.5");
    QTest::mouseClick(f->pushButton_OK, Qt::LeftButton);
    QTRY_VERIFY(!w);

    QCOMPARE(pending.size(), 1);
    QCOMPARE(pending[0][0].toBool(), true);
    QCOMPARE(pending[0][1].toInt(), 4);
    QList<QString> replies;
    QVERIFY(wait_answer(utilitySetting::op_utility_set, &replies));
    QCOMPARE(replies, (QList<QString>{"1\n"}));
    QCOMPARE(m_sim.received(),
             (QStringList{"SYST:SENS ON", "STOP:ON:FAIL ON", "TRIG:SOUR EXT", "SENS:AVER:COUN 10", "TIME:TEST 1",
                          "TIME:TEST?", "TIME:TEST:VOLT:HIGH 12.5", "CURR:PROT:STAT ON", "CURR:PROT:LEV 5.5",
                          "POW:PROT:STAT ON", "POW:PROT:DEL 2.25"}));

    // The load holds them: its read-back brings them into the store.
    read_back();
    uiPara* p = uiPara::instance();
    QVERIFY(p->get_utility_vrmt() && p->get_utility_sof() && !p->get_utility_vol());
    QCOMPARE(p->get_utility_trig(), 1);
    QCOMPARE(p->get_utility_aver(), 4);
    QVERIFY(p->get_utility_tmon());
    QCOMPARE(p->get_utility_v_high(), 12.5);
    QVERIFY(p->get_utility_i_protect() && p->get_utility_p_protect());
    QCOMPARE(p->get_utility_current(), 5.5);
    QCOMPARE(p->get_utility_p_delay(), 2.25);
    QCOMPARE(p->get_utility_power(), 300.0);
}

void tst_dialog_utility_sim::a_refused_entry_holds_back_every_row()
{
    // Manual trigger and the least averaging: rows OK would send again.
    m_thread.add_request(0, {"TRIG:SOUR MANUAL", "SENS:AVER:COUN 6"}, {"", ""}, {}, false, 0, false, {});
    QList<QString> replies;
    QVERIFY(wait_answer(0, &replies));
    read_back();
    const bool sof = uiPara::instance()->get_utility_sof();
    const double von = uiPara::instance()->get_utility_von();
    QVERIFY(von != 12.5);
    // Refused with the OK that came with it: that OK sends nothing.
    const auto refused_ok = [&](Ui_utilitySetting* f) {
        m_sim.clear_log();
        click_and_type(f->doubleSpinBox_Von, "150.001", false);
        QTest::mouseClick(f->pushButton_OK, Qt::LeftButton);
        QVERIFY(f->pushButton_OK->isVisible());
        // Anything OK had posted would be answered before this.
        m_thread.add_request(0, {""}, {"VOLT:ON?"}, {}, false, 0, false, {});
        QVERIFY(wait_answer(0, &replies));
        QCOMPARE(m_sim.received(), QStringList{"VOLT:ON?"});
        m_sim.clear_log();
    };
    QPointer<utilitySetting> w = open();
    QTest::mouseClick(w->form()->checkBox_SOF, Qt::LeftButton, {}, QPoint(6, 11));
    refused_ok(w->form());
    // The next OK sends what the window shows: the switch, and Von as it was.
    QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
    QTRY_VERIFY(!w);
    QVERIFY(wait_answer(utilitySetting::op_utility_set, &replies));
    QCOMPARE(m_sim.received(), QStringList{sof ? "STOP:ON:FAIL OFF" : "STOP:ON:FAIL ON"});
    read_back();
    QCOMPARE(uiPara::instance()->get_utility_von(), von);
    QCOMPARE(uiPara::instance()->get_utility_sof(), !sof);

    // Corrected instead, the value goes.
    w = open();
    refused_ok(w->form());
    click_and_type(w->form()->doubleSpinBox_Von, "12.5", false);
    QTest::mouseClick(w->form()->pushButton_OK, Qt::LeftButton);
    QTRY_VERIFY(!w);
    QVERIFY(wait_answer(utilitySetting::op_utility_set, &replies));
    QCOMPARE(m_sim.received(), QStringList{"VOLT:ON 12.5"});
    read_back();
    QCOMPARE(uiPara::instance()->get_utility_von(), 12.5);
    QCOMPARE(uiPara::instance()->get_utility_sof(), !sof);
}

QTEST_MAIN(tst_dialog_utility_sim)
#include "tst_dialog_utility_sim.moc"
