#ifndef UI_IPLINE_WIDGET_T_H
#define UI_IPLINE_WIDGET_T_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class ui_ip_ledit_t;

// An IPv4 address entry of four sections separated by dots; the focus
// walks from section to section as the user types.
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

private:
    void set_section_text(ui_ip_ledit_t* section, const QString& text);

    QWidget* m_main_widget = nullptr;
    QList<ui_ip_ledit_t*> m_sections;
    QList<QLabel*> m_dots;
    int m_section_count = 4;
};

#endif
