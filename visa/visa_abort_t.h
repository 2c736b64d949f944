// Cuts short the VISA calls of one thread from another: an identification
// of a host that takes the TCP connection but never answers, or of a load
// that stopped answering, is given up at once instead of at its time-outs.
// abort() only shuts the sockets down that the calls wait on: it never waits
// and never talks to the instrument.
#ifndef WATTLEX_VISA_ABORT_T_H
#define WATTLEX_VISA_ABORT_T_H

#include <mutex>
#include <vector>

class visa_abort_t {
public:
    visa_abort_t() = default;
    visa_abort_t(const visa_abort_t &) = delete;
    visa_abort_t &operator=(const visa_abort_t &) = delete;

    // While it lives, the LAN calls of the thread that made it (viOpen,
    // viWrite, viRead, viClear, and viClose's destroy_link) answer to
    // `token` (none when null).
    class scope {
    public:
        explicit scope(visa_abort_t *token);
        ~scope();
        scope(const scope &) = delete;
        scope &operator=(const scope &) = delete;

    private:
        visa_abort_t *previous_;
    };

    // From any thread: a call waiting on the network fails at once with
    // VI_ERROR_ABORT, and so does every later call, until reset().
    void abort();
    bool aborted() const;
    // From now on the calls are not cut short any more (a later abort()
    // does nothing); false when the token was aborted already.
    bool release();
    // Before the token's next use, with no call of it in progress.
    void reset();

    // Whether the calling thread's calls are cut short now.
    static bool cut_short();

    // A socket a call of the calling thread waits on, shut down by abort()
    // while watched. Unwatched (destroyed) before the socket is closed, so
    // that abort() never touches a number the system has given to another
    // socket.
    class watch {
    public:
        explicit watch(int fd);
        ~watch();
        watch(const watch &) = delete;
        watch &operator=(const watch &) = delete;
        // The call must not wait, or has been woken: the token was aborted.
        bool cut() const;

    private:
        visa_abort_t *token_;
        int fd_;
    };

private:
    enum class state_t { armed, aborted, released };
    mutable std::mutex mutex_;
    state_t state_ = state_t::armed;
    std::vector<int> sockets_;
};

#endif
