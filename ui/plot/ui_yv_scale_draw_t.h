#ifndef UI_YV_SCALE_DRAW_T_H
#define UI_YV_SCALE_DRAW_T_H

#include <QString>
#include <qwt_scale_draw.h>

// Value axis: labels each tick with six significant digits and a unit.
class ui_yv_scale_draw_t : public QwtScaleDraw
{
public:
    explicit ui_yv_scale_draw_t(QString const &unit);
    ~ui_yv_scale_draw_t() override;

    QString unit() const;

    QwtText label(double value) const override;

private:
    QString m_unit;
};

#endif
