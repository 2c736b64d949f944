// The core channel of the simulated load (VXI-11 program 0x0607AF): links,
// their input buffers and pending replies, and the fault modes. Messages are
// executed one at a time under one instrument lock, so each reply belongs
// to the link whose message produced it. Thread-safe: the server calls it
// from one thread per connection.
#ifndef WATTLEX_SIM_CORE_CHANNEL_T_H
#define WATTLEX_SIM_CORE_CHANNEL_T_H

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "rpc_message_t.h"

class sim_config_t;
class sim_instrument;
class sim_log_t;

class sim_core_channel_t {
public:
    sim_core_channel_t(const sim_config_t &cfg, sim_instrument &inst, sim_log_t &log);

    // Reply to one core call on connection conn. An empty reply with *drop
    // set means: close every core connection without answering.
    std::string handle(uint64_t conn, const rpc_message_t::call_t &call, const char *args,
                       size_t len, bool *drop);
    // The connection closed: its links go away, the instrument stays as it is.
    void connection_closed(uint64_t conn);
    // Wakes reads that wait for a reply; they answer a timeout.
    void stop();

private:
    using clock = std::chrono::steady_clock;

    struct link_t {
        uint64_t conn = 0;
        std::string input;    // message so far, END not yet seen
        bool pending = false; // a reply waits to be read
        std::string reply;
        size_t sent = 0;
        clock::time_point ready; // --delay-ms: not readable before this
    };
    struct outcome_t {
        std::string results;
        bool garbage_args = false;
        bool drop = false;
    };
    using handler_t = outcome_t (sim_core_channel_t::*)(uint64_t, const char *, size_t);
    struct proc_entry_t {
        uint32_t proc;
        handler_t fn;
    };
    static const proc_entry_t procs_[];

    outcome_t null_proc(uint64_t conn, const char *args, size_t len);
    outcome_t create_link(uint64_t conn, const char *args, size_t len);
    outcome_t device_write(uint64_t conn, const char *args, size_t len);
    outcome_t device_read(uint64_t conn, const char *args, size_t len);
    outcome_t device_readstb(uint64_t conn, const char *args, size_t len);
    outcome_t device_trigger(uint64_t conn, const char *args, size_t len);
    outcome_t device_clear(uint64_t conn, const char *args, size_t len);
    outcome_t device_remote(uint64_t conn, const char *args, size_t len);
    outcome_t device_local(uint64_t conn, const char *args, size_t len);
    // device_remote and device_local: the remote state of the instrument.
    outcome_t set_remote(const char *args, size_t len, bool remote);
    outcome_t device_lock(uint64_t conn, const char *args, size_t len);
    outcome_t device_unlock(uint64_t conn, const char *args, size_t len);
    outcome_t device_enable_srq(uint64_t conn, const char *args, size_t len);
    outcome_t device_docmd(uint64_t conn, const char *args, size_t len);
    outcome_t destroy_link(uint64_t conn, const char *args, size_t len);
    outcome_t create_intr_chan(uint64_t conn, const char *args, size_t len);
    outcome_t destroy_intr_chan(uint64_t conn, const char *args, size_t len);

    // Executes one complete message of link lid; false: drop the connections.
    bool run_message(int32_t lid, const std::string &msg);
    std::string fault_reply(const std::string &reply);
    bool link_exists(int32_t lid);

    const sim_config_t &cfg_;
    sim_log_t &log_;

    std::mutex inst_mutex_; // lock order: inst_mutex_ before links_mutex_
    sim_instrument &inst_;
    long messages_ = 0;
    long fault_start_ = 0; // number of the message the faults began at (--fault-at)

    std::mutex links_mutex_;
    std::condition_variable links_cv_;
    std::map<int32_t, link_t> links_;
    int32_t next_lid_ = 1;
    bool stopping_ = false;
};

#endif
