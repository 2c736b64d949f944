#include "ui_xt_scale_draw_t.h"

#include <QColor>
#include <QCoreApplication>

namespace {

struct time_ticks_t
{
    double half_value;
    const char *half_text;
    double full_value;
    const char *full_text;
};

// Index = time mode - 1. The four longest windows share a 10000-point axis.
const time_ticks_t k_time_ticks[] = {
    {75, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "30s"), 150, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "1min")},
    {450, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "2.5min"), 900, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "5min")},
    {1800, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "10min"), 3600, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "20min")},
    {5000, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "30min"), 10000, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "1hour")},
    {5000, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "2.5hour"), 10000, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "5hour")},
    {5000, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "5hour"), 10000, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "10hour")},
    {5000, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "12hour"), 10000, QT_TRANSLATE_NOOP("ui_xt_scale_draw_t", "24hour")},
};
const int k_time_mode_count = int(sizeof(k_time_ticks) / sizeof(k_time_ticks[0]));

QString tick_text(int mode, double value)
{
    // exact comparisons: ticks sit on whole point indices
    if (value == 0.0)
        return QStringLiteral("0");
    if (mode < 1 || mode > k_time_mode_count)
        return QString();
    const time_ticks_t &t = k_time_ticks[mode - 1];
    if (value == t.half_value)
        return QCoreApplication::translate("ui_xt_scale_draw_t", t.half_text);
    if (value == t.full_value)
        return QCoreApplication::translate("ui_xt_scale_draw_t", t.full_text);
    return QString();
}

} // namespace

ui_xt_scale_draw_t::ui_xt_scale_draw_t() = default;

ui_xt_scale_draw_t::~ui_xt_scale_draw_t() = default;

void ui_xt_scale_draw_t::set_time_mode(int mode)
{
    m_time_mode = mode;
}

int ui_xt_scale_draw_t::time_mode() const
{
    return m_time_mode;
}

QwtText ui_xt_scale_draw_t::label(double value) const
{
    QwtText text(tick_text(m_time_mode, value), QwtText::AutoText);
    text.setColor(QColor(255, 255, 255, 255));
    return text;
}
