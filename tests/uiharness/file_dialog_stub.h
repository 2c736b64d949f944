#ifndef FILE_DIALOG_STUB_H
#define FILE_DIALOG_STUB_H

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Replaces the program's file dialogs (wattlex_open_file_name and
// wattlex_save_file_name) while it exists: each call takes the next queued
// path, or "" (as if cancelled) when none is queued, and is recorded.
//
//   file_dialog_stub files;
//   files.answer("/tmp/x.wlx");
//   window.do_save_action();   // writes /tmp/x.wlx without a dialog
class file_dialog_stub
{
public:
    struct call_t
    {
        bool save = false; // false: open dialog, true: save dialog
        QString caption;
        QString dir;
        QString filter;
    };

    file_dialog_stub();
    ~file_dialog_stub();
    file_dialog_stub(const file_dialog_stub&) = delete;
    file_dialog_stub& operator=(const file_dialog_stub&) = delete;

    // Queue the answer of the next dialog (open or save).
    void answer(const QString& path);
    int pending() const;
    QList<call_t> calls() const;

private:
    struct state_t
    {
        QStringList answers;
        QList<call_t> calls;
    };
    std::shared_ptr<state_t> m_state;
};

#endif
