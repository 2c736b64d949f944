#include "visa_open_lock_t.h"

#include "visa/visa_abort_t.h"

#include <condition_variable>
#include <mutex>

namespace {
std::mutex gate;
std::condition_variable turn;
bool held = false;
int connections_waiting = 0;
// The scan's identification that holds the right, if it can be cut short.
visa_abort_t *scan_cut = nullptr;
} // namespace

visa_open_lock_t::visa_open_lock_t() : for_scan_(false)
{
    std::unique_lock<std::mutex> lock(gate);
    ++connections_waiting;
    if (scan_cut)
        scan_cut->abort();
    turn.wait(lock, [] { return !held; });
    --connections_waiting;
    held = true;
}

visa_open_lock_t::visa_open_lock_t(visa_abort_t *cut) : for_scan_(true)
{
    std::unique_lock<std::mutex> lock(gate);
    turn.wait(lock, [] { return !held && connections_waiting == 0; });
    held = true;
    scan_cut = cut;
}

visa_open_lock_t::~visa_open_lock_t()
{
    std::lock_guard<std::mutex> lock(gate);
    held = false;
    if (for_scan_)
        scan_cut = nullptr;
    turn.notify_all();
}
