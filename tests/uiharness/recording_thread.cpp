#include "recording_thread.h"

#include <QTest>

recording_thread::~recording_thread()
{
    // Before this object's part is gone: run() calls the overrides.
    stop_and_wait();
}

QList<cfg_request_t> recording_thread::served()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_served;
}

QList<cfg_request_t> recording_thread::posts()
{
    QList<cfg_request_t> out;
    for (const cfg_request_t& r : served()) {
        if (r.button_model != poll_op)
            out << r;
    }
    return out;
}

bool recording_thread::polled()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_polled;
}

void recording_thread::forget()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_served.clear();
    m_marks.clear();
    m_taken = 0;
    // m_last stays: a repeating request still being served was posted
    // before, and served again it is not a new post.
    m_polled = false;
}

QList<cfg_request_t> recording_thread::wait_served(int count, int timeout_ms)
{
    if (!QTest::qWaitFor([&] { return served().size() >= count; }, timeout_ms))
        qWarning() << "fewer requests served than" << count;
    return served();
}

QList<cfg_request_t> recording_thread::wait_posts(int count, int timeout_ms)
{
    if (!QTest::qWaitFor([&] { return posts().size() >= count; }, timeout_ms))
        qWarning() << "fewer requests posted than" << count;
    return posts();
}

QList<cfg_request_t> recording_thread::take_served(int timeout_ms)
{
    add_request(marker_op, {}, {}, {}, false, 0, false, QByteArray());
    const int index = m_taken++;
    const bool seen = QTest::qWaitFor([&] {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_marks.size() > index;
    }, timeout_ms);
    if (!seen)
        return {};
    std::lock_guard<std::mutex> lock(m_lock);
    const int from = index == 0 ? 0 : m_marks.at(index - 1);
    return m_served.mid(from, m_marks.at(index) - from);
}

void recording_thread::keep(const cfg_request_t& req)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (req.button_model == marker_op) {
        m_marks << m_served.size();
        m_has_last = false;
        return;
    }
    const bool again = req.repeat && m_has_last && m_last.repeat && m_last.button_model == req.button_model
                       && m_last.query == req.query && m_last.write == req.write;
    m_last = req;
    m_has_last = true;
    if (req.button_model == poll_op)
        m_polled = true;
    if (!again)
        m_served << req;
}

bool recording_thread::serve_text(const cfg_request_t& req, QList<QString>* replies)
{
    keep(req);
    for (const QString& q : req.query) {
        if (!q.isEmpty())
            *replies << QStringLiteral("0\n");
    }
    // A repeating request is served again at once: keep that loop from spinning.
    if (req.repeat)
        QThread::msleep(2);
    return true;
}

bool recording_thread::serve_binary(const cfg_request_t& req, QByteArray*)
{
    keep(req);
    return true;
}
