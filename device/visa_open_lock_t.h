// The right to open a resource, held for the open of the shared session and
// for each whole identification of the device scan, so that the scan never
// opens the resource the shared session is on (two writers on one USB-TMC
// device interleave their messages). A connection goes first: it cuts short
// the scan's identification that holds the right (a host that takes TCP but
// never answers would hold it for its whole time-out), and the scan's next
// identification waits until the connection has opened.
// Take it after visa_link_mutex(), never before.
#ifndef WATTLEX_VISA_OPEN_LOCK_T_H
#define WATTLEX_VISA_OPEN_LOCK_T_H

class visa_abort_t;

class visa_open_lock_t
{
public:
    // For the open of the shared session.
    visa_open_lock_t();
    // For an identification of the device scan: `cut` (may be null) is
    // aborted when a connection asks for the right meanwhile.
    explicit visa_open_lock_t(visa_abort_t *cut);
    ~visa_open_lock_t();

    visa_open_lock_t(const visa_open_lock_t &) = delete;
    visa_open_lock_t &operator=(const visa_open_lock_t &) = delete;

private:
    bool for_scan_;
};

#endif
