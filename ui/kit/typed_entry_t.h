#ifndef TYPED_ENTRY_T_H
#define TYPED_ENTRY_T_H

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QValidator>

#include <functional>

class QAbstractSpinBox;
class QWidget;

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

    // The tool tip on screen (null when none shows): QToolTip tells its
    // text, not where it is.
    static QWidget* shown_tip();

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

    // Asked by a dialog's OK: an entry refused since the last OK holds that
    // OK back once. Then its reason shows at `box` again and true is
    // returned; the entry holds back no later OK, which applies the value
    // put back, as the box shows it.
    bool show_reason(QAbstractSpinBox* box);

    // Before a dialog applies its boxes: every enabled box of `boxes` with
    // an entry refused since the last OK lets that entry hold this OK back;
    // the first of them shows its reason, and is returned (null when none).
    // A disabled box is out of play: it applies the value it shows, and the
    // user could not correct it.
    template <typename Box>
    static Box* first_refused(const QList<Box*>& boxes)
    {
        Box* first = nullptr;
        // Backwards: the reason shown last, the one that stays, is the first box's.
        for (int i = boxes.size() - 1; i >= 0; --i)
            if (boxes[i]->isEnabled() && boxes[i]->show_refused_entry())
                first = boxes[i];
        return first;
    }

private:
    // Shows the reason once the event at hand is over.
    void show_later(QAbstractSpinBox* box);
    void show_tip(QAbstractSpinBox* box);
    // The box's own tool tip again, and the tip shown goes.
    void clear_reason(QAbstractSpinBox* box);

    bool m_reason_shown = false;
    bool m_holds_ok = false; // refused since the last OK
    QString m_shown;    // the reason standing in for the box's tool tip
    QString m_tool_tip; // the box's own, while a reason stands in for it
    // The text of the value put back: Enter reports an unchanged value as
    // changed again, which is no new value.
    QString m_put_back;
};

#endif
