#ifndef FILE_DIALOG_H
#define FILE_DIALOG_H

#include <QFileDialog>
#include <QString>

#include <functional>

// Every file dialog of the program goes through these two calls, so that a
// test can answer them without a modal dialog.
using wattlex_file_dialog_fn =
    std::function<QString(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)>;

// The program's open dialog unless a hook is set; "" when cancelled.
QString wattlex_open_file_name(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
// The program's save dialog unless a hook is set; "" when cancelled.
QString wattlex_save_file_name(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
// The save dialog for a file of the filter's one kind ("list(*.list)"): a
// name typed without a suffix gets the filter's ("ramp5" -> "ramp5.list"),
// so that the open dialog's filter shows the file again.
QString wattlex_save_file_name_of_kind(QWidget* parent, const QString& caption, const QString& dir,
                                       const QString& filter);

// The dialog both calls run, built but not shown: Qt's own dialog in the
// program's dark look. The caller owns it.
QFileDialog* wattlex_make_file_dialog(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter, QFileDialog::AcceptMode mode);

// The program's style sheet (the QSS.qss resource), for dialogs that do not
// take the main window's look from a parent.
const QString& wattlex_dialog_style_sheet();

// Replace the dialogs; an empty function restores the real dialog.
void wattlex_set_open_file_hook(wattlex_file_dialog_fn fn);
void wattlex_set_save_file_hook(wattlex_file_dialog_fn fn);

#endif
