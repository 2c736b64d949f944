// Identification replies: fields, maker and model families.
#include "device/drv_device_info_t.h"

#include <QtTest>

class tst_link_device_info : public QObject
{
    Q_OBJECT
private slots:
    void families_data();
    void families();
    void fields_of_a_reply();
    void maker_rule_data();
    void maker_rule();
    void short_and_empty_replies();
};

void tst_link_device_info::families_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("family");
    QTest::newRow("X") << "WLX1300X" << 0;
    QTest::newRow("X 200") << "WLX1200X" << 0;
    QTest::newRow("E") << "WLX1300X-E" << 1;
    QTest::newRow("C") << "WLX1150X-C" << 2;
    QTest::newRow("two digits") << "WLX130X" << 3;
    QTest::newRow("four digits") << "WLX13000X" << 3;
    QTest::newRow("lower case") << "wlx1300x" << 3;
    QTest::newRow("no X") << "WLX1300" << 3;
    QTest::newRow("other suffix") << "WLX1300X-D" << 3;
    QTest::newRow("suffix without dash") << "WLX1300XE" << 3;
    QTest::newRow("prefix") << "AWLX1300X" << 3;
    QTest::newRow("trailing text") << "WLX1300X-EE" << 3;
    QTest::newRow("series 2") << "WLX2300X" << 3;
    QTest::newRow("letters for digits") << "WLX1ABCX" << 3;
    QTest::newRow("empty") << "" << 3;
}

void tst_link_device_info::families()
{
    QFETCH(QString, model);
    QFETCH(int, family);
    QCOMPARE(drv_device_info_t::model_family(model.toStdString()), family);
    drv_device_info_t info;
    QCOMPARE(info.parse_idn("Tervane," + model.toStdString() + ",SN1,V1,V2\n"), family != 3);
    QCOMPARE(info.family, family);
}

void tst_link_device_info::fields_of_a_reply()
{
    drv_device_info_t info;
    info.resource = "TCPIP0::127.0.0.1::INSTR";
    QVERIFY(info.parse_idn("Tervane,WLX1300X-E,SN000042,V2.10,H1.03\n"));
    QCOMPARE(info.maker, std::string("Tervane"));
    QCOMPARE(info.model, std::string("WLX1300X-E"));
    QCOMPARE(info.serial, std::string("SN000042"));
    QCOMPARE(info.firmware, std::string("V2.10"));
    QCOMPARE(info.hardware, std::string("H1.03")); // line end cut
    QCOMPARE(info.family, 1);
    QCOMPARE(info.resource, std::string("TCPIP0::127.0.0.1::INSTR")); // parse keeps it

    // A trailing blank instead of a line end, and blanks around the model.
    QVERIFY(info.parse_idn("Tervane, WLX1300X ,SN1,V1,H2 "));
    QCOMPARE(info.model, std::string("WLX1300X"));
    QCOMPARE(info.hardware, std::string("H2"));
}

void tst_link_device_info::maker_rule_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("maker");
    QTest::newRow("name") << "Tervane" << "Tervane";
    QTest::newRow("name inside") << "Tervane Instruments Ltd" << "Tervane";
    QTest::newRow("star") << "*" << "Tervane";
    QTest::newRow("other") << "Acme" << "Acme";
    QTest::newRow("empty") << "" << "";
}

void tst_link_device_info::maker_rule()
{
    QFETCH(QString, first);
    QFETCH(QString, maker);
    drv_device_info_t info;
    info.parse_idn(first.toStdString() + ",WLX1300X,SN1,V1,V1\n");
    QCOMPARE(QString::fromStdString(info.maker), maker);
}

void tst_link_device_info::short_and_empty_replies()
{
    drv_device_info_t info;
    QVERIFY(info.parse_idn("Tervane,WLX1300X\n"));
    QCOMPARE(info.model, std::string("WLX1300X"));
    QVERIFY(info.serial.empty());
    QVERIFY(info.hardware.empty());

    QVERIFY(!info.parse_idn(""));
    QCOMPARE(info.family, 3);
    QVERIFY(info.model.empty());

    // A reply of another instrument, and garbage.
    QVERIFY(!info.parse_idn("Acme,DMM-7,1,2,3\n"));
    QVERIFY(!info.parse_idn("\x01\x02,\xff\n"));
    QVERIFY(!info.accepted());
}

QTEST_APPLESS_MAIN(tst_link_device_info)
#include "tst_link_device_info.moc"
