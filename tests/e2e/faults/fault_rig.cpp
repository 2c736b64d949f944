#include "fault_rig.h"

#include "mymainwindow.h"
#include "ui_mymainwindow.h"
#include "ui_recordsetting.h"

#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "recordSetting.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString record_header = QStringLiteral("time, Current(A), Voltage(V), Resistance(ohm), Power(W)");

// Replies of ops 183, 15 and 16 the window's own handlers were handed (one
// window at a time).
int g_window_set_replies = 0;

void count_window_set_reply(const char* handler)
{
    for (const char* name : {"deal_showing_value", "deal_list_running_value", "deal_prog_running_value"}) {
        if (qstrcmp(handler, name) == 0)
            ++g_window_set_replies;
    }
}

// Replies per measurement set: the poll, the list run state, the program run state.
int set_size(int op)
{
    switch (op) {
    case 183: return 6;
    case 15: return 7;
    case 16: return 9;
    default: return 0;
    }
}

} // namespace

QStringList fault_rig::quick_timeouts()
{
    return {QStringLiteral("--max-read-wait"), QString::number(quick_read_ms)};
}

int fault_rig::silent_bound_ms(int read_ms)
{
    return reads_per_query * read_ms + status_period_ms + slack_ms;
}

fault_rig::fault_rig()
{
    epoch_.start();
    watch_timer_.setTimerType(Qt::PreciseTimer);
    watch_timer_.setInterval(10);
    QObject::connect(&watch_timer_, &QTimer::timeout, this, &fault_rig::watch);
    watch_timer_.start();
}

fault_rig::~fault_rig()
{
    // Resumed before the window closes: a held load would keep its closing
    // waiting on time-outs.
    if (sim().frozen())
        thaw();
}

bool fault_rig::fail(const QString& text)
{
    error_ = text;
    return false;
}

bool fault_rig::prepare(const QStringList& sim_args, const std::function<void()>& before_connect)
{
    if (!cw_.start_sim(sim_args))
        return fail(cw_.error());
    if (before_connect)
        before_connect();
    if (!cw_.make_window())
        return fail(cw_.error());
    g_window_set_replies = 0;
    w()->reply_trace = &count_window_set_reply;
    QObject::connect(w()->cfg_thread, &cfg_thread_t::send_result, this,
                     [this](int op, QList<QString> replies, QList<QWidget*>, int) { count_reply(op, replies); });
    if (!cw_.add_lan_address())
        return fail(cw_.error());
    return true;
}

bool fault_rig::start(const QStringList& sim_args, const std::function<void()>& before_connect)
{
    if (!prepare(sim_args, before_connect))
        return false;
    if (!cw_.connect_from_tree() || !cw_.wait_connected())
        return fail(cw_.error());
    return true;
}

void fault_rig::count_reply(int op, const QList<QString>& replies)
{
    const int needed = set_size(op);
    if (needed <= 0)
        return;
    ++set_replies_;
    if (replies.size() < needed)
        return;
    ++sets_;
    for (const QString& r : replies) {
        bool number = false;
        r.trimmed().toDouble(&number);
        if (!number) {
            ++odd_sets_;
            break;
        }
    }
}

bool fault_rig::start_record(const QString& path)
{
    MyMainWindow* win = w();
    if (!win)
        return fail(QStringLiteral("no window"));
    QFile::remove(path);
    {
        file_dialog_stub files;
        files.answer(path);
        QTest::mouseClick(win->ui->pushButton_Record_Setting, Qt::LeftButton);
        recordSetting* dialog = nullptr;
        if (!QTest::qWaitFor([&] { return (dialog = win->findChild<recordSetting*>()) && dialog->isVisible(); }, 3000))
            return fail(QStringLiteral("the record settings dialog did not open"));
        QTest::mouseClick(dialog->form()->pushButton_Browser, Qt::LeftButton);
        if (dialog->form()->lineEdit_Path->text() != path)
            return fail(QStringLiteral("the record path was not taken: ") + dialog->form()->lineEdit_Path->text());
        QPointer<recordSetting> gone(dialog);
        QTest::mouseClick(dialog->form()->pushButton_OK, Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return !gone; }, 3000))
            return fail(QStringLiteral("the record settings dialog did not close"));
    }
    // A set reaches the window and this rig in two events: the record starts
    // between two sets, not between the halves of one, so that the window
    // writes a row for exactly the sets counted from here on.
    if (!QTest::qWaitFor([&] { return g_window_set_replies == set_replies_; }, 3000))
        return fail(QStringLiteral("the window and the rig do not agree on the sets handed out"));
    QTest::mouseClick(win->ui->checkBox_Record, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(5, 8));
    if (!win->recording)
        return fail(QStringLiteral("the record did not start"));
    sets_at_record_ = sets_;
    return true;
}

QStringList fault_rig::rows_of(const QString& path, bool* ok)
{
    QFile f(path);
    *ok = f.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(f.readAll());
    *ok = *ok && text.startsWith(record_header) && !text.endsWith(QLatin1Char('\n'))
          && !text.endsWith(QLatin1Char(','));
    QStringList rows = text.mid(record_header.size()).split(QStringLiteral(",\n"));
    if (rows.isEmpty() || !rows.takeFirst().isEmpty())
        *ok = false;
    static const QRegularExpression row(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d(,[-+0-9.e]+){4}$"));
    for (QString& r : rows) {
        if (!row.match(r).hasMatch())
            *ok = false;
        r = r.mid(9);
    }
    return rows;
}

void fault_rig::arm(qint64 fault_ms)
{
    watch_kind_.clear();
    fault_ms_ = fault_ms;
    down_ms_ = -1;
}

bool fault_rig::trigger_now()
{
    if (!cw_.side_write({QStringLiteral("*CLS")}))
        return fail(cw_.error());
    arm(epoch_.elapsed());
    return true;
}

void fault_rig::watch_log(const QString& kind)
{
    arm(-1);
    new_log_lines(); // what is logged so far comes before the fault
    watch_kind_ = kind;
}

QStringList fault_rig::new_log_lines()
{
    QStringList lines;
    QFile f(sim().log_path());
    if (!f.open(QIODevice::ReadOnly))
        return lines;
    if (f.size() < log_pos_) // a new log after a restart
        log_pos_ = 0;
    if (!f.seek(log_pos_))
        return lines;
    const QByteArray more = f.readAll();
    log_pos_ += more.size();
    log_rest_ += more;
    const int end = log_rest_.lastIndexOf('\n');
    if (end < 0)
        return lines;
    for (const QByteArray& l : log_rest_.left(end).split('\n'))
        lines << QString::fromLatin1(l);
    log_rest_.remove(0, end + 1);
    return lines;
}

void fault_rig::watch()
{
    const qint64 now = epoch_.elapsed();
    longest_stall_ = qMax(longest_stall_, now - last_tick_ms_);
    last_tick_ms_ = now;
    if (!watch_kind_.isEmpty() && fault_ms_ < 0) {
        // "<ms> <KIND> <link> <payload>"
        for (const QString& line : new_log_lines()) {
            if (line.section(QLatin1Char(' '), 1, 1) == watch_kind_) {
                fault_ms_ = epoch_.elapsed();
                break;
            }
        }
    }
    if (fault_ms_ >= 0 && down_ms_ < 0 && down())
        down_ms_ = epoch_.elapsed();
}

bool fault_rig::down() const
{
    const MyMainWindow* win = w();
    return win && !win->is_connected && !win->cfg_thread->isRunning() && !win->status_timer->isActive()
           && !win->wait_prompt && !win->connected_item;
}

bool fault_rig::freeze()
{
    if (!sim().freeze())
        return fail(sim().error_string());
    arm(epoch_.elapsed());
    return true;
}

bool fault_rig::thaw()
{
    if (!sim().thaw())
        return fail(sim().error_string());
    return true;
}

qint64 fault_rig::since_fault() const
{
    return fault_ms_ < 0 ? -1 : epoch_.elapsed() - fault_ms_;
}

qint64 fault_rig::fault_to_down() const
{
    return fault_ms_ < 0 || down_ms_ < 0 ? -1 : down_ms_ - fault_ms_;
}

bool fault_rig::wait_down(int bound_ms)
{
    // A little past the bound, so that a late end is measured, not cut.
    const int limit = bound_ms + 3000;
    const qint64 asked = epoch_.elapsed();
    (void)QTest::qWaitFor(
        [&] {
            if (fault_ms_ < 0)
                return epoch_.elapsed() - asked > 10000;
            return fault_to_down() >= 0 || since_fault() > limit;
        },
        limit + 11000);
    if (fault_ms_ < 0)
        return fail(QStringLiteral("the fault did not begin"));
    if (fault_to_down() < 0)
        return fail(QStringLiteral("the window does not show the disconnected state %1 ms after the fault")
                        .arg(since_fault()));
    if (fault_to_down() > bound_ms)
        return fail(QStringLiteral("the disconnected state came %1 ms after the fault (bound %2 ms)")
                        .arg(fault_to_down())
                        .arg(bound_ms));
    return true;
}

bool fault_rig::quiet()
{
    if (w() && w()->wait_prompt)
        return fail(QStringLiteral("a wait prompt is still open: ") + w()->wait_prompt->text());
    if (QWidget* open = QApplication::activeModalWidget())
        return fail(QStringLiteral("a modal widget is still open: ") + open->metaObject()->className() + " "
                    + open->windowTitle());
    return true;
}

bool fault_rig::reconnect(bool restart)
{
    if (sim().frozen() && !thaw())
        return false;
    if (restart && !sim().restart())
        return fail(QStringLiteral("the load did not start again: ") + sim().error_string());
    if (!cw_.connect_from_tree() || !cw_.wait_connected())
        return fail(QStringLiteral("connecting again: %1 (%2)").arg(cw_.error(), sim().state_text()));
    return true;
}
