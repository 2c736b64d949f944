#include "file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

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

QString run_file_dialog(QWidget* parent, const QString& caption, const QString& dir, const QString& filter,
                        QFileDialog::AcceptMode mode, const QString& default_suffix = QString())
{
    QFileDialog* dialog = wattlex_make_file_dialog(parent, caption, dir, filter, mode);
    // Added before the dialog asks whether to replace a file of that name.
    dialog->setDefaultSuffix(default_suffix);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QString name = accepted ? dialog->selectedFiles().value(0) : QString();
    delete dialog;
    return name;
}
}

const QString& wattlex_dialog_style_sheet()
{
    static const QString sheet = [] {
        QFile file(QStringLiteral(":/resource/QSS.qss"));
        return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return sheet;
}

QFileDialog* wattlex_make_file_dialog(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter, QFileDialog::AcceptMode mode)
{
    auto* dialog = new QFileDialog(parent, caption, dir, filter);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The desktop's own dialog would ignore the program's look, and the
    // window's white text would reach Qt's dialog without its dark ground:
    // Qt's dialog with the program's whole style sheet.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setStyleSheet(wattlex_dialog_style_sheet());
    // Room for the details view's date column.
    dialog->resize(780, 440);
    return dialog;
}

QString wattlex_open_file_name(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (open_hook())
        return open_hook()(parent, caption, dir, filter);
    return run_file_dialog(parent, caption, dir, filter, QFileDialog::AcceptOpen);
}

QString wattlex_save_file_name(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (save_hook())
        return save_hook()(parent, caption, dir, filter);
    return run_file_dialog(parent, caption, dir, filter, QFileDialog::AcceptSave);
}

QString wattlex_save_file_name_of_kind(QWidget* parent, const QString& caption, const QString& dir,
                                       const QString& filter)
{
    const QString suffix = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter).captured(1);
    QString name = save_hook() ? save_hook()(parent, caption, dir, filter)
                               : run_file_dialog(parent, caption, dir, filter, QFileDialog::AcceptSave, suffix);
    if (!name.isEmpty() && !suffix.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + suffix;
    return name;
}

void wattlex_set_open_file_hook(wattlex_file_dialog_fn fn)
{
    open_hook() = std::move(fn);
}

void wattlex_set_save_file_hook(wattlex_file_dialog_fn fn)
{
    save_hook() = std::move(fn);
}
