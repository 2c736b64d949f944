#ifndef MYSPINBOX_H
#define MYSPINBOX_H

#include "typed_entry_t.h"

#include <QSpinBox>

// An integer spin box that reports a finished edit once: sigUpdateValue is
// emitted when the box loses focus holding a value other than the one it
// had when it gained focus. What it takes of typed text: typed_entry_t.
class MySpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit MySpinBox(QWidget* parent = nullptr);

    QValidator::State validate(QString& text, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;
    void fixup(QString& text) const override;

    // An entry the box refused still stands: its reason shows again.
    bool show_refused_entry() { return m_entry.show_reason(this); }

signals:
    void sigUpdateValue();

public slots:
    void updateValue();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    typed_entry_t::limits_t limits() const;
    // A typed entry the box cannot take: the value at focus-in again.
    void end_edit();

    int m_focus_in_value = 0;
    typed_entry_t m_entry;
};

#endif
