#include "ui_yv_scale_draw_t.h"

#include <QColor>

ui_yv_scale_draw_t::ui_yv_scale_draw_t(QString const &unit)
    : m_unit(unit)
{
}

ui_yv_scale_draw_t::~ui_yv_scale_draw_t() = default;

QString ui_yv_scale_draw_t::unit() const
{
    return m_unit;
}

QwtText ui_yv_scale_draw_t::label(double value) const
{
    QwtText text(QString::number(value, 'g', 6) + m_unit, QwtText::AutoText);
    text.setColor(QColor(200, 200, 0, 255));
    return text;
}
