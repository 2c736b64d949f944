// The one VISA session of the connected load, shared by the command thread,
// the settings threads and the few direct exchanges of the GUI thread.
#ifndef WATTLEX_VISA_SESSION_H
#define WATTLEX_VISA_SESSION_H

#include "visa/visa.h"

#include <atomic>
#include <mutex>
#include <string>

// Value of a session that is not open (also after a failed exchange).
constexpr ViSession VISA_NO_SESSION = static_cast<ViSession>(-1);

// Atomic so that any thread may read it; open, close and every exchange on
// it run under visa_link_mutex().
extern std::atomic<ViSession> g_visa_session;

// Held for one whole exchange (a write and the reads of its reply), so that
// the traffic of two threads never interleaves on the session.
std::recursive_mutex &visa_link_mutex();

// Closes the shared session (if open) under the link lock and marks it
// closed. Stop the command thread before (cfg_thread_t::close_session does
// both) so that no exchange is running on it.
void close_visa_session();

// The resource the shared session was opened on; "" when it is closed.
// Set with a visa_open_lock_t held, so that a scan that checks under its own
// sees a session opened before it.
void set_visa_session_resource(const std::string &resource);
// Whether `resource` names the device of the open shared session (VISA
// names compare without case; a LAN address with or without "inst0").
bool visa_session_holds(const std::string &resource);

#endif
