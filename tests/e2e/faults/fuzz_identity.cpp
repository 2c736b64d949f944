// libFuzzer target: the texts that name and identify a load, from outside
// the program: an "*IDN?" reply and a VISA resource name (kept in the XML
// configuration). Any input is parsed or refused without a crash, and an
// accepted one is consistent.
#include "drv_device_info_t.h"
#include "visa_resource_t.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    drv_device_info_t info;
    const bool accepted = info.parse_idn(text);
    if (accepted != info.accepted())
        std::abort();
    if (accepted && drv_device_info_t::model_family(info.model) != info.family)
        std::abort(); // the family must be the model's own

    visa_resource_t res;
    if (visa_resource_t::parse(text, res)) {
        if (res.kind == visa_resource_t::NONE)
            std::abort();
        if (res.kind == visa_resource_t::TCPIP && res.host.empty())
            std::abort();
        if (res.kind == visa_resource_t::USB) {
            // The name the finder would give the same device parses back to it.
            visa_resource_t again;
            const std::string name = visa_resource_t::usb_name(res.vendor, res.product, res.serial);
            if (!visa_resource_t::parse(name, again) || again.vendor != res.vendor || again.product != res.product
                || again.serial != res.serial)
                std::abort();
        }
    }
    return 0;
}
