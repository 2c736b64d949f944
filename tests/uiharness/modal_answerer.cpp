#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>

namespace {

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

QList<QAbstractButton*> offered_buttons(QWidget* w)
{
    QList<QAbstractButton*> list;
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
        list = box->buttons();
    } else {
        for (QDialogButtonBox* bb : w->findChildren<QDialogButtonBox*>())
            list += bb->buttons();
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (!list.contains(b) && !qobject_cast<QDialogButtonBox*>(b->parentWidget()))
                list += b;
    }
    QList<QAbstractButton*> visible;
    for (QAbstractButton* b : list)
        if (b->isVisibleTo(w))
            visible += b;
    // Layout order, left to right, top to bottom.
    std::sort(visible.begin(), visible.end(), [w](QAbstractButton* a, QAbstractButton* b) {
        const QPoint pa = a->mapTo(w, QPoint(0, 0));
        const QPoint pb = b->mapTo(w, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return visible;
}

QAbstractButton* standard_button(QWidget* w, QMessageBox::StandardButton which)
{
    if (auto* box = qobject_cast<QMessageBox*>(w))
        return box->button(which);
    // QDialogButtonBox uses the same values for its standard buttons.
    for (QDialogButtonBox* bb : w->findChildren<QDialogButtonBox*>())
        if (QAbstractButton* b = bb->button(QDialogButtonBox::StandardButton(int(which))))
            return b;
    return nullptr;
}

// The C++ type, also for subclasses without a meta object of their own.
QString class_name_of(QWidget* w)
{
    const char* mangled = typeid(*w).name();
    int status = 0;
    char* name = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    const QString result = status == 0 && name ? QString::fromLatin1(name)
                                               : QString::fromLatin1(w->metaObject()->className());
    std::free(name);
    return result;
}

void close_widget(QWidget* w)
{
    w->close();
    // A box without an escape button ignores the close request.
    if (w->isVisible())
        if (auto* dlg = qobject_cast<QDialog*>(w))
            dlg->reject();
}

}

modal_answerer::modal_answerer(int poll_ms, QObject* parent)
    : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &modal_answerer::poll);
    m_timer.start(poll_ms);
    // Sees every modal widget as it shows and hides, also one that comes and
    // goes between two polls.
    qApp->installEventFilter(this);
}

modal_answerer::~modal_answerer()
{
    qApp->removeEventFilter(this);
}

modal_answerer& modal_answerer::press(QMessageBox::StandardButton button)
{
    answer_t a(answer_t::standard);
    a.button = button;
    m_answers.append(a);
    return *this;
}

modal_answerer& modal_answerer::press_text(const QString& button_text)
{
    answer_t a(answer_t::text);
    a.button_text = plain(button_text);
    m_answers.append(a);
    return *this;
}

modal_answerer& modal_answerer::close_box()
{
    m_answers.append(answer_t(answer_t::close));
    return *this;
}

modal_answerer& modal_answerer::leave_alone(QWidget* window)
{
    m_left_alone.append(window);
    return *this;
}

modal_answerer& modal_answerer::leave_open()
{
    m_answers.append(answer_t(answer_t::leave));
    return *this;
}

modal_answerer& modal_answerer::leave_open(const QString& text)
{
    answer_t a(answer_t::leave);
    a.button_text = text;
    m_answers.append(a);
    return *this;
}

modal_answerer& modal_answerer::act(std::function<void(QWidget*)> fn)
{
    answer_t a(answer_t::custom);
    a.fn = std::move(fn);
    m_answers.append(a);
    return *this;
}

modal_answerer& modal_answerer::press_on(const QString& text_start, QMessageBox::StandardButton button)
{
    answer_t a(answer_t::standard);
    a.button = button;
    a.text_start = text_start;
    m_answers.append(a);
    return *this;
}

QList<modal_answerer::box_record> modal_answerer::unexpected() const
{
    QList<box_record> list;
    for (const box_record& r : m_boxes)
        if (!r.expected)
            list.append(r);
    return list;
}

bool modal_answerer::wait_answered(int timeout_ms)
{
    QDeadlineTimer deadline(timeout_ms);
    while (!m_answers.isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return m_answers.isEmpty();
}

void modal_answerer::clear()
{
    m_answers.clear();
    m_boxes.clear();
    m_errors.clear();
}

void modal_answerer::poll()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || m_left_alone.contains(w))
        return;
    // Already answered and still on its way out (or deliberately left open).
    if (w == m_last) {
        if (m_last_passed && m_passed_for.hasExpired(pass_limit_ms)) {
            m_last_passed = false;
            m_errors += QStringLiteral("\"%1\" stayed open while another box was awaited")
                            .arg(m_boxes.isEmpty() ? QString() : m_boxes.last().text);
            close_widget(w);
        }
        return;
    }
    m_last = w;
    m_last_passed = false;
    m_shown.remove(w);
    handle(w);
}

bool modal_answerer::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (type == QEvent::Show) {
        if (w->isWindow() && w->isModal() && w != m_last)
            m_shown.insert(w, record_of(w));
        return false;
    }
    // Once hidden it may be shown (exec'd) again and then needs a new answer.
    if (w == m_last)
        m_last = nullptr;
    else if (m_shown.contains(w))
        flashed(m_shown.take(w));
    return false;
}

// A box that closed before a poll saw it: the code under test ended it, as
// an answer to leave it open expects; any other answer waits for its box.
void modal_answerer::flashed(box_record rec)
{
    if (m_answers.isEmpty() || m_answers.first().kind != answer_t::leave)
        return;
    const answer_t& a = m_answers.first();
    if (!a.button_text.isEmpty() && rec.text != a.button_text)
        return;
    m_answers.removeFirst();
    rec.answer = QStringLiteral("left open");
    m_boxes.append(rec);
}

modal_answerer::box_record modal_answerer::record_of(QWidget* w)
{
    box_record rec;
    rec.class_name = class_name_of(w);
    rec.title = w->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
        rec.text = box->text();
        rec.icon = int(box->icon());
    } else {
        QStringList texts;
        for (QLabel* l : w->findChildren<QLabel*>())
            if (l->isVisibleTo(w) && !l->text().isEmpty())
                texts += l->text();
        rec.text = texts.join(QLatin1Char('\n'));
    }
    for (QAbstractButton* b : offered_buttons(w))
        rec.buttons += plain(b->text());
    return rec;
}

void modal_answerer::handle(QWidget* w)
{
    box_record rec = record_of(w);
    const QList<QAbstractButton*> buttons = offered_buttons(w);

    if (m_answers.isEmpty()) {
        rec.expected = false;
        rec.answer = QStringLiteral("close");
        m_boxes.append(rec);
        close_widget(w);
        return;
    }

    if (!m_answers.first().text_start.isEmpty() && !rec.text.startsWith(m_answers.first().text_start)) {
        rec.answer = QStringLiteral("passed over");
        m_boxes.append(rec);
        m_last_passed = true;
        m_passed_for.start();
        return;
    }
    const answer_t a = m_answers.takeFirst();
    QAbstractButton* target = nullptr;
    switch (a.kind) {
    case answer_t::standard:
        target = standard_button(w, a.button);
        if (!target)
            m_errors += QStringLiteral("standard button %1 not offered by \"%2\"").arg(int(a.button)).arg(rec.text);
        break;
    case answer_t::text:
        for (QAbstractButton* b : buttons)
            if (plain(b->text()) == a.button_text)
                target = b;
        if (!target)
            m_errors += QStringLiteral("button \"%1\" not offered by \"%2\"").arg(a.button_text, rec.text);
        break;
    case answer_t::close:
        rec.answer = QStringLiteral("close");
        m_boxes.append(rec);
        close_widget(w);
        return;
    case answer_t::leave:
        if (!a.button_text.isEmpty() && rec.text != a.button_text) {
            m_errors += QStringLiteral("\"%1\" shown where \"%2\" was to stay open").arg(rec.text, a.button_text);
            break;
        }
        rec.answer = QStringLiteral("left open");
        m_boxes.append(rec);
        return;
    case answer_t::custom:
        rec.answer = QStringLiteral("custom");
        m_boxes.append(rec);
        a.fn(w);
        return;
    }
    if (target) {
        rec.answer = plain(target->text());
        m_boxes.append(rec);
        target->click();
    } else {
        // Never leave a test hanging on a box it did not expect to look like this.
        rec.answer = QStringLiteral("close");
        m_boxes.append(rec);
        close_widget(w);
    }
}
