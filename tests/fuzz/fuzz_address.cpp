// libFuzzer target: the address normaliser of the LAN address entry. An
// accepted text comes out as a plain dotted quad that normalises to itself
// and makes a resource name the link accepts.
#include "fuzz_seed.h"
#include "normalize_ip_address.h"
#include "visa_resource_t.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz_write_seeds(*argc, *argv,
                     {{"seed-zeros", "192.168.001.010"}, {"seed-plain", "10.0.0.7"}, {"seed-broadcast", "255.255.255.255"},
                      {"seed-short", "1.2.3"}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    QString out = QStringLiteral("untouched");
    if (!normalize_ip_address(text, &out)) {
        if (out != QLatin1String("untouched"))
            std::abort(); // a refusal leaves *out alone
        return 0;
    }
    QString again;
    if (!normalize_ip_address(out, &again) || again != out)
        std::abort();
    const QStringList parts = out.split(QLatin1Char('.'));
    if (parts.size() != 4)
        std::abort();
    for (const QString &part : parts) {
        bool ok = false;
        const int v = part.toInt(&ok);
        if (!ok || v < 0 || v > 255 || QString::number(v) != part)
            std::abort(); // no leading zeros left to be read as octal
    }
    visa_resource_t res;
    if (!visa_resource_t::parse(("TCPIP0::" + out + "::INSTR").toStdString(), res) ||
        res.host != out.toStdString())
        std::abort();
    return 0;
}
