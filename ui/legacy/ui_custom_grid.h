#ifndef UI_CUSTOM_GRID_H
#define UI_CUSTOM_GRID_H

#include <qwt_plot_item.h>

// A plot item that draws nothing.
class ui_custom_grid : public QwtPlotItem
{
public:
    ui_custom_grid();
    ~ui_custom_grid() override;

    void draw(QPainter* painter, const QwtScaleMap& x_map, const QwtScaleMap& y_map,
              const QRectF& canvas_rect) const override;
};

#endif
