// USB-TMC resources against a fake sysfs tree and fake /dev nodes: listing,
// mapping a resource name to its node, and I/O through the node.
#include <QtTest>

#include "visa.h"

class tst_visa_usb : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void find_lists_usbtmc_devices();
    void find_filters_and_never_lists_lan();
    void open_maps_ids_and_serial_to_node();
    void io_through_the_node();
    void stale_handles_fail();

private:
    void add_device(int num, const QString &vendor, const QString &product, const QString &serial,
                    bool make_node);
    QTemporaryDir root_;
    ViSession rm_ = VI_NULL;
};

void tst_visa_usb::add_device(int num, const QString &vendor, const QString &product,
                              const QString &serial, bool make_node)
{
    // Real layout: /sys/class/usbmisc/usbtmcN/device -> .../<usb device>/<interface>
    const QString usbdev = root_.filePath(QString("sys/devices/pci0/usb1/1-%1").arg(num));
    const QString intf = usbdev + QString("/1-%1:1.0").arg(num);
    QVERIFY(QDir().mkpath(intf));
    auto write = [](const QString &path, const QString &text) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toLatin1() + "\n");
    };
    write(usbdev + "/idVendor", vendor);
    write(usbdev + "/idProduct", product);
    if (!serial.isNull())
        write(usbdev + "/serial", serial);
    const QString cls = root_.filePath(QString("sys/class/usbmisc/usbtmc%1").arg(num));
    QVERIFY(QDir().mkpath(cls));
    QVERIFY(QFile::link(intf, cls + "/device"));
    if (make_node) {
        QFile node(root_.filePath(QString("dev/usbtmc%1").arg(num)));
        QVERIFY(node.open(QIODevice::WriteOnly));
        node.write("Tervane,WLX1300X,SN000001,V1.00,V1.00\n");
    }
}

void tst_visa_usb::initTestCase()
{
    QVERIFY(root_.isValid());
    QVERIFY(QDir().mkpath(root_.filePath("dev")));
    QVERIFY(QDir().mkpath(root_.filePath("sys/class/usbmisc")));
    add_device(3, "5ab5", "0e11", "WX3A2048", true);
    add_device(0, "6957", "1a07", "MY5400", true);
    add_device(12, "5ab5", "0e11", "NODEV", false); // sysfs entry but no /dev node
    // not a usbtmc device, and a usbtmc entry without ids: both ignored
    QVERIFY(QDir().mkpath(root_.filePath("sys/class/usbmisc/lp0")));
    QVERIFY(QDir().mkpath(root_.filePath("sys/class/usbmisc/usbtmc7")));
    qputenv("WATTLEX_SYSFS_ROOT", root_.filePath("sys").toLocal8Bit());
    qputenv("WATTLEX_DEV_ROOT", root_.filePath("dev").toLocal8Bit());
    QCOMPARE(viOpenDefaultRM(&rm_), VI_SUCCESS);
}

void tst_visa_usb::find_lists_usbtmc_devices()
{
    ViFindList list = VI_NULL;
    ViUInt32 count = 0;
    ViChar desc[VI_FIND_BUFLEN];
    QCOMPARE(viFindRsrc(rm_, "?*", &list, &count, desc), VI_SUCCESS);
    QCOMPARE(count, 3u);
    QStringList names{QString::fromLatin1(desc)};
    while (viFindNext(list, desc) == VI_SUCCESS)
        names << QString::fromLatin1(desc);
    // ordered by node number
    QCOMPARE(names, QStringList({"USB0::0x6957::0x1A07::MY5400::INSTR",
                                 "USB0::0x5AB5::0x0E11::WX3A2048::INSTR",
                                 "USB0::0x5AB5::0x0E11::NODEV::INSTR"}));
    QCOMPARE(viFindNext(list, desc), VI_ERROR_RSRC_NFOUND);
    QCOMPARE(viClose(list), VI_SUCCESS);
    QCOMPARE(viFindNext(list, desc), VI_ERROR_INV_OBJECT);
}

void tst_visa_usb::find_filters_and_never_lists_lan()
{
    ViFindList list = VI_NULL;
    ViUInt32 count = 0;
    ViChar desc[VI_FIND_BUFLEN];
    QCOMPARE(viFindRsrc(rm_, "USB?*0x6957?*INSTR", &list, &count, desc), VI_SUCCESS);
    QCOMPARE(count, 1u);
    QCOMPARE(QString::fromLatin1(desc), QString("USB0::0x6957::0x1A07::MY5400::INSTR"));
    viClose(list);
    QCOMPARE(viFindRsrc(rm_, "TCPIP?*", &list, &count, desc), VI_ERROR_RSRC_NFOUND);
    QCOMPARE(count, 0u);
    QCOMPARE(viFindRsrc(rm_, "", &list, &count, desc), VI_ERROR_INV_EXPR);
    // only a resource manager can search
    QCOMPARE(viFindRsrc(12345, "?*", &list, &count, desc), VI_ERROR_INV_OBJECT);

    // no sysfs at all: nothing found, no failure
    const QByteArray saved = qgetenv("WATTLEX_SYSFS_ROOT");
    qputenv("WATTLEX_SYSFS_ROOT", root_.filePath("missing").toLocal8Bit());
    QCOMPARE(viFindRsrc(rm_, "?*", &list, &count, desc), VI_ERROR_RSRC_NFOUND);
    qputenv("WATTLEX_SYSFS_ROOT", saved);
}

void tst_visa_usb::open_maps_ids_and_serial_to_node()
{
    ViSession vi = VI_NULL;
    // ids in another case, decimal ids, serial in another case
    QCOMPARE(viOpen(rm_, "usb0::0x5ab5::0x0e11::wx3a2048::instr", VI_NULL, VI_NULL, &vi), VI_SUCCESS);
    ViChar name[VI_FIND_BUFLEN];
    QCOMPARE(viGetAttribute(vi, VI_ATTR_RSRC_NAME, name), VI_SUCCESS);
    QCOMPARE(QString::fromLatin1(name), QString("usb0::0x5ab5::0x0e11::wx3a2048::instr"));
    QCOMPARE(viClose(vi), VI_SUCCESS);
    QCOMPARE(viOpen(rm_, "USB0::26967::6663::MY5400::INSTR", VI_NULL, VI_NULL, &vi), VI_SUCCESS);
    QCOMPARE(viClose(vi), VI_SUCCESS);

    QCOMPARE(viOpen(rm_, "USB0::0x5AB5::0x0E11::OTHER::INSTR", VI_NULL, VI_NULL, &vi), VI_ERROR_RSRC_NFOUND);
    QCOMPARE(vi, ViSession(VI_NULL));
    QCOMPARE(viOpen(rm_, "USB0::0x5AB5::0x0E11::NODEV::INSTR", VI_NULL, VI_NULL, &vi), VI_ERROR_RSRC_NFOUND);
    QCOMPARE(viOpen(rm_, "USB0::0x5AB5::INSTR", VI_NULL, VI_NULL, &vi), VI_ERROR_INV_RSRC_NAME);
}

void tst_visa_usb::io_through_the_node()
{
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(rm_, "USB0::0x5AB5::0x0E11::WX3A2048::INSTR", VI_NULL, VI_NULL, &vi), VI_SUCCESS);
    // the timeout goes to the driver; a plain file ignores the ioctl
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 200), VI_SUCCESS);
    ViUInt32 tmo = 0;
    QCOMPARE(viGetAttribute(vi, VI_ATTR_TMO_VALUE, &tmo), VI_SUCCESS);
    QCOMPARE(tmo, 200u);

    // one read returns one transfer: a full buffer is not the end
    ViByte buf[256];
    ViUInt32 n = 0;
    QCOMPARE(viRead(vi, buf, 8, &n), VI_SUCCESS_MAX_CNT);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buf), int(n)), QByteArray("Tervane,"));
    QCOMPARE(viRead(vi, buf, sizeof buf, &n), VI_SUCCESS);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buf), int(n)), QByteArray("WLX1300X,SN000001,V1.00,V1.00\n"));

    QCOMPARE(viWrite(vi, reinterpret_cast<ViConstBuf>("*IDN?"), 5, &n), VI_SUCCESS);
    QCOMPARE(n, 5u);
    QCOMPARE(viClear(vi), VI_SUCCESS);
    QCOMPARE(viClose(vi), VI_SUCCESS);
    QFile node(root_.filePath("dev/usbtmc3"));
    QVERIFY(node.open(QIODevice::ReadOnly));
    QVERIFY(node.readAll().endsWith("\n*IDN?"));
}

void tst_visa_usb::stale_handles_fail()
{
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(rm_, "USB0::0x6957::0x1A07::MY5400::INSTR", VI_NULL, VI_NULL, &vi), VI_SUCCESS);
    QCOMPARE(viClose(vi), VI_SUCCESS);
    ViByte buf[8];
    ViUInt32 n = 99;
    QCOMPARE(viRead(vi, buf, sizeof buf, &n), VI_ERROR_INV_OBJECT);
    QCOMPARE(n, 0u);
    QCOMPARE(viWrite(vi, buf, 1, &n), VI_ERROR_INV_OBJECT);
    QCOMPARE(viClose(vi), VI_ERROR_INV_OBJECT);
    // a new session does not get the closed one's handle back
    ViSession again = VI_NULL;
    QCOMPARE(viOpen(rm_, "USB0::0x6957::0x1A07::MY5400::INSTR", VI_NULL, VI_NULL, &again), VI_SUCCESS);
    QVERIFY(again != vi);
    QCOMPARE(viRead(vi, buf, sizeof buf, &n), VI_ERROR_INV_OBJECT);
    // an instrument session is not a resource manager
    ViSession nested = VI_NULL;
    QCOMPARE(viOpen(again, "USB0::0x6957::0x1A07::MY5400::INSTR", VI_NULL, VI_NULL, &nested), VI_ERROR_INV_OBJECT);
    QCOMPARE(viClose(again), VI_SUCCESS);
}

QTEST_APPLESS_MAIN(tst_visa_usb)
#include "tst_visa_usb.moc"
