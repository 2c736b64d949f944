#include "legacy_connected_window.h"

#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "cfg_if_scpi_t.h"
#include "cfg_thread_t.h"
#include "ui_ipline_widget_t.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

QPushButton* button_with_text(QWidget* w, const QString& text)
{
    for (QPushButton* b : w->findChildren<QPushButton*>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

} // namespace

legacy_connected_window::legacy_connected_window()
{
    saved_write_pause_ms_ = cfg_if_scpi_t::write_pause_ms();
}

legacy_connected_window::~legacy_connected_window()
{
    if (window_) {
        window_->close_wait_box();
        window_.reset();
    }
    answerer_.reset();
    sim_.stop();
    cfg_if_scpi_t::set_write_pause_ms(saved_write_pause_ms_);
}

bool legacy_connected_window::fail(const QString& text)
{
    error_ = text;
    return false;
}

bool legacy_connected_window::start(const QStringList& sim_args)
{
    if (!sim_.start(sim_args))
        return fail(QStringLiteral("simulated load: ") + sim_.error_string());
    // the simulated load needs no pause after a write
    cfg_if_scpi_t::set_write_pause_ms(1);
    answerer_.reset(new modal_answerer);
    window_.reset(new MainWindow);
    connect(window_->cfg_thread, &cfg_thread_t::send_result, this,
            [this](int op, QList<QString>, QList<QWidget*>, int) {
                reply_ops_ << op;
                if (op == 183)
                    ++poll_replies_;
            });
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        return fail(QStringLiteral("the window was not shown"));
    return connect_through_dialogs();
}

bool legacy_connected_window::connect_through_dialogs()
{
    bool dialog_seen = false;
    bool address_seen = false;
    answerer_->act([&dialog_seen](QWidget* w) {
        dialog_seen = true;
        if (QPushButton* b = button_with_text(w, QStringLiteral("VXI11")))
            b->click();
    });
    answerer_->act([&address_seen](QWidget* w) {
        auto* line = w->findChild<ui_ipline_widget_t*>();
        QPushButton* ok = button_with_text(w, QStringLiteral("OK"));
        if (!line || !ok)
            return;
        address_seen = true;
        line->set_value(QStringList{"127", "0", "0", "1"});
        ok->click();
    });
    // the load starts in CC: its page is read under the wait box
    answerer_->leave_open(QStringLiteral("Please waiting for the Static initing"));
    const int polls_before = poll_replies_;
    // only this connection's replies count (a test may connect again)
    const int mark = reply_ops_.size();
    QTest::mouseClick(window_->ui->connect_device, Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return dialog_seen && address_seen; }, 20000))
        return fail(QStringLiteral("the connect dialogs did not show"));
    if (!QTest::qWaitFor([&] { return window_->connected && reply_ops_.mid(mark).contains(31); }, 20000))
        return fail(QStringLiteral("no mode read-back after the connection"));
    if (!QTest::qWaitFor([&] { return reply_ops_.mid(mark).contains(0) && !window_->readback_box; }, 20000))
        return fail(QStringLiteral("the page of the load's mode was not read"));
    // a read-back quicker than the answerer's look leaves its answer unused
    if (!answerer_->unexpected().isEmpty() || !answerer_->errors().isEmpty())
        return fail(QStringLiteral("an unexpected box while connecting: ") +
                    answerer_->unexpected().value(0).text + answerer_->errors().value(0));
    answerer_->clear();
    if (!QTest::qWaitFor([&] { return poll_replies_ >= polls_before + 2; }, 10000))
        return fail(QStringLiteral("the measurement poll does not run"));
    return true;
}

bool legacy_connected_window::wait_for_polls(int count, int timeout_ms)
{
    // Replies already posted belong to polls sent before the wait: counted
    // first, so that of `count` replies at most one is of an earlier poll.
    QCoreApplication::sendPostedEvents();
    const int target = poll_replies_ + count;
    return QTest::qWaitFor([&] { return poll_replies_ >= target; }, timeout_ms);
}

int legacy_connected_window::wait_received(const QString& text, int from, int timeout_ms)
{
    int at = -1;
    (void)QTest::qWaitFor(
        [&] {
            at = sim_.received().indexOf(text, from);
            return at >= 0;
        },
        timeout_ms);
    return at;
}
