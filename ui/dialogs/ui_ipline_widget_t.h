#ifndef UI_IPLINE_WIDGET_T_H
#define UI_IPLINE_WIDGET_T_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class ui_ip_ledit_t;

// An IPv4 address entry of four sections separated by dots. Typing into it
// is typing an address into one line: digits and dots move the focus on,
// Backspace steps back over the dots, a pasted address fills the sections.
class ui_ipline_widget_t : public QWidget
{
    Q_OBJECT

public:
    explicit ui_ipline_widget_t(QWidget* parent = nullptr);
    ~ui_ipline_widget_t() override;

    // "TCPIP0::" + the sections joined by "." + "::INSTR", sections as typed.
    QString get_visa_resource() const;
    // The section texts, left to right.
    QStringList get_value() const;
    // Write the sections without running their checks; a list of another
    // size than the section count writes nothing.
    void set_value(const QStringList& values);
    void set_value(const QList<int>& values);

    // The sections, left to right.
    const QList<ui_ip_ledit_t*>& sections() const { return m_sections; }

public slots:
    void pressed_valid_changed_ledit_func();
    void cursor_moved_valid_changed_ledit_func(int dir);
    void overflow_ledit_func(QChar digit);
    void paste_ledit_func(const QString& text);

private:
    // The section `step` places from the sender, focused; null when none.
    ui_ip_ledit_t* focus_from_sender(int step);
    void set_section_text(ui_ip_ledit_t* section, const QString& text);

    QWidget* m_main_widget = nullptr;
    QList<ui_ip_ledit_t*> m_sections;
    QList<QLabel*> m_dots;
    int m_section_count = 4;
};

#endif
