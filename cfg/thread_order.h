// What Qt orders between our threads with its own locks, told to the thread
// sanitizer. Debian's Qt is not built with the sanitizer and its QMutex is a
// bare futex, so two hand-overs look unordered to it: a queued signal's post
// before the slot that the event calls, and a thread's end before
// QThread::wait() returns. Without the sanitizer every call here is empty.
#ifndef WATTLEX_THREAD_ORDER_H
#define WATTLEX_THREAD_ORDER_H

#include <climits>

class QThread;

namespace thread_order {

// A thread of ours, just before it emits a signal whose slot runs on
// another thread: what it did so far comes before that slot. The slot's side
// is taken when Qt delivers the queued call (a QEvent::MetaCall).
void before_post();
// ... and just after that emit: Qt copies the signal's arguments inside the
// emit, after before_post(), so a slot that runs late (a busy window) would
// see those copies unordered once the sanitizer no longer holds their
// stack to match its suppression.
void after_post();

// A thread of ours, at the end of run(): what it did, and what Qt does with
// the object while it emits finished(), comes before the return of
// QThread::wait() on it ...
void at_end(const QThread *thread);
// ... as the waiting thread tells once wait() returned.
void after_wait(const QThread *thread);
// thread->wait(ms), then after_wait() when the thread has ended.
bool wait(QThread *thread, unsigned long ms = ULONG_MAX);

// Declared first in run(): at_end() on every way out of it.
class end_of_run
{
public:
    explicit end_of_run(const QThread *thread) : m_thread(thread) {}
    ~end_of_run() { at_end(m_thread); }
    end_of_run(const end_of_run &) = delete;
    end_of_run &operator=(const end_of_run &) = delete;

private:
    const QThread *m_thread;
};

} // namespace thread_order

#endif
