#include "visa_session_t.h"

#include "usbtmc_link_t.h"
#include "vxi11_link_t.h"

namespace {
// destroy_link of a load that stopped answering must not hold up viClose
const ViUInt32 max_close_ms = 1000;
}

visa_session_t::visa_session_t(kind_t k) : kind(k) {}

visa_session_t::~visa_session_t() = default;

void visa_session_t::abort_io()
{
    // `lan` is set before the session is published and reset only under the
    // mutex after this call's caller got the lock, so it is stable here.
    if (lan)
        lan->abort_io();
}

ViStatus visa_session_t::close_link()
{
    ViStatus st = VI_SUCCESS;
    if (lan)
        st = lan->close(timeout_ms < max_close_ms ? timeout_ms : max_close_ms);
    if (usb)
        usb->close();
    return st;
}
