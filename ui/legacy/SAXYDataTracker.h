#ifndef SAXYDATATRACKER_H
#define SAXYDATATRACKER_H

#include <qwt_plot_picker.h>

class QwtPlotCurve;
class QwtPlotItem;

// A picker that follows the mouse to the nearest curve sample and labels it
// in real units. The four curves are drawn on a common 0..100 scale; each
// quantity's value range says what 0 and 100 stand for.
class SAXYDataTracker : public QwtPlotPicker
{
public:
    enum quantity_t { voltage = 0, current = 1, power = 2, resistance = 3 };

    explicit SAXYDataTracker(QWidget* canvas);
    ~SAXYDataTracker() override;

    void set_value_range(quantity_t quantity, double lower, double upper);
    // Follows the mouse and watches detached curves while active.
    void set_active(bool on);

    // True while a curve is set and the index is at least 1.
    bool closest_point_valid() const;
    QPointF closest_sample() const;
    QwtPlotCurve* closest_curve() const { return m_curve; }
    int closest_index() const { return m_index; }

    void drawRubberBand(QPainter* painter) const override;
    QRect trackerRect(const QFont& font) const override;
    QwtText trackerTextF(const QPointF& pos) const override;

    // The nearest sample of every curve of the plot to this canvas position.
    void update_closest_point(const QPoint& pos);

private:
    void reset_closest_point();
    void item_attached(QwtPlotItem* item, bool on);

    QwtPlotCurve* m_curve = nullptr;
    int m_index = -1;
    double m_distance;
    double m_lower[4] = {0, 0, 0, 0};
    double m_upper[4] = {100, 100, 100, 100};
    QMetaObject::Connection m_moved;
    QMetaObject::Connection m_attached;
};

#endif
