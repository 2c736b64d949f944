#include "MyDoubleSpinBox.h"

MyDoubleSpinBox::MyDoubleSpinBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    connect(this, &QDoubleSpinBox::editingFinished, this, &MyDoubleSpinBox::updateValue);
}

void MyDoubleSpinBox::updateValue()
{
    // Enter ends the edit the same way as leaving the box does.
    clearFocus();
}

void MyDoubleSpinBox::focusInEvent(QFocusEvent* event)
{
    m_focus_in_value = value();
    QDoubleSpinBox::focusInEvent(event);
}

void MyDoubleSpinBox::focusOutEvent(QFocusEvent* event)
{
    // Take in text typed but not yet interpreted (keyboard tracking off).
    interpretText();
    if (value() != m_focus_in_value)
        emit sigUpdateValue();
    QDoubleSpinBox::focusOutEvent(event);
}
