#include "drv_device_t.h"

#include "visa_open_lock_t.h"
#include "visa_session.h"

#include "sys_timing.h"
#include "visa/visa_abort_t.h"

#include <QDebug>

namespace {
// The pauses a slow instrument needs around an identification.
const unsigned long identify_pause_ms = 100;
const char identify_query[] = "*IDN?";
const std::size_t identify_reply_max = 256;
} // namespace

drv_device_t::drv_device_t(instance_tag) : drv_device_comm_t() {}

drv_device_t::drv_device_t() : drv_device_comm_t(share_tag{})
{
    copy_state_from(instance());
}

drv_device_t::~drv_device_t() = default;

drv_device_t &drv_device_t::instance()
{
    static drv_device_t device{instance_tag{}};
    return device;
}

int drv_device_t::find_resources(std::vector<std::string> &names)
{
    std::lock_guard<std::mutex> lock(state_mutex);
    if (default_rm == VI_NULL) {
        status = VI_ERROR_INV_SETUP;
        return FIND_FAILED;
    }
    find_count = 0;
    status = viFindRsrc(default_rm, "?*", &find_list, &find_count, find_desc);
    if (status < VI_SUCCESS) {
        find_count = 0;
        return FIND_FAILED;
    }
    std::vector<std::string> found;
    if (find_count > 0)
        found.emplace_back(find_desc);
    for (ViUInt32 i = 1; i < find_count; ++i) {
        status = viFindNext(find_list, find_desc);
        if (status < VI_SUCCESS)
            break;
        found.emplace_back(find_desc);
    }
    viClose(find_list);
    find_list = VI_NULL;
    names.insert(names.end(), found.begin(), found.end());
    return FIND_DONE;
}

bool drv_device_t::identify_unless_in_use(const std::string &resource, visa_abort_t *cut)
{
    visa_open_lock_t open_lock(cut);
    if (visa_session_holds(resource))
        return true;
    visa_abort_t::scope calls(cut);
    std::map<std::string, bool> one{{resource, false}};
    std::vector<drv_device_info_t> records;
    identify_devices(records, one);
    return one.begin()->second;
}

int drv_device_t::identify_devices(std::vector<drv_device_info_t> &records,
                                   std::map<std::string, bool> &resources)
{
    // No pause once the calls are cut short: the open right is held meanwhile.
    const auto pause = [] {
        if (!visa_abort_t::cut_short())
            sys_sleep_ms(identify_pause_ms);
    };
    for (auto &entry : resources) {
        ViSession vi = VI_NULL;
        if (open_session(entry.first, 0, &vi) < VI_SUCCESS)
            continue;
        std::string reply;
        pause();
        const bool sent = write_all(vi, identify_query, sizeof identify_query - 1) >= VI_SUCCESS;
        pause();
        if (sent)
            read_message(vi, identify_reply_max, &reply);
        pause();
        viClose(vi);
        pause();

        drv_device_info_t info;
        info.resource = entry.first;
        if (!reply.empty() && info.parse_idn(reply)) {
            records.push_back(info);
            entry.second = true;
        }
    }
    return static_cast<int>(records.size());
}
