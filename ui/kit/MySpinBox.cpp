#include "MySpinBox.h"

MySpinBox::MySpinBox(QWidget* parent)
    : QSpinBox(parent)
{
    connect(this, &QSpinBox::editingFinished, this, &MySpinBox::updateValue);
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
    // Take in text typed but not yet interpreted (keyboard tracking off).
    interpretText();
    if (value() != m_focus_in_value)
        emit sigUpdateValue();
    QSpinBox::focusOutEvent(event);
}
