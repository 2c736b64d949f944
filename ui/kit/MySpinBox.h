#ifndef MYSPINBOX_H
#define MYSPINBOX_H

#include <QSpinBox>

// An integer spin box that reports a finished edit once: sigUpdateValue is
// emitted when the box loses focus holding a value other than the one it
// had when it gained focus.
class MySpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit MySpinBox(QWidget* parent = nullptr);

signals:
    void sigUpdateValue();

public slots:
    void updateValue();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_focus_in_value = 0;
};

#endif
