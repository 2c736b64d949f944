#include "visa_abort_t.h"

#include <algorithm>
#include <sys/socket.h>

namespace {
thread_local visa_abort_t *thread_token = nullptr;
}

visa_abort_t::scope::scope(visa_abort_t *token) : previous_(thread_token)
{
    thread_token = token;
}

visa_abort_t::scope::~scope()
{
    thread_token = previous_;
}

void visa_abort_t::abort()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (state_ != state_t::armed)
        return;
    state_ = state_t::aborted;
    // Under the lock: a watched socket is not closed before it is unwatched.
    for (int fd : sockets_)
        ::shutdown(fd, SHUT_RDWR);
}

bool visa_abort_t::aborted() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_ == state_t::aborted;
}

bool visa_abort_t::release()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (state_ == state_t::aborted)
        return false;
    state_ = state_t::released;
    return true;
}

void visa_abort_t::reset()
{
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = state_t::armed;
    sockets_.clear();
}

bool visa_abort_t::cut_short()
{
    return thread_token && thread_token->aborted();
}

visa_abort_t::watch::watch(int fd) : token_(thread_token), fd_(fd)
{
    if (!token_)
        return;
    std::lock_guard<std::mutex> lock(token_->mutex_);
    if (token_->state_ == state_t::armed)
        token_->sockets_.push_back(fd);
}

visa_abort_t::watch::~watch()
{
    if (!token_)
        return;
    std::lock_guard<std::mutex> lock(token_->mutex_);
    auto &s = token_->sockets_;
    const auto it = std::find(s.begin(), s.end(), fd_);
    if (it != s.end())
        s.erase(it);
}

bool visa_abort_t::watch::cut() const
{
    return token_ && token_->aborted();
}
