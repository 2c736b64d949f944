// The simulated load checked by independent clients: pyvisa-py (Debian's
// python3-pyvisa-py), liblxi's `lxi scpi`, and rpcbind's rpcinfo for the
// plain ONC RPC side (portmapper listing, null calls).
#include <QtTest>

#include "harness/sim_process.h"

namespace {
struct run_t {
    int code = -1;
    QByteArray out, err;
};

run_t run(const QString &program, const QStringList &args, const QByteArray &input = QByteArray(),
          int timeout_ms = 30000)
{
    QProcess p;
    p.start(program, args);
    run_t r;
    if (!p.waitForStarted(5000)) {
        r.err = p.errorString().toUtf8();
        return r;
    }
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(timeout_ms)) {
        p.kill();
        p.waitForFinished();
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

run_t lxi(const QStringList &args)
{
    return run(QStringLiteral("lxi"), QStringList{"scpi", "-a", "127.0.0.1"} + args);
}

const char *pyvisa_script = R"PY(
import pyvisa
r = pyvisa.ResourceManager('@py').open_resource('TCPIP0::127.0.0.1::INSTR')
assert r.query('*IDN?') == 'Tervane,WLX1300X,SN000001,V1.00,V1.00\n'
assert r.query('MACHINETYPE?') == 'Tervane Device\n'
r.write('SYST:REMOT:STAT 1'); assert r.query('SYST:REMOT:STAT?') == '1\n'
for cmd, size in ((b'LIST', 1232), (b'PROG', 1927)):
    r.write_raw(cmd + b':EXPORT?'); blk = r.read_raw()
    assert len(blk) == size
    x = 0
    for b in blk[1:]:
        x ^= b
    assert blk[0] == (~x) & 0xFF
    head = b'LIST:IMPORT ' if cmd == b'LIST' else b'PROGram:IMPORT '
    r.write_raw(head + blk); assert r.read_raw() == b'1\n'
r.write('CURR 2.5'); assert r.query('CURR?') == '2.5\n'
r.close()
r = pyvisa.ResourceManager('@py').open_resource('TCPIP0::127.0.0.1::inst0::INSTR')
assert r.query('CURRENT?') == '2.5\n'
r.close()
print('ok')
)PY";
} // namespace

class tst_sim_clients : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pyvisa_py();
    void lxi_identity_and_setting();
    void rpcinfo_lists_and_pings();

private:
    sim_process sim_;
};

void tst_sim_clients::initTestCase()
{
    QVERIFY2(sim_.start(), qPrintable(sim_.error_string()));
}

void tst_sim_clients::pyvisa_py()
{
    sim_.clear_log();
    const run_t r = run(QStringLiteral("/usr/bin/python3"), {"-"}, pyvisa_script);
    QVERIFY2(r.code == 0 && r.out.trimmed() == "ok", r.err.constData());
    const QStringList got = sim_.received();
    // pyvisa's write() adds CR LF; write_raw() sends the block as it is
    QVERIFY(got.size() >= 3);
    QCOMPARE(got.first(), QString("*IDN?\r\n"));
    QCOMPARE(got.filter(QRegularExpression("^LIST:IMPORT ")).size(), 1);
    QCOMPARE(got.filter(QRegularExpression("^LIST:IMPORT ")).first().size(), 12 + 1232);
}

void tst_sim_clients::lxi_identity_and_setting()
{
    sim_.clear_log();
    run_t r = lxi({"-t", "2", "*IDN?"});
    QVERIFY2(r.code == 0, r.err.constData());
    QCOMPARE(r.out.trimmed(), QByteArray("Tervane,WLX1300X,SN000001,V1.00,V1.00"));
    r = lxi({"CURR 1.75"});
    QVERIFY2(r.code == 0, r.err.constData());
    QVERIFY(r.out.trimmed().isEmpty());
    r = lxi({"-t", "2", "CURRENT?"});
    QVERIFY2(r.code == 0, r.err.constData());
    QCOMPARE(r.out.trimmed(), QByteArray("1.75"));
    r = lxi({"-t", "2", "LIST:LEV:ALL?"});
    QVERIFY2(r.code == 0, r.err.constData());
    QCOMPARE(r.out.trimmed().split(',').size(), 101);
    // lxi adds no terminator
    QCOMPARE(sim_.received(), QStringList({"*IDN?", "CURR 1.75", "CURRENT?", "LIST:LEV:ALL?"}));
}

void tst_sim_clients::rpcinfo_lists_and_pings()
{
    const QString rpcinfo = QStandardPaths::findExecutable("rpcinfo", {"/usr/sbin", "/sbin", "/usr/bin"});
    QVERIFY2(!rpcinfo.isEmpty(), "rpcinfo missing: scripts/deps.sh installs rpcbind");
    run_t r = run(rpcinfo, {"-p", "127.0.0.1"});
    QVERIFY2(r.code == 0, r.err.constData());
    // "program vers proto port [service]" lines after the heading
    QSet<QString> rows;
    for (const QByteArray &line : r.out.split('\n').mid(1)) {
        const QStringList f = QString::fromLatin1(line).split(' ', Qt::SkipEmptyParts);
        if (f.size() >= 4)
            rows.insert(f.mid(0, 4).join(' '));
    }
    const QString core = QString("395183 1 tcp %1").arg(sim_.core_port());
    QCOMPARE(rows, QSet<QString>({"100000 2 tcp 111", "100000 2 udp 111", core}));
    // the null procedure of the portmapper on both transports and of the core
    // program, looked up through the portmapper
    const QStringList pings[] = {{"-t", "127.0.0.1", "100000", "2"},
                                 {"-u", "127.0.0.1", "100000", "2"},
                                 {"-t", "127.0.0.1", "395183", "1"}};
    for (const QStringList &args : pings) {
        r = run(rpcinfo, args);
        QVERIFY2(r.code == 0 && r.out.contains("ready and waiting"),
                 qPrintable(args.join(' ') + ": " + r.out + r.err));
    }
    // a program the load does not have
    r = run(rpcinfo, {"-t", "127.0.0.1", "100005", "1"});
    QVERIFY(r.code != 0);
}

QTEST_GUILESS_MAIN(tst_sim_clients)
#include "tst_sim_clients.moc"
