#include "ui_xp_scale_draw_t.h"

#include <QColor>

ui_xp_scale_draw_t::ui_xp_scale_draw_t()
{
    setLength(10.0);
}

ui_xp_scale_draw_t::~ui_xp_scale_draw_t() = default;

QwtText ui_xp_scale_draw_t::label(double value) const
{
    QwtText text(QString::number(value, 'g', 6) + QStringLiteral("t"), QwtText::AutoText);
    text.setColor(QColor(200, 200, 0, 255));
    return text;
}
