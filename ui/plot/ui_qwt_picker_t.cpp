#include "ui_qwt_picker_t.h"

#include <qwt_plot.h>
#include <qwt_scale_map.h>
#include <qwt_text.h>

ui_qwt_picker_t::ui_qwt_picker_t(QWidget *parent)
    : QwtPicker(parent)
{
    connect_self();
}

ui_qwt_picker_t::ui_qwt_picker_t(QwtPicker::RubberBand rubber_band, QwtPicker::DisplayMode tracker_mode,
                                 QWidget *parent)
    : QwtPicker(rubber_band, tracker_mode, parent)
{
    connect_self();
}

ui_qwt_picker_t::ui_qwt_picker_t(QwtPlot *plot, QwtPicker::RubberBand rubber_band,
                                 QwtPicker::DisplayMode tracker_mode, QWidget *parent)
    : QwtPicker(rubber_band, tracker_mode, parent)
    , m_plot(plot)
{
    connect_self();
}

ui_qwt_picker_t::~ui_qwt_picker_t() = default;

void ui_qwt_picker_t::connect_self()
{
    // lets the position travel through queued connections and spies as well
    qRegisterMetaType<fp64>("fp64");
    connect(this, SIGNAL(pos_update_signal(fp64,fp64)), this, SLOT(update_pos_slot_func(fp64,fp64)));
}

void ui_qwt_picker_t::update_pos_slot_func(fp64 x, fp64 y)
{
    m_last_x = x;
    m_last_y = y;
}

QPointF ui_qwt_picker_t::get_pos() const
{
    return QPointF(m_last_x, m_last_y);
}

QwtText ui_qwt_picker_t::trackerText(QPoint const &pos) const
{
    // Without a plot there are no plot coordinates to report.
    if (!m_plot)
        return QwtText();

    const fp64 x = m_plot->canvasMap(QwtPlot::xBottom).invTransform(pos.x());
    const fp64 y = m_plot->canvasMap(QwtPlot::yLeft).invTransform(pos.y());
    m_plot->replot();
    // trackerText is const in Qwt, but reporting the position is the point of this picker
    emit const_cast<ui_qwt_picker_t *>(this)->pos_update_signal(x, y);
    return QwtText();
}
