// The command thread: carries every posted request to the load over the
// shared session and hands the replies back as queued signals.
#ifndef WATTLEX_CFG_THREAD_T_H
#define WATTLEX_CFG_THREAD_T_H

#include "cfg_if_scpi_t.h"
#include "cfg_request_t.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QThread>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>

class QWidget;

class cfg_thread_t : public QThread
{
    Q_OBJECT
public:
    // Idle pause while nothing is posted.
    static const int idle_pause_ms = 20;

    explicit cfg_thread_t(QObject *parent = nullptr);
    ~cfg_thread_t() override;

    // Resource text, read once at the start of run(): "USB" selects the
    // USB read rules, "TCP" the LAN rules.
    void set_resource(const std::string &text);
    std::string get_resource() const;

    // Posts a request; never blocks. One-shot requests are served once each,
    // in the order posted; a repeating one is served on every pass until any
    // later post arrives (at least once). A request with empty lists is still
    // answered (send_result with no replies); a binary one writes raw and
    // answers with send_byte_result. False (and post_refused) while the
    // session is held.
    bool add_request(int button_model, const QList<QString> &write, const QList<QString> &query,
                     const QList<QWidget *> &widgets, bool repeat, int private_data, bool binary,
                     const QByteArray &raw);

    // Posts a list of queries asked on the next pass, before the request;
    // every reply (empty ones too) comes back with send_message_cmd. False
    // (and post_refused) while the session is held.
    bool add_message_cmd(const QList<QString> &queries, int kind);

    // Another thread is to take the session (a settings transfer): from now
    // on every post is refused, but for the owner's own (see own_posts),
    // which are kept for resume(). A running thread first serves what was
    // posted before, so that it reaches the load ahead of the transfer (a
    // repeating request no more than once), and then ends; a thread that is
    // not running has its mailbox emptied.
    void hold();
    // The session is ours again: posts are taken, on an empty mailbox (the
    // load's set-up was replaced: nothing asked for the old one is served).
    void release();
    // The session is ours again and the load as it was: the repeating
    // request the hold ended is posted again, and after it the owner's own
    // posts kept meanwhile, in order; a repeating one among them takes the
    // place of the ended one.
    void resume();
    bool held() const;

    // While one lives, posts on the owner's thread are the owner's own (the
    // follow-ups of a reply, the poll), not a user's: while the session is
    // held they are kept for resume() instead of being refused.
    class own_posts
    {
    public:
        explicit own_posts(cfg_thread_t *thread);
        ~own_posts();
        own_posts(const own_posts &) = delete;
        own_posts &operator=(const own_posts &) = delete;

    private:
        cfg_thread_t *m_thread;
    };
    // While one lives, posts on the owner's thread are a user's again, also
    // inside an own_posts scope: the answer to a question a reply asked is
    // the user's, not the reply's follow-up.
    class user_posts
    {
    public:
        explicit user_posts(cfg_thread_t *thread);
        ~user_posts();
        user_posts(const user_posts &) = delete;
        user_posts &operator=(const user_posts &) = delete;

    private:
        cfg_thread_t *m_thread;
        int m_own_depth;
    };

    // Ends run() at its next test (top of the loop and the idle wait).
    void stop();
    // stop(), then wait for run() to end.
    void stop_and_wait();
    // Disconnect: stops the thread, waits for it, drops what is still posted
    // and only then closes the shared session.
    void close_session();

    // QThread::start(), with the run counted for carries_replies().
    void start(QThread::Priority priority = QThread::InheritPriority);
    // Running, or ended with its finished() not yet delivered to the
    // thread that owns this object. The replies of a run are queued there
    // before its finished(), so a run that has just ended on a lost link
    // may still have replies on their way: it is not over for the owner.
    // Owner's thread only.
    bool carries_replies() const;

    // Number of posts not yet served (a current repeating request counts).
    int pending_requests() const;
    // Drops every post not yet served (the thread not running), and those
    // kept for resume(): they were made for no load, or for one that is gone.
    void discard_posts();

signals:
    void send_result(int button_model, QList<QString> value, QList<QWidget *> widget, int private_data);
    void send_byte_result(int button_model, QByteArray data);
    void send_message_cmd(QList<QString> value, int kind);
    void update_resource();
    // A post was refused: the session is held (owner's thread, direct).
    void post_refused();

protected:
    void run() override;

    // One text request and one binary request; false when the link is lost.
    // Virtual so that the exchange can be replaced (tests).
    virtual bool serve_text(const cfg_request_t &req, QList<QString> *replies);
    virtual bool serve_binary(const cfg_request_t &req, QByteArray *block);
    virtual QList<QString> serve_messages(const QList<QString> &queries);

    cfg_if_scpi_t scpi;

private:
    struct posted {
        cfg_request_t req;
        bool served = false;
    };
    struct message_list {
        QList<QString> queries;
        int kind = 0;
    };

    bool take_request(cfg_request_t *req);
    bool take_messages(message_list *msg);
    // Under mailbox_mutex.
    void forget_kept();

    mutable std::mutex mailbox_mutex;
    std::deque<posted> mailbox;
    std::deque<message_list> messages;
    std::string resource_text;
    std::atomic<bool> stop_flag{false};
    bool hold_posts = false; // under mailbox_mutex
    // Under mailbox_mutex: the depth of own_posts scopes; the owner's own
    // posts kept during a hold; the repeating request the hold ended (at
    // most one).
    int own_depth = 0;
    std::deque<posted> kept;
    std::deque<message_list> kept_messages;
    std::deque<posted> held_repeat;
    // Runs started and runs whose finished() has arrived: the owner's thread only.
    int runs_started = 0;
    int runs_ended = 0;
};

#endif
