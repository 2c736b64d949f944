#include "visa_session.h"

std::atomic<ViSession> g_visa_session{VISA_NO_SESSION};

std::recursive_mutex &visa_link_mutex()
{
    static std::recursive_mutex m;
    return m;
}

namespace {

// Its own lock: closing the session must not wait for a scan's open.
std::mutex resource_mutex;
std::string session_resource;

// The device a resource text names: upper case, "::INST0" dropped.
std::string device_of(const std::string &resource)
{
    std::string d;
    for (char c : resource)
        d += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    const std::string inst0 = "::INST0::";
    const std::string::size_type at = d.find(inst0);
    if (at != std::string::npos)
        d.erase(at, inst0.size() - 2);
    return d;
}

} // namespace

void close_visa_session()
{
    std::lock_guard<std::recursive_mutex> lock(visa_link_mutex());
    const ViSession s = g_visa_session.exchange(VISA_NO_SESSION);
    if (s != VISA_NO_SESSION)
        viClose(s);
    set_visa_session_resource(std::string());
}

void set_visa_session_resource(const std::string &resource)
{
    std::lock_guard<std::mutex> lock(resource_mutex);
    session_resource = resource;
}

bool visa_session_holds(const std::string &resource)
{
    std::lock_guard<std::mutex> lock(resource_mutex);
    // A session lost on a failed exchange is marked closed, its name kept.
    return !session_resource.empty() && g_visa_session.load() != VISA_NO_SESSION
           && device_of(session_resource) == device_of(resource);
}
