#include "newframe.h"

#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace {

constexpr double upper_y = 30;
constexpr double lower_y = 170;
constexpr double dimension_y = 185;
constexpr double extension_end_y = 190;
constexpr double tick_start_y = 175;
// an edge is 10 pixels wide, plus 6 per unit of slew factor
constexpr double slew_pixels = 6;
constexpr double arrow_size = 4;

const double continuous_x[] = {20, 40, 50, 130, 140, 220, 230, 310, 320, 390};
const double continuous_y[] = {30, 30, 170, 170, 30, 30, 170, 170, 30, 30};
const double pulse_x[] = {0, 100, 120, 280, 300, 400};

// The two barbs at each end of a dimension line, pointing outward.
void draw_arrow_heads(QPainter& painter, const QLineF& line)
{
    const double dx = line.dx();
    const double dy = line.dy();
    double t = std::acos(dx / std::hypot(dx, dy));
    if (dy >= 0)
        t = 2 * M_PI - t;
    const QPointF p = line.p1();
    const QPointF q = line.p2();
    for (double a : {t - M_PI / 3, t - 2 * M_PI / 3})
        painter.drawLine(QLineF(q + QPointF(arrow_size * std::sin(a), arrow_size * std::cos(a)), q));
    for (double a : {t + M_PI / 3, t + 2 * M_PI / 3})
        painter.drawLine(QLineF(p + QPointF(arrow_size * std::sin(a), arrow_size * std::cos(a)), p));
}

void draw_vertical(QPainter& painter, double x, double y1, double y2)
{
    const int xi = static_cast<int>(x);
    painter.drawLine(xi, static_cast<int>(y1), xi, static_cast<int>(y2));
}

} // namespace

newframe::newframe(QWidget* parent)
    : QFrame(parent)
{
}

newframe::~newframe() = default;

QVector<QPointF> newframe::waveform_points() const
{
    QVector<QPointF> points;
    if (wave_kind == 1) {
        for (int i = 0; i < 10; ++i) {
            double y = continuous_y[i];
            if (!level_a_on_top)
                y = (y == upper_y) ? lower_y : upper_y;
            points.append(QPointF(continuous_x[i], y));
        }
        if (show_slew) {
            points[2].rx() += slew_pixels * slew_factor_2;
            points[6].rx() += slew_pixels * slew_factor_2;
            points[4].rx() += slew_pixels * slew_factor_1;
            points[8].rx() += slew_pixels * slew_factor_1;
        }
    } else {
        const double first = level_a_on_top ? upper_y : lower_y;
        const double second = level_a_on_top ? lower_y : upper_y;
        const double ys[] = {first, first, second, second, first, first};
        for (int i = 0; i < 6; ++i)
            points.append(QPointF(pulse_x[i], ys[i]));
        if (show_slew) {
            // the rising edge takes factor 1, the falling edge factor 2
            points[2].rx() += slew_pixels * (level_a_on_top ? slew_factor_2 : slew_factor_1);
            points[4].rx() += slew_pixels * (level_a_on_top ? slew_factor_1 : slew_factor_2);
        }
    }
    return points;
}

void newframe::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::yellow);
    const QVector<QPointF> points = waveform_points();
    painter.drawPolyline(QPolygonF(points));

    const bool continuous = wave_kind == 1;
    const double* xs = continuous ? continuous_x : pulse_x;
    const double x1 = xs[1];
    const double x3 = xs[3];
    const double x5 = xs[5];
    const QLineF line_a = continuous ? QLineF(x1, dimension_y, x3, dimension_y)
                                     : QLineF(x1, points[1].y(), x3, points[1].y());
    const QLineF line_b(x3, dimension_y, x5, dimension_y);

    painter.setPen(Qt::gray);
    painter.drawLine(line_a);
    draw_arrow_heads(painter, line_a);
    if (continuous) {
        painter.drawLine(line_b);
        draw_arrow_heads(painter, line_b);
        if (level_a_on_top) {
            draw_vertical(painter, x1, upper_y, extension_end_y);
            draw_vertical(painter, x5, upper_y, extension_end_y);
            draw_vertical(painter, x3, tick_start_y, extension_end_y);
        } else {
            draw_vertical(painter, x3, upper_y, extension_end_y);
            draw_vertical(painter, x1, tick_start_y, extension_end_y);
            draw_vertical(painter, x5, tick_start_y, extension_end_y);
        }
    } else if (level_a_on_top) {
        draw_vertical(painter, x1, upper_y, lower_y);
        draw_vertical(painter, x3, upper_y, lower_y);
    } else {
        draw_vertical(painter, x3, upper_y, lower_y);
    }
}
