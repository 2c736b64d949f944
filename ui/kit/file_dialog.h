#ifndef FILE_DIALOG_H
#define FILE_DIALOG_H

#include <QString>

#include <functional>

class QWidget;

// Every file dialog of the program goes through these two calls, so that a
// test can answer them without a modal dialog.
using wattlex_file_dialog_fn =
    std::function<QString(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)>;

// QFileDialog::getOpenFileName unless a hook is set; "" when cancelled.
QString wattlex_open_file_name(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
// QFileDialog::getSaveFileName unless a hook is set; "" when cancelled.
QString wattlex_save_file_name(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);

// Replace the dialogs; an empty function restores the real dialog.
void wattlex_set_open_file_hook(wattlex_file_dialog_fn fn);
void wattlex_set_save_file_hook(wattlex_file_dialog_fn fn);

#endif
