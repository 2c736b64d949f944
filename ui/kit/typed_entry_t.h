#ifndef TYPED_ENTRY_T_H
#define TYPED_ENTRY_T_H

#include <QCoreApplication>
#include <QString>
#include <QValidator>

class QAbstractSpinBox;

// What a value box takes of the text typed into it: a number exactly as
// typed, or nothing. "," and "." both serve as the decimal point (users
// type either, also in full width from a Chinese input method); there are
// no group separators and no exponents. Text the
// box cannot take may be typed, and is judged when the edit ends: the box
// then keeps its old value and tells why at the box (its tool tip).
class typed_entry_t
{
    Q_DECLARE_TR_FUNCTIONS(typed_entry_t)

public:
    // What the box can hold.
    struct limits_t {
        int decimals;   // 0: whole numbers
        double low;
        double high;
        int digits;     // significant digits at most; 0: no limit
    };
    enum verdict_t { taken, not_number, too_many_decimals, too_many_digits, out_of_range };

    // Reads `text`; `value` gets the number when it is taken.
    static verdict_t read(const QString& text, const limits_t& limits, double* value = nullptr);
    static QString reason(verdict_t verdict, const limits_t& limits);

    // A box's validate(): "," becomes "."; text not taken stays typed
    // (Intermediate) until the edit ends.
    static QValidator::State validate(QString& text, const limits_t& limits);

    // The end of an edit with `text` in `box`: true when it is taken;
    // otherwise the reason is shown and the caller puts the old value back.
    bool end_edit(QAbstractSpinBox* box, const QString& text, const limits_t& limits);
    // A later edit was taken: the box's own tool tip again.
    void clear_reason(QAbstractSpinBox* box);

private:
    bool m_reason_shown = false;
    QString m_tool_tip; // the box's own, while a reason stands in for it
};

#endif
