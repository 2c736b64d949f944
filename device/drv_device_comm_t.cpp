#include "drv_device_comm_t.h"

#include <QDebug>

#include <algorithm>

drv_device_comm_t::drv_device_comm_t()
{
    status = viOpenDefaultRM(&default_rm);
    if (status < VI_SUCCESS) {
        qWarning() << "drv_device_comm_t: viOpenDefaultRM failed" << status;
        default_rm = VI_NULL;
    }
}

drv_device_comm_t::drv_device_comm_t(share_tag) {}

drv_device_comm_t::~drv_device_comm_t() = default;

void drv_device_comm_t::copy_state_from(const drv_device_comm_t &other)
{
    std::scoped_lock lock(state_mutex, other.state_mutex);
    default_rm = other.default_rm;
    status = other.status;
    find_count = other.find_count;
    find_list = other.find_list;
    std::copy(std::begin(other.find_desc), std::end(other.find_desc), std::begin(find_desc));
}

ViStatus drv_device_comm_t::open_session(const std::string &name, ViUInt32 timeout_ms, ViSession *vi)
{
    ViSession rm;
    {
        std::lock_guard<std::mutex> lock(state_mutex);
        rm = default_rm;
    }
    if (rm == VI_NULL)
        return VI_ERROR_INV_SETUP;
    ViSession s = VI_NULL;
    ViStatus st = viOpen(rm, name.c_str(), VI_NO_LOCK, timeout_ms, &s);
    if (st < VI_SUCCESS)
        return st;
    if (timeout_ms != 0) {
        const ViStatus ts = viSetAttribute(s, VI_ATTR_TMO_VALUE, timeout_ms);
        if (ts < VI_SUCCESS)
            qWarning() << "drv_device_comm_t::open_session: timeout not set" << ts;
    }
    *vi = s;
    return st;
}

ViStatus drv_device_comm_t::write_all(ViSession vi, const void *data, std::size_t size)
{
    ViUInt32 written = 0;
    const ViStatus st = viWrite(vi, static_cast<ViConstBuf>(data), static_cast<ViUInt32>(size), &written);
    if (st < VI_SUCCESS)
        return st;
    return written == size ? st : VI_ERROR_IO;
}

ViStatus drv_device_comm_t::read_message(ViSession vi, std::size_t max_bytes, std::string *out)
{
    char chunk[4096];
    std::size_t total = 0;
    for (;;) {
        const std::size_t want = std::min(sizeof chunk, max_bytes - total);
        if (want == 0)
            return VI_SUCCESS_MAX_CNT;
        ViUInt32 got = 0;
        const ViStatus st = viRead(vi, reinterpret_cast<ViPBuf>(chunk), static_cast<ViUInt32>(want), &got);
        got = std::min<ViUInt32>(got, static_cast<ViUInt32>(want));
        out->append(chunk, got);
        total += got;
        if (st < VI_SUCCESS)
            return st;
        if (st != VI_SUCCESS_MAX_CNT)
            return VI_SUCCESS; // message end (or term char, which we never enable)
        if (total >= max_bytes)
            return VI_SUCCESS_MAX_CNT;
    }
}

bool drv_device_comm_t::is_link_error(ViStatus st)
{
    return st < VI_SUCCESS && st != VI_ERROR_TMO;
}
