#ifndef MODAL_ANSWERER_H
#define MODAL_ANSWERER_H

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers modal boxes and dialogs in tests, so that no test blocks on
// exec(). While it exists it polls QApplication::activeModalWidget(); each
// modal widget that shows up is recorded and given the next queued answer.
// One that the code under test shows and closes between two polls uses up
// an answer to leave a box open; other answers wait for their box.
// A box that arrives with no answer queued is recorded as unexpected and
// closed.
//
//   modal_answerer answerer;
//   answerer.press(QMessageBox::Yes);
//   QCOMPARE(prompt.ask_two_buttons("Go on?"), 0);
//   QCOMPARE(answerer.boxes().at(0).text, QString("Go on?"));
class modal_answerer : public QObject
{
    Q_OBJECT

public:
    struct box_record
    {
        QString class_name;   // most derived class, e.g. "ui_qmessagebox_t" or "QFileDialog"
        QString title;        // window title
        QString text;         // QMessageBox::text(), else the dialog's label texts joined by "\n"
        QStringList buttons;  // texts of the buttons offered, '&' removed, in layout order
        int icon = 0;         // QMessageBox::Icon for message boxes, else 0
        QString answer;       // what was done: a button's text, "close", "left open" or "custom"
        bool expected = true; // false when no answer was queued
    };

    explicit modal_answerer(int poll_ms = 10, QObject* parent = nullptr);
    ~modal_answerer() override;

    // Queue answers; they are used in order, one per modal widget.
    modal_answerer& press(QMessageBox::StandardButton button);
    modal_answerer& press_text(const QString& button_text);
    modal_answerer& close_box();                            // as the title bar's close button; rejects when that is ignored
    modal_answerer& leave_open();                           // record only; the code under test closes it
    // The same for a box with exactly this text; any other box is closed
    // (and listed in errors()), so that a test fails instead of hanging on it.
    modal_answerer& leave_open(const QString& text);
    modal_answerer& act(std::function<void(QWidget*)> fn);  // anything else
    // A modal window already open that the test drives itself: never taken
    // for a box, whenever a poll sees it.
    modal_answerer& leave_alone(QWidget* window);
    // Presses `button` on the first box whose text starts with `text_start`.
    // Boxes before it with another text are left to the code under test
    // (a wait prompt that may come and go before a poll sees it) and
    // recorded as "passed over"; one still open after `pass_limit_ms` is
    // closed and listed in errors(), so that a test fails instead of hanging.
    modal_answerer& press_on(const QString& text_start, QMessageBox::StandardButton button);

    int pending() const { return m_answers.size(); }
    const QList<box_record>& boxes() const { return m_boxes; }
    QList<box_record> unexpected() const;
    // Answers that could not be applied (e.g. the button was not offered).
    const QStringList& errors() const { return m_errors; }

    // Processes events until every queued answer is used.
    bool wait_answered(int timeout_ms = 5000);
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void poll();

private:
    static const int pass_limit_ms = 30000;

    struct answer_t
    {
        enum kind_t { standard, text, close, leave, custom };
        explicit answer_t(kind_t k) : kind(k) {}
        kind_t kind;
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        QString button_text;
        QString text_start; // only for a box whose text starts so
        std::function<void(QWidget*)> fn;
    };

    static box_record record_of(QWidget* w);
    void handle(QWidget* w);
    void flashed(box_record rec);

    QTimer m_timer;
    QList<answer_t> m_answers;
    QList<box_record> m_boxes;
    QStringList m_errors;
    QPointer<QWidget> m_last;
    QList<QPointer<QWidget>> m_left_alone;
    QHash<QWidget*, box_record> m_shown; // shown, not yet seen by a poll
    bool m_last_passed = false; // m_last was left open as not the awaited box
    QElapsedTimer m_passed_for;
};

#endif
