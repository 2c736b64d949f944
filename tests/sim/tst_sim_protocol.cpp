// The simulated load's VXI-11 side seen on the wire: portmapper over TCP
// and UDP, core channel procedures, write/read rules, links, fault modes
// and the command line.
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "harness/sim_process.h"
#include "rpc_message_t.h"
#include "rpc_stream_t.h"
#include "vxi11_codec_t.h"
#include "xdr_reader_t.h"
#include "xdr_writer_t.h"

namespace {
using codec = vxi11_codec_t;

sockaddr_in loopback(quint16 port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// One TCP connection speaking RPC
class rpc_conn {
public:
    explicit rpc_conn(quint16 port)
    {
        rpc_stream_t::connect_tcp(loopback(port), 2000, &fd_);
    }
    ~rpc_conn()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    // Sends the call in fragments of at most `fragment` bytes.
    bool send(const std::string &msg, size_t fragment = 0)
    {
        if (!fragment)
            return rpc_stream_t::send_record(fd_, msg, rpc_stream_t::deadline_in(2000)) == rpc_stream_t::OK;
        std::string out;
        for (size_t pos = 0; pos < msg.size(); pos += fragment) {
            const size_t n = std::min(fragment, msg.size() - pos);
            const uint32_t mark = uint32_t(n) | (pos + n == msg.size() ? 0x80000000u : 0);
            for (int s = 24; s >= 0; s -= 8)
                out.push_back(char(mark >> s));
            out += msg.substr(pos, n);
        }
        return rpc_stream_t::send_all(fd_, out.data(), out.size(), rpc_stream_t::deadline_in(2000)) ==
               rpc_stream_t::OK;
    }
    // Reply message (whole RPC reply) or empty on failure.
    std::string receive(int wait_ms = 3000)
    {
        std::string reply;
        if (rpc_stream_t::recv_record(fd_, in_, reply, rpc_stream_t::deadline_in(wait_ms), 4u << 20) !=
            rpc_stream_t::OK)
            return std::string();
        return reply;
    }
    // Results of a successful call, or "" with *accepted false.
    std::string call(uint32_t prog, uint32_t vers, uint32_t proc, const std::string &args,
                     bool *accepted = nullptr, size_t fragment = 0)
    {
        const uint32_t xid = ++xid_;
        std::string results;
        bool good = send(rpc_message_t::build_call(xid, prog, vers, proc, args), fragment);
        if (good) {
            const std::string reply = receive();
            xdr_reader_t r(reply);
            good = rpc_message_t::parse_reply(r, xid) == rpc_message_t::REPLY_OK;
            if (good)
                results.assign(r.position(), r.remaining());
        }
        if (accepted)
            *accepted = good;
        return results;
    }
    int32_t create_link(const std::string &device, int32_t *error = nullptr, uint32_t *max_recv = nullptr)
    {
        codec::create_link_parms_t p;
        p.client_id = 1;
        p.device = device;
        const std::string res = call(codec::core_prog, 1, codec::create_link, codec::encode(p));
        codec::create_link_resp_t r;
        if (!codec::decode(res.data(), res.size(), r))
            r.error = -1;
        if (error)
            *error = r.error;
        if (max_recv)
            *max_recv = r.max_recv_size;
        return r.lid;
    }
    int32_t write(int32_t lid, const std::string &data, bool end = true, size_t fragment = 0)
    {
        codec::write_parms_t p;
        p.lid = lid;
        p.io_timeout = 2000;
        p.flags = end ? codec::flag_end : 0;
        p.data = data;
        const std::string res = call(codec::core_prog, 1, codec::device_write, codec::encode(p), nullptr, fragment);
        codec::write_resp_t r;
        if (!codec::decode(res.data(), res.size(), r))
            return -1;
        return r.error == 0 && r.size == data.size() ? 0 : (r.error ? r.error : -2);
    }
    codec::read_resp_t read(int32_t lid, uint32_t size, uint32_t io_timeout = 2000, int term = -1)
    {
        codec::read_parms_t p;
        p.lid = lid;
        p.request_size = size;
        p.io_timeout = io_timeout;
        if (term >= 0) {
            p.flags = codec::flag_termchar;
            p.term_char = uint32_t(term);
        }
        const std::string res = call(codec::core_prog, 1, codec::device_read, codec::encode(p));
        codec::read_resp_t r;
        if (!codec::decode(res.data(), res.size(), r))
            r.error = -1;
        return r;
    }
    int32_t simple(uint32_t proc, const std::string &args)
    {
        const std::string res = call(codec::core_prog, 1, proc, args);
        int32_t error = -1;
        codec::decode_error(res.data(), res.size(), error);
        return error;
    }

private:
    int fd_ = -1;
    rpc_record_buffer_t in_;
    uint32_t xid_ = 1000;
};

std::string getport_args(uint32_t prog, uint32_t vers, uint32_t prot)
{
    codec::mapping_t m;
    m.prog = prog;
    m.vers = vers;
    m.prot = prot;
    return codec::encode(m);
}

uint32_t accept_stat(const std::string &reply)
{
    xdr_reader_t r(reply);
    uint32_t xid, type, stat, flavor, accept = 99;
    r.get_u32(xid) && r.get_u32(type) && r.get_u32(stat) && r.get_u32(flavor) && r.skip_opaque(400) &&
        r.get_u32(accept);
    return accept;
}
} // namespace

class tst_sim_protocol : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void portmapper_tcp();
    void portmapper_udp();
    void rpc_errors();
    void create_link_rules();
    void write_fragments_and_end();
    void read_chunks_and_termchar();
    void read_without_reply_times_out();
    void links_keep_their_own_replies();
    void other_procedures();
    void fault_replies();
    void faults_from_a_message();
    void command_line_and_signals();

private:
    sim_process sim_;
};

void tst_sim_protocol::initTestCase()
{
    QVERIFY2(sim_.start(), qPrintable(sim_.error_string()));
}

void tst_sim_protocol::cleanup()
{
    if (!sim_.running())
        QVERIFY2(sim_.start(), qPrintable(sim_.error_string()));
}

void tst_sim_protocol::portmapper_tcp()
{
    rpc_conn pm(111);
    QVERIFY(pm.ok());
    bool accepted = false;
    std::string res = pm.call(100000, 2, 3, getport_args(codec::core_prog, 1, 6), &accepted);
    QVERIFY(accepted);
    uint32_t port = 0;
    QVERIFY(codec::decode_u32(res.data(), res.size(), port));
    QCOMPARE(port, uint32_t(sim_.core_port()));
    // the portmapper knows itself on both transports, the core channel on TCP
    // only, and nothing else
    const struct {
        uint32_t prog, vers, prot, port;
    } lookups[] = {{100000, 2, 6, 111}, {100000, 2, 17, 111}, {codec::core_prog, 1, 17, 0},
                   {codec::core_prog, 2, 6, 0},  {100000, 3, 6, 0},    {100005, 1, 6, 0}};
    for (const auto &l : lookups) {
        res = pm.call(100000, 2, 3, getport_args(l.prog, l.vers, l.prot), &accepted);
        QVERIFY(accepted && codec::decode_u32(res.data(), res.size(), port));
        QCOMPARE(port, l.port);
    }
    // DUMP lists the three mappings
    res = pm.call(100000, 2, 4, std::string(), &accepted);
    QVERIFY(accepted);
    xdr_writer_t expect;
    for (const codec::mapping_t &m : {codec::mapping_t{100000, 2, 6, 111}, codec::mapping_t{100000, 2, 17, 111},
                                      codec::mapping_t{codec::core_prog, 1, 6, sim_.core_port()}}) {
        expect.put_bool(true);
        expect.put_raw(codec::encode(m));
    }
    expect.put_bool(false);
    QCOMPARE(QByteArray::fromStdString(res), QByteArray::fromStdString(expect.data()));
    // NULL
    pm.call(100000, 2, 0, std::string(), &accepted);
    QVERIFY(accepted);
}

void tst_sim_protocol::portmapper_udp()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    QVERIFY(fd >= 0);
    const sockaddr_in to = loopback(111);
    const std::string call = rpc_message_t::build_call(77, 100000, 2, 3, getport_args(codec::core_prog, 1, 6));
    QCOMPARE(::sendto(fd, call.data(), call.size(), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to),
             ssize_t(call.size()));
    QCOMPARE(rpc_stream_t::wait_readable(fd, rpc_stream_t::deadline_in(2000)), rpc_stream_t::OK);
    char buf[512];
    const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    ::close(fd);
    QVERIFY(n > 0);
    xdr_reader_t r(buf, size_t(n));
    QCOMPARE(rpc_message_t::parse_reply(r, 77), rpc_message_t::REPLY_OK);
    uint32_t port = 0;
    QVERIFY(r.get_u32(port));
    QCOMPARE(port, uint32_t(sim_.core_port()));
}

void tst_sim_protocol::rpc_errors()
{
    rpc_conn pm(111);
    QVERIFY(pm.ok());
    // rpcbind versions 3 and 4: PROG_MISMATCH 2..2
    QVERIFY(pm.send(rpc_message_t::build_call(5, 100000, 4, 3, getport_args(codec::core_prog, 1, 6))));
    std::string reply = pm.receive();
    QCOMPARE(accept_stat(reply), uint32_t(rpc_message_t::PROG_MISMATCH));
    QCOMPARE(QByteArray::fromStdString(reply.substr(reply.size() - 8)), QByteArray::fromHex("0000000200000002"));
    QVERIFY(pm.send(rpc_message_t::build_call(6, 100000, 2, 9, std::string())));
    QCOMPARE(accept_stat(pm.receive()), uint32_t(rpc_message_t::PROC_UNAVAIL));
    // the core program is not served on the portmapper port
    QVERIFY(pm.send(rpc_message_t::build_call(7, codec::core_prog, 1, 10, std::string())));
    QCOMPARE(accept_stat(pm.receive()), uint32_t(rpc_message_t::PROG_UNAVAIL));
    // GETPORT without its arguments
    QVERIFY(pm.send(rpc_message_t::build_call(8, 100000, 2, 3, std::string("\0\0", 2))));
    QCOMPARE(accept_stat(pm.receive()), uint32_t(rpc_message_t::GARBAGE_ARGS));
    // rpcvers 3: MSG_DENIED, RPC_MISMATCH 2..2
    xdr_writer_t w;
    for (uint32_t v : {9u, 0u, 3u, 100000u, 2u, 0u, 0u, 0u, 0u, 0u})
        w.put_u32(v);
    QVERIFY(pm.send(w.data()));
    QCOMPARE(QByteArray::fromStdString(pm.receive()),
             QByteArray::fromHex("00000009" "00000001" "00000001" "00000000" "00000002" "00000002"));

    rpc_conn core(sim_.core_port());
    // procedure 0 of the core program: the null call, empty results
    bool accepted = false;
    QCOMPARE(core.call(codec::core_prog, 1, 0, std::string(), &accepted), std::string());
    QVERIFY(accepted);
    QVERIFY(core.send(rpc_message_t::build_call(10, codec::core_prog, 2, 10, std::string())));
    QCOMPARE(accept_stat(core.receive()), uint32_t(rpc_message_t::PROG_MISMATCH));
    QVERIFY(core.send(rpc_message_t::build_call(11, codec::core_prog, 1, 21, std::string())));
    QCOMPARE(accept_stat(core.receive()), uint32_t(rpc_message_t::PROC_UNAVAIL));
}

void tst_sim_protocol::create_link_rules()
{
    rpc_conn core(sim_.core_port());
    int32_t error = -1;
    uint32_t max_recv = 0;
    const int32_t a = core.create_link("INST0", &error, &max_recv);
    QCOMPARE(error, 0);
    QVERIFY(a != 0);
    QCOMPARE(max_recv, 1024u);
    const int32_t b = core.create_link("inst0", &error);
    QCOMPARE(error, 0);
    QVERIFY(b != a && b != 0);
    QCOMPARE(core.create_link("inst1", &error), 0);
    QCOMPARE(error, 3);
    QCOMPARE(core.simple(codec::destroy_link, codec::encode_lid(a)), 0);
    QCOMPARE(core.simple(codec::destroy_link, codec::encode_lid(a)), 4);
    QCOMPARE(core.write(a, "*IDN?"), 4);
    QCOMPARE(core.read(a, 100).error, 4);
}

void tst_sim_protocol::write_fragments_and_end()
{
    rpc_conn core(sim_.core_port());
    const int32_t lid = core.create_link("inst0");
    sim_.clear_log();
    // a message in pieces without END, then END; the call itself in
    // several record-marking fragments
    QCOMPARE(core.write(lid, "CURR", false), 0);
    QCOMPARE(core.write(lid, " 1.25", true, 13), 0);
    // a write far beyond maxRecvSize in one call is taken whole
    const std::string big = "SIM:NOTHING " + std::string(5000, 'x');
    QCOMPARE(core.write(lid, big), 0);
    // a message without END is executed when its reply is read
    QCOMPARE(core.write(lid, "CURR?", false), 0);
    const codec::read_resp_t r = core.read(lid, 100);
    QCOMPARE(r.error, 0);
    QCOMPARE(QByteArray::fromStdString(r.data), QByteArray("1.25\n"));
    QCOMPARE(sim_.received(), QStringList({"CURR 1.25", QString::fromStdString(big), "CURR?"}));
}

void tst_sim_protocol::read_chunks_and_termchar()
{
    rpc_conn core(sim_.core_port());
    const int32_t lid = core.create_link("inst0");
    const QByteArray idn("Tervane,WLX1300X,SN000001,V1.00,V1.00\n");
    // small requests: REQCNT until the last chunk
    QCOMPARE(core.write(lid, "*IDN?"), 0);
    QByteArray got;
    for (int i = 0; i < 20; ++i) {
        const codec::read_resp_t r = core.read(lid, 16);
        QCOMPARE(r.error, 0);
        QVERIFY(r.data.size() <= 16);
        got += QByteArray::fromStdString(r.data);
        if (r.reason & codec::reason_end) {
            QCOMPARE(r.reason, codec::reason_end);
            break;
        }
        QCOMPARE(r.reason, codec::reason_reqcnt);
    }
    QCOMPARE(got, idn);
    // term char enabled: '\n' ends the reply with END|CHR, ',' cuts it
    QCOMPARE(core.write(lid, "*IDN?"), 0);
    codec::read_resp_t r = core.read(lid, 1000, 2000, ',');
    QCOMPARE(QByteArray::fromStdString(r.data), QByteArray("Tervane,"));
    QCOMPARE(r.reason, codec::reason_chr);
    r = core.read(lid, 1000, 2000, '\n');
    QCOMPARE(QByteArray::fromStdString(r.data), idn.mid(8));
    QCOMPARE(r.reason, codec::reason_end | codec::reason_chr);
    // binary block: no term char, one chunk, whole
    QCOMPARE(core.write(lid, "LIST:EXPORT?"), 0);
    r = core.read(lid, 2000);
    QCOMPARE(int(r.data.size()), 1232);
    QCOMPARE(r.reason, codec::reason_end);
}

void tst_sim_protocol::read_without_reply_times_out()
{
    rpc_conn core(sim_.core_port());
    const int32_t lid = core.create_link("inst0");
    QElapsedTimer t;
    t.start();
    QCOMPARE(core.read(lid, 100, 300).error, 15);
    QVERIFY(t.elapsed() >= 290 && t.elapsed() < 3000);
    // an unknown query leaves no reply, and a new message drops an old one
    QCOMPARE(core.write(lid, "NO:SUCH:THING?"), 0);
    QCOMPARE(core.read(lid, 100, 200).error, 15);
    QCOMPARE(core.write(lid, "*IDN?"), 0);
    QCOMPARE(core.write(lid, "CURR 1"), 0);
    QCOMPARE(core.read(lid, 100, 200).error, 15);

    // the start-up cap shortens a long io_timeout
    QVERIFY2(sim_.restart({"--max-read-wait", "100"}), qPrintable(sim_.error_string()));
    rpc_conn capped(sim_.core_port());
    const int32_t l2 = capped.create_link("inst0");
    t.restart();
    QCOMPARE(capped.read(l2, 100, 10000).error, 15);
    QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
}

void tst_sim_protocol::links_keep_their_own_replies()
{
    rpc_conn c1(sim_.core_port()), c2(sim_.core_port());
    const int32_t a = c1.create_link("inst0");
    const int32_t b = c2.create_link("inst0");
    const int32_t a2 = c1.create_link("inst0"); // second link on one connection
    QCOMPARE(c1.write(a, "*IDN?"), 0);
    QCOMPARE(c2.write(b, "MACHINETYPE?"), 0);
    QCOMPARE(c1.write(a2, "CURR?"), 0);
    QCOMPARE(QByteArray::fromStdString(c2.read(b, 100).data), QByteArray("Tervane Device\n"));
    QCOMPARE(QByteArray::fromStdString(c1.read(a2, 100).data).right(1), QByteArray("\n"));
    QCOMPARE(QByteArray::fromStdString(c1.read(a, 100).data).left(8), QByteArray("Tervane,"));
    // a closed connection takes its links along, the others stay
    sim_.clear_log();
    {
        rpc_conn c3(sim_.core_port());
        c3.create_link("inst0");
    }
    QTRY_VERIFY(sim_.log_lines().filter(" UNLINK ").filter("connection closed").size() == 1);
    QCOMPARE(c2.write(b, "*IDN?"), 0);
    QCOMPARE(c2.read(b, 100).error, 0);
}

void tst_sim_protocol::other_procedures()
{
    rpc_conn core(sim_.core_port());
    const int32_t lid = core.create_link("inst0");
    codec::generic_parms_t g;
    g.lid = lid;
    g.io_timeout = 1000;
    QCOMPARE(core.write(lid, "*IDN?"), 0);
    std::string res = core.call(codec::core_prog, 1, codec::device_readstb, codec::encode(g));
    QCOMPARE(QByteArray::fromStdString(res).toHex(), QByteArray("0000000000000010"));
    // clear drops the pending reply
    QCOMPARE(core.simple(codec::device_clear, codec::encode(g)), 0);
    QCOMPARE(core.read(lid, 100, 100).error, 15);
    QCOMPARE(core.simple(codec::device_remote, codec::encode(g)), 0);
    QCOMPARE(core.write(lid, "SYST:REMOT:STAT?"), 0);
    QCOMPARE(QByteArray::fromStdString(core.read(lid, 100).data), QByteArray("1\n"));
    QCOMPARE(core.simple(codec::device_local, codec::encode(g)), 0);
    QCOMPARE(core.write(lid, "SYST:REMOT:STAT?"), 0);
    QCOMPARE(QByteArray::fromStdString(core.read(lid, 100).data), QByteArray("0\n"));
    QCOMPARE(core.simple(codec::device_trigger, codec::encode(g)), 0);
    QCOMPARE(core.simple(codec::device_unlock, codec::encode_lid(lid)), 0);
    QCOMPARE(core.simple(codec::create_intr_chan, std::string(20, '\0')), 6);
    QCOMPARE(core.simple(codec::destroy_intr_chan, std::string()), 6);
    xdr_writer_t docmd;
    for (int32_t v : {lid, 0, 1000, 0, 0x20000, 0, 0})
        docmd.put_i32(v);
    docmd.put_opaque(nullptr, 0);
    res = core.call(codec::core_prog, 1, codec::device_docmd, docmd.data());
    QCOMPARE(QByteArray::fromStdString(res).toHex(), QByteArray("0000000800000000"));
}

void tst_sim_protocol::fault_replies()
{
    QVERIFY2(sim_.restart({"--garbage"}), qPrintable(sim_.error_string()));
    {
        rpc_conn core(sim_.core_port());
        const int32_t lid = core.create_link("inst0");
        QCOMPARE(core.write(lid, "*IDN?"), 0);
        const codec::read_resp_t r = core.read(lid, 1000);
        QCOMPARE(r.error, 0);
        QVERIFY(!r.data.empty() && r.data.find("WLX") == std::string::npos);
        QCOMPARE(core.write(lid, "CURR 1"), 0); // settings still answer nothing
        QCOMPARE(core.read(lid, 100, 100).error, 15);
    }
    QVERIFY2(sim_.restart({"--oversize"}), qPrintable(sim_.error_string()));
    {
        rpc_conn core(sim_.core_port());
        const int32_t lid = core.create_link("inst0");
        QCOMPARE(core.write(lid, "MACHINETYPE?"), 0);
        size_t total = 0;
        codec::read_resp_t r;
        do {
            r = core.read(lid, 512 * 1024);
            QCOMPARE(r.error, 0);
            total += r.data.size();
        } while (!(r.reason & codec::reason_end));
        QVERIFY(total > 1024 * 1024);
        QVERIFY(QByteArray::fromStdString(r.data).endsWith("Tervane Device\n"));
    }
    sim_.stop();
}

void tst_sim_protocol::faults_from_a_message()
{
    // Garbage for one message from the first "MACHINETYPE?" on, then sane again.
    QVERIFY2(sim_.restart({"--fault-at", "MACHINETYPE?", "--fault-for", "1", "--garbage"}),
             qPrintable(sim_.error_string()));
    {
        rpc_conn core(sim_.core_port());
        const int32_t lid = core.create_link("inst0");
        QCOMPARE(core.write(lid, "*IDN?"), 0);
        QVERIFY(core.read(lid, 1000).data.find("WLX") != std::string::npos);
        QCOMPARE(core.write(lid, "MACHINETYPE?"), 0);
        const std::string junk = core.read(lid, 1000).data;
        QVERIFY(!junk.empty() && junk.find("Tervane") == std::string::npos);
        QCOMPARE(core.write(lid, "MACHINETYPE?"), 0);
        QCOMPARE(core.read(lid, 1000).data, std::string("Tervane Device\n"));
    }
    // Silent from the first "VOLT?" on, that message included.
    QVERIFY2(sim_.restart({"--fault-at", "VOLT?", "--stop-after", "0"}), qPrintable(sim_.error_string()));
    {
        rpc_conn core(sim_.core_port());
        const int32_t lid = core.create_link("inst0");
        QCOMPARE(core.write(lid, "LIST:COUN?"), 0);
        QCOMPARE(core.read(lid, 100).data, std::string("1\n"));
        QCOMPARE(core.write(lid, "VOLT?"), 0);
        QCOMPARE(core.read(lid, 100, 100).error, 15);
        QCOMPARE(core.write(lid, "LIST:COUN?"), 0);
        QCOMPARE(core.read(lid, 100, 100).error, 15);
    }
    // A late reply only for the message after the trigger.
    QVERIFY2(sim_.restart({"--fault-at", "*CLS", "--fault-for", "2", "--delay-ms", "300"}),
             qPrintable(sim_.error_string()));
    {
        rpc_conn core(sim_.core_port());
        const int32_t lid = core.create_link("inst0");
        QCOMPARE(core.write(lid, "*CLS"), 0);
        QCOMPARE(core.write(lid, "LIST:COUN?"), 0);
        QCOMPARE(core.read(lid, 100, 100).error, 15);
        QCOMPARE(core.read(lid, 100, 1000).data, std::string("1\n"));
        QCOMPARE(core.write(lid, "LIST:COUN?"), 0);
        QCOMPARE(core.read(lid, 100, 100).data, std::string("1\n"));
    }
    // The connection closes at the first "VOLT?".
    QVERIFY2(sim_.restart({"--fault-at", "VOLT?", "--drop-after", "0"}), qPrintable(sim_.error_string()));
    {
        rpc_conn core(sim_.core_port());
        const int32_t lid = core.create_link("inst0");
        QCOMPARE(core.write(lid, "CURR 1"), 0);
        QVERIFY(core.write(lid, "VOLT?") != 0);
    }
    QVERIFY(sim_.log_lines().filter(" DROP ").size() == 1);
    sim_.stop();
}

void tst_sim_protocol::command_line_and_signals()
{
    const QString program = qEnvironmentVariable("WATTLEX_SIM");
    QProcess p;
    p.start(program, {"--no-such-option"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("--no-such-option"));
    p.start(program, {"--idn", "only,three,fields"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);

    // own identity, own ports; SIGTERM ends it cleanly
    QVERIFY2(sim_.restart({"--idn", "Maker,WLX1200X,SN9,V2,V3", "--core-port", "4321"}),
             qPrintable(sim_.error_string()));
    QCOMPARE(sim_.core_port(), quint16(4321));
    rpc_conn core(4321);
    const int32_t lid = core.create_link("inst0");
    QCOMPARE(core.write(lid, "*IDN?"), 0);
    QCOMPARE(QByteArray::fromStdString(core.read(lid, 100).data), QByteArray("Maker,WLX1200X,SN9,V2,V3\n"));
    // a second load cannot take the same ports
    p.start(program, {"--portmap-port", "111"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 1);
    sim_.stop();
    QVERIFY(sim_.log_lines().last().contains(" STOP - SIGTERM"));
}

QTEST_GUILESS_MAIN(tst_sim_protocol)
#include "tst_sim_protocol.moc"
