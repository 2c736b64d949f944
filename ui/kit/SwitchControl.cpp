#include "SwitchControl.h"

#include <QPainter>
#include <QStyleOption>

SwitchControl::SwitchControl(QWidget* parent)
    : QFrame(parent),
      m_off_text(tr("OFF")),
      m_on_text(tr("ON"))
{
    m_step = width() / 10;
    m_timer.setParent(this);
    m_timer.setInterval(40);
    connect(&m_timer, &QTimer::timeout, this, &SwitchControl::updateValue);
    setFixedSize(138, 23);
}

void SwitchControl::setTexts(const QString& off_text, const QString& on_text)
{
    m_off_text = off_text;
    m_on_text = on_text;
    update();
}

void SwitchControl::setChecked(bool checked)
{
    m_checked = checked;
    m_step = width() / 10;
    m_target = checked ? width() - width() / 2 : 0;
    m_timer.start();
}

void SwitchControl::updateValue()
{
    // The step is taken before comparing with the target, so the last moving
    // tick may overshoot for one frame; the next tick settles on the target.
    if (m_checked && m_position < m_target) {
        m_position += m_step;
    } else if (!m_checked && m_position > m_target) {
        m_position -= m_step;
    } else {
        m_position = m_target;
        m_timer.stop();
    }
    update();
}

void SwitchControl::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_step = width() / 10;
    m_position = m_checked ? width() - width() / 2 : 0;
    update();
}

void SwitchControl::paintEvent(QPaintEvent*)
{
    QStyleOption opt;
    opt.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &painter, this);

    const int w = width();
    const int h = height();

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_checked ? m_track_on : m_track_off);
    painter.drawRoundedRect(QRect(0, 0, w, h), m_radius, m_radius, Qt::AbsoluteSize);
    painter.setBrush(m_checked ? m_knob_on : m_knob_off);
    painter.drawRoundedRect(QRect(m_margin + m_position, m_margin, w / 2 - 2 * m_margin, h - 2 * m_margin),
                            m_radius, m_radius, Qt::AbsoluteSize);
    painter.restore();

    painter.save();
    QFont font;
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QColor(1, 1, 1, 255));
    painter.setBrush(m_checked ? m_text_on : m_text_off);
    if (m_checked) {
        // The knob rests on the right half, so the text goes left.
        painter.drawText(QRect(0, 0, w / 2 + 2 * m_margin, h), Qt::AlignHCenter | Qt::AlignVCenter, m_on_text);
    } else {
        painter.drawText(QRect(w / 2, 0, w / 2 - m_margin, h), Qt::AlignHCenter | Qt::AlignVCenter, m_off_text);
    }
    painter.restore();
}
