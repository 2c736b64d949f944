// The XML configuration: creation, adding and deleting addresses, listing
// them, saves that fail or are killed, and files that are missing or damaged.
#include "app_paths.h"
#include "disk_faults.h"
#include "lib_xml_t.h"
#include "ui_comm_tree_xml_t.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray read_all(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write_all(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(data), qint64(data.size()));
}

const char* const ip1 = "TCPIP0::192.168.1.20::INSTR";
const char* const ip2 = "TCPIP0::10.0.0.7::INSTR";

} // namespace

class tst_config_xml : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void missing_file_is_created_with_defaults();
    void add_list_and_find();
    void add_refusals_leave_the_file_alone();
    void delete_by_content();
    void killed_save_leaves_the_old_file_alone();
    void failed_write_keeps_the_old_file();
    void corrupt_file_is_recreated_data();
    void corrupt_file_is_recreated();
    void incomplete_document_is_completed();
    void no_value_rules();
    void language_key();
    void application_paths();

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_path;
};

void tst_config_xml::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("wattload_config.xml");
}

void tst_config_xml::missing_file_is_created_with_defaults()
{
    lib_xml_t xml;
    QVERIFY(!QFile::exists(m_path));
    QVERIFY(xml.read_file(m_path, QStringLiteral("WattLoad")));
    QVERIFY(QFile::exists(m_path));
    QVERIFY(xml.read_file(m_path, QStringLiteral("language")));
    QVERIFY(xml.read_file(m_path, QStringLiteral("manual_tcp_ip")));
    QVERIFY(!xml.read_file(m_path, QStringLiteral("IP1")));
    QString language;
    QVERIFY(xml.read_node_text(m_path, QStringLiteral("language"), &language));
    QCOMPARE(language, QStringLiteral("english"));
    const QByteArray text = read_all(m_path);
    QVERIFY(text.contains("<WattLoad no_value=\"1\">"));
    QVERIFY(text.contains("<manual_tcp_ip no_value=\"1\"/>"));

    // the tree's reader on a missing file: an empty list, and the file exists afterwards
    QFile::remove(m_path);
    ui_comm_tree_xml_t tree;
    QVERIFY(tree.get_all_child_node_by_parent(m_path, "manual_tcp_ip", "IP").isEmpty());
    QVERIFY(QFile::exists(m_path));
}

void tst_config_xml::add_list_and_find()
{
    lib_xml_t xml;
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP1", ip1));
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP2", ip2));
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "note", "no address"));

    QVERIFY(xml.read_file(m_path, QStringLiteral("IP2")));
    QVERIFY(!xml.read_file(m_path, QStringLiteral("IP3")));
    QVERIFY(xml.read_file(m_path, QString(ip1), lib_xml_t::match_text));
    QVERIFY(!xml.read_file(m_path, QStringLiteral("TCPIP0::192.168.1.2::INSTR"), lib_xml_t::match_text));
    QVERIFY(!xml.read_file(m_path, QStringLiteral("IP1"), lib_xml_t::match_text)); // a name, not a text

    ui_comm_tree_xml_t tree;
    const QMap<QString, QString> ips = tree.get_all_child_node_by_parent(m_path, "manual_tcp_ip", "IP");
    QCOMPARE(ips.size(), 2);
    QCOMPARE(ips.value("IP1"), QString(ip1));
    QCOMPARE(ips.value("IP2"), QString(ip2));
    QCOMPARE(tree.get_all_child_node_by_parent(m_path, "manual_tcp_ip", "").size(), 3);
    QVERIFY(tree.get_all_child_node_by_parent(m_path, "no_such_parent", "IP").isEmpty());
    // a value element is no parent
    QVERIFY(tree.get_all_child_node_by_parent(m_path, "language", "").isEmpty());

    // text that needs escaping survives
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP9", "a<b&c\"d'>"));
    QCOMPARE(tree.get_all_child_node_by_parent(m_path, "manual_tcp_ip", "&").value("IP9"),
             QStringLiteral("a<b&c\"d'>"));
}

void tst_config_xml::add_refusals_leave_the_file_alone()
{
    lib_xml_t xml;
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP1", ip1));
    const QByteArray before = read_all(m_path);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("node is not exit"));
    QVERIFY(!xml.add_node(m_path, "no_parent", "IP2", ip2));
    QVERIFY(!xml.add_node(m_path, "manual_tcp_ip", "IP 2", ip2));
    QVERIFY(!xml.add_node(m_path, "manual_tcp_ip", "2IP", ip2));
    QVERIFY(!xml.add_node(m_path, "manual_tcp_ip", "", ip2));
    QVERIFY(!xml.add_node(m_path, "manual_tcp_ip", "IP2", QString("bad\x01text")));
    QVERIFY(!xml.add_node(m_path, "manual_tcp_ip", "IP2", QString(QChar(0xD800))));
    QCOMPARE(read_all(m_path), before);
}

void tst_config_xml::delete_by_content()
{
    lib_xml_t xml;
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP1", ip1));
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP2", ip2));
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP3", ip1)); // the same address twice

    const QByteArray before = read_all(m_path);
    QVERIFY(!xml.delete_node_by_content(m_path, "TCPIP0::1.1.1.1::INSTR"));
    QVERIFY(!xml.delete_node_by_content(m_path, "TCPIP0::192.168.1.20")); // only exact texts
    QCOMPARE(read_all(m_path), before);

    QVERIFY(xml.delete_node_by_content(m_path, ip1));
    ui_comm_tree_xml_t tree;
    const QMap<QString, QString> ips = tree.get_all_child_node_by_parent(m_path, "manual_tcp_ip", "IP");
    QCOMPARE(ips.keys(), QStringList({"IP2"}));
    QVERIFY(!xml.delete_node_by_content(m_path, ip1));
    // containers and the language stay
    QVERIFY(!xml.delete_node_by_content(m_path, QString()));
    QVERIFY(xml.read_file(m_path, QStringLiteral("manual_tcp_ip")));
    QVERIFY(xml.delete_node_by_content(m_path, "english"));
    QVERIFY(!read_all(m_path).contains("<language>"));
    // the next use completes the document again
    QString language;
    QVERIFY(xml.read_node_text(m_path, "language", &language));
    QCOMPARE(language, QStringLiteral("english"));
}

// A save killed part way (here at its sync, once the new document is
// written) leaves the old configuration as it was and nothing beside it.
void tst_config_xml::killed_save_leaves_the_old_file_alone()
{
    lib_xml_t xml;
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP1", ip1));
    const QByteArray before = read_all(m_path);
    for (int i = 0; i < 2; ++i) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            disk_faults::kill_at_next_sync();
            if (i == 0)
                xml.add_node(m_path, "manual_tcp_ip", "IP2", ip2);
            else
                xml.delete_node_by_content(m_path, ip1);
            ::_exit(0); // not reached when the save syncs
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"wattload_config.xml"}));
        QCOMPARE(read_all(m_path), before);
    }
    // and the next save goes through
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP2", ip2));
    QVERIFY(xml.read_file(m_path, QString(ip2), lib_xml_t::match_text));
}

// A write that fails (a full disk) leaves the old file whole and nothing
// beside it.
void tst_config_xml::failed_write_keeps_the_old_file()
{
    lib_xml_t xml;
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP1", ip1));
    const QByteArray before = read_all(m_path);
    {
        disk_faults::file_size_limit full(before.size());
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("write file failed"));
        QVERIFY(!xml.add_node(m_path, "manual_tcp_ip", "IP2", ip2));
    }
    QCOMPARE(read_all(m_path), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"wattload_config.xml"}));
}

void tst_config_xml::corrupt_file_is_recreated_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not xml") << QByteArray("hello world");
    QTest::newRow("truncated") << QByteArray("<?xml version=\"1.0\"?>\n<WattLoad no_value=\"1\">\n"
                                             "<language>english</language>\n<manual_tcp_ip no_va");
    QTest::newRow("other root") << QByteArray("<Config><language>english</language></Config>");
    QTest::newRow("two roots") << QByteArray("<WattLoad/><WattLoad/>");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe<\x01>", 6);
}

void tst_config_xml::corrupt_file_is_recreated()
{
    QFETCH(QByteArray, content);
    write_all(m_path, content);
    lib_xml_t xml;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not readable"));
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP1", ip1));
    ui_comm_tree_xml_t tree;
    QCOMPARE(tree.get_all_child_node_by_parent(m_path, "manual_tcp_ip", "IP").value("IP1"),
             QString(ip1));
    QVERIFY(xml.read_file(m_path, QStringLiteral("language")));
    // the damaged file is kept for the user
    QCOMPARE(read_all(m_path + ".corrupt"), content);
}

void tst_config_xml::incomplete_document_is_completed()
{
    write_all(m_path, "<?xml version=\"1.0\"?>\n<WattLoad no_value=\"1\"><language>chinese</language>"
                      "</WattLoad>\n");
    lib_xml_t xml;
    QVERIFY(xml.add_node(m_path, "manual_tcp_ip", "IP1", ip1));
    QString language;
    QVERIFY(xml.read_node_text(m_path, "language", &language));
    QCOMPARE(language, QStringLiteral("chinese")); // kept
    QVERIFY(!QFile::exists(m_path + ".corrupt"));
}

void tst_config_xml::no_value_rules()
{
    write_all(m_path, "<WattLoad no_value=\"1\">\n"
                      "  <language>english</language>\n"
                      "  <manual_tcp_ip no_value=\"\"><IP1>TCPIP0::1.2.3.4::INSTR</IP1></manual_tcp_ip>\n"
                      "  <flag no_value=\"1\">marked</flag>\n"
                      "</WattLoad>");
    lib_xml_t xml;
    ui_comm_tree_xml_t tree;
    // the parent must carry a non-empty no_value
    QVERIFY(tree.get_all_child_node_by_parent(m_path, "manual_tcp_ip", "IP").isEmpty());
    // an element with no_value holds no value
    QVERIFY(!xml.read_file(m_path, QStringLiteral("marked"), lib_xml_t::match_text));
    QVERIFY(!xml.delete_node_by_content(m_path, QStringLiteral("marked")));
    QVERIFY(xml.read_file(m_path, QStringLiteral("TCPIP0::1.2.3.4::INSTR"), lib_xml_t::match_text));
}

void tst_config_xml::language_key()
{
    lib_xml_t xml;
    QVERIFY(xml.write_node_text(m_path, "language", "chinese"));
    QString language;
    QVERIFY(xml.read_node_text(m_path, "language", &language));
    QCOMPARE(language, QStringLiteral("chinese"));
    QVERIFY(!xml.write_node_text(m_path, "manual_tcp_ip", "x")); // holds elements
    QVERIFY(!xml.read_node_text(m_path, "nothing", &language));
}

void tst_config_xml::application_paths()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName("wattlex_config_test");
    const QString dir = app_paths::app_data_dir();
    QVERIFY(dir.contains(".qttest"));
    QDir(dir).removeRecursively();

    QString error;
    QVERIFY2(app_paths::init(&error), qPrintable(error));
    QCOMPARE(app_paths::config_file(), QDir(dir).filePath("wattload_config.xml"));
    QVERIFY(QFile::exists(app_paths::config_file()));

    lib_xml_t xml;
    QVERIFY(xml.add_node(app_paths::config_file(), "manual_tcp_ip", "IP1", ip1));
    QVERIFY(app_paths::init(&error)); // a later start keeps the addresses
    QVERIFY(xml.read_file(app_paths::config_file(), QString(ip1), lib_xml_t::match_text));
    QDir(dir).removeRecursively();
}

QTEST_GUILESS_MAIN(tst_config_xml)
#include "tst_config_xml.moc"
