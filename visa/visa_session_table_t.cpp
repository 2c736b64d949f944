#include "visa_session_table_t.h"

#include "visa_session_t.h"

namespace {
// Handles stay clear of 0 (VI_NULL) and of values callers use as "none".
const ViObject last_handle = 0x7FFFFFF0u;
}

visa_session_table_t &visa_session_table_t::instance()
{
    static visa_session_table_t table;
    return table;
}

ViSession visa_session_table_t::add(std::shared_ptr<visa_session_t> s)
{
    std::lock_guard<std::mutex> lock(mutex_);
    while (sessions_.count(next_))
        next_ = next_ >= last_handle ? 1 : next_ + 1;
    const ViSession vi = next_;
    next_ = next_ >= last_handle ? 1 : next_ + 1;
    sessions_.emplace(vi, std::move(s));
    return vi;
}

std::shared_ptr<visa_session_t> visa_session_table_t::get(ViObject vi) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = sessions_.find(vi);
    return it == sessions_.end() ? nullptr : it->second;
}

std::shared_ptr<visa_session_t> visa_session_table_t::remove(ViObject vi)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = sessions_.find(vi);
    if (it == sessions_.end())
        return nullptr;
    std::shared_ptr<visa_session_t> s = std::move(it->second);
    sessions_.erase(it);
    return s;
}
