#ifndef UI_QWT_PICKER_T_H
#define UI_QWT_PICKER_T_H

#include <QPointF>
#include <qwt_picker.h>

class QwtPlot;

// Signal and slot signatures use this name; connections made by signature
// text must spell it the same way.
typedef double fp64;

// Picker that reports the plot coordinates under the mouse as a signal and
// never draws a tracker label.
class ui_qwt_picker_t : public QwtPicker
{
    Q_OBJECT

public:
    explicit ui_qwt_picker_t(QWidget *parent);
    ui_qwt_picker_t(QwtPicker::RubberBand rubber_band, QwtPicker::DisplayMode tracker_mode, QWidget *parent);
    ui_qwt_picker_t(QwtPlot *plot, QwtPicker::RubberBand rubber_band, QwtPicker::DisplayMode tracker_mode,
                    QWidget *parent);
    ~ui_qwt_picker_t() override;

    // last position reported through pos_update_signal
    QPointF get_pos() const;

    QwtText trackerText(QPoint const &pos) const override;

signals:
    void pos_update_signal(fp64 x, fp64 y);
    void pos_line_signal(fp64 x, fp64 y);

public slots:
    void update_pos_slot_func(fp64 x, fp64 y);

private:
    void connect_self();

    fp64 m_last_x = 0.0;
    fp64 m_last_y = 0.0;
    QwtPlot *m_plot = nullptr;
};

#endif
