// The instrument link against the simulated load: connect and identify,
// the command thread's requests, binary blocks, a load that stops
// answering, and a settings text written to the load and built back.
#include "cfg/Get_configure_value.h"
#include "cfg/Get_data_thread.h"
#include "cfg/Get_display_data.h"
#include "cfg/SCPI_write_and_read.h"
#include "cfg/Send_data_thread.h"
#include "cfg/cfg_thread_t.h"
#include "cfg/thread_order.h"
#include "config/uiPara.h"
#include "device/drv_device_t.h"
#include "device/visa_session.h"
#include "harness/sim_process.h"
#include "ui/window/block_check.h"

#include <QWidget>
#include <QtTest>

namespace {

const QStringList connect_messages = {"*IDN?\n", "TRIG:SOUR BUS", "INP 0", "MACHINETYPE?",
                                      "SYST:REMOT:STAT 1"};
const QStringList poll_queries = {"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
                                  "SYST:REMOT:STAT?"};
// Short read waits for the cases where the load stays silent.
const QStringList quick_timeouts = {"--max-read-wait", "300"};

} // namespace

class tst_link_e2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void connect_and_identify();
    void connect_refuses_other_models();
    void connect_without_a_load();
    void connect_thread_ignores_other_codes();
    void identify_devices_by_resource();

    void command_thread_serves_lists_in_order();
    void command_thread_binary_blocks();
    void silent_import_is_not_a_lost_link();
    void load_that_stops_answering_stops_the_thread();
    void direct_queries_do_not_interleave_with_the_thread();
    void read_rules_by_link_kind();

    void settings_written_to_the_load_and_built_back();
    void settings_text_refused();

    void display_and_one_shot_threads();

private:
    // Runs Get_configure_value on the resource; returns the signals in order.
    QStringList connect_load(const QString &resource);
    // Starts the load afresh; its log then holds only this run.
    bool start_sim(const QStringList &args = QStringList());

    sim_process sim;
};

void tst_link_e2e::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
}

void tst_link_e2e::cleanup()
{
    close_visa_session();
    sim.stop();
    cfg_if_scpi_t::set_write_pause_ms(cfg_if_scpi_t::default_write_pause_ms);
}

bool tst_link_e2e::start_sim(const QStringList &args)
{
    if (!sim.start(args))
        return false;
    sim.clear_log();
    return true;
}

QStringList tst_link_e2e::connect_load(const QString &resource)
{
    Get_configure_value gc;
    QStringList got;
    QObject receiver;
    connect(&gc, &Get_configure_value::send_connect_no_exist, &receiver, [&] { got << "no_exist"; });
    connect(&gc, &Get_configure_value::send_connect_fail, &receiver, [&] { got << "fail"; });
    connect(&gc, &Get_configure_value::send_connect_exist, &receiver, [&] { got << "exist"; });
    connect(&gc, &Get_configure_value::send_connect_success, &receiver, [&] { got << "success"; });
    gc.resource = resource.toStdString();
    gc.request_code = Get_configure_value::code_connect;
    gc.start();
    if (!thread_order::wait(&gc, 20000))
        return {"hung"};
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (gc.request_code != 0 || gc.running != 0)
        got << "flags not reset";
    return got;
}

void tst_link_e2e::connect_and_identify()
{
    QVERIFY2(start_sim(), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));
    QVERIFY(g_visa_session != VISA_NO_SESSION);
    QCOMPARE(sim.received(), connect_messages);

    cfg_if_scpi_t scpi;
    scpi.set_resource(sim_process::resource().toStdString());
    QCOMPARE(scpi.link_kind, int(cfg_if_scpi_t::LINK_TCP));
    QCOMPARE(scpi.scpi_query(&g_visa_session, "SYST:REMOT:STAT?"), std::string("1\n"));
    QCOMPARE(scpi.scpi_query(&g_visa_session, "TRIG:SOUR?"), std::string("BUS\n"));

    // The connection dialog's form of the LAN resource works as well, and a
    // new connect replaces the open session.
    sim.clear_log();
    QCOMPARE(connect_load("TCPIP0::127.0.0.1::inst0::INSTR"), (QStringList{"exist", "success"}));
    QCOMPARE(sim.received(), connect_messages);
}

void tst_link_e2e::connect_refuses_other_models()
{
    QVERIFY2(start_sim({"--idn", "Acme,DMM7000,SN1,V1,V1"}), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"fail"}));
    QCOMPARE(g_visa_session.load(), VISA_NO_SESSION);
    // Nothing is set up on a load that is not ours.
    QCOMPARE(sim.received(), (QStringList{"*IDN?\n"}));
}

void tst_link_e2e::connect_without_a_load()
{
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"no_exist"}));
    QCOMPARE(connect_load("TCPIP0::127.0.0.1::INSTR::bogus"), (QStringList{"no_exist"}));
    QCOMPARE(g_visa_session.load(), VISA_NO_SESSION);
}

void tst_link_e2e::connect_thread_ignores_other_codes()
{
    QVERIFY2(start_sim(), qPrintable(sim.error_string()));
    Get_configure_value gc;
    QSignalSpy any_fail(&gc, &Get_configure_value::send_connect_fail);
    QSignalSpy any_success(&gc, &Get_configure_value::send_connect_success);
    gc.resource = sim_process::resource().toStdString();
    gc.step = 4;
    for (int code : {16, 24, 0}) {
        gc.request_code = code;
        gc.start();
        QVERIFY(thread_order::wait(&gc, 5000));
        QCOMPARE(gc.request_code.load(), code); // read back by the older window
        QCOMPARE(gc.running.load(), std::uint8_t(0));
    }
    QCOMPARE(gc.step.load(), 4);
    QCoreApplication::processEvents();
    QCOMPARE(any_fail.count() + any_success.count(), 0);
    QVERIFY(sim.received().isEmpty());
}

void tst_link_e2e::identify_devices_by_resource()
{
    QVERIFY2(start_sim({"--idn", "Tervane,WLX1150X-C,SN77,V2.0,H3"}), qPrintable(sim.error_string()));
    std::map<std::string, bool> resources = {{sim_process::resource().toStdString(), false},
                                             {"TCPIP0::127.0.0.2::INSTR", false}};
    std::vector<drv_device_info_t> records;
    QCOMPARE(drv_device_t::instance().identify_devices(records, resources), 1);
    QCOMPARE(records.size(), std::size_t(1));
    QCOMPARE(records[0].model, std::string("WLX1150X-C"));
    QCOMPARE(records[0].family, 2);
    QCOMPARE(records[0].maker, std::string("Tervane"));
    QCOMPARE(records[0].serial, std::string("SN77"));
    QCOMPARE(records[0].resource, sim_process::resource().toStdString());
    QVERIFY(resources[sim_process::resource().toStdString()]);
    QVERIFY(!resources["TCPIP0::127.0.0.2::INSTR"]);
    QCOMPARE(sim.received(), (QStringList{"*IDN?"}));

    // A facade made later shares the process-wide resource manager.
    drv_device_t other;
    QCOMPARE(other.resource_manager(), drv_device_t::instance().resource_manager());
}

void tst_link_e2e::command_thread_serves_lists_in_order()
{
    QVERIFY2(start_sim(), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));
    sim.clear_log();

    cfg_thread_t thread;
    thread.set_resource(sim_process::resource().toStdString());
    struct answer {
        int code;
        QList<QString> replies;
        QList<QWidget *> widgets;
        int sub;
    };
    QList<answer> answers;
    QObject receiver;
    connect(&thread, &cfg_thread_t::send_result, &receiver,
            [&](int code, QList<QString> r, QList<QWidget *> w, int sub) { answers.append({code, r, w, sub}); });

    // Handed back untouched, never used: any pointer values will do.
    QWidget *const box_a = reinterpret_cast<QWidget *>(quintptr(0x1010));
    QWidget *const box_b = reinterpret_cast<QWidget *>(quintptr(0x2020));
    thread.add_request(34, {"CURR:IRANG 30", ""}, {"", "CURR:IRANG?"}, {box_a}, false, 0, false, {});
    thread.add_request(36, {"CURR 12.5"}, {"CURR?"}, {box_b}, false, 0, false, {});
    thread.add_request(32, {"INP 0", "SYST:REMOT:STAT 1"}, {"INP?", ""}, {box_a, box_b}, false, 186, false,
                       {});
    thread.add_request(161, {}, {}, {}, false, 0, false, {});
    thread.add_request(183, {}, poll_queries, {}, true, 0, false, {});
    thread.start();
    QTRY_VERIFY(answers.size() >= 7);

    QCOMPARE(answers[0].code, 34);
    QCOMPARE(answers[0].replies, (QList<QString>{"30\n"}));
    QCOMPARE(answers[0].widgets, (QList<QWidget *>{box_a}));
    QCOMPARE(answers[1].code, 36);
    QCOMPARE(answers[1].replies, (QList<QString>{"12.5\n"}));
    QCOMPARE(answers[1].widgets, (QList<QWidget *>{box_b}));
    QCOMPARE(answers[2].code, 32);
    QCOMPARE(answers[2].replies, (QList<QString>{"0\n"}));
    QCOMPARE(answers[2].widgets, (QList<QWidget *>{box_a, box_b}));
    QCOMPARE(answers[2].sub, 186);
    QCOMPARE(answers[3].code, 161);
    QVERIFY(answers[3].replies.isEmpty());
    for (int i = 4; i < answers.size(); ++i) {
        QCOMPARE(answers[i].code, 183);
        QCOMPARE(answers[i].replies.size(), poll_queries.size());
        QCOMPARE(answers[i].replies[0], QString("0\n"));
        QVERIFY(answers[i].replies[2].endsWith('\n'));
        QCOMPARE(answers[i].replies[5], QString("1\n"));
    }
    const QStringList head = sim.received().mid(0, 7);
    QCOMPARE(head, (QStringList{"CURR:IRANG 30", "CURR:IRANG?", "CURR 12.5", "CURR?", "INP 0", "INP?",
                                "SYST:REMOT:STAT 1"}));

    // An edit posted while the poll runs is served once, then the poll gives way.
    const int before = answers.size();
    thread.add_request(41, {"VOLT 7.5"}, {"VOLT?"}, {}, false, 0, false, {});
    QTRY_VERIFY(answers.size() > before && answers.last().code == 41);
    QCOMPARE(answers.last().replies, (QList<QString>{"7.5\n"}));
    QTest::qWait(100);
    QCOMPARE(answers.last().code, 41);
    QVERIFY(thread.isRunning());

    // Disconnecting: thread stopped and waited for, then the session closed.
    thread.close_session();
    QVERIFY(!thread.isRunning());
    QCOMPARE(g_visa_session.load(), VISA_NO_SESSION);
    QCOMPARE(thread.pending_requests(), 0);
}

void tst_link_e2e::command_thread_binary_blocks()
{
    QVERIFY2(start_sim(), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));

    cfg_thread_t thread;
    thread.set_resource(sim_process::resource().toStdString());
    QList<QPair<int, QByteArray>> blocks;
    QList<int> texts;
    QObject receiver;
    connect(&thread, &cfg_thread_t::send_byte_result, &receiver,
            [&](int code, QByteArray b) { blocks.append({code, b}); });
    connect(&thread, &cfg_thread_t::send_result, &receiver,
            [&](int code, QList<QString>, QList<QWidget *>, int) { texts.append(code); });

    // A level whose float bytes hold 0x0A: the block must not end there.
    thread.add_request(72, {"LIST:LEV 1,2.5", "LIST:LEV 2,2.15625"}, {"", "LIST:LEV? 2"}, {}, false, 0,
                       false, {});
    thread.add_request(80, {""}, {"LIST:EXPORT?"}, {}, false, 0, true, "LIST:EXPORT?");
    thread.add_request(64, {""}, {"PROG:EXPORT?"}, {}, false, 0, true, "PROG:EXPORT?");
    thread.start();
    QTRY_COMPARE(blocks.size(), 2);
    QCOMPARE(texts, (QList<int>{72}));
    const QByteArray list = blocks[0].second;
    QCOMPARE(blocks[0].first, 80);
    QCOMPARE(list.size(), 1232);
    QVERIFY(block_check::valid(list, 1232));
    QCOMPARE(list.mid(1, 4), QByteArray("LST1"));
    QVERIFY(list.contains('\n'));
    QCOMPARE(blocks[1].first, 64);
    QCOMPARE(blocks[1].second.size(), 1927);
    QVERIFY(block_check::valid(blocks[1].second, 1927));

    // The block goes back unchanged; the load answers the import.
    thread.add_request(81, {""}, {""}, {}, false, 0, true, QByteArray("LIST:IMPORT ") + list);
    QTRY_COMPARE(blocks.size(), 3);
    QCOMPARE(blocks[2].first, 81);
    QCOMPARE(blocks[2].second, QByteArray("1\n"));
    const QList<QByteArray> raw = sim.received_raw();
    QCOMPARE(raw.last(), QByteArray("LIST:IMPORT ") + list);
    QVERIFY(thread.isRunning());
    thread.close_session();
}

void tst_link_e2e::silent_import_is_not_a_lost_link()
{
    // Connect (5 messages) and the export (1); everything later is ignored.
    QVERIFY2(start_sim(QStringList{"--stop-after", "6"} + quick_timeouts), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));
    cfg_thread_t thread;
    thread.set_resource(sim_process::resource().toStdString());
    QList<QPair<int, QByteArray>> blocks;
    QObject receiver;
    connect(&thread, &cfg_thread_t::send_byte_result, &receiver,
            [&](int code, QByteArray b) { blocks.append({code, b}); });
    thread.add_request(80, {""}, {"LIST:EXPORT?"}, {}, false, 0, true, "LIST:EXPORT?");
    thread.start();
    QTRY_COMPARE(blocks.size(), 1);
    QCOMPARE(blocks[0].second.size(), 1232);
    thread.add_request(81, {""}, {""}, {}, false, 0, true, QByteArray("LIST:IMPORT ") + blocks[0].second);
    QTRY_COMPARE_WITH_TIMEOUT(blocks.size(), 2, 10000);
    QCOMPARE(blocks[1].first, 81);
    QVERIFY(blocks[1].second.isEmpty());
    QVERIFY(thread.isRunning());
    QVERIFY(g_visa_session != VISA_NO_SESSION);
    thread.stop_and_wait();
}

void tst_link_e2e::load_that_stops_answering_stops_the_thread()
{
    // Connect, then two whole polls.
    const int answered = connect_messages.size() + 2 * poll_queries.size();
    QVERIFY2(start_sim(QStringList{"--stop-after", QString::number(answered)} + quick_timeouts),
             qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));
    cfg_thread_t thread;
    thread.set_resource(sim_process::resource().toStdString());
    int polls = 0;
    QObject receiver;
    connect(&thread, &cfg_thread_t::send_result, &receiver,
            [&](int, QList<QString>, QList<QWidget *>, int) { ++polls; });
    thread.add_request(183, {}, poll_queries, {}, true, 0, false, {});
    thread.start();
    QVERIFY(thread_order::wait(&thread, 15000));
    QCoreApplication::processEvents();
    QCOMPARE(polls, 2);
    QCOMPARE(g_visa_session.load(), VISA_NO_SESSION);
    QCOMPARE(thread.pending_requests(), 0);
    // The unanswered query was asked again after each empty read (4 reads).
    const QStringList got = sim.received();
    QCOMPARE(got.mid(answered), (QStringList{"INP?", "INP?", "INP?", "INP?"}));
}

void tst_link_e2e::direct_queries_do_not_interleave_with_the_thread()
{
    QVERIFY2(start_sim(), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));
    cfg_if_scpi_t::set_write_pause_ms(1);
    cfg_thread_t thread;
    thread.set_resource(sim_process::resource().toStdString());
    QList<QList<QString>> polls;
    QObject receiver;
    connect(&thread, &cfg_thread_t::send_result, &receiver,
            [&](int, QList<QString> r, QList<QWidget *>, int) { polls.append(r); });
    thread.add_request(183, {}, poll_queries, {}, true, 0, false, {});
    thread.start();

    cfg_if_scpi_t gui;
    gui.set_resource(sim_process::resource().toStdString());
    for (int i = 0; i < 40; ++i)
        QCOMPARE(gui.scpi_query(&g_visa_session, "PROG:STEP?"), std::string("5\n"));
    QTRY_VERIFY(polls.size() >= 3);
    thread.close_session();
    for (const QList<QString> &r : polls) {
        QCOMPARE(r.size(), poll_queries.size());
        QCOMPARE(r[0], QString("0\n"));
        QCOMPARE(r[5], QString("1\n"));
    }
    // A direct write after the close fails cleanly.
    QCOMPARE(gui.scpi_write(g_visa_session, "SYST:REMOT:STAT 0"), 0);
    QCOMPARE(gui.scpi_query(&g_visa_session, "INP?"), std::string());
}

void tst_link_e2e::read_rules_by_link_kind()
{
    // Connect (5), two exchanges of two messages; then the load is silent.
    QVERIFY2(start_sim(QStringList{"--stop-after", "9"} + quick_timeouts), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));
    cfg_if_scpi_t scpi;
    scpi.set_resource("USB0::0x1234::0x5678::SN1::INSTR");
    QCOMPARE(scpi.link_kind, int(cfg_if_scpi_t::LINK_USB));
    scpi.set_resource("ASRL1::INSTR"); // neither: the kind stays
    QCOMPARE(scpi.link_kind, int(cfg_if_scpi_t::LINK_USB));

    // Only the given lengths of the texts are sent.
    QCOMPARE(scpi.scpi_query(&g_visa_session, "CURR?xyz", 5, "CURR 1.5abc", 8), std::string("1.5\n"));
    QCOMPARE(scpi.scpi_query(&g_visa_session, "CURR?", 0, "CURR 2", 0), std::string("2\n"));
    sim.clear_log();

    // USB: six reads without asking again, then the query once more and a
    // last read; no reply at all closes the session.
    ViSession local = g_visa_session;
    QCOMPARE(scpi.scpi_query(&local, "VOLT?"), std::string());
    QCOMPARE(local, VISA_NO_SESSION);
    QCOMPARE(sim.received(), (QStringList{"VOLT?", "VOLT?"}));
    g_visa_session = VISA_NO_SESSION; // closed through the local copy
}

void tst_link_e2e::settings_written_to_the_load_and_built_back()
{
    QVERIFY2(start_sim(), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));
    cfg_if_scpi_t::set_write_pause_ms(0); // a thousand writes

    uiPara *store = uiPara::instance();
    const QString defaults = store->to_settings_text();
    store->set_static_cc_i_range(1);
    store->set_static_cc_i(12.5);
    store->set_static_cc_ris(1.5);
    store->set_static_cv_v_range(1);
    store->set_static_cv_v(100);
    store->set_static_cr_r(250);
    store->set_static_cp_p(150);
    store->set_static_led_io(2.5);
    store->set_static_led_rco(0.5);
    store->set_dyn_cc_mode(1);
    store->set_dyn_cc_i_range(1);
    store->set_dyn_cc_a_level(10);
    store->set_dyn_cc_b_width(0.75);
    store->set_dyn_cc_fal(2);
    store->set_dyn_cv_mode(2);
    store->set_dyn_cp_a_level(50);
    store->set_dyn_cr_b_level(120);
    store->set_program_step(7);
    store->set_prog_mode_by_index("LED", 2);
    store->set_prog_irange_by_index("5", 2);
    store->set_prog_io_by_index("0.5", 2);
    store->set_prog_set_by_index("4.5", 2);
    store->set_prog_pause_by_index("1", 0);
    store->set_prog_short_by_index("1", 1);
    store->set_prog_ton_by_index("2.5", 3);
    store->set_prog_max_by_index("20", 49);
    store->set_list_mode(1);
    store->set_list_v_range(1);
    store->set_list_count(3);
    store->set_list_step(12);
    store->set_list_set_by_index("100", 0);
    store->set_list_set_by_index("12.5", 99);
    store->set_list_width_by_index("0.25", 5);
    store->set_list_slew_by_index("0.125", 3);
    store->set_ocpt_i_range(1);
    store->set_ocpt_i_end(20);
    store->set_oppt_p_step(5);
    store->set_battery_mode(1);
    store->set_battery_level(50);
    store->set_battery_v_stop_sw(true);
    store->set_battery_c_stop(2000);
    store->set_ext_mode(2);
    store->set_ext_v_range(1);
    store->set_utility_vrmt(true);
    store->set_utility_aver(4);
    store->set_utility_trig(2);
    store->set_utility_tmon(true);
    store->set_utility_v_low(2);
    store->set_utility_p_protect(true);
    store->set_utility_power(250);
    const QString wanted = store->to_settings_text();
    QVERIFY(wanted != defaults);
    QVERIFY(store->from_settings_text(defaults));

    Send_data_thread sender;
    QSignalSpy ended(&sender, &Send_data_thread::send_end);
    QSignalSpy failed(&sender, &Send_data_thread::send_error);
    sender.set_settings_text(wanted);
    sim.clear_log();
    sender.start();
    QVERIFY(thread_order::wait(&sender, 60000));
    QCOMPARE(failed.count(), 0);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(sender.last_failure(), Send_data_thread::no_failure);
    const QStringList sent = sim.received();
    QCOMPARE(sent.size(), sender.written_count());
    QCOMPARE(sent.first(), QString("INP 0"));

    // Ask the load for every written field and build the text from its replies.
    cfg_if_scpi_t scpi;
    scpi.set_resource(sim_process::resource().toStdString());
    const QVector<settings_field> &layout = uiPara::settings_layout();
    const QStringList wanted_fields = wanted.split(',');
    QCOMPARE(wanted_fields.size(), layout.size());
    QStringList from_load;
    for (int i = 0; i < layout.size(); ++i) {
        const settings_field &f = layout[i];
        if (!f.command) {
            from_load << wanted_fields[i];
            continue;
        }
        std::string q = QString::fromLatin1(f.command).trimmed().toStdString() + "?";
        if (f.step >= 0)
            q += " " + std::to_string(f.step + 1);
        QString r = QString::fromStdString(scpi.scpi_query(&g_visa_session, q)).trimmed();
        QVERIFY2(!r.isEmpty(), q.c_str());
        if (f.kind == settings_field::aver)
            r = QString::number(r.toInt() - 6);
        QVERIFY2(r == wanted_fields[i], qPrintable(QString("%1 -> %2, wanted %3")
                                                         .arg(QString::fromStdString(q), r, wanted_fields[i])));
        from_load << r;
    }

    // The store holds the applied text; the save thread builds it back.
    QVERIFY(store->from_settings_text(defaults));
    QVERIFY(store->from_settings_text(from_load.join(',')));
    Get_data_thread getter;
    QSignalSpy built(&getter, &Get_data_thread::send_end);
    getter.start();
    QVERIFY(thread_order::wait(&getter, 10000));
    QCOMPARE(built.count(), 1);
    QCOMPARE(getter.settings_text(), wanted);
    QVERIFY(store->from_settings_text(defaults));
}

void tst_link_e2e::settings_text_refused()
{
    QVERIFY2(start_sim(), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));
    sim.clear_log();
    uiPara *store = uiPara::instance();
    const QString before = store->to_settings_text();

    Send_data_thread sender;
    QSignalSpy ended(&sender, &Send_data_thread::send_end);
    QSignalSpy failed(&sender, &Send_data_thread::send_error);
    QStringList fields = before.split(',');
    fields.removeLast(); // 1103 fields
    for (const QString &text : {fields.join(','), QString("not,a,settings,text"), QString()}) {
        sender.set_settings_text(text);
        sender.start();
        QVERIFY(thread_order::wait(&sender, 5000));
    }
    QCOMPARE(failed.count(), 3);
    QCOMPARE(ended.count(), 0);
    QCOMPARE(sender.last_failure(), Send_data_thread::bad_text);
    QCOMPARE(store->to_settings_text(), before);
    QVERIFY(sim.received().isEmpty());

    // A stop asked before the run begins holds (a window may stop a load the
    // moment it starts it): nothing is written and nothing told.
    sender.stop_flag = 1;
    sender.set_settings_text(before);
    sender.start();
    QVERIFY(thread_order::wait(&sender, 60000));
    QCOMPARE(ended.count(), 0);
    QCOMPARE(failed.count(), 3);
    QVERIFY(sim.received().isEmpty());

    // A lost link is an error, not an end.
    close_visa_session();
    sender.stop_flag = 0;
    sender.start();
    QVERIFY(thread_order::wait(&sender, 5000));
    QCOMPARE(failed.count(), 4);
    QCOMPARE(sender.last_failure(), Send_data_thread::link_lost);
}

void tst_link_e2e::display_and_one_shot_threads()
{
    QVERIFY2(start_sim(), qPrintable(sim.error_string()));
    QCOMPARE(connect_load(sim_process::resource()), (QStringList{"exist", "success"}));

    SCPI_write_and_read once;
    QList<QList<QString>> results;
    QObject receiver;
    connect(&once, &SCPI_write_and_read::send_result, &receiver,
            [&](int code, QList<QString> r, QList<QWidget *>) {
                QCOMPARE(code, 47);
                results.append(r);
            });
    once.set_request(47, {"POW 25", ""}, {"POW?", "POW:IRANG?"}, {});
    once.start();
    QTRY_COMPARE(results.size(), 1);
    QCOMPARE(results[0], (QList<QString>{"25\n", "5\n"}));
    QVERIFY(thread_order::wait(&once, 2000));

    Get_display_data display;
    QList<double> volts;
    QList<int> remote;
    connect(&display, &Get_display_data::send_display_data, &receiver,
            [&](double, double v, double, double, int, int rem, QString, QString vt, QString, QString) {
                volts.append(v);
                remote.append(rem);
                QCOMPARE(v, vt.toDouble());
            });
    display.start();
    QTRY_VERIFY(volts.size() >= 2);
    display.stop();
    QVERIFY(thread_order::wait(&display, 5000));
    QVERIFY(volts.first() > 0); // the source's open-circuit voltage
    QCOMPARE(remote.first(), 1);
}

QTEST_GUILESS_MAIN(tst_link_e2e)
#include "tst_link_e2e.moc"
