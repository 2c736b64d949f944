// The older main window connected to the simulated load the way a user
// connects it: the window's Connect button, "VXI11" in the Connect Dialog,
// the address 127.0.0.1 in the IP address window and "OK". start() returns
// once the mode read-back has been answered and the poll runs.
//
// For tests in a private network namespace (NETNS), with QApplication made.
//
//   legacy_connected_window cw;
//   QVERIFY2(cw.start(), qPrintable(cw.error()));
//   cw.window()->ui->load_button ...;  cw.sim().received();
#ifndef LEGACY_CONNECTED_WINDOW_H
#define LEGACY_CONNECTED_WINDOW_H

#include "harness/sim_process.h"
#include "modal_answerer.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class MainWindow;

class legacy_connected_window : public QObject
{
    Q_OBJECT

public:
    legacy_connected_window();
    ~legacy_connected_window() override;

    // Starts the load with the extra options, builds and shows the window,
    // connects through the dialogs and waits for the first poll replies.
    bool start(const QStringList& sim_args = QStringList());
    // The dialog steps alone (the load already started, the window built).
    bool connect_through_dialogs();

    MainWindow* window() const { return window_.get(); }
    sim_process& sim() { return sim_; }
    modal_answerer& answerer() { return *answerer_; }
    QString error() const { return error_; }

    // Operation codes of every text reply the window was handed, in order.
    const QList<int>& reply_ops() const { return reply_ops_; }
    int poll_replies() const { return poll_replies_; }
    bool wait_for_polls(int count, int timeout_ms = 5000);
    // Index of `text` among what the load received at `from` or later, after
    // waiting for it; -1 when it did not come.
    int wait_received(const QString& text, int from = 0, int timeout_ms = 5000);
    int received_count() { return sim_.received().size(); }

private:
    bool fail(const QString& text);

    sim_process sim_;
    std::unique_ptr<modal_answerer> answerer_;
    std::unique_ptr<MainWindow> window_;
    QString error_;
    int saved_write_pause_ms_ = 0;
    QList<int> reply_ops_;
    int poll_replies_ = 0;
};

#endif
