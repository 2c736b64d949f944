// The sanitizer's side of thread_order.h.
#include "thread_order.h"

#include <QThread>

#if defined(__SANITIZE_THREAD__)
#define WATTLEX_THREAD_ORDER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define WATTLEX_THREAD_ORDER 1
#endif
#endif

#ifdef WATTLEX_THREAD_ORDER

#include <QEvent>
#include <QObject>
#include <QtGlobal>

#include <memory>

#include <sanitizer/tsan_interface.h>

namespace {

// One token for every queued call: Qt hands them all to the window's thread
// through that thread's one event queue and its lock.
char queued_calls;

bool take_queued_call(void **data)
{
    // data: receiver, event, result
    const QEvent *event = static_cast<const QEvent *>(data[1]);
    if (event && event->type() == QEvent::MetaCall)
        __tsan_acquire(&queued_calls);
    return false; // deliver as usual
}

// Before main() and before any thread: Qt's callback table has no lock.
[[maybe_unused]] const bool registered = QInternal::registerCallback(QInternal::EventNotifyCallback, take_queued_call);

} // namespace

void thread_order::before_post()
{
    __tsan_release(&queued_calls);
}

void thread_order::at_end(const QThread *thread)
{
    QThread *t = const_cast<QThread *>(thread);
    __tsan_release(t);
    // After run(), Qt still reads the object while it emits finished() (a
    // queued connection's first emission asks the sender's metaObject(), so
    // does the disconnect below). Connected last, this runs after those
    // reads, once.
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = QObject::connect(t, &QThread::finished, [t, once] {
        QObject::disconnect(*once);
        __tsan_release(t);
    });
}

void thread_order::after_wait(const QThread *thread)
{
    __tsan_acquire(const_cast<QThread *>(thread));
}

#else

void thread_order::before_post() {}
void thread_order::at_end(const QThread *) {}
void thread_order::after_wait(const QThread *) {}

#endif

void thread_order::after_post()
{
    before_post();
}

bool thread_order::wait(QThread *thread, unsigned long ms)
{
    if (!thread->wait(ms))
        return false;
    after_wait(thread);
    return true;
}
