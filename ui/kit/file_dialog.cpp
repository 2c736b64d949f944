#include "file_dialog.h"

#include <QFileDialog>

namespace {
wattlex_file_dialog_fn& open_hook()
{
    static wattlex_file_dialog_fn fn;
    return fn;
}

wattlex_file_dialog_fn& save_hook()
{
    static wattlex_file_dialog_fn fn;
    return fn;
}
}

QString wattlex_open_file_name(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (open_hook())
        return open_hook()(parent, caption, dir, filter);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString wattlex_save_file_name(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (save_hook())
        return save_hook()(parent, caption, dir, filter);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void wattlex_set_open_file_hook(wattlex_file_dialog_fn fn)
{
    open_hook() = std::move(fn);
}

void wattlex_set_save_file_hook(wattlex_file_dialog_fn fn)
{
    save_hook() = std::move(fn);
}
