#ifndef MYDOUBLESPINBOX_H
#define MYDOUBLESPINBOX_H

#include <QDoubleSpinBox>

// A double spin box that reports a finished edit once: sigUpdateValue is
// emitted when the box loses focus holding a value other than the one it
// had when it gained focus.
class MyDoubleSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit MyDoubleSpinBox(QWidget* parent = nullptr);

signals:
    void sigUpdateValue();

public slots:
    void updateValue();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    double m_focus_in_value = 0.0;
};

#endif
