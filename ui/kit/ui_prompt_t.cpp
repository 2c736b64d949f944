#include "ui_prompt_t.h"

#include "ui_qmessagebox_t.h"

#include <QGuiApplication>
#include <QScreen>

ui_prompt_t::ui_prompt_t(QWidget* parent, bool centre)
    : QDialog(parent),
      m_title(QStringLiteral("Wattlex"))
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    if (centre) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect desk = screen->geometry();
            move((desk.width() - width()) / 2, (desk.height() - height()) / 2);
        }
    }
}

int ui_prompt_t::run_box(QMessageBox::Icon icon, const QString& text,
                         const QList<QMessageBox::StandardButton>& buttons)
{
    ui_qmessagebox_t box(icon, m_title, text, QMessageBox::NoButton, this,
                         Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    for (QMessageBox::StandardButton b : buttons)
        box.addButton(b);
    return box.exec();
}

int ui_prompt_t::ask_save_changes(const QString& file_name)
{
    const int r = run_box(QMessageBox::Question, tr("Save changes to the file ") + file_name + QStringLiteral(" ?"),
                          {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel});
    if (r == QMessageBox::Yes)
        return 0;
    if (r == QMessageBox::No)
        return 1;
    return 2;
}

int ui_prompt_t::ask_two_buttons(const QString& text)
{
    const int r = run_box(QMessageBox::Question, text, {QMessageBox::Yes, QMessageBox::No});
    return r == QMessageBox::Yes ? 0 : 1;
}

int ui_prompt_t::ask_two_buttons_2(const QString& text, bool with_cancel)
{
    QList<QMessageBox::StandardButton> buttons {QMessageBox::Ok};
    if (with_cancel)
        buttons.append(QMessageBox::Cancel);
    const int r = run_box(QMessageBox::Information, text, buttons);
    return r == QMessageBox::Ok ? 3 : 2;
}

int ui_prompt_t::show_info(const QString& text)
{
    const int r = run_box(QMessageBox::Critical, text, {QMessageBox::Ok});
    return r == QMessageBox::Ok ? 3 : 2;
}

int ui_prompt_t::show_already_running()
{
    return show_info(tr("Wattwave Instance already running."));
}
