#include "ui_preview_plot_t.h"

#include "ui_qwt_picker_t.h"
#include "ui_xp_scale_draw_t.h"
#include "ui_xt_scale_draw_t.h"
#include "ui_yv_scale_draw_t.h"

#include <QPen>
#include <qwt_plot_canvas.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>

namespace {

// The style draws show labels only.
QwtScaleDraw *labels_only(QwtScaleDraw *draw)
{
    draw->enableComponent(QwtAbstractScaleDraw::Backbone, false);
    draw->enableComponent(QwtAbstractScaleDraw::Ticks, false);
    draw->setSpacing(0.0);
    return draw;
}

} // namespace

ui_preview_plot_t::ui_preview_plot_t(QWidget *parent, bool style)
    : QwtPlot(parent)
{
    if (style)
        set_light_style();
    else
        set_dark_style();
    init_canvas();
}

ui_preview_plot_t::~ui_preview_plot_t() = default;

void ui_preview_plot_t::set_dark_style()
{
    canvas()->setCursor(Qt::ArrowCursor);

    m_grid = new QwtPlotGrid;
    m_grid->setPen(QColor(120, 120, 120), 0.0, Qt::SolidLine);
    m_grid->attach(this);
    m_grid->setVisible(true);

    setStyleSheet(QStringLiteral("QwtPlot{color: rgb(255, 255, 255);background-color: rgb(80, 80, 80);}"));

    setAxisScaleDraw(QwtPlot::xBottom, labels_only(new ui_xp_scale_draw_t));
    setAxisScaleDraw(QwtPlot::yLeft, labels_only(new ui_yv_scale_draw_t(QStringLiteral("A"))));

    enableAxis(QwtPlot::yLeft, true);
    enableAxis(QwtPlot::xBottom, true);
    plotLayout()->setAlignCanvasToScales(true);
}

void ui_preview_plot_t::set_light_style()
{
    canvas()->setCursor(Qt::ArrowCursor);

    m_grid = new QwtPlotGrid;
    m_grid->setPen(QColor(0, 0, 0), 0.0, Qt::SolidLine);
    m_grid->attach(this);
    m_grid->setVisible(true);

    setStyleSheet(QStringLiteral("QwtPlot{color: rgb(0, 0, 0);background-color: rgb(80, 80, 80);}"));

    setAxisScaleDraw(QwtPlot::xBottom, labels_only(new ui_xt_scale_draw_t));
    setAxisScaleDraw(QwtPlot::yLeft, labels_only(new ui_yv_scale_draw_t(QString())));

    enableAxis(QwtPlot::yLeft, false);
    enableAxis(QwtPlot::xBottom, true);
    plotLayout()->setAlignCanvasToScales(true);
}

void ui_preview_plot_t::init_canvas()
{
    m_picker = new ui_qwt_picker_t(this, QwtPicker::CrossRubberBand, QwtPicker::AlwaysOn, canvas());
}

void ui_preview_plot_t::set_y_unit(QString unit)
{
    setAxisScaleDraw(QwtPlot::yLeft, new ui_yv_scale_draw_t(unit));
}

QwtPlotGrid *ui_preview_plot_t::grid() const
{
    return m_grid;
}

ui_qwt_picker_t *ui_preview_plot_t::picker() const
{
    return m_picker;
}
