#ifndef UI_IP_LEDIT_T_H
#define UI_IP_LEDIT_T_H

#include <QLineEdit>

// One section of an IPv4 address entry: up to three digits, capped at 255.
// It asks its owner to move the focus on (a third digit typed) or to a
// neighbour (arrow keys or Backspace at an end).
class ui_ip_ledit_t : public QLineEdit
{
    Q_OBJECT

public:
    explicit ui_ip_ledit_t(QWidget* parent = nullptr);
    ui_ip_ledit_t(const QString& text, QWidget* parent = nullptr);
    ~ui_ip_ledit_t() override;

signals:
    // The section is full: focus the next one.
    void pressed_valid_changed_ledit();
    // dir 0: focus the previous section, 1: the next one.
    void cursor_moved_valid_changed_ledit(int dir);

public slots:
    void btn_text_changed_func(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void init_ledit();
};

#endif
