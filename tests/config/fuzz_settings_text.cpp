// libFuzzer target: the settings-text parser. Any input either leaves the
// store as it was or is a settings text that builds back to itself.
#include "fuzz/fuzz_seed.h"
#include "uiPara.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

// Seeds: the store's own settings texts (all 1104 fields), so mutations
// reach the per-field checks instead of stopping at the field count.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qInstallMessageHandler(quiet);
    uiPara* store = uiPara::instance();
    const QString defaults = store->to_settings_text();
    // a second text with every switch field flipped where the store takes it
    QStringList fields = defaults.split(QLatin1Char(','));
    for (QString& f : fields)
        if (f == QLatin1String("0"))
            f = QStringLiteral("1");
    QString flipped;
    if (store->from_settings_text(fields.join(QLatin1Char(','))))
        flipped = store->to_settings_text();
    store->from_settings_text(defaults);
    fuzz_seeds_t seeds{{"seed-defaults", defaults.toStdString()}};
    if (!flipped.isEmpty())
        seeds.push_back({"seed-flipped", flipped.toStdString()});
    fuzz_write_seeds(*argc, *argv, seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto previous = qInstallMessageHandler(quiet);
    (void)previous;
    uiPara* store = uiPara::instance();
    static const QString defaults = store->to_settings_text();

    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const QString before = store->to_settings_text();
    QString error;
    if (!store->from_settings_text(input, &error)) {
        if (store->to_settings_text() != before || error.isEmpty())
            std::abort(); // a refused text changed the store
        return 0;
    }
    const QString built = store->to_settings_text();
    QString again;
    if (!store->from_settings_text(built, &error) || (again = store->to_settings_text()) != built)
        std::abort(); // what the store writes must read back unchanged
    (void)store->settings_write_commands();
    store->from_settings_text(defaults);
    return 0;
}
