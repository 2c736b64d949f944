#ifndef UI_PREVIEW_PLOT_T_H
#define UI_PREVIEW_PLOT_T_H

#include <QString>
#include <qwt_plot.h>

class QwtPlotGrid;
class ui_qwt_picker_t;

// The plot widget shared by the trend display and the list preview: a grid,
// label-only axes and a picker that reports the mouse position.
//   style false: list preview (step axis, value axis with unit "A", white text)
//   style true:  trend (time axis, left axis hidden, black text and grid)
class ui_preview_plot_t : public QwtPlot
{
public:
    ui_preview_plot_t(QWidget *parent, bool style);
    ~ui_preview_plot_t() override;

    // Replaces the left axis draw by one labelling values with this unit;
    // the new draw shows backbone and ticks again.
    void set_y_unit(QString unit);

    QwtPlotGrid *grid() const;
    ui_qwt_picker_t *picker() const;

private:
    void set_dark_style();
    void set_light_style();
    void init_canvas();

    QwtPlotGrid *m_grid = nullptr;
    ui_qwt_picker_t *m_picker = nullptr;
};

#endif
