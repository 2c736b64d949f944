// libFuzzer target: the settings-text parser. Any input either leaves the
// store as it was or is a settings text that builds back to itself.
#include "uiPara.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

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
