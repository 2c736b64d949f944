#ifndef TYPED_ENTRY_T_H
#define TYPED_ENTRY_T_H

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QValidator>

#include <functional>

class QAbstractSpinBox;

// What a value box takes of the text typed into it: a number exactly as
// typed, or nothing. "," and "." both serve as the decimal point (users
// type either, also in full width from a Chinese input method); there are
// no group separators and no exponents, and a comma that may be one
// ("1,000") is refused rather than guessed. Text the box cannot take may be
// typed, and is judged when the edit ends: the box then keeps its old value
// and tells why at once beside the box, and in its tool tip.
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
    enum verdict_t { taken, not_number, thousands_comma, too_many_decimals, too_many_digits, out_of_range };

    // Reads `text`; `value` gets the number when it is taken.
    static verdict_t read(const QString& text, const limits_t& limits, double* value = nullptr);
    static QString reason(verdict_t verdict, const limits_t& limits);

    // A box's validate(): the text stays as typed (its commas tell
    // thousands from decimals); text not taken stays typed (Intermediate)
    // until the edit ends.
    static QValidator::State validate(const QString& text, const limits_t& limits);

    // The end of an edit with `text` in `box`. Taken: a reason shown before
    // goes. Not taken: `put_back` restores the old value and the reason is
    // shown.
    void end_edit(QAbstractSpinBox* box, const QString& text, const limits_t& limits,
                  const std::function<void()>& put_back);
    // The box's value changed (set by the program, stepped, typed): a
    // reason shown for the value put back goes.
    void value_changed(QAbstractSpinBox* box);

    // While the reason of a refused entry stands, shows it at `box` again
    // and returns true.
    bool show_reason(QAbstractSpinBox* box);

    // Before a dialog applies its boxes: the first enabled box of `boxes`
    // whose refused entry still stands shows its reason, and is returned
    // (null when none). A disabled box is out of play: it applies the value
    // it shows, and the user could not correct it.
    template <typename Box>
    static Box* first_refused(const QList<Box*>& boxes)
    {
        for (Box* box : boxes)
            if (box->isEnabled() && box->show_refused_entry())
                return box;
        return nullptr;
    }

private:
    void show_tip(QAbstractSpinBox* box);
    // The box's own tool tip again, and the tip shown goes.
    void clear_reason(QAbstractSpinBox* box);

    bool m_reason_shown = false;
    QString m_shown;    // the reason standing in for the box's tool tip
    QString m_tool_tip; // the box's own, while a reason stands in for it
    // The text of the value put back: Enter reports an unchanged value as
    // changed again, which is no new value.
    QString m_put_back;
};

#endif
