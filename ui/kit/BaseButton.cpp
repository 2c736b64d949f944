#include "BaseButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include <cstdlib>

BaseButton::BaseButton(QWidget* parent)
    : QWidget(parent)
{
    m_long_press_timer.setInterval(500);
    connect(&m_long_press_timer, &QTimer::timeout, this, &BaseButton::setLongPressEvent);
}

void BaseButton::applyLook(const QString& look)
{
    // Replaces any look applied before; a class selector only matches when
    // the class name equals the widget's own class.
    setStyleSheet(QStringLiteral(".") + m_class_name + QStringLiteral("{") + look + QStringLiteral("}"));
}

void BaseButton::setBordState(bool on)
{
    if (on)
        setEableBord();
    else
        setDisBord();
}

void BaseButton::setEableBord()
{
    applyLook(m_enabled_border);
    m_border_state = true;
}

void BaseButton::setDisBord()
{
    applyLook(m_disabled_border);
    m_border_state = false;
}

void BaseButton::setLongPressEvent()
{
    if (m_long_press)
        emit longPressSignal();
}

void BaseButton::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::OtherFocusReason);
    applyLook(m_pressed_look);
    emit pressSignal();
    m_press_state = 0;
    m_press_x = qRound(event->screenPos().x());
    m_press_y = qRound(event->screenPos().y());
    if (m_long_press)
        m_long_press_timer.start(250);
}

void BaseButton::mouseMoveEvent(QMouseEvent* event)
{
    // Only a vertical drag cancels the click (the button may sit in a list
    // that scrolls vertically).
    if (std::abs(m_press_y - qRound(event->screenPos().y())) > 20) {
        m_press_state = 1;
        applyLook(m_released_look);
    }
}

void BaseButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_long_press)
        m_long_press_timer.stop();
    applyLook(m_released_look);
    emit forceReleasedSignal();
    if (m_press_state == 1)
        return;
    m_press_state = 2;
    if (m_click_disabled)
        return;
    const int x = qRound(event->localPos().x());
    const int y = qRound(event->localPos().y());
    if (x >= 0 && x <= width() && y >= 0 && y <= height()) {
        m_toggled = !m_toggled;
        emit clickReleased(m_toggled);
        emit releasedSignal();
    }
}

void BaseButton::paintEvent(QPaintEvent*)
{
    // Lets a style sheet background show on a plain QWidget subclass.
    QStyleOption opt;
    opt.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &painter, this);
}
