#include "input_guard_t.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

input_guard_t::input_guard_t(QWidget* guarded, QObject* parent) : QObject(parent), m_guarded(guarded) {}

input_guard_t::~input_guard_t()
{
    set_on(false);
}

void input_guard_t::set_on(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    // Only while on: an application filter sees every event of the program.
    if (on)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

bool input_guard_t::eventFilter(QObject* watched, QEvent* event)
{
    bool press = false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        press = true;
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        break;
    default:
        return false;
    }
    if (!m_guarded || !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != m_guarded)
        return false;
    if (press)
        emit refused();
    return true;
}
