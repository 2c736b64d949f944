#include "MyDoubleSpinBox.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {
// Values travel to the load with six significant digits: more would not
// arrive as typed.
const int sent_digits = 6;
} // namespace

MyDoubleSpinBox::MyDoubleSpinBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    connect(this, &QDoubleSpinBox::editingFinished, this, &MyDoubleSpinBox::updateValue);
    // A value set by the program or stepped: the reason of an entry refused
    // before no longer stands.
    connect(this, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [this] { m_entry.value_changed(this); });
}

QValidator::State MyDoubleSpinBox::validate(QString& text, int&) const
{
    return typed_entry_t::validate(text, limits());
}

double MyDoubleSpinBox::valueFromText(const QString& text) const
{
    double v = value();
    typed_entry_t::read(text, limits(), &v);
    return v;
}

QString MyDoubleSpinBox::textFromValue(double value) const
{
    // No group separators: the text is edited and read back as typed.
    return QString::number(value, 'f', decimals());
}

void MyDoubleSpinBox::fixup(QString&) const
{
    // Nothing is guessed: text not taken leaves the old value.
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
    end_edit();
    // Take in text typed but not yet interpreted (keyboard tracking off).
    interpretText();
    if (value() != m_focus_in_value)
        emit sigUpdateValue();
    QDoubleSpinBox::focusOutEvent(event);
}

void MyDoubleSpinBox::keyPressEvent(QKeyEvent* event)
{
    // Enter takes the text in at once: judge it before.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        end_edit();
    QDoubleSpinBox::keyPressEvent(event);
}

typed_entry_t::limits_t MyDoubleSpinBox::limits() const
{
    return {decimals(), minimum(), maximum(), sent_digits};
}

void MyDoubleSpinBox::end_edit()
{
    if (lineEdit()->isModified())
        m_entry.end_edit(this, cleanText(), limits(), [this] { setValue(m_focus_in_value); });
}
