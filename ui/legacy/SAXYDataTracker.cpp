#include "SAXYDataTracker.h"

#include <QPainter>
#include <QPen>
#include <limits>
#include <qwt_painter.h>
#include <qwt_picker_machine.h>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_text.h>

namespace {

// The four curves are told apart by their pen colour.
struct tracked_curve_t
{
    const char* colour;
    const char* label;
    SAXYDataTracker::quantity_t quantity;
    int decimals;
    const char* unit;
};

const tracked_curve_t tracked_curves[] = {
    {"#ff0000", "Voltage", SAXYDataTracker::voltage, 3, "V"},
    {"#00ff00", "Current", SAXYDataTracker::current, 4, "A"},
    {"#ffff00", "Power", SAXYDataTracker::power, 2, "W"},
    {"#00ffff", "Resis", SAXYDataTracker::resistance, 3, "ohm"},
};

} // namespace

SAXYDataTracker::SAXYDataTracker(QWidget* canvas)
    : QwtPlotPicker(canvas)
{
    reset_closest_point();
    setTrackerMode(QwtPicker::ActiveOnly);
    setRubberBand(QwtPicker::UserRubberBand);
    setStateMachine(new QwtPickerTrackerMachine());
    set_active(true);
}

SAXYDataTracker::~SAXYDataTracker() = default;

void SAXYDataTracker::set_value_range(quantity_t quantity, double lower, double upper)
{
    m_lower[quantity] = lower;
    m_upper[quantity] = upper;
}

void SAXYDataTracker::set_active(bool on)
{
    disconnect(m_moved);
    disconnect(m_attached);
    if (!on)
        return;
    m_moved = connect(this, static_cast<void (QwtPicker::*)(const QPoint&)>(&QwtPicker::moved), this,
                      [this](const QPoint& pos) { update_closest_point(pos); });
    if (QwtPlot* owner = plot())
        m_attached = connect(owner, &QwtPlot::itemAttached, this,
                             [this](QwtPlotItem* item, bool attached) { item_attached(item, attached); });
}

void SAXYDataTracker::reset_closest_point()
{
    m_curve = nullptr;
    m_index = -1;
    m_distance = std::numeric_limits<double>::max();
}

void SAXYDataTracker::item_attached(QwtPlotItem* item, bool on)
{
    if (!on && item->rtti() == QwtPlotItem::Rtti_PlotCurve && item == m_curve)
        reset_closest_point();
}

bool SAXYDataTracker::closest_point_valid() const
{
    return m_curve && m_index >= 1;
}

QPointF SAXYDataTracker::closest_sample() const
{
    if (!closest_point_valid() || m_index >= int(m_curve->dataSize()))
        return QPointF(0, 0);
    return m_curve->sample(m_index);
}

void SAXYDataTracker::update_closest_point(const QPoint& pos)
{
    const QwtPlot* owner = plot();
    if (!owner)
        return;
    reset_closest_point();
    for (QwtPlotItem* item : owner->itemList(QwtPlotItem::Rtti_PlotCurve)) {
        auto* curve = static_cast<QwtPlotCurve*>(item);
        double distance = std::numeric_limits<double>::max();
        const int index = curve->closestPoint(pos, &distance);
        if (index >= 0 && distance < m_distance) {
            m_curve = curve;
            m_index = index;
            m_distance = distance;
        }
    }
    if (m_curve) {
        QPen pen = m_curve->pen();
        pen.setWidth(1);
        setRubberBandPen(pen);
    }
}

void SAXYDataTracker::drawRubberBand(QPainter* painter) const
{
    if (!isActive() || rubberBand() == QwtPicker::NoRubberBand || rubberBandPen().style() == Qt::NoPen)
        return;
    const QPolygon picked = pickedPoints();
    if (picked.isEmpty() || !m_curve)
        return;
    const QPoint mouse = picked.last();
    const QPointF sample = transform(closest_sample());
    painter->setPen(m_curve->pen().color());
    QwtPainter::drawLine(painter, QPointF(mouse), sample);
    QwtPainter::drawEllipse(painter, QRectF(sample.x() - 2, sample.y() - 2, 5, 5));
}

QRect SAXYDataTracker::trackerRect(const QFont& font) const
{
    const QRect rect = QwtPlotPicker::trackerRect(font);
    // no text, no box
    return rect.isEmpty() ? rect : rect.adjusted(-5, -5, 5, 5);
}

QwtText SAXYDataTracker::trackerTextF(const QPointF&) const
{
    if (!closest_point_valid())
        return QwtText();
    const QColor colour = m_curve->pen().color();
    const QString name = colour.name();
    for (const tracked_curve_t& tracked : tracked_curves) {
        if (name != QLatin1String(tracked.colour))
            continue;
        const double lower = m_lower[tracked.quantity];
        const double upper = m_upper[tracked.quantity];
        const double value = lower + (upper - lower) * (closest_sample().y() / 100.0);
        QwtText text(QStringLiteral("<font color=\"%1\">%2:%3 %4</font><br>")
                         .arg(name, QLatin1String(tracked.label), QString::number(value, 'f', tracked.decimals),
                              QLatin1String(tracked.unit)),
                     QwtText::RichText);
        text.setColor(Qt::black);
        QColor background = colour;
        background.setAlpha(30);
        text.setBorderPen(QPen(colour));
        text.setBackgroundBrush(QBrush(background));
        text.setBorderRadius(5.0);
        return text;
    }
    return QwtText();
}
