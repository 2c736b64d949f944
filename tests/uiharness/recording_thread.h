#ifndef RECORDING_THREAD_H
#define RECORDING_THREAD_H

#include "cfg_thread_t.h"

#include <QList>

#include <mutex>

// A command thread that talks to no load: it keeps every request it serves,
// in order, and answers each query "0\n" (a binary request with an empty
// block). A repeating request counts once however often it is served, until
// another request is served. Its signals reach only what a test connects.
//
//   auto* rec = new recording_thread;   // handed to the code under test
//   rec->start();
//   ...
//   QCOMPARE(rec->take_served().value(0).button_model, 42);
class recording_thread : public cfg_thread_t
{
public:
    // The window's measurement poll.
    static const int poll_op = 183;

    ~recording_thread() override;

    // Every request served so far.
    QList<cfg_request_t> served();
    // The same without the measurement poll.
    QList<cfg_request_t> posts();
    // True once the measurement poll was served.
    bool polled();
    // Forgets what was served (a repeating request still being served is
    // not counted again).
    void forget();

    // Wait until at least `count` requests (posts(): other than the poll)
    // were served, then return them all; fewer after `timeout_ms`.
    QList<cfg_request_t> wait_served(int count, int timeout_ms = 3000);
    QList<cfg_request_t> wait_posts(int count, int timeout_ms = 3000);
    // Waits until everything posted before the call was served; returns the
    // requests served since the previous call (none after `timeout_ms`).
    QList<cfg_request_t> take_served(int timeout_ms = 3000);

protected:
    bool serve_text(const cfg_request_t& req, QList<QString>* replies) override;
    bool serve_binary(const cfg_request_t& req, QByteArray* block) override;

private:
    // Posted by take_served(); ends a part of what was served.
    static const int marker_op = -7;

    void keep(const cfg_request_t& req);

    std::mutex m_lock; // a QMutex is unseen by the thread sanitizer
    QList<cfg_request_t> m_served;
    QList<int> m_marks; // size of m_served at each marker
    int m_taken = 0;    // markers take_served() has used
    cfg_request_t m_last;
    bool m_has_last = false;
    bool m_polled = false;
};

#endif
