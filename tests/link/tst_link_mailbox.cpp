// The command thread's mailbox: order, repeat, empty requests, message
// lists and a lost link, with the exchange replaced by a fake.
#include "cfg/cfg_thread_t.h"
#include "cfg/thread_order.h"

#include <QWidget>
#include <QtTest>

#include <atomic>

namespace {

// One answer as the window sees it, in arrival order.
struct answer {
    enum kind_t { text, bytes, message } kind;
    int code;
    QList<QString> replies;
    QList<QWidget *> widgets;
    int sub;
    QByteArray block;
};

class fake_thread : public cfg_thread_t
{
public:
    std::atomic<int> fail_code{-1};
    std::atomic<int> text_calls{0};

protected:
    bool serve_text(const cfg_request_t &req, QList<QString> *replies) override
    {
        ++text_calls;
        if (req.button_model == fail_code)
            return false;
        for (int i = 0; i < req.query.size(); ++i) {
            if (!req.query[i].isEmpty())
                replies->append(req.write.value(i) + "|" + req.query[i] + "\n");
        }
        QThread::usleep(200); // a little like a real exchange
        return true;
    }
    bool serve_binary(const cfg_request_t &req, QByteArray *block) override
    {
        *block = "blk:" + req.raw;
        return true;
    }
    QList<QString> serve_messages(const QList<QString> &queries) override
    {
        QList<QString> r;
        for (const QString &q : queries)
            r.append("m:" + q);
        return r;
    }
};

} // namespace

class tst_link_mailbox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void one_shots_in_order_with_their_data();
    void repeat_stays_until_a_later_post();
    void repeat_runs_at_least_once();
    void empty_requests_are_answered();
    void binary_and_message_lists();
    void no_post_lost_under_load();
    void lost_link_stops_and_drops();
    void stop_ends_idle_and_busy_threads();
    void a_hold_serves_what_came_before_then_refuses();
    void a_resume_goes_on_with_what_ran_and_the_owners_own_posts_data();
    void a_resume_goes_on_with_what_ran_and_the_owners_own_posts();

private:
    void post(int code, QList<QString> write, QList<QString> query, bool repeat = false, int sub = 0,
              QList<QWidget *> widgets = {})
    {
        thread->add_request(code, write, query, widgets, repeat, sub, false, QByteArray());
    }
    QList<int> codes() const
    {
        QList<int> c;
        for (const answer &a : answers)
            c.append(a.code);
        return c;
    }

    fake_thread *thread = nullptr;
    QObject *receiver = nullptr;
    QList<answer> answers;
};

void tst_link_mailbox::init()
{
    answers.clear();
    thread = new fake_thread;
    receiver = new QObject;
    // Queued, as the window gets them: also checks the registered types.
    connect(thread, &cfg_thread_t::send_result, receiver,
            [this](int code, QList<QString> r, QList<QWidget *> w, int sub) {
                answers.append({answer::text, code, r, w, sub, {}});
            });
    connect(thread, &cfg_thread_t::send_byte_result, receiver, [this](int code, QByteArray b) {
        answers.append({answer::bytes, code, {}, {}, 0, b});
    });
    connect(thread, &cfg_thread_t::send_message_cmd, receiver, [this](QList<QString> r, int kind) {
        answers.append({answer::message, kind, r, {}, 0, {}});
    });
}

void tst_link_mailbox::cleanup()
{
    thread->stop_and_wait();
    delete thread;
    delete receiver;
}

void tst_link_mailbox::one_shots_in_order_with_their_data()
{
    // Handed back untouched, never used: any pointer values will do.
    QWidget *const w1 = reinterpret_cast<QWidget *>(quintptr(0x1010));
    QWidget *const w2 = reinterpret_cast<QWidget *>(quintptr(0x2020));
    post(34, {"CURR:IRANG 30", ""}, {"", "CURR:IRANG?"}, false, 0, {w1});
    post(36, {"CURR 2.5"}, {"CURR?"}, false, 7, {w1, w2});
    post(32, {"INP 1", "", "SYST:REMOT:STAT 1"}, {"INP?", "MEAS:CURR?", ""}, false, 185);
    thread->start();
    QTRY_COMPARE(answers.size(), 3);
    QCOMPARE(codes(), (QList<int>{34, 36, 32}));
    QCOMPARE(answers[0].replies, (QList<QString>{"|CURR:IRANG?\n"}));
    QCOMPARE(answers[0].widgets, (QList<QWidget *>{w1}));
    QCOMPARE(answers[1].replies, (QList<QString>{"CURR 2.5|CURR?\n"}));
    QCOMPARE(answers[1].widgets, (QList<QWidget *>{w1, w2}));
    QCOMPARE(answers[1].sub, 7);
    // Write-only entries add no reply; the rest keep their order.
    QCOMPARE(answers[2].replies, (QList<QString>{"INP 1|INP?\n", "|MEAS:CURR?\n"}));
    QCOMPARE(answers[2].sub, 185);
    QTest::qWait(60);
    QCOMPARE(answers.size(), 3); // one-shots run once
}

void tst_link_mailbox::repeat_stays_until_a_later_post()
{
    post(183, {}, {"MEAS:VOLT?"}, true);
    thread->start();
    QTRY_VERIFY(answers.size() >= 5);
    post(36, {"CURR 1"}, {"CURR?"});
    QTRY_VERIFY(codes().contains(36));
    QTest::qWait(60);
    // Nothing after the edit: the poll gave way to the later post.
    QCOMPARE(codes().last(), 36);
    QCOMPARE(codes().count(36), 1);
    for (int i = 0; i < answers.size() - 1; ++i)
        QCOMPARE(answers[i].code, 183);

    // A new repeating post takes over again.
    const int after_edit = answers.size();
    post(183, {}, {"MEAS:CURR?"}, true);
    QTRY_VERIFY(answers.size() >= after_edit + 3);
    QCOMPARE(answers.last().replies, (QList<QString>{"|MEAS:CURR?\n"}));
}

void tst_link_mailbox::repeat_runs_at_least_once()
{
    // Posted together before the thread runs: the read-back chain's repeat
    // (31) must still be answered once before the later posts.
    post(30, {}, {"CURR?"});
    post(31, {}, {"FUNC:MODE?"}, true, 1);
    post(183, {}, {"MEAS:VOLT?"}, true);
    post(36, {"CURR 1"}, {"CURR?"});
    thread->start();
    QTRY_COMPARE(answers.size(), 4);
    QCOMPARE(codes(), (QList<int>{30, 31, 183, 36}));
    QCOMPARE(answers[1].sub, 1);
    QTest::qWait(60);
    QCOMPARE(answers.size(), 4);
}

void tst_link_mailbox::empty_requests_are_answered()
{
    post(183, {}, {"MEAS:VOLT?"}, true);
    thread->start();
    QTRY_VERIFY(answers.size() >= 2);
    // The utility dialog's OK with nothing changed.
    post(161, {}, {}, false, 0);
    QTRY_VERIFY(codes().contains(161));
    const answer a = answers.last();
    QCOMPARE(a.code, 161);
    QVERIFY(a.replies.isEmpty());

    // Empty and repeating: answered once, not flooded.
    const int before = thread->text_calls;
    post(9, {}, {}, true);
    QTRY_VERIFY(codes().contains(9));
    QTest::qWait(60);
    QCOMPARE(codes().count(9), 1);
    QCOMPARE(thread->text_calls.load(), before + 1);
    QCOMPARE(thread->pending_requests(), 0);
}

void tst_link_mailbox::binary_and_message_lists()
{
    thread->add_request(80, {""}, {"LIST:EXPORT?"}, {}, false, 0, true, QByteArray("LIST:EXPORT?"));
    post(13, {}, {"LIST:MODE?"});
    thread->add_message_cmd({"TEST:STAT?", "PROG:TEST? 1"}, 6);
    thread->start();
    QTRY_COMPARE(answers.size(), 3);
    // The message list goes before the request of the same pass.
    QCOMPARE(answers[0].kind, answer::message);
    QCOMPARE(answers[0].code, 6);
    QCOMPARE(answers[0].replies, (QList<QString>{"m:TEST:STAT?", "m:PROG:TEST? 1"}));
    QCOMPARE(answers[1].kind, answer::bytes);
    QCOMPARE(answers[1].code, 80);
    QCOMPARE(answers[1].block, QByteArray("blk:LIST:EXPORT?"));
    QCOMPARE(answers[2].kind, answer::text);
    QCOMPARE(answers[2].code, 13);
}

void tst_link_mailbox::no_post_lost_under_load()
{
    post(183, {}, {"MEAS:VOLT?"}, true);
    thread->start();
    const int n = 300;
    for (int i = 0; i < n; ++i) {
        post(1000 + i, {QString::number(i)}, {"Q?"});
        if (i % 50 == 0)
            QTest::qWait(2);
    }
    QTRY_VERIFY_WITH_TIMEOUT(codes().contains(1000 + n - 1), 10000);
    QList<int> edits;
    for (int c : codes())
        if (c >= 1000)
            edits.append(c);
    QCOMPARE(edits.size(), n);
    for (int i = 0; i < n; ++i)
        QCOMPARE(edits[i], 1000 + i);
}

void tst_link_mailbox::lost_link_stops_and_drops()
{
    thread->fail_code = 50;
    post(49, {}, {"A?"});
    post(50, {}, {"B?"});
    post(51, {}, {"C?"});
    post(183, {}, {"MEAS:VOLT?"}, true);
    QVERIFY(!thread->carries_replies()); // never started
    thread->start();
    QVERIFY(thread_order::wait(thread, 5000));
    // Ended, with its one answer and its end still on their way: the
    // owner does not take the link for gone before it has that answer.
    QVERIFY(!thread->isRunning());
    QVERIFY(answers.isEmpty());
    QVERIFY(thread->carries_replies());
    QTest::qWait(20);
    QVERIFY(!thread->carries_replies());
    QCOMPARE(codes(), (QList<int>{49}));
    // Posts of the lost link must not reach the next load.
    QCOMPARE(thread->pending_requests(), 0);

    // The thread can be started again after a reconnect.
    thread->fail_code = -1;
    post(30, {}, {"CURR?"});
    thread->start();
    QTRY_COMPARE(answers.size(), 2);
    QCOMPARE(answers[1].code, 30);
    // Started again before the end of the run before arrived: that end
    // does not end the new run's carrying.
    thread->stop_and_wait();
    thread->start();
    QCoreApplication::sendPostedEvents(thread, QEvent::MetaCall);
    thread->stop_and_wait();
    QVERIFY(!thread->isRunning());
    QVERIFY(thread->carries_replies());
    QCoreApplication::sendPostedEvents(thread, QEvent::MetaCall);
    QVERIFY(!thread->carries_replies());
}

void tst_link_mailbox::stop_ends_idle_and_busy_threads()
{
    thread->start();
    QTest::qWait(30);
    QElapsedTimer t;
    t.start();
    thread->stop_and_wait();
    QVERIFY(!thread->isRunning());
    QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));

    post(183, {}, {"MEAS:VOLT?"}, true);
    thread->start();
    QTRY_VERIFY(answers.size() >= 3);
    thread->stop();
    QVERIFY(thread_order::wait(thread, 2000));
    // Stopping keeps what is posted: a restart serves the poll again.
    QCOMPARE(thread->pending_requests(), 1);
    const int before = answers.size();
    thread->start();
    QTRY_VERIFY(answers.size() > before);

    // stop() on a thread that does not run leaves the next start alone.
    thread->stop_and_wait();
    thread->stop();
    thread->start();
    QTest::qWait(50);
    QVERIFY(thread->isRunning());
}

void tst_link_mailbox::a_hold_serves_what_came_before_then_refuses()
{
    int refused = 0;
    connect(thread, &cfg_thread_t::post_refused, receiver, [&] { ++refused; });
    post(183, {}, {"MEAS:VOLT?"}, true);
    thread->start();
    QTRY_VERIFY(answers.size() >= 2);
    // Posted just before another thread takes the session: served first,
    // in order, a repeat not yet served once; the poll is not asked again.
    post(36, {"CURR 1"}, {"CURR?"});
    thread->add_message_cmd({"SHOR?"}, 33);
    post(31, {}, {"FUNC:MODE?"}, true, 1);
    thread->hold();
    QVERIFY(!thread->add_request(32, {"INP 1"}, {"INP?"}, {}, false, 0, false, {}));
    QVERIFY(!thread->add_message_cmd({"TEST:STAT?"}, 7));
    QCOMPARE(refused, 2);
    QVERIFY(thread_order::wait(thread, 5000)); // ends by itself
    QTRY_VERIFY(!thread->carries_replies());
    QList<int> text_codes;
    QList<int> message_codes;
    for (const answer &a : answers)
        (a.kind == answer::message ? message_codes : text_codes).append(a.code);
    QCOMPARE(text_codes.mid(text_codes.lastIndexOf(183) + 1), (QList<int>{36, 31}));
    QCOMPARE(message_codes, (QList<int>{33}));
    QCOMPARE(thread->pending_requests(), 0);

    // Released: what was refused stays forgotten.
    thread->release();
    QVERIFY(thread->add_request(30, {}, {"CURR?"}, {}, false, 0, false, {}));
    thread->start();
    QTRY_COMPARE(codes().last(), 30);
    QTest::qWait(60);
    QVERIFY(!codes().contains(32) && !codes().contains(7));

    // A hold of a thread that does not run empties its mailbox.
    thread->stop_and_wait();
    post(49, {}, {"A?"});
    thread->hold();
    QCOMPARE(thread->pending_requests(), 0);
    thread->release();
}

// The owner's own posts (follow-ups of a reply, the poll) made during a hold
// are kept, not refused: a resume serves them after the repeating request
// the hold ended, in order (a repeating one of them takes that one's place);
// a release forgets them with the rest. A user's scope inside the owner's
// (an answer to a question a reply asked) is refused like a click.
void tst_link_mailbox::a_resume_goes_on_with_what_ran_and_the_owners_own_posts_data()
{
    QTest::addColumn<bool>("resume");
    QTest::addColumn<bool>("own_repeat"); // among the owner's posts, a repeating one
    QTest::addColumn<QList<int>>("after"); // codes served after the hold, in order
    QTest::newRow("resumed") << true << false << QList<int>{15, 29, 66};
    QTest::newRow("resumed, the owner's own poll") << true << true << QList<int>{29, 183, 66};
    QTest::newRow("released") << false << false << QList<int>{30};
}

void tst_link_mailbox::a_resume_goes_on_with_what_ran_and_the_owners_own_posts()
{
    QFETCH(bool, resume);
    QFETCH(bool, own_repeat);
    QFETCH(QList<int>, after);
    int refused = 0;
    connect(thread, &cfg_thread_t::post_refused, receiver, [&] { ++refused; });
    post(183, {}, {"MEAS:VOLT?"}, true);
    post(15, {}, {"TEST:STEP?"}, true, 4); // a run's poll replaces the poll
    thread->start();
    QTRY_VERIFY(codes().count(15) >= 2);
    thread->hold();
    QVERIFY(thread_order::wait(thread, 5000)); // ends by itself
    QTRY_VERIFY(!thread->carries_replies());
    const int held_at = answers.size();
    {
        cfg_thread_t::own_posts own(thread);
        post(29, {}, {"PROG:TEST? 1"}, false, 6);
        if (own_repeat)
            post(183, {}, {"MEAS:VOLT?"}, true);
        {
            cfg_thread_t::user_posts answer(thread);
            post(185, {"INP 1"}, {QString()});
        }
        QVERIFY(thread->add_message_cmd({"TEST:STAT?"}, 7)); // the owner's again
    }
    post(32, {"INP 1"}, {"INP?"});    // a click
    post(66, {}, {"PROG:TEST:ALL?"}); // the owner's too, once its scope has ended
    QCOMPARE(refused, 3);
    QCOMPARE(thread->pending_requests(), 0);
    resume ? thread->resume() : thread->release();
    post(resume ? 66 : 30, {}, {"A?"});
    thread->start();
    QTRY_VERIFY(codes().mid(held_at).contains(after.last()));
    QTest::qWait(60);
    thread->stop_and_wait();
    QList<int> served;
    int messages = 0;
    for (const answer &a : answers.mid(held_at)) {
        if (a.kind == answer::message) {
            ++messages;
            continue;
        }
        if (served.isEmpty() || served.last() != a.code)
            served.append(a.code); // a repeat's passes counted once
        if (a.code == 15)
            QCOMPARE(a.sub, 4); // the run's poll with its sub-code
    }
    QCOMPARE(served, after);
    QCOMPARE(messages, resume ? 1 : 0);
}

QTEST_GUILESS_MAIN(tst_link_mailbox)
#include "tst_link_mailbox.moc"
