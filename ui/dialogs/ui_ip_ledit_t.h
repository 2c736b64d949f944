#ifndef UI_IP_LEDIT_T_H
#define UI_IP_LEDIT_T_H

#include <QLineEdit>

// One section of an IPv4 address entry: up to three digits, capped at 255,
// without leading zeros. It asks its owner to move the focus on (the
// section filled, or a dot typed), to a neighbour (arrow keys or Backspace
// at an end), to carry a digit typed into a full section over to the next
// one, and to spread a pasted address over the sections.
class ui_ip_ledit_t : public QLineEdit
{
    Q_OBJECT

public:
    explicit ui_ip_ledit_t(QWidget* parent = nullptr);
    ui_ip_ledit_t(const QString& text, QWidget* parent = nullptr);
    ~ui_ip_ledit_t() override;

    // Types one character as a key press would: a digit or a dot; any
    // other character is ignored.
    void type_char(QChar c);
    // Set by the owner when the focus came here by the previous section
    // filling up: a dot typed next only ends that section, so it is not
    // taken again here.
    void set_entered_full(bool entered) { m_entered_full = entered; }

signals:
    // Move the focus to the next section.
    void pressed_valid_changed_ledit();
    // dir 0: focus the previous section, 1: the next one.
    void cursor_moved_valid_changed_ledit(int dir);
    // A digit typed at the end of a full section: it goes to the next one.
    void overflow_ledit(QChar digit);
    // Text pasted into this section.
    void paste_ledit(const QString& text);

public slots:
    void btn_text_changed_func(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void init_ledit();

    bool m_entered_full = false;
};

#endif
