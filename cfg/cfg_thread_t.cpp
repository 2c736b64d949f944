#include "cfg_thread_t.h"
#include "thread_order.h"

#include "device/sys_timing.h"
#include "device/visa_session.h"

#include <QMetaType>
#include <QWidget>

#include <algorithm>

cfg_thread_t::cfg_thread_t(QObject *parent) : QThread(parent)
{
    qRegisterMetaType<QList<QWidget *>>("QList<QWidget*>");
    qRegisterMetaType<QList<QString>>("QList<QString>");
    // Queued to the owner's thread, behind every reply of the run.
    connect(this, &QThread::finished, this, [this] { ++runs_ended; });
}

cfg_thread_t::~cfg_thread_t()
{
    stop_and_wait();
}

void cfg_thread_t::set_resource(const std::string &text)
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    resource_text = text;
}

std::string cfg_thread_t::get_resource() const
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    return resource_text;
}

bool cfg_thread_t::add_request(int button_model, const QList<QString> &write, const QList<QString> &query,
                               const QList<QWidget *> &widgets, bool repeat, int private_data, bool binary,
                               const QByteArray &raw)
{
    posted p;
    p.req.button_model = button_model;
    p.req.write = write;
    p.req.query = query;
    p.req.widgets = widgets;
    p.req.private_data = private_data;
    p.req.binary = binary;
    p.req.raw = raw;
    // With nothing to exchange a repeat would only flood the window with
    // empty answers: answer it once.
    p.req.repeat = repeat && (binary || !write.isEmpty() || !query.isEmpty());
    {
        std::lock_guard<std::mutex> lock(mailbox_mutex);
        if (!hold_posts) {
            mailbox.push_back(p);
            return true;
        }
        if (own_depth > 0) {
            kept.push_back(p);
            return true;
        }
    }
    emit post_refused();
    return false;
}

bool cfg_thread_t::add_message_cmd(const QList<QString> &queries, int kind)
{
    {
        std::lock_guard<std::mutex> lock(mailbox_mutex);
        if (!hold_posts) {
            messages.push_back(message_list{queries, kind});
            return true;
        }
        if (own_depth > 0) {
            kept_messages.push_back(message_list{queries, kind});
            return true;
        }
    }
    emit post_refused();
    return false;
}

void cfg_thread_t::hold()
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    hold_posts = true;
    forget_kept();
    // Nothing would serve them before the holder is done; after it they
    // would be old.
    if (!isRunning()) {
        mailbox.clear();
        messages.clear();
    }
}

void cfg_thread_t::release()
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    hold_posts = false;
    mailbox.clear();
    messages.clear();
    forget_kept();
}

void cfg_thread_t::resume()
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    hold_posts = false;
    mailbox.clear();
    messages.clear();
    const bool repeat_kept =
        std::any_of(kept.begin(), kept.end(), [](const posted &p) { return p.req.repeat; });
    if (!repeat_kept)
        mailbox = held_repeat;
    mailbox.insert(mailbox.end(), kept.begin(), kept.end());
    messages = kept_messages;
    forget_kept();
}

void cfg_thread_t::forget_kept()
{
    kept.clear();
    kept_messages.clear();
    held_repeat.clear();
}

cfg_thread_t::own_posts::own_posts(cfg_thread_t *thread) : m_thread(thread)
{
    std::lock_guard<std::mutex> lock(m_thread->mailbox_mutex);
    ++m_thread->own_depth;
}

cfg_thread_t::own_posts::~own_posts()
{
    std::lock_guard<std::mutex> lock(m_thread->mailbox_mutex);
    --m_thread->own_depth;
}

cfg_thread_t::user_posts::user_posts(cfg_thread_t *thread) : m_thread(thread)
{
    std::lock_guard<std::mutex> lock(m_thread->mailbox_mutex);
    m_own_depth = m_thread->own_depth;
    m_thread->own_depth = 0;
}

cfg_thread_t::user_posts::~user_posts()
{
    std::lock_guard<std::mutex> lock(m_thread->mailbox_mutex);
    // Scopes opened meanwhile have closed: the count is back at 0.
    m_thread->own_depth += m_own_depth;
}

bool cfg_thread_t::held() const
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    return hold_posts;
}

int cfg_thread_t::pending_requests() const
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    return static_cast<int>(mailbox.size());
}

bool cfg_thread_t::take_request(cfg_request_t *req)
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    while (!mailbox.empty()) {
        posted &front = mailbox.front();
        if (!front.req.repeat) {
            *req = front.req;
            mailbox.pop_front();
            return true;
        }
        // A repeating request gives way to any later post once it has run,
        // and to a hold of the session, which keeps it for resume().
        if (front.served && (mailbox.size() > 1 || hold_posts)) {
            if (mailbox.size() == 1) {
                held_repeat.assign(1, front);
                held_repeat.front().served = false;
            }
            mailbox.pop_front();
            continue;
        }
        front.served = true;
        *req = front.req;
        return true;
    }
    return false;
}

bool cfg_thread_t::take_messages(message_list *msg)
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    if (messages.empty())
        return false;
    *msg = messages.front();
    messages.pop_front();
    return true;
}

void cfg_thread_t::discard_posts()
{
    std::lock_guard<std::mutex> lock(mailbox_mutex);
    mailbox.clear();
    messages.clear();
    forget_kept();
}

void cfg_thread_t::start(QThread::Priority priority)
{
    // On a running thread QThread::start() does nothing; one that is
    // finishing is waited for and then started again, so it is a new run.
    if (!isRunning())
        ++runs_started;
    QThread::start(priority);
}

bool cfg_thread_t::carries_replies() const
{
    return isRunning() || runs_ended < runs_started;
}

void cfg_thread_t::stop()
{
    if (isRunning())
        stop_flag = true;
}

void cfg_thread_t::stop_and_wait()
{
    if (isRunning())
        stop_flag = true;
    // Waited for also when run() has returned: isRunning() is false while Qt
    // still emits finished() from the thread, and the object must outlive
    // that. (A thread that never started is not waited for.)
    thread_order::wait(this);
    stop_flag = false;
}

void cfg_thread_t::close_session()
{
    stop_and_wait();
    discard_posts();
    close_visa_session();
}

bool cfg_thread_t::serve_text(const cfg_request_t &req, QList<QString> *replies)
{
    return scpi.exchange_lists(&g_visa_session, req.write, req.query, replies);
}

bool cfg_thread_t::serve_binary(const cfg_request_t &req, QByteArray *block)
{
    bool link_ok = true;
    *block = scpi.exchange_binary(&g_visa_session, req.raw, &link_ok);
    return link_ok;
}

QList<QString> cfg_thread_t::serve_messages(const QList<QString> &queries)
{
    QList<QString> replies;
    for (const QString &q : queries)
        replies.append(QString::fromStdString(scpi.scpi_query(&g_visa_session, q.toStdString())));
    return replies;
}

void cfg_thread_t::run()
{
    thread_order::end_of_run end(this);
    scpi.set_resource(get_resource());
    bool link_lost = false;
    while (!stop_flag) {
        message_list msg;
        const bool had_messages = take_messages(&msg);
        if (had_messages) {
            const QList<QString> replies = serve_messages(msg.queries);
            thread_order::before_post();
            emit send_message_cmd(replies, msg.kind);
            thread_order::after_post();
        }

        cfg_request_t req;
        if (!take_request(&req)) {
            if (had_messages)
                continue;
            // Everything posted before the hold has been served.
            if (held())
                break;
            sys_sleep_ms(idle_pause_ms);
            continue;
        }
        if (req.binary) {
            QByteArray block;
            if (!serve_binary(req, &block)) {
                link_lost = true;
                break;
            }
            thread_order::before_post();
            emit send_byte_result(req.button_model, block);
            thread_order::after_post();
        } else {
            QList<QString> replies;
            if (!serve_text(req, &replies)) {
                link_lost = true;
                break;
            }
            thread_order::before_post();
            emit send_result(req.button_model, replies, req.widgets, req.private_data);
            thread_order::after_post();
        }
    }
    // Nothing posted for a lost link may reach the next load.
    if (link_lost)
        discard_posts();
    stop_flag = false;
}
