// The VISA calls: handle look-up, per-session locking, and dispatch to the
// LAN (VXI-11) or USB (usbtmc) link.
#include "visa.h"

#include "usbtmc_finder_t.h"
#include "usbtmc_link_t.h"
#include "visa_resource_t.h"
#include "visa_session_t.h"
#include "visa_session_table_t.h"
#include "vxi11_link_t.h"

#include <cstring>
#include <memory>
#include <new>

namespace {
using session_ptr = std::shared_ptr<visa_session_t>;

visa_session_table_t &table()
{
    return visa_session_table_t::instance();
}

void copy_name(ViChar desc[], const std::string &name)
{
    if (!desc)
        return;
    const size_t n = name.size() < VI_FIND_BUFLEN - 1 ? name.size() : VI_FIND_BUFLEN - 1;
    std::memcpy(desc, name.data(), n);
    desc[n] = '\0';
}

// Runs f on an instrument session with its lock held.
template <typename F>
ViStatus with_instrument(ViSession vi, F f)
{
    const session_ptr s = table().get(vi);
    if (!s || (s->kind != visa_session_t::LAN && s->kind != visa_session_t::USB))
        return VI_ERROR_INV_OBJECT;
    std::lock_guard<std::mutex> lock(s->mutex);
    if (s->closing.load())
        return VI_ERROR_INV_OBJECT;
    return f(*s);
}
} // namespace

ViStatus viOpenDefaultRM(ViPSession vi)
{
    if (!vi)
        return VI_ERROR_INV_SETUP;
    try {
        *vi = table().add(std::make_shared<visa_session_t>(visa_session_t::RESOURCE_MANAGER));
    } catch (const std::bad_alloc &) {
        *vi = VI_NULL;
        return VI_ERROR_ALLOC;
    }
    return VI_SUCCESS;
}

ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode, ViUInt32 timeout, ViPSession vi)
{
    if (vi)
        *vi = VI_NULL;
    const session_ptr rm = table().get(sesn);
    if (!rm || rm->kind != visa_session_t::RESOURCE_MANAGER)
        return VI_ERROR_INV_OBJECT;
    if (!name || !vi)
        return VI_ERROR_INV_SETUP;
    visa_resource_t res;
    if (!visa_resource_t::parse(name, res))
        return VI_ERROR_INV_RSRC_NAME;
    // The open timeout also becomes the session's first I/O timeout.
    const ViUInt32 tmo =
        (timeout == 0 || timeout == VI_TMO_INFINITE) ? visa_session_t::default_timeout_ms : timeout;
    try {
        session_ptr s;
        if (res.kind == visa_resource_t::TCPIP) {
            s = std::make_shared<visa_session_t>(visa_session_t::LAN);
            s->lan.reset(new vxi11_link_t);
            const ViStatus st = s->lan->open(res, tmo);
            if (st != VI_SUCCESS)
                return st;
        } else {
            const std::string node = usbtmc_finder_t::find_node(res.vendor, res.product, res.serial);
            if (node.empty())
                return VI_ERROR_RSRC_NFOUND;
            s = std::make_shared<visa_session_t>(visa_session_t::USB);
            s->usb.reset(new usbtmc_link_t);
            const ViStatus st = s->usb->open(node, tmo);
            if (st != VI_SUCCESS)
                return st;
        }
        s->timeout_ms = tmo;
        s->resource = name;
        *vi = table().add(s);
    } catch (const std::bad_alloc &) {
        return VI_ERROR_ALLOC;
    }
    return VI_SUCCESS;
}

ViStatus viClose(ViObject vi)
{
    const session_ptr s = table().remove(vi);
    if (!s)
        return VI_ERROR_INV_OBJECT;
    s->closing.store(true);
    std::unique_lock<std::mutex> lock(s->mutex, std::try_to_lock);
    if (!lock.owns_lock()) {
        // Another thread is inside an exchange: make it fail now, then wait
        // for it to leave before the link goes away.
        s->abort_io();
        lock.lock();
    }
    const ViStatus st = s->close_link();
    // A load that vanished cannot take destroy_link; the session is gone anyway.
    (void)st;
    return VI_SUCCESS;
}

ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViPUInt32 retCnt)
{
    if (retCnt)
        *retCnt = 0;
    if (!buf && cnt)
        return VI_ERROR_INV_SETUP;
    return with_instrument(vi, [&](visa_session_t &s) {
        size_t done = 0;
        const ViStatus st = s.lan ? s.lan->write(buf, cnt, s.timeout_ms, &done)
                                  : s.usb->write(buf, cnt, &done);
        if (retCnt)
            *retCnt = static_cast<ViUInt32>(done);
        return st;
    });
}

ViStatus viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViPUInt32 retCnt)
{
    if (retCnt)
        *retCnt = 0;
    if (!buf && cnt)
        return VI_ERROR_INV_SETUP;
    return with_instrument(vi, [&](visa_session_t &s) {
        size_t done = 0;
        const ViStatus st = s.lan ? s.lan->read(buf, cnt, s.timeout_ms, &done)
                                  : s.usb->read(buf, cnt, &done);
        if (retCnt)
            *retCnt = static_cast<ViUInt32>(done);
        return st;
    });
}

ViStatus viClear(ViSession vi)
{
    return with_instrument(vi, [&](visa_session_t &s) {
        return s.lan ? s.lan->clear(s.timeout_ms) : s.usb->clear();
    });
}

ViStatus viSetAttribute(ViObject vi, ViAttr attr, ViAttrState value)
{
    const session_ptr s = table().get(vi);
    if (!s)
        return VI_ERROR_INV_OBJECT;
    if (attr == VI_ATTR_RSRC_NAME)
        return VI_ERROR_NSUP_ATTR_STATE; // read-only
    if (attr != VI_ATTR_TMO_VALUE)
        return VI_ERROR_NSUP_ATTR;
    if (value > VI_TMO_INFINITE)
        return VI_ERROR_NSUP_ATTR_STATE;
    std::lock_guard<std::mutex> lock(s->mutex);
    if (s->closing.load())
        return VI_ERROR_INV_OBJECT;
    s->timeout_ms = static_cast<ViUInt32>(value);
    if (s->usb)
        return s->usb->set_timeout(s->timeout_ms);
    return VI_SUCCESS;
}

ViStatus viGetAttribute(ViObject vi, ViAttr attr, void *value)
{
    const session_ptr s = table().get(vi);
    if (!s)
        return VI_ERROR_INV_OBJECT;
    if (!value)
        return VI_ERROR_INV_SETUP;
    std::lock_guard<std::mutex> lock(s->mutex);
    switch (attr) {
    case VI_ATTR_TMO_VALUE:
        *static_cast<ViUInt32 *>(value) = s->timeout_ms;
        return VI_SUCCESS;
    case VI_ATTR_RSRC_NAME:
        copy_name(static_cast<ViChar *>(value), s->resource);
        return VI_SUCCESS;
    default:
        return VI_ERROR_NSUP_ATTR;
    }
}

ViStatus viFindRsrc(ViSession sesn, ViConstString expr, ViPFindList vi, ViPUInt32 retCnt,
                    ViChar desc[])
{
    if (vi)
        *vi = VI_NULL;
    if (retCnt)
        *retCnt = 0;
    if (desc)
        desc[0] = '\0';
    const session_ptr rm = table().get(sesn);
    if (!rm || rm->kind != visa_session_t::RESOURCE_MANAGER)
        return VI_ERROR_INV_OBJECT;
    if (!expr || !*expr)
        return VI_ERROR_INV_EXPR;
    try {
        // Only instruments attached to this machine are found; LAN loads are
        // never searched for.
        std::vector<std::string> names;
        for (const usbtmc_finder_t::device_t &d : usbtmc_finder_t::list())
            if (usbtmc_finder_t::match(expr, d.resource))
                names.push_back(d.resource);
        if (names.empty())
            return VI_ERROR_RSRC_NFOUND;
        if (retCnt)
            *retCnt = static_cast<ViUInt32>(names.size());
        copy_name(desc, names.front());
        if (vi) {
            auto list = std::make_shared<visa_session_t>(visa_session_t::FIND_LIST);
            list->found = std::move(names);
            list->next_found = 1;
            *vi = table().add(list);
        }
    } catch (const std::bad_alloc &) {
        return VI_ERROR_ALLOC;
    }
    return VI_SUCCESS;
}

ViStatus viFindNext(ViFindList vi, ViChar desc[])
{
    if (desc)
        desc[0] = '\0';
    const session_ptr s = table().get(vi);
    if (!s || s->kind != visa_session_t::FIND_LIST)
        return VI_ERROR_INV_OBJECT;
    std::lock_guard<std::mutex> lock(s->mutex);
    if (s->next_found >= s->found.size())
        return VI_ERROR_RSRC_NFOUND;
    copy_name(desc, s->found[s->next_found++]);
    return VI_SUCCESS;
}
