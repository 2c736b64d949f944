// Keeps the user's input away from one window for a while.
#ifndef INPUT_GUARD_T_H
#define INPUT_GUARD_T_H

#include <QObject>
#include <QPointer>

class QWidget;

// While on, mouse, key and wheel input aimed at the window `guarded` (its
// own widgets, not the dialogs and boxes it opens) is not delivered: a
// click or a key there changes nothing on screen, and refused() tells of
// each press. A modal box keeps a user's hand off the window; this also
// holds for input that reaches it all the same (synthesized input, or
// input queued before the box came up).
class input_guard_t : public QObject
{
    Q_OBJECT
public:
    explicit input_guard_t(QWidget* guarded, QObject* parent = nullptr);
    ~input_guard_t() override;

    void set_on(bool on);
    bool is_on() const { return m_on; }

signals:
    // A press (a button, a key, the wheel) was kept from the window.
    void refused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_guarded;
    bool m_on = false;
};

#endif
