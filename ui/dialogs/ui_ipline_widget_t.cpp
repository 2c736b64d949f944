#include "ui_ipline_widget_t.h"

#include "ui_ip_ledit_t.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>

ui_ipline_widget_t::ui_ipline_widget_t(QWidget* parent)
    : QWidget(parent)
{
    m_main_widget = new QWidget(this);
    m_main_widget->setObjectName(QStringLiteral("ip_edit_main_widget"));
    m_main_widget->setFixedHeight(30);

    for (int i = 0; i < m_section_count; ++i) {
        auto* section = new ui_ip_ledit_t(QStringLiteral("0"), m_main_widget);
        section->setObjectName(QStringLiteral("ip_ledit_widget"));
        section->setAlignment(Qt::AlignCenter);
        connect(section, &ui_ip_ledit_t::pressed_valid_changed_ledit, this,
                &ui_ipline_widget_t::pressed_valid_changed_ledit_func);
        connect(section, &ui_ip_ledit_t::cursor_moved_valid_changed_ledit, this,
                &ui_ipline_widget_t::cursor_moved_valid_changed_ledit_func);
        m_sections.append(section);
    }
    for (int i = 0; i < m_section_count - 1; ++i) {
        auto* dot = new QLabel(QStringLiteral("."), m_main_widget);
        dot->setObjectName(QStringLiteral("ip_dot_label"));
        m_dots.append(dot);
    }

    auto* inner = new QHBoxLayout(m_main_widget);
    inner->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < m_section_count; ++i) {
        inner->addWidget(m_sections[i], 0);
        if (i < m_dots.size())
            inner->addWidget(m_dots[i], 4);
    }

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_main_widget, 0, Qt::AlignCenter);
}

ui_ipline_widget_t::~ui_ipline_widget_t() = default;

QString ui_ipline_widget_t::get_visa_resource() const
{
    return QStringLiteral("TCPIP0::") + get_value().join(QLatin1Char('.')) + QStringLiteral("::INSTR");
}

QStringList ui_ipline_widget_t::get_value() const
{
    QStringList values;
    for (const ui_ip_ledit_t* section : m_sections)
        values << section->text();
    return values;
}

void ui_ipline_widget_t::set_section_text(ui_ip_ledit_t* section, const QString& text)
{
    // A value set by the program moves no focus and runs no check.
    disconnect(section, &QLineEdit::textChanged, section, &ui_ip_ledit_t::btn_text_changed_func);
    section->setText(text);
    connect(section, &QLineEdit::textChanged, section, &ui_ip_ledit_t::btn_text_changed_func);
}

void ui_ipline_widget_t::set_value(const QStringList& values)
{
    if (values.size() != m_sections.size()) {
        qDebug() << "ui_ipline_widget_t::set_value: section error!!!";
        return;
    }
    for (int i = 0; i < m_sections.size(); ++i)
        set_section_text(m_sections[i], values[i]);
}

void ui_ipline_widget_t::set_value(const QList<int>& values)
{
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    set_value(texts);
}

namespace {

// Moves the focus from the focused section to the one `step` sections away;
// that section, or null when none is focused or there is none that far.
ui_ip_ledit_t* move_focus(const QList<ui_ip_ledit_t*>& sections, int step)
{
    for (int i = 0; i < sections.size(); ++i) {
        if (!sections[i]->hasFocus())
            continue;
        const int to = i + step;
        if (to < 0 || to >= sections.size())
            return nullptr;
        sections[i]->clearFocus();
        sections[to]->setFocus(Qt::OtherFocusReason);
        return sections[to];
    }
    return nullptr;
}

} // namespace

void ui_ipline_widget_t::pressed_valid_changed_ledit_func()
{
    if (m_sections.size() < 2 || sender() == m_sections.last())
        return;
    if (ui_ip_ledit_t* next = move_focus(m_sections, 1))
        next->selectAll();
}

void ui_ipline_widget_t::cursor_moved_valid_changed_ledit_func(int dir)
{
    if (m_sections.size() < 2)
        return;
    const bool back = dir < 1;
    if (sender() == (back ? m_sections.first() : m_sections.last()))
        return;
    if (ui_ip_ledit_t* to = move_focus(m_sections, back ? -1 : 1))
        to->setCursorPosition(back ? to->text().length() : 0);
}
