// XDR, RPC headers, VXI-11 argument layouts, resource names and find
// expressions.
#include <QtTest>

#include "rpc_message_t.h"
#include "rpc_record_buffer_t.h"
#include "usbtmc_finder_t.h"
#include "visa_resource_t.h"
#include "vxi11_codec_t.h"
#include "xdr_reader_t.h"
#include "xdr_writer_t.h"

class tst_visa_codec : public QObject {
    Q_OBJECT
private slots:
    void xdr_words_are_big_endian();
    void xdr_opaque_padding_data();
    void xdr_opaque_padding();
    void xdr_reader_rejects_bad_input();
    void rpc_call_round_trip();
    void rpc_reply_outcomes();
    void record_buffer_data();
    void record_buffer();
    void vxi11_layouts();
    void resource_names_data();
    void resource_names();
    void find_expressions_data();
    void find_expressions();
};

void tst_visa_codec::xdr_words_are_big_endian()
{
    xdr_writer_t w;
    w.put_u32(0x0607AF);
    w.put_i32(-2);
    w.put_bool(true);
    QCOMPARE(QByteArray::fromStdString(w.data()),
             QByteArray::fromHex("000607af" "fffffffe" "00000001"));
    xdr_reader_t r(w.data());
    uint32_t u;
    int32_t i;
    bool b;
    QVERIFY(r.get_u32(u) && r.get_i32(i) && r.get_bool(b));
    QCOMPARE(u, 0x0607AFu);
    QCOMPARE(i, -2);
    QVERIFY(b);
    QCOMPARE(r.remaining(), size_t(0));
    QVERIFY(!r.get_u32(u));
    QVERIFY(!r.ok());
}

void tst_visa_codec::xdr_opaque_padding_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("encoded");
    QTest::newRow("empty") << QByteArray() << 4;
    QTest::newRow("1") << QByteArray("\n") << 8;
    QTest::newRow("3") << QByteArray("a\nb") << 8;
    QTest::newRow("4") << QByteArray("inst") << 8;
    QTest::newRow("5") << QByteArray("inst0") << 12;
    QTest::newRow("binary") << QByteArray::fromHex("00ff0a0d20") << 12;
}

void tst_visa_codec::xdr_opaque_padding()
{
    QFETCH(QByteArray, data);
    QFETCH(int, encoded);
    xdr_writer_t w;
    w.put_opaque(data.constData(), size_t(data.size()));
    w.put_u32(7);
    QCOMPARE(int(w.data().size()), encoded + 4);
    // padding bytes are zero
    for (int k = 4 + data.size(); k < encoded; ++k)
        QCOMPARE(w.data()[size_t(k)], '\0');
    xdr_reader_t r(w.data());
    std::string out;
    uint32_t tail;
    QVERIFY(r.get_opaque(out, 100));
    QCOMPARE(QByteArray::fromStdString(out), data);
    QVERIFY(r.get_u32(tail));
    QCOMPARE(tail, 7u);
}

void tst_visa_codec::xdr_reader_rejects_bad_input()
{
    std::string out;
    // length beyond the data
    const QByteArray longer = QByteArray::fromHex("00000008" "41424344");
    xdr_reader_t r1(longer.constData(), size_t(longer.size()));
    QVERIFY(!r1.get_opaque(out, 100));
    // padding missing
    const QByteArray unpadded = QByteArray::fromHex("00000005" "4142434445");
    xdr_reader_t r2(unpadded.constData(), size_t(unpadded.size()));
    QVERIFY(!r2.get_opaque(out, 100));
    // above the caller's limit
    const QByteArray big = QByteArray::fromHex("00000008" "4142434445464748");
    xdr_reader_t r3(big.constData(), size_t(big.size()));
    QVERIFY(!r3.get_opaque(out, 4));
    // huge length must not wrap around
    const QByteArray huge = QByteArray::fromHex("fffffffe" "41424344");
    xdr_reader_t r4(huge.constData(), size_t(huge.size()));
    QVERIFY(!r4.get_opaque(out, size_t(-1)));
    // a bool is 0 or 1
    const QByteArray two = QByteArray::fromHex("00000002");
    xdr_reader_t r5(two.constData(), size_t(two.size()));
    bool b;
    QVERIFY(!r5.get_bool(b));
    // after a failure everything fails
    uint32_t u;
    QVERIFY(!r5.get_u32(u));
}

void tst_visa_codec::rpc_call_round_trip()
{
    const std::string msg = rpc_message_t::build_call(0x11223344, 100000, 2, 3, std::string("ARGS"));
    QCOMPARE(QByteArray::fromStdString(msg.substr(0, 40)),
             QByteArray::fromHex("11223344" "00000000" "00000002" "000186a0" "00000002" "00000003"
                                 "00000000" "00000000" "00000000" "00000000"));
    xdr_reader_t r(msg);
    rpc_message_t::call_t call;
    QVERIFY(rpc_message_t::parse_call(r, call));
    QCOMPARE(call.xid, 0x11223344u);
    QCOMPARE(call.prog, 100000u);
    QCOMPARE(call.vers, 2u);
    QCOMPARE(call.proc, 3u);
    QCOMPARE(std::string(r.position(), r.remaining()), std::string("ARGS"));

    // a credential with a body (AUTH_UNIX) is skipped
    xdr_writer_t w;
    for (uint32_t v : {7u, 0u, 2u, 0x0607AFu, 1u, 10u, 1u})
        w.put_u32(v);
    w.put_opaque("12345678", 8);
    w.put_u32(0);
    w.put_u32(0);
    w.put_u32(99);
    xdr_reader_t r2(w.data());
    QVERIFY(rpc_message_t::parse_call(r2, call));
    uint32_t arg;
    QVERIFY(r2.get_u32(arg));
    QCOMPARE(arg, 99u);

    // a reply is not a call
    const std::string reply = rpc_message_t::build_success(5, std::string());
    xdr_reader_t r3(reply);
    QVERIFY(!rpc_message_t::parse_call(r3, call));
}

void tst_visa_codec::rpc_reply_outcomes()
{
    const std::string ok = rpc_message_t::build_success(42, vxi11_codec_t::encode_u32(1234));
    xdr_reader_t r1(ok);
    QCOMPARE(rpc_message_t::parse_reply(r1, 42), rpc_message_t::REPLY_OK);
    uint32_t port;
    QVERIFY(r1.get_u32(port));
    QCOMPARE(port, 1234u);

    uint32_t xid = 0;
    xdr_reader_t r2(ok);
    QCOMPARE(rpc_message_t::parse_reply(r2, 41, &xid), rpc_message_t::REPLY_WRONG_XID);
    QCOMPARE(xid, 42u);

    const std::string mismatch = rpc_message_t::build_prog_mismatch(9, 2, 2);
    xdr_reader_t r3(mismatch);
    QCOMPARE(rpc_message_t::parse_reply(r3, 9), rpc_message_t::REPLY_REJECTED);

    const std::string denied = rpc_message_t::build_rpc_mismatch(9);
    xdr_reader_t r4(denied);
    QCOMPARE(rpc_message_t::parse_reply(r4, 9), rpc_message_t::REPLY_REJECTED);

    for (size_t cut = 0; cut < 24; cut += 4) {
        const std::string part = ok.substr(0, cut);
        xdr_reader_t r(part);
        QCOMPARE(rpc_message_t::parse_reply(r, 42), rpc_message_t::REPLY_MALFORMED);
    }
}

namespace {
QByteArray fragment(const QByteArray &body, bool last)
{
    const quint32 mark = quint32(body.size()) | (last ? 0x80000000u : 0);
    QByteArray out;
    for (int s = 24; s >= 0; s -= 8)
        out.append(char(mark >> s));
    return out + body;
}
} // namespace

void tst_visa_codec::record_buffer_data()
{
    // bytes arriving in pieces of `piece`; the records taken, and what is
    // left at the end: "" (nothing), "partial" or "too large"
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("piece");
    QTest::addColumn<QList<QByteArray>>("records");
    QTest::addColumn<QString>("left");
    const QByteArray two = fragment("first", true) + fragment("second", true);
    QTest::newRow("two records at once") << two << 1000 << QList<QByteArray>{"first", "second"} << "";
    QTest::newRow("byte by byte") << two << 1 << QList<QByteArray>{"first", "second"} << "";
    QTest::newRow("fragments joined")
        << fragment("ab", false) + fragment("", false) + fragment("cd", true) << 3 << QList<QByteArray>{"abcd"} << "";
    QTest::newRow("record then half a header")
        << fragment("x", true) + QByteArray("\x80\x00", 2) << 1000 << QList<QByteArray>{"x"} << "partial";
    QTest::newRow("body cut short") << fragment("whole", true).left(7) << 2 << QList<QByteArray>{} << "partial";
    QTest::newRow("over the limit") << fragment(QByteArray(65, 'z'), true) << 1000 << QList<QByteArray>{}
                                    << "too large";
    QTest::newRow("fragments over the limit together")
        << fragment(QByteArray(40, 'a'), false) + fragment(QByteArray(40, 'b'), true) << 1000
        << QList<QByteArray>{} << "too large";
}

void tst_visa_codec::record_buffer()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, piece);
    QFETCH(QList<QByteArray>, records);
    QFETCH(QString, left);
    rpc_record_buffer_t in;
    QList<QByteArray> got;
    QString end;
    std::string msg;
    for (int at = 0; at < stream.size() && end.isEmpty(); at += piece) {
        const QByteArray part = stream.mid(at, piece);
        in.append(part.constData(), size_t(part.size()));
        for (;;) {
            const rpc_record_buffer_t::take_t t = in.take(msg, 64);
            if (t == rpc_record_buffer_t::RECORD)
                got << QByteArray::fromStdString(msg);
            else if (t == rpc_record_buffer_t::TOO_LARGE)
                end = "too large";
            if (t != rpc_record_buffer_t::RECORD)
                break;
        }
    }
    if (end.isEmpty() && in.partial())
        end = "partial";
    QCOMPARE(got, records);
    QCOMPARE(end, left);
}

void tst_visa_codec::vxi11_layouts()
{
    vxi11_codec_t::create_link_parms_t cl;
    cl.client_id = 77;
    cl.lock_timeout = 10000;
    cl.device = "inst0";
    const std::string enc = vxi11_codec_t::encode(cl);
    QCOMPARE(QByteArray::fromStdString(enc),
             QByteArray::fromHex("0000004d" "00000000" "00002710" "00000005" "696e737430000000"));
    vxi11_codec_t::create_link_parms_t back;
    QVERIFY(vxi11_codec_t::decode(enc.data(), enc.size(), back));
    QCOMPARE(back.device, std::string("inst0"));
    QCOMPARE(back.lock_timeout, 10000u);

    // a read reply holding line feeds and zero bytes comes back whole
    vxi11_codec_t::read_resp_t rr;
    rr.reason = vxi11_codec_t::reason_end;
    rr.data = std::string("\x11\n\0\r\n,", 6);
    const std::string renc = vxi11_codec_t::encode(rr);
    vxi11_codec_t::read_resp_t rback;
    QVERIFY(vxi11_codec_t::decode(renc.data(), renc.size(), rback));
    QCOMPARE(rback.reason, vxi11_codec_t::reason_end);
    QCOMPARE(rback.data, rr.data);
    // every truncation of it fails
    for (size_t cut = 0; cut < renc.size(); ++cut)
        QVERIFY(!vxi11_codec_t::decode(renc.data(), cut, rback));

    vxi11_codec_t::write_parms_t wp;
    wp.lid = 3;
    wp.io_timeout = 2000;
    wp.flags = vxi11_codec_t::flag_end;
    wp.data = "CURR 2.5";
    const std::string wenc = vxi11_codec_t::encode(wp);
    vxi11_codec_t::write_parms_t wback;
    QVERIFY(vxi11_codec_t::decode(wenc.data(), wenc.size(), wback));
    QCOMPARE(wback.lid, 3);
    QCOMPARE(wback.io_timeout, 2000u);
    QCOMPARE(wback.flags, vxi11_codec_t::flag_end);
    QCOMPARE(wback.data, std::string("CURR 2.5"));
}

void tst_visa_codec::resource_names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("host_or_serial");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("vendor");
    QTest::addColumn<int>("product");
    const int tcp = visa_resource_t::TCPIP, usb = visa_resource_t::USB, none = visa_resource_t::NONE;
    QTest::newRow("lan") << "TCPIP0::192.168.1.20::INSTR" << tcp << "192.168.1.20" << "inst0" << 0 << 0;
    QTest::newRow("lan inst0") << "TCPIP0::10.0.0.5::inst0::INSTR" << tcp << "10.0.0.5" << "inst0" << 0 << 0;
    QTest::newRow("lan no board") << "TCPIP::127.0.0.1::INSTR" << tcp << "127.0.0.1" << "inst0" << 0 << 0;
    QTest::newRow("lan lower case") << "tcpip0::loadhost::gpib0,5::instr" << tcp << "loadhost" << "gpib0,5" << 0 << 0;
    QTest::newRow("usb") << "USB0::0x5AB5::0x0E11::WX3A204800938::INSTR" << usb << "WX3A204800938" << "" << 0x5AB5 << 0x0E11;
    QTest::newRow("usb lower, decimal") << "usb0::23221::3601::sn1::instr" << usb << "sn1" << "" << 23221 << 3601;
    QTest::newRow("usb interface") << "USB0::0x6957::0x1A07::MY123::0::INSTR" << usb << "MY123" << "" << 0x6957 << 0x1A07;
    QTest::newRow("no INSTR") << "TCPIP0::1.2.3.4::inst0" << none << "" << "" << 0 << 0;
    QTest::newRow("socket") << "TCPIP0::1.2.3.4::5025::SOCKET" << none << "" << "" << 0 << 0;
    QTest::newRow("empty host") << "TCPIP0::::INSTR" << none << "" << "" << 0 << 0;
    QTest::newRow("bad host") << "TCPIP0::a b::INSTR" << none << "" << "" << 0 << 0;
    QTest::newRow("bad vendor") << "USB0::0xZZ::0x1::S::INSTR" << none << "" << "" << 0 << 0;
    QTest::newRow("vendor too big") << "USB0::0x10000::0x1::S::INSTR" << none << "" << "" << 0 << 0;
    QTest::newRow("usb too short") << "USB0::0x1::0x2::INSTR" << none << "" << "" << 0 << 0;
    QTest::newRow("other bus") << "GPIB0::5::INSTR" << none << "" << "" << 0 << 0;
    QTest::newRow("empty") << "" << none << "" << "" << 0 << 0;
}

void tst_visa_codec::resource_names()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QString, host_or_serial);
    QFETCH(QString, device);
    QFETCH(int, vendor);
    QFETCH(int, product);
    visa_resource_t r;
    QCOMPARE(visa_resource_t::parse(name.toStdString(), r), kind != visa_resource_t::NONE);
    QCOMPARE(int(r.kind), kind);
    if (kind == visa_resource_t::TCPIP) {
        QCOMPARE(QString::fromStdString(r.host), host_or_serial);
        QCOMPARE(QString::fromStdString(r.device), device);
    } else if (kind == visa_resource_t::USB) {
        QCOMPARE(QString::fromStdString(r.serial), host_or_serial);
        QCOMPARE(int(r.vendor), vendor);
        QCOMPARE(int(r.product), product);
        // the name viFindRsrc reports parses back to the same device
        visa_resource_t again;
        QVERIFY(visa_resource_t::parse(visa_resource_t::usb_name(r.vendor, r.product, r.serial), again));
        QCOMPARE(again.vendor, r.vendor);
        QCOMPARE(again.serial, r.serial);
    }
}

void tst_visa_codec::find_expressions_data()
{
    QTest::addColumn<QString>("expr");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("match");
    const QString usb = "USB0::0x5AB5::0x0E11::SN42::INSTR";
    QTest::newRow("all") << "?*" << usb << true;
    QTest::newRow("all instr") << "?*INSTR" << usb << true;
    QTest::newRow("usb") << "USB?*" << usb << true;
    QTest::newRow("case") << "usb?*instr" << usb << true;
    QTest::newRow("lan") << "TCPIP?*" << usb << false;
    QTest::newRow("vendor") << "USB?*::0x5AB5::?*" << usb << true;
    QTest::newRow("other vendor") << "USB?*::0x6957::?*" << usb << false;
    QTest::newRow("set") << "USB[0-9]::?*" << usb << true;
    QTest::newRow("negated set") << "USB[^0]::?*" << usb << false;
    QTest::newRow("? needs a char") << "?*INSTR?" << usb << false;
    QTest::newRow("exact") << usb << usb << true;
    QTest::newRow("unterminated set") << "USB[0::?*" << usb << false;
}

void tst_visa_codec::find_expressions()
{
    QFETCH(QString, expr);
    QFETCH(QString, name);
    QFETCH(bool, match);
    QCOMPARE(usbtmc_finder_t::match(expr.toStdString(), name.toStdString()), match);
}

QTEST_APPLESS_MAIN(tst_visa_codec)
#include "tst_visa_codec.moc"
