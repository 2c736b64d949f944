// libFuzzer target: the XML configuration reader. Whatever the file holds,
// every operation ends with a readable configuration document.
#include "fuzz/fuzz_seed.h"
#include "lib_xml_t.h"
#include "ui_comm_tree_xml_t.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

// Seeds: configuration documents as the program writes them, so mutations
// start past the XML parser's first checks.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qInstallMessageHandler(quiet);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("wattload_config.xml");
    ui_comm_tree_xml_t xml;
    fuzz_seeds_t seeds;
    const char* const addresses[] = {"TCPIP0::192.168.1.10::INSTR", "TCPIP0::10.0.0.7::inst0::INSTR"};
    for (int n = 0; n < 2; ++n) {
        xml.add_node(path, "manual_tcp_ip", QString("IP%1").arg(n + 1), addresses[n]);
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            seeds.push_back({"seed-config-" + std::to_string(n + 1), f.readAll().toStdString()});
    }
    fuzz_write_seeds(*argc, *argv, seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto previous = qInstallMessageHandler(quiet);
    (void)previous;
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("wattload_config.xml");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    ui_comm_tree_xml_t xml;
    const QMap<QString, QString> ips = xml.get_all_child_node_by_parent(path, "manual_tcp_ip", "IP");
    for (auto it = ips.cbegin(); it != ips.cend(); ++it)
        xml.read_file(path, it.value(), lib_xml_t::match_text);
    // the file is a configuration document after the first use, so adding
    // under its manual_tcp_ip element and removing again both succeed
    if (!xml.add_node(path, "manual_tcp_ip", "IP99", "TCPIP0::127.0.0.1::INSTR"))
        std::abort();
    if (!xml.delete_node_by_content(path, "TCPIP0::127.0.0.1::INSTR"))
        std::abort();
    if (!xml.read_file(path, QStringLiteral("WattLoad")) || !xml.read_file(path, QStringLiteral("language")))
        std::abort();
    return 0;
}
