#ifndef UI_XP_SCALE_DRAW_T_H
#define UI_XP_SCALE_DRAW_T_H

#include <qwt_scale_draw.h>

// Step axis: labels each tick as the step number followed by "t".
class ui_xp_scale_draw_t : public QwtScaleDraw
{
public:
    ui_xp_scale_draw_t();
    ~ui_xp_scale_draw_t() override;

    QwtText label(double value) const override;
};

#endif
