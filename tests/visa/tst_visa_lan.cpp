// Our VISA calls against the simulated load over real VXI-11, in a private
// network namespace: identity, settings read back, binary blocks, and how
// faults of the load come back (timeouts, lost connections, threads). What
// the simulated load never does comes from an in-process fake load.
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

#include "fake_vxi11_server.h"
#include "harness/sim_process.h"
#include "ui/window/block_check.h"
#include "visa.h"

namespace {
const char *const lan = "TCPIP0::127.0.0.1::INSTR";

ViStatus write_text(ViSession vi, const QByteArray &text)
{
    ViUInt32 n = 0;
    const ViStatus st = viWrite(vi, reinterpret_cast<ViConstBuf>(text.constData()), ViUInt32(text.size()), &n);
    if (st == VI_SUCCESS && n != ViUInt32(text.size()))
        return VI_ERROR_IO;
    return st;
}

ViStatus read_all(ViSession vi, QByteArray *out, ViUInt32 max = 4096)
{
    QByteArray buf(int(max), '\0');
    ViUInt32 n = 0;
    const ViStatus st = viRead(vi, reinterpret_cast<ViPBuf>(buf.data()), max, &n);
    *out = buf.left(int(n));
    return st;
}

QByteArray query(ViSession vi, const QByteArray &text, ViStatus *st_out = nullptr)
{
    QByteArray reply;
    ViStatus st = write_text(vi, text);
    if (st == VI_SUCCESS)
        st = read_all(vi, &reply);
    if (st_out)
        *st_out = st;
    return reply;
}

qint64 ms_since(const QElapsedTimer &t)
{
    return t.elapsed();
}
} // namespace

class tst_visa_lan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void identity_both_resource_forms();
    void setting_read_back();
    void partial_reads();
    void binary_blocks_export_and_import();
    void stopped_load_times_out_in_time();
    void frozen_load_times_out_in_time();
    void dropped_connection_is_an_error();
    void refused_link_and_absent_load();
    void delayed_reply_within_timeout();
    void threads_get_their_own_replies();
    void close_wakes_a_blocked_read();
    void stale_replies_do_not_hold_the_deadline();
    void partly_taken_writes_are_completed();

private:
    ViSession open_lan(ViUInt32 timeout_ms = 2000);
    ViSession open_fake(const fake_vxi11_server &fake, ViUInt32 timeout_ms);
    sim_process sim_;
    ViSession rm_ = VI_NULL;
};

void tst_visa_lan::initTestCase()
{
    QVERIFY2(sim_.start(), qPrintable(sim_.error_string()));
    QCOMPARE(viOpenDefaultRM(&rm_), VI_SUCCESS);
}

void tst_visa_lan::cleanup()
{
    // every case leaves a plain, answering load behind
    if (sim_.frozen())
        sim_.thaw();
    if (!sim_.running())
        QVERIFY2(sim_.start(), qPrintable(sim_.error_string()));
}

ViSession tst_visa_lan::open_lan(ViUInt32 timeout_ms)
{
    ViSession vi = VI_NULL;
    const ViStatus st = viOpen(rm_, lan, VI_NULL, VI_NULL, &vi);
    if (st != VI_SUCCESS)
        return VI_NULL;
    viSetAttribute(vi, VI_ATTR_TMO_VALUE, timeout_ms);
    return vi;
}

ViSession tst_visa_lan::open_fake(const fake_vxi11_server &fake, ViUInt32 timeout_ms)
{
    qputenv("WATTLEX_PORTMAP_PORT", QByteArray::number(fake.port()));
    const ViSession vi = open_lan(timeout_ms);
    qunsetenv("WATTLEX_PORTMAP_PORT");
    return vi;
}

void tst_visa_lan::identity_both_resource_forms()
{
    for (const char *name : {"TCPIP0::127.0.0.1::INSTR", "TCPIP0::127.0.0.1::inst0::INSTR"}) {
        ViSession vi = VI_NULL;
        QCOMPARE(viOpen(rm_, name, VI_NULL, VI_NULL, &vi), VI_SUCCESS);
        ViUInt32 tmo = 0;
        QCOMPARE(viGetAttribute(vi, VI_ATTR_TMO_VALUE, &tmo), VI_SUCCESS);
        QCOMPARE(tmo, 2000u);
        ViStatus st;
        QCOMPARE(query(vi, "*IDN?", &st), QByteArray("Tervane,WLX1300X,SN000001,V1.00,V1.00\n"));
        QCOMPARE(st, VI_SUCCESS);
        QCOMPARE(viClose(vi), VI_SUCCESS);
    }
    // a device name the load does not have
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(rm_, "TCPIP0::127.0.0.1::gpib0,5::INSTR", VI_NULL, VI_NULL, &vi), VI_ERROR_RSRC_NFOUND);
}

void tst_visa_lan::setting_read_back()
{
    const ViSession vi = open_lan();
    QVERIFY(vi != VI_NULL);
    sim_.clear_log();
    QCOMPARE(write_text(vi, "CURR 2.5"), VI_SUCCESS);
    QCOMPARE(query(vi, "CURR?"), QByteArray("2.5\n"));
    // the load got exactly what was written: no terminator added
    QCOMPARE(sim_.received(), QStringList({"CURR 2.5", "CURR?"}));
    QCOMPARE(viClear(vi), VI_SUCCESS);
    QCOMPARE(viClose(vi), VI_SUCCESS);
}

void tst_visa_lan::partial_reads()
{
    const ViSession vi = open_lan();
    QVERIFY(vi != VI_NULL);
    QCOMPARE(write_text(vi, "*IDN?"), VI_SUCCESS);
    QByteArray a, b;
    QCOMPARE(read_all(vi, &a, 10), VI_SUCCESS_MAX_CNT);
    QCOMPARE(a.size(), 10);
    QCOMPARE(read_all(vi, &b, 100), VI_SUCCESS);
    QCOMPARE(a + b, QByteArray("Tervane,WLX1300X,SN000001,V1.00,V1.00\n"));
    // a new message drops an unread reply
    QCOMPARE(write_text(vi, "*IDN?"), VI_SUCCESS);
    QCOMPARE(query(vi, "MACHINETYPE?"), QByteArray("Tervane Device\n"));
    viClose(vi);
}

void tst_visa_lan::binary_blocks_export_and_import()
{
    const ViSession vi = open_lan();
    QVERIFY(vi != VI_NULL);
    struct block_t {
        QByteArray export_cmd, import_head;
        int size;
    };
    for (const block_t &blk : {block_t{"LIST:EXPORT?", "LIST:IMPORT ", 1232},
                               block_t{"PROG:EXPORT?", "PROGram:IMPORT ", 1927}}) {
        QByteArray block;
        QCOMPARE(write_text(vi, blk.export_cmd), VI_SUCCESS);
        QCOMPARE(read_all(vi, &block, 2000), VI_SUCCESS);
        QCOMPARE(block.size(), blk.size);
        QVERIFY(block_check::valid(block, blk.size));
        // more than one fragment of maxRecvSize: the load must see one message
        sim_.clear_log();
        const QByteArray msg = blk.import_head + block;
        QCOMPARE(query(vi, msg), QByteArray("1\n"));
        QCOMPARE(sim_.received_raw(), QList<QByteArray>({msg}));
    }
    viClose(vi);
}

void tst_visa_lan::stopped_load_times_out_in_time()
{
    QVERIFY2(sim_.restart({"--stop-after", "1"}), qPrintable(sim_.error_string()));
    const ViSession vi = open_lan(1000);
    QVERIFY(vi != VI_NULL);
    QCOMPARE(query(vi, "*IDN?").left(8), QByteArray("Tervane,"));
    QCOMPARE(write_text(vi, "*IDN?"), VI_SUCCESS);
    QElapsedTimer t;
    t.start();
    QByteArray reply;
    QCOMPARE(read_all(vi, &reply), VI_ERROR_TMO);
    const qint64 ms = ms_since(t);
    QVERIFY2(ms >= 900 && ms < 2500, qPrintable(QString::number(ms)));
    QVERIFY(reply.isEmpty());
    viClose(vi);
    sim_.stop();
}

void tst_visa_lan::frozen_load_times_out_in_time()
{
    // A load that stops answering at all, even on the RPC level
    const ViSession vi = open_lan(800);
    QVERIFY(vi != VI_NULL);
    QVERIFY2(sim_.freeze(), qPrintable(sim_.error_string()));
    QElapsedTimer t;
    t.start();
    ViStatus st;
    query(vi, "*IDN?", &st);
    const qint64 ms = ms_since(t);
    const QString held = sim_.state_text();
    QVERIFY2(sim_.thaw(), qPrintable(sim_.error_string()));
    QVERIFY2(st == VI_ERROR_TMO, qPrintable(QStringLiteral("status %1 after %2 ms (%3)").arg(st).arg(ms).arg(held)));
    QVERIFY2(ms < 3000, qPrintable(QString::number(ms)));
    // closing does not wait for the frozen load either
    QVERIFY2(sim_.freeze(), qPrintable(sim_.error_string()));
    t.restart();
    QCOMPARE(viClose(vi), VI_SUCCESS);
    QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
    QVERIFY2(sim_.thaw(), qPrintable(sim_.error_string()));
}

void tst_visa_lan::dropped_connection_is_an_error()
{
    QVERIFY2(sim_.restart({"--drop-after", "1"}), qPrintable(sim_.error_string()));
    const ViSession vi = open_lan(5000);
    QVERIFY(vi != VI_NULL);
    QCOMPARE(query(vi, "*IDN?").left(8), QByteArray("Tervane,"));
    QElapsedTimer t;
    t.start();
    const ViStatus st = write_text(vi, "*IDN?");
    QVERIFY2(st == VI_ERROR_CONN_LOST || st == VI_ERROR_IO, qPrintable(QString::number(st)));
    // and stays an error without waiting for timeouts
    QByteArray reply;
    QCOMPARE(read_all(vi, &reply), VI_ERROR_CONN_LOST);
    QVERIFY2(t.elapsed() < 2500, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(viClose(vi), VI_SUCCESS);
    sim_.stop();
}

void tst_visa_lan::refused_link_and_absent_load()
{
    QVERIFY2(sim_.restart({"--refuse-link"}), qPrintable(sim_.error_string()));
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(rm_, lan, VI_NULL, VI_NULL, &vi), VI_ERROR_RSRC_NFOUND);
    QCOMPARE(vi, ViSession(VI_NULL));
    sim_.stop();
    QElapsedTimer t;
    t.start();
    QCOMPARE(viOpen(rm_, lan, VI_NULL, VI_NULL, &vi), VI_ERROR_RSRC_NFOUND);
    QVERIFY(t.elapsed() < 2000);
}

void tst_visa_lan::delayed_reply_within_timeout()
{
    QVERIFY2(sim_.restart({"--delay-ms", "300"}), qPrintable(sim_.error_string()));
    const ViSession vi = open_lan(1000);
    QVERIFY(vi != VI_NULL);
    QElapsedTimer t;
    t.start();
    QCOMPARE(query(vi, "MACHINETYPE?"), QByteArray("Tervane Device\n"));
    QVERIFY(t.elapsed() >= 290);
    // a delay beyond the timeout is a timeout
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 100), VI_SUCCESS);
    ViStatus st;
    query(vi, "MACHINETYPE?", &st);
    QCOMPARE(st, VI_ERROR_TMO);
    viClose(vi);
    sim_.stop();
}

void tst_visa_lan::threads_get_their_own_replies()
{
    const ViSession vi = open_lan(2000);
    QVERIFY(vi != VI_NULL);
    struct job_t {
        QByteArray query, reply;
    };
    const std::vector<job_t> jobs = {{"*IDN?", "Tervane,WLX1300X,SN000001,V1.00,V1.00\n"},
                                     {"MACHINETYPE?", "Tervane Device\n"},
                                     {"LIST:EXPORT?", QByteArray()}};
    std::atomic<int> wrong{0}, failed{0};
    std::vector<std::thread> threads;
    for (const job_t &job : jobs) {
        threads.emplace_back([&, job] {
            for (int i = 0; i < 60; ++i) {
                ViStatus st;
                const QByteArray r = query(vi, job.query, &st);
                if (st != VI_SUCCESS)
                    ++failed;
                else if (job.reply.isEmpty() ? !block_check::valid(r, 1232) : r != job.reply)
                    ++wrong;
            }
        });
    }
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(failed.load(), 0);
    QCOMPARE(wrong.load(), 0);
    QCOMPARE(viClose(vi), VI_SUCCESS);
}

void tst_visa_lan::close_wakes_a_blocked_read()
{
    QVERIFY2(sim_.restart({"--stop-after", "0"}), qPrintable(sim_.error_string()));
    const ViSession vi = open_lan(5000);
    QVERIFY(vi != VI_NULL);
    std::atomic<ViStatus> read_status{VI_SUCCESS};
    std::atomic<qint64> read_ms{0};
    std::atomic<bool> reading{false};
    std::thread reader([&] {
        QElapsedTimer t;
        t.start();
        QByteArray reply;
        if (write_text(vi, "*IDN?") != VI_SUCCESS)
            return;
        reading = true;
        read_status = read_all(vi, &reply);
        read_ms = t.elapsed();
    });
    // give the reader time to block in its read
    QTRY_VERIFY_WITH_TIMEOUT(reading.load(), 2000);
    QTest::qWait(200);
    QElapsedTimer t;
    t.start();
    QCOMPARE(viClose(vi), VI_SUCCESS);
    reader.join();
    QVERIFY2(t.elapsed() < 2500, qPrintable(QString::number(t.elapsed())));
    QVERIFY(read_status.load() != VI_SUCCESS);
    QVERIFY2(read_ms.load() < 2000, qPrintable(QString::number(read_ms.load())));
    // the handle is gone for everyone
    QByteArray reply;
    QCOMPARE(read_all(vi, &reply), VI_ERROR_INV_OBJECT);
    sim_.stop();
}

void tst_visa_lan::stale_replies_do_not_hold_the_deadline()
{
    // The load answers the read only with replies to other calls, for far
    // longer than the time-out; the socket is never quiet meanwhile.
    fake_vxi11_server::behaviour_t b;
    b.stale_ms = 8000;
    fake_vxi11_server fake(b);
    const ViSession vi = open_fake(fake, 2000);
    QVERIFY(vi != VI_NULL);
    QCOMPARE(write_text(vi, "*IDN?"), VI_SUCCESS);
    QElapsedTimer t;
    t.start();
    QByteArray reply;
    QCOMPARE(read_all(vi, &reply), VI_ERROR_TMO);
    QVERIFY2(t.elapsed() < 4000, qPrintable(QString::number(t.elapsed())));
    QVERIFY(reply.isEmpty());
    viClose(vi);
}

void tst_visa_lan::partly_taken_writes_are_completed()
{
    // A load whose buffer takes 100 bytes a call: the rest follows, END with
    // the last byte, and the load sees the one whole message.
    fake_vxi11_server::behaviour_t b;
    b.write_accept = 100;
    fake_vxi11_server fake(b);
    const ViSession vi = open_fake(fake, 2000);
    QVERIFY(vi != VI_NULL);
    QByteArray msg = "LIST:IMPORT ";
    for (int i = 0; msg.size() < 1500; ++i)
        msg += char('A' + i % 26);
    ViUInt32 n = 0;
    QCOMPARE(viWrite(vi, reinterpret_cast<ViConstBuf>(msg.constData()), ViUInt32(msg.size()), &n), VI_SUCCESS);
    QCOMPARE(n, ViUInt32(msg.size()));
    QCOMPARE(fake.messages(), std::vector<std::string>({msg.toStdString()}));
    QCOMPARE(fake.write_calls(), 15);
    QCOMPARE(query(vi, "*IDN?"), QByteArray("ok\n"));
    QCOMPARE(viClose(vi), VI_SUCCESS);
}

QTEST_GUILESS_MAIN(tst_visa_lan)
#include "tst_visa_lan.moc"
