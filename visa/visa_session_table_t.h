// Process-wide table of VISA handles. Handles are small integers that count
// up and are not handed out again soon, so a stale handle finds nothing
// rather than someone else's session.
#ifndef WATTLEX_VISA_SESSION_TABLE_T_H
#define WATTLEX_VISA_SESSION_TABLE_T_H

#include "visa.h"

#include <map>
#include <memory>
#include <mutex>

class visa_session_t;

class visa_session_table_t {
public:
    static visa_session_table_t &instance();

    ViSession add(std::shared_ptr<visa_session_t> s);
    std::shared_ptr<visa_session_t> get(ViObject vi) const;
    std::shared_ptr<visa_session_t> remove(ViObject vi);

private:
    visa_session_table_t() = default;

    mutable std::mutex mutex_;
    std::map<ViObject, std::shared_ptr<visa_session_t>> sessions_;
    ViObject next_ = 1;
};

#endif
