#include "ui_custom_grid.h"

ui_custom_grid::ui_custom_grid() = default;

ui_custom_grid::~ui_custom_grid() = default;

void ui_custom_grid::draw(QPainter*, const QwtScaleMap&, const QwtScaleMap&, const QRectF&) const
{
}
