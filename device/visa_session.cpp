#include "visa_session.h"

std::atomic<ViSession> g_visa_session{VISA_NO_SESSION};

std::recursive_mutex &visa_link_mutex()
{
    static std::recursive_mutex m;
    return m;
}

void close_visa_session()
{
    std::lock_guard<std::recursive_mutex> lock(visa_link_mutex());
    const ViSession s = g_visa_session.exchange(VISA_NO_SESSION);
    if (s != VISA_NO_SESSION)
        viClose(s);
}
