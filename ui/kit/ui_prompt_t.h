#ifndef UI_PROMPT_T_H
#define UI_PROMPT_T_H

#include <QDialog>
#include <QMessageBox>

// Poses the program's standard questions and notices in dark message boxes
// and returns a small answer code.
class ui_prompt_t : public QDialog
{
    Q_OBJECT

public:
    explicit ui_prompt_t(QWidget* parent = nullptr, bool centre = true);

    // Yes 0, No 1, Cancel or any other end 2.
    int ask_save_changes(const QString& file_name);
    // Yes 0, anything else 1.
    int ask_two_buttons(const QString& text);
    // Ok 3, anything else 2; Cancel is offered when with_cancel is set.
    int ask_two_buttons_2(const QString& text, bool with_cancel);
    // Ok 3, anything else 2.
    int show_info(const QString& text);
    int show_already_running();

    QString box_title() const { return m_title; }

private:
    int run_box(QMessageBox::Icon icon, const QString& text,
                const QList<QMessageBox::StandardButton>& buttons);

    QString m_title;
};

#endif
