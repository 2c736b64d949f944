// Puts a recording command thread in the older window's place for a test's
// length, so that what the window posts can be read back.
//
//   legacy_recorder r(window);
//   window.ui->load_button->click();
//   QCOMPARE(r.rec->take_served().value(0).private_data, 185);
#ifndef LEGACY_RECORDER_H
#define LEGACY_RECORDER_H

#include "mainwindow.h"
#include "recording_thread.h"

struct legacy_recorder
{
    explicit legacy_recorder(MainWindow& w) : window(w), own(w.cfg_thread)
    {
        window.cfg_thread = rec;
        rec->start();
    }
    ~legacy_recorder()
    {
        rec->stop_and_wait();
        window.cfg_thread = own;
        delete rec;
    }
    legacy_recorder(const legacy_recorder&) = delete;
    legacy_recorder& operator=(const legacy_recorder&) = delete;

    MainWindow& window;
    cfg_thread_t* own;
    recording_thread* rec = new recording_thread;
};

#endif
