#ifndef UI_XT_SCALE_DRAW_T_H
#define UI_XT_SCALE_DRAW_T_H

#include <qwt_scale_draw.h>

// Time axis of the trend plot: the tick value is a point index; only the
// start, the middle and the end of the chosen time window are labelled.
class ui_xt_scale_draw_t : public QwtScaleDraw
{
public:
    ui_xt_scale_draw_t();
    ~ui_xt_scale_draw_t() override;

    // 1..7 = "1min" .. "24hour"; any other value labels only tick 0
    void set_time_mode(int mode);
    int time_mode() const;

    QwtText label(double value) const override;

private:
    int m_time_mode = 1;
};

#endif
