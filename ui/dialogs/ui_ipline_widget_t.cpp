#include "ui_ipline_widget_t.h"

#include "ui_ip_ledit_t.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>

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
        connect(section, &ui_ip_ledit_t::overflow_ledit, this, &ui_ipline_widget_t::overflow_ledit_func);
        connect(section, &ui_ip_ledit_t::paste_ledit, this, &ui_ipline_widget_t::paste_ledit_func);
        m_sections.append(section);
    }
    for (int i = 0; i < m_section_count - 1; ++i) {
        auto* dot = new QLabel(QStringLiteral("."), m_main_widget);
        dot->setObjectName(QStringLiteral("ip_dot_label"));
        // A bold dot keeps a solid core whatever pixel it lands on; a thin
        // one is all antialiased edge and reads faint on the dark ground.
        QFont bold = dot->font();
        bold.setBold(true);
        dot->setFont(bold);
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

ui_ip_ledit_t* ui_ipline_widget_t::focus_from_sender(int step)
{
    // The sender, not the focus: typing and pasting also reach a section of
    // a window that is not active.
    const int from = m_sections.indexOf(qobject_cast<ui_ip_ledit_t*>(sender()));
    const int to = from + step;
    if (from < 0 || to < 0 || to >= m_sections.size())
        return nullptr;
    m_sections[from]->clearFocus();
    m_sections[to]->setFocus(Qt::OtherFocusReason);
    return m_sections[to];
}

void ui_ipline_widget_t::pressed_valid_changed_ledit_func()
{
    if (ui_ip_ledit_t* next = focus_from_sender(1)) {
        next->selectAll();
        next->set_entered_full(true);
    }
}

void ui_ipline_widget_t::cursor_moved_valid_changed_ledit_func(int dir)
{
    const bool back = dir < 1;
    if (ui_ip_ledit_t* to = focus_from_sender(back ? -1 : 1))
        to->setCursorPosition(back ? to->text().length() : 0);
}

void ui_ipline_widget_t::overflow_ledit_func(QChar digit)
{
    if (ui_ip_ledit_t* next = focus_from_sender(1)) {
        next->selectAll();
        next->type_char(digit);
    }
}

void ui_ipline_widget_t::paste_ledit_func(const QString& text)
{
    const int from = m_sections.indexOf(qobject_cast<ui_ip_ledit_t*>(sender()));
    if (from < 0)
        return;
    const QString pasted = text.trimmed();
    const QStringList parts = pasted.split(QLatin1Char('.'));
    static const QRegularExpression section_text(QStringLiteral("^[0-9]{1,3}$"));
    bool whole = parts.size() == m_sections.size();
    for (const QString& part : parts)
        whole = whole && section_text.match(part).hasMatch();
    if (whole) {
        // A whole address replaces all four sections wherever it is pasted.
        for (int i = 0; i < m_sections.size(); ++i) {
            m_sections[i]->setText(parts[i]);
            m_sections[i]->set_entered_full(false);
        }
        m_sections[from]->clearFocus();
        m_sections.last()->setFocus(Qt::OtherFocusReason);
        m_sections.last()->end(false);
        return;
    }
    // A part of one is typed in from here, character by character; the
    // section taking the next one is the focused one.
    ui_ip_ledit_t* at = m_sections[from];
    for (QChar c : pasted) {
        at->type_char(c);
        if (auto* focused = qobject_cast<ui_ip_ledit_t*>(focusWidget()))
            at = focused;
    }
}
