#include "MySpinBox.h"

#include <QKeyEvent>
#include <QLineEdit>

MySpinBox::MySpinBox(QWidget* parent)
    : QSpinBox(parent)
{
    connect(this, &QSpinBox::editingFinished, this, &MySpinBox::updateValue);
    // A value set by the program or stepped: the reason of an entry refused
    // before no longer stands.
    connect(this, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] { m_entry.value_changed(this); });
}

QValidator::State MySpinBox::validate(QString& text, int&) const
{
    return typed_entry_t::validate(text, limits());
}

int MySpinBox::valueFromText(const QString& text) const
{
    double v = value();
    typed_entry_t::read(text, limits(), &v);
    return int(v);
}

QString MySpinBox::textFromValue(int value) const
{
    // No group separators: the text is edited and read back as typed.
    return QString::number(value);
}

void MySpinBox::fixup(QString&) const
{
    // Nothing is guessed: text not taken leaves the old value.
}

void MySpinBox::updateValue()
{
    clearFocus();
}

void MySpinBox::focusInEvent(QFocusEvent* event)
{
    m_focus_in_value = value();
    QSpinBox::focusInEvent(event);
}

void MySpinBox::focusOutEvent(QFocusEvent* event)
{
    end_edit();
    // Take in text typed but not yet interpreted (keyboard tracking off).
    interpretText();
    if (value() != m_focus_in_value)
        emit sigUpdateValue();
    QSpinBox::focusOutEvent(event);
}

void MySpinBox::keyPressEvent(QKeyEvent* event)
{
    // Enter takes the text in at once: judge it before.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        end_edit();
    QSpinBox::keyPressEvent(event);
}

typed_entry_t::limits_t MySpinBox::limits() const
{
    return {0, double(minimum()), double(maximum()), 0};
}

void MySpinBox::end_edit()
{
    if (lineEdit()->isModified())
        m_entry.end_edit(this, cleanText(), limits(), [this] { setValue(m_focus_in_value); });
}
